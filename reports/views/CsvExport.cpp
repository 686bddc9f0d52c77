#include "reports/views/CsvExport.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "reports/CsvWriter.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include <cctype>

namespace zev {

std::string CsvExport::SuggestedName(const std::string& title)
{
    std::string name;
    for (char c : title) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == ' ' || c == '-' || c == '_' || u >= 0x80)
            name += c;
    }
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    if (name.empty())
        name = "Export";
    return name + ".csv";
}

bool CsvExport::Run(QWidget* parent, const ReportsViewContext& context, IMessageBox& messages, const std::string& title,
                    const CsvWriter& writer, const std::vector<std::vector<std::string>>& rows)
{
    const std::string suggested = SuggestedName(title);
    std::string path;
    if (context.chooseExportFile) {
        path = context.chooseExportFile(parent, suggested);
    } else {
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty())
            folder = QDir::homePath();
        path = QFileDialog::getSaveFileName(parent, QObject::tr("Export"),
                                            QDir(folder).filePath(QString::fromStdString(suggested)),
                                            QObject::tr("CSV files (*.csv);;All files (*)"))
                   .toStdString();
    }
    if (path.empty())
        return false;
    std::string error;
    if (!writer.WriteFile(path, rows, error)) {
        messages.ShowText("The export could not be written to " + path + ": " + error, ids::kCaptionError,
                          MbButtons::Ok, MbIcon::Stop);
        return false;
    }
    messages.ShowText("Exported " + std::to_string(rows.size()) + (rows.size() == 1 ? " row" : " rows") + " to " +
                          path + ".",
                      ids::kCaptionInformation, MbButtons::Ok, MbIcon::Information);
    return true;
}

} // namespace zev
