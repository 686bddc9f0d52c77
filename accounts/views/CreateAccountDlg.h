#pragma once

#include "app/ui/CZevDialog.h"
#include "tables/Accounts.h"

#include <string>

class QLineEdit;

// "New Account": collects what an account created on the spot starts with.
// Lengths are held to the columns' sizes while typing.
class CreateAccountDlg : public CZevDialog {
    Q_OBJECT
public:
    // Lays itself out from section "CreateAccountDlg" of `settingsPath`.
    explicit CreateAccountDlg(const std::string& settingsPath, QWidget* parent = nullptr);

    // The fields as typed (raw; the table object trims and quotes them).
    zev::NewAccountRecord Record(int repId) const;

    QLineEdit* Field(const char* name) const;

private:
    QLineEdit* AddField(int id, const char* name, int labelId, const char* labelName, const QString& label,
                        int maxLength);
};
