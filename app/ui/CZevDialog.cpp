#include "app/ui/CZevDialog.h"

#include "app/core/IniReader.h"
#include "app/ui/ZevAccessibility.h"

CZevDialog::CZevDialog(QWidget* parent) : QDialog(parent), m_controls(this) {}

int CZevDialog::LayOut(const std::string& section, const std::string& path)
{
    zev::ApplyScreenRecord(this, section, path);
    return m_controls.LayOut(section, path);
}

void CZevDialog::showEvent(QShowEvent* event)
{
    if (!m_named) {
        m_named = true;
        zev::ZevAccessibility::NameFields(this);
    }
    QDialog::showEvent(event);
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
