#include "accounts/views/CEditAccountDeliveryPage.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

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
    {AccountEditor::City, 1073, "EDT_CITY", "Cit&y", 30},    {AccountEditor::State, 1078, "EDT_STATE", "S&tate", 2},
    {AccountEditor::Zip, 1085, "EDT_ZIP", "&Zip", 12},       {AccountEditor::Email, 1100, "EDT_EMAIL", "&Email", 64},
    {AccountEditor::Phone, 1010, "EDT_PHONE", "&Phone", 18}, {AccountEditor::Fax, 1095, "EDT_FAX", "Fa&x", 18},
};

constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr int kApptIds[] = {1109, 1113, 1117, 1120, 1123, 1126, 1129};
constexpr int kDelivIds[] = {1132, 1135, 1138, 1140, 1142, 1144, 1146};
constexpr const char* kLongDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

} // namespace

CEditAccountDeliveryPage::CEditAccountDeliveryPage(const AccountEditor& editor, QWidget* parent)
    : CZevPropertyPage(tr("Delivery"), "EditAccountDelivery", parent), m_editor(editor),
      m_delivCaption(new QLabel(tr("Delivery Days"), this))
{
    auto* days = new QGridLayout;
    auto* apptCaption = new QLabel(tr("Appointment Days"), this);
    days->addWidget(apptCaption, 0, 0);
    days->addWidget(m_delivCaption, 1, 0);
    AddControl(1187, QStringLiteral("LBL_DELIVERYDAYS"), m_delivCaption);
    for (int d = 0; d < 7; ++d) {
        const auto i = static_cast<std::size_t>(d);
        m_appt[i] = new QCheckBox(tr(kDays[d]), this);
        m_appt[i]->setAccessibleName(tr("Appointment on %1").arg(tr(kLongDays[d])));
        m_deliv[i] = new QCheckBox(tr(kDays[d]), this);
        m_deliv[i]->setAccessibleName(tr("Delivery on %1").arg(tr(kLongDays[d])));
        days->addWidget(m_appt[i], 0, d + 1);
        days->addWidget(m_deliv[i], 1, d + 1);
        AddControl(kApptIds[d], QStringLiteral("CHK_APPT%1").arg(d), m_appt[i]);
        AddControl(kDelivIds[d], QStringLiteral("CHK_DELIV%1").arg(d), m_deliv[i]);
    }
    auto* form = new QFormLayout;
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(days);
    layout->addLayout(form);
    layout->addStretch();
}

QLineEdit* CEditAccountDeliveryPage::Field(AccountEditor::Field field) const
{
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        if (kFields[i].field == field)
            return m_fields[i];
    return nullptr;
}

void CEditAccountDeliveryPage::Show(const zev::AccountEditData& d)
{
    const bool shown = m_editor.DelivDaysShown();
    m_delivCaption->setVisible(shown);
    for (int day = 0; day < 7; ++day) {
        const auto i = static_cast<std::size_t>(day);
        m_appt[i]->setChecked(d.apptDays[i]);
        m_deliv[i]->setChecked(d.delivDays[i]);
        m_deliv[i]->setVisible(shown);
        m_deliv[i]->setEnabled(m_editor.DelivDayEnabled(d, day));
    }
    const std::string* texts[] = {&d.city, &d.state, &d.zip, &d.email, &d.phone, &d.fax};
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        m_fields[i]->setText(QString::fromStdString(*texts[i]));
}

void CEditAccountDeliveryPage::Take(zev::AccountEditData& d) const
{
    for (std::size_t i = 0; i < 7; ++i) {
        d.apptDays[i] = m_appt[i]->isChecked();
        d.delivDays[i] = m_deliv[i]->isChecked();
    }
    std::string* texts[] = {&d.city, &d.state, &d.zip, &d.email, &d.phone, &d.fax};
    for (std::size_t i = 0; i < std::size(kFields); ++i)
        *texts[i] = m_fields[i]->text().toStdString();
}
