#pragma once

#include "app/ui/CZevDialog.h"
#include "sync/views/SyncViewContext.h"

class QDialogButtonBox;
class QLineEdit;
namespace zev {
class IMessageBox;
class Profile;
} // namespace zev

// Changes the password on the server and then here. The exchange runs in the
// background; the dialog stays drawn meanwhile.
class CChangePasswordDlg : public CZevDialog {
    Q_OBJECT
public:
    CChangePasswordDlg(zev::SyncViewContext sync, zev::Profile& profile, zev::IMessageBox& messages,
                       const std::string& settingsPath, QWidget* parent = nullptr);

    void accept() override;
    bool Running() const { return m_running; }

private:
    zev::SyncViewContext m_sync;
    zev::Profile& m_profile;
    zev::IMessageBox& m_messages;
    QLineEdit* m_old;
    QLineEdit* m_new;
    QLineEdit* m_confirm;
    QDialogButtonBox* m_buttons;
    bool m_running = false;
};
