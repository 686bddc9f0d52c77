#include "sync/views/CInitialSetupView.h"

#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/ui/ScreenHost.h"
#include "sync/AccountRules.h"
#include "sync/SyncEngine.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr std::size_t kManagerModeByte = 200;
}

CInitialSetupView::CInitialSetupView(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent)
    : CZevBaseView(host, "InitialSetup", parent), m_sync(sync), m_userId(new QLineEdit(this)),
      m_password(new QLineEdit(this)), m_confirmation(new QLineEdit(this)), m_managerId(new QLineEdit(this))
{
}

bool CInitialSetupView::ManagerMode() const { return Host().State().settings.config.IsOn(kManagerModeByte); }

void CInitialSetupView::OnInitialUpdate()
{
    auto* intro = new QLabel(tr("Welcome. Enter the user ID and password your distributor gave you."), this);
    intro->setWordWrap(true);
    auto* userLabel = new QLabel(tr("User ID:"), this);
    auto* passwordLabel = new QLabel(tr("Password:"), this);
    auto* confirmationLabel = new QLabel(tr("Confirm password:"), this);
    auto* managerLabel = new QLabel(tr("Manager ID:"), this);
    m_password->setEchoMode(QLineEdit::Password);
    m_confirmation->setEchoMode(QLineEdit::Password);
    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);

    auto* box = new QGroupBox(tr("First-time setup"), this);
    box->setMaximumWidth(460);
    auto* form = new QFormLayout;
    form->addRow(userLabel, m_userId);
    form->addRow(passwordLabel, m_password);
    form->addRow(confirmationLabel, m_confirmation);
    form->addRow(managerLabel, m_managerId);
    const bool manager = ManagerMode();
    managerLabel->setVisible(manager);
    m_managerId->setVisible(manager);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* inner = new QVBoxLayout(box);
    inner->addWidget(intro);
    inner->addLayout(form);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->addStretch(1);
    outer->addWidget(box, 0, Qt::AlignHCenter);
    outer->addStretch(2);

    AddControl(1000, QStringLiteral("LBL_USERID"), userLabel);
    AddControl(1001, QStringLiteral("EDT_USERID"), m_userId);
    AddControl(1002, QStringLiteral("LBL_PASSWORD"), passwordLabel);
    AddControl(1003, QStringLiteral("EDT_PASSWORD"), m_password);
    AddControl(1004, QStringLiteral("LBL_PASSWORDCONF"), confirmationLabel);
    AddControl(1005, QStringLiteral("EDT_PASSWORDCONF"), m_confirmation);
    AddControl(1006, QStringLiteral("LBL_MANAGERID"), managerLabel);
    AddControl(1007, QStringLiteral("EDT_MANAGERID"), m_managerId);
    AddControl(1, QStringLiteral("BTN_OK"), ok);
    AddControl(2, QStringLiteral("BTN_CANCEL"), cancel);
    LayOut();

    connect(ok, &QPushButton::clicked, this, &CInitialSetupView::OnOk);
    connect(cancel, &QPushButton::clicked, this, &CInitialSetupView::OnCancel);
    for (QLineEdit* edit : {m_userId, m_password, m_confirmation, m_managerId})
        connect(edit, &QLineEdit::returnPressed, this, &CInitialSetupView::OnOk);
    m_userId->setFocus();
}

void CInitialSetupView::OnOk()
{
    const std::string userId = m_userId->text().trimmed().toStdString();
    const std::string password = m_password->text().toStdString();
    const std::string confirmation = m_confirmation->text().toStdString();
    const std::string managerId = m_managerId->text().trimmed().toStdString();
    const bool manager = ManagerMode();

    const zev::sync::SetupCheck check =
        zev::sync::CheckSetupEntries(userId, password, confirmation, managerId, manager);
    if (check.messageId != 0) {
        Host().Messages().Show(check.messageId, check.caption, zev::MbButtons::Ok, zev::MbIcon::Stop);
        if (check.clearUserFields) {
            for (QLineEdit* edit : {m_userId, m_password, m_confirmation, m_managerId})
                edit->clear();
        }
        if (check.clearPasswordFields) {
            m_password->clear();
            m_confirmation->clear();
        }
        QLineEdit* focus[] = {nullptr, m_userId, m_password, m_confirmation, m_managerId};
        if (QLineEdit* target = focus[check.focus])
            target->setFocus();
        return;
    }

    const auto& hash = m_sync.engine.Services().helpers.hash;
    const std::string digest = hash ? hash(password) : std::string();
    if (digest.empty()) {
        Host().Messages().ShowText("The password could not be stored: the digest library is not available.",
                                   zev::Caption::Error, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    zev::Profile& profile = Host().UserProfile();
    bool stored = profile.SetUserID(userId);
    stored = profile.SetPassword(digest) && stored;
    stored = profile.SetManagerID(managerId) && stored;
    stored = profile.SetText("ConnectionName", "Standard Internet") && stored;
    if (!stored) {
        Host().Messages().ShowText(
            "Your settings could not be saved. Check that your configuration folder is writable.", zev::Caption::Error,
            zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    Host().State().signInText = "Standard Internet";
    Host().PostSwitchScreen(zev::Screen::Login);
}

void CInitialSetupView::OnCancel()
{
    if (QWidget* frame = window(); frame && frame != this)
        frame->close();
}
