#include "accounts/views/CEditAccountInfo.h"

#include "accounts/views/CEditAccountDeliveryPage.h"
#include "accounts/views/CEditAccountGeneral.h"
#include "app/core/StringTable.h"

CEditAccountInfo::CEditAccountInfo(const zev::AccountEditor& editor, zev::AccountEditData data, QWidget* parent)
    : CZevPropertySheet(QString::fromStdString(zev::LoadText(65112)), parent), m_data(std::move(data)),
      m_general(new CEditAccountGeneral(editor)), m_delivery(new CEditAccountDeliveryPage(editor))
{
    AddPage(m_general);
    AddPage(m_delivery);
    m_general->Show(m_data);
    m_delivery->Show(m_data);
}

zev::AccountEditData CEditAccountInfo::Data() const
{
    zev::AccountEditData data = m_data;
    m_general->Take(data);
    m_delivery->Take(data);
    return data;
}

bool CEditAccountInfo::EditAccount(QWidget* parent, int accountId, const zev::ZevConfig& config,
                                   zev::IMessageBox& messages, const std::string& settingsPath)
{
    const zev::AccountEditor editor(zev::AccountEditor::Switches::FromConfig(config), messages);
    std::optional<zev::AccountEditData> data = editor.Load(accountId);
    if (!data)
        return false;
    CEditAccountInfo sheet(editor, std::move(*data), parent);
    sheet.LayOut(settingsPath);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    return editor.Save(sheet.Data());
}
