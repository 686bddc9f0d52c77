#include "reports/views/CReportPrinter.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>

namespace {

QString Esc(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

const char* Align(int format)
{
    switch (format & 3) {
    case 1:
        return "right";
    case 2:
        return "center";
    default:
        return "left";
    }
}

} // namespace

QString CReportPrinter::Html(const std::string& title, const std::vector<std::string>& headings,
                             const std::vector<int>& formats, const std::vector<std::vector<std::string>>& rows)
{
    auto format = [&formats](std::size_t i) { return i < formats.size() ? formats[i] : 0; };
    QString head;
    for (std::size_t i = 0; i < headings.size(); ++i)
        head += QStringLiteral("<th align=\"%1\">%2</th>").arg(QLatin1String(Align(format(i))), Esc(headings[i]));
    QString body;
    for (const auto& row : rows) {
        body += QStringLiteral("<tr>");
        for (std::size_t i = 0; i < headings.size(); ++i)
            body += QStringLiteral("<td align=\"%1\">%2</td>")
                        .arg(QLatin1String(Align(format(i))), i < row.size() ? Esc(row[i]) : QString());
        body += QStringLiteral("</tr>");
    }
    return QStringLiteral("<html><body style=\"font-family: sans-serif; font-size: 9pt\"><h2>%1</h2>"
                          "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"0\">"
                          "<thead><tr>%2</tr></thead>%3</table><p>%4</p></body></html>")
        .arg(Esc(title), head, body, QString::number(rows.size()) + (rows.size() == 1 ? " row" : " rows"));
}

bool CReportPrinter::Print(const QString& html, QPrinter& printer, zev::IMessageBox& messages)
{
    if (!printer.isValid()) {
        messages.ShowText("Unable to access the requested printer.\n\nPlease check that your printer is turned on "
                          "and installed correctly.",
                          zev::ids::kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        messages.ShowText("The printer would not start.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                          zev::MbIcon::Stop);
        return false;
    }
    QTextDocument document;
    // Laid out in the printer's own units so fonts keep their size.
    document.documentLayout()->setPaintDevice(&printer);
    document.setHtml(html);
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    document.setPageSize(page.size());
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage()) {
            messages.ShowText("The printer would not start a new page.", zev::ids::kCaptionError, zev::MbButtons::Ok,
                              zev::MbIcon::Stop);
            painter.end();
            return false;
        }
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    painter.end();
    return true;
}
