#include "accounts/views/CEditAccountGeneral.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

using zev::AccountEditor;

namespace {

struct FieldDef {
    AccountEditor::Field field;
    int id;
    const char* name;
    const char* caption;
    int maxLength;
};

constexpr FieldDef kFields[] = {
    {AccountEditor::CompanyName, 1058, "EDT_COMPANYNAME", "Company &Name", 50},
    {AccountEditor::Contact, 1062, "EDT_CONTACT", "&Contact Name", 50},
    {AccountEditor::AltContact, 1134, "EDT_ALTCONTACT", "&Alternate Contact Name", 50},
    {AccountEditor::Address1, 1005, "EDT_ADDRESS1", "A&ddress", 50},
    {AccountEditor::Address2, 1137, "EDT_ADDRESS2", "Address, &second line", 50},
};

} // namespace

CEditAccountGeneral::CEditAccountGeneral(const AccountEditor& editor, QWidget* parent)
    : CZevPropertyPage(tr("General"), "EditAccountGeneral", parent)
{
    auto* form = new QFormLayout(this);
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        const FieldDef& def = kFields[i];
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(def.maxLength);
        edit->setReadOnly(!editor.Editable(def.field));
        auto* caption = new QLabel(tr(def.caption), this);
        caption->setBuddy(edit);
        form->addRow(caption, edit);
        AddControl(def.id, QString::fromLatin1(def.name), edit);
        m_fields[i] = edit;
    }
}

QLineEdit* CEditAccountGeneral::Field(AccountEditor::Field field) const
{
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        if (kFields[i].field == field)
            return m_fields[i];
    return nullptr;
}

void CEditAccountGeneral::Show(const zev::AccountEditData& d)
{
    const std::string* texts[] = {&d.companyName, &d.contact, &d.altContact, &d.address1, &d.address2};
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        m_fields[i]->setText(QString::fromStdString(*texts[i]));
}

void CEditAccountGeneral::Take(zev::AccountEditData& d) const
{
    std::string* texts[] = {&d.companyName, &d.contact, &d.altContact, &d.address1, &d.address2};
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        *texts[i] = m_fields[i]->text().toStdString();
}
