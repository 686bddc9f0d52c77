#pragma once

#include "app/ui/CZevDialog.h"
#include "tables/Accounts.h"

#include <string>

class QLineEdit;

namespace zev {
class IMessageBox;
}

// "New Account": collects what an account created on the spot starts with.
// Lengths are held to the columns' sizes while typing.
class CreateAccountDlg : public CZevDialog {
    Q_OBJECT
public:
    // Lays itself out from section "CreateAccountDlg" of `settingsPath`;
    // `messages` tells why OK is refused.
    CreateAccountDlg(const std::string& settingsPath, zev::IMessageBox& messages, QWidget* parent = nullptr);

    // Refuses a blank name, saying why, and keeps the dialog open.
    void accept() override;

    // The fields as typed (raw; the table object trims and quotes them).
    zev::NewAccountRecord Record(int repId) const;

    QLineEdit* Field(const char* name) const;

private:
    zev::IMessageBox& m_messages;

    QLineEdit* AddField(int id, const char* name, int labelId, const char* labelName, const QString& label,
                        int maxLength);
};
