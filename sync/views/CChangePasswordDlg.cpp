#include "sync/views/CChangePasswordDlg.h"

#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/ui/BackgroundRun.h"
#include "sync/SyncEngine.h"
#include "sync/SyncText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <memory>

namespace {
constexpr int kOldIncorrect = 65066;
constexpr int kNoMatch = 65067;
constexpr int kChangeFailed = 65068;
using zev::ids::kCaptionError;
} // namespace

CChangePasswordDlg::CChangePasswordDlg(zev::SyncViewContext sync, zev::Profile& profile, zev::IMessageBox& messages,
                                       const std::string& settingsPath, QWidget* parent)
    : CZevDialog(parent), m_sync(sync), m_profile(profile), m_messages(messages), m_old(new QLineEdit(this)),
      m_new(new QLineEdit(this)), m_confirm(new QLineEdit(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Change Password"));
    for (QLineEdit* edit : {m_old, m_new, m_confirm})
        edit->setEchoMode(QLineEdit::Password);
    auto* oldLabel = new QLabel(tr("Old password:"), this);
    auto* newLabel = new QLabel(tr("New password:"), this);
    auto* confirmLabel = new QLabel(tr("Confirm new password:"), this);
    auto* form = new QFormLayout(this);
    form->addRow(oldLabel, m_old);
    form->addRow(newLabel, m_new);
    form->addRow(confirmLabel, m_confirm);
    form->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CChangePasswordDlg::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CChangePasswordDlg::reject);

    AddControl(1000, QStringLiteral("LBL_OLDPASS"), oldLabel);
    AddControl(1001, QStringLiteral("EDT_OLDPASS"), m_old);
    AddControl(1002, QStringLiteral("LBL_NEWPASS"), newLabel);
    AddControl(1003, QStringLiteral("EDT_NEWPASS"), m_new);
    AddControl(1004, QStringLiteral("LBL_CONFPASS"), confirmLabel);
    AddControl(1005, QStringLiteral("EDT_CONFPASS"), m_confirm);
    LayOut("ChangePassword", settingsPath);
}

void CChangePasswordDlg::accept()
{
    if (m_running)
        return;
    const std::string oldPassword = m_old->text().trimmed().toStdString();
    const std::string newPassword = m_new->text().trimmed().toStdString();
    const std::string confirmation = m_confirm->text().trimmed().toStdString();
    const auto& hash = m_sync.engine.Services().helpers.hash;
    if (!hash || !zev::sync::EqualsNoCase(hash(oldPassword), m_profile.Password())) {
        m_messages.Show(kOldIncorrect, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        m_old->setFocus();
        return;
    }
    if (newPassword != confirmation) {
        m_messages.Show(kNoMatch, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        m_confirm->setFocus();
        return;
    }
    const std::string digest = hash(newPassword);
    m_running = true;
    m_buttons->setEnabled(false);
    setCursor(Qt::WaitCursor);
    auto result = std::make_shared<int>(0);
    zev::sync::SyncEngine* engine = &m_sync.engine;
    zev::RunInBackground(
        this, [engine, digest, result] { *result = engine->ChangeServerPassword(digest); },
        [this, digest, result] {
            m_running = false;
            unsetCursor();
            m_buttons->setEnabled(true);
            if (*result != 1 || !m_profile.SetPassword(digest)) {
                m_messages.Show(kChangeFailed, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
                return;
            }
            QDialog::accept();
        });
}
