#include "accounts/views/CreateAccountDlg.h"

#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CreateAccountDlg::CreateAccountDlg(const std::string& settingsPath, zev::IMessageBox& messages, QWidget* parent)
    : CZevDialog(parent), m_messages(messages)
{
    setWindowTitle(tr("New Account"));
    auto* form = new QFormLayout;
    auto add = [&](int id, const char* name, int labelId, const char* labelName, const QString& label, int max) {
        QLineEdit* edit = AddField(id, name, labelId, labelName, label, max);
        QLabel* caption = labelId ? qobject_cast<QLabel*>(Control(QString::fromLatin1(labelName))) : nullptr;
        if (caption)
            form->addRow(caption, edit);
        else
            form->addRow(QString(), edit);
    };
    add(1004, "EDT_COMPANYNAME", 1601, "LBL_COMPANYNAME", tr("&Name:"), 50);
    add(1100, "EDT_EMAIL", 1602, "LBL_EMAIL", tr("&Email:"), 64);
    add(1005, "EDT_ADDRESS1", 1603, "LBL_ADDRESS1", tr("&Address:"), 50);
    add(1137, "EDT_ADDRESS2", 0, "", QString(), 50);
    add(1073, "EDT_CITY", 1604, "LBL_CITY", tr("&City:"), 30);
    add(1078, "EDT_STATE", 1605, "LBL_STATE", tr("&State:"), 2);
    add(1085, "EDT_ZIP", 1606, "LBL_ZIP", tr("&Zip:"), 12);
    add(1010, "EDT_PHONE", 1607, "LBL_PHONE", tr("&Phone:"), 18);
    add(1095, "EDT_FAX", 1608, "LBL_FAX", tr("Fa&x:"), 18);
    Field("EDT_ADDRESS2")->setAccessibleName(tr("Address, second line"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AddControl(1, QStringLiteral("BTN_OK"), buttons->button(QDialogButtonBox::Ok));
    AddControl(2, QStringLiteral("BTN_CANCEL"), buttons->button(QDialogButtonBox::Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(380, 330);
    LayOut("CreateAccountDlg", settingsPath);
    Field("EDT_COMPANYNAME")->setFocus();
}

void CreateAccountDlg::accept()
{
    QLineEdit* name = Field("EDT_COMPANYNAME");
    if (name->text().trimmed().isEmpty()) {
        m_messages.ShowText("Please enter the account's name: an account cannot be created without one.",
                            zev::ids::kCaptionWarning, zev::MbButtons::Ok, zev::MbIcon::Warning);
        name->clear();
        name->setFocus();
        return;
    }
    CZevDialog::accept();
}

QLineEdit* CreateAccountDlg::AddField(int id, const char* name, int labelId, const char* labelName,
                                      const QString& label, int maxLength)
{
    auto* edit = new QLineEdit(this);
    edit->setMaxLength(maxLength);
    AddControl(id, QString::fromLatin1(name), edit);
    if (labelId) {
        auto* caption = new QLabel(label, this);
        caption->setBuddy(edit);
        AddControl(labelId, QString::fromLatin1(labelName), caption);
    }
    return edit;
}

QLineEdit* CreateAccountDlg::Field(const char* name) const
{
    return qobject_cast<QLineEdit*>(Control(QString::fromLatin1(name)));
}

zev::NewAccountRecord CreateAccountDlg::Record(int repId) const
{
    auto text = [this](const char* name) { return Field(name)->text().toStdString(); };
    zev::NewAccountRecord record;
    record.repId = repId;
    record.companyName = text("EDT_COMPANYNAME");
    record.email = text("EDT_EMAIL");
    record.address1 = text("EDT_ADDRESS1");
    record.address2 = text("EDT_ADDRESS2");
    record.city = text("EDT_CITY");
    record.state = text("EDT_STATE");
    record.zip = text("EDT_ZIP");
    record.phone = text("EDT_PHONE");
    record.fax = text("EDT_FAX");
    return record;
}
