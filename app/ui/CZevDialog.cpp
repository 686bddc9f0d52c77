#include "app/ui/CZevDialog.h"

#include "app/core/IniReader.h"

CZevDialog::CZevDialog(QWidget* parent) : QDialog(parent), m_controls(this) {}

int CZevDialog::LayOut(const std::string& section, const std::string& path)
{
    zev::ApplyScreenRecord(this, section, path);
    return m_controls.LayOut(section, path);
}

namespace zev {

bool ApplyScreenRecord(QWidget* window, const std::string& section, const std::string& path)
{
    LayoutRecord record;
    if (path.empty() || !ParseLayoutRecord(ReadLayoutValue(section, "SCREEN", path), record))
        return false;
    window->setGeometry(record.x, record.y, record.width, record.height);
    return true;
}

} // namespace zev
