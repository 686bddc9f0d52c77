#include "sync/views/CLoginView.h"

#include "app/core/CZevSettings.h"
#include "app/core/DistributorInfo.h"
#include "app/core/IniReader.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "sync/SyncRunner.h"
#include "sync/SyncText.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kInvalidPassword = 65012;
using zev::ids::kCaptionError;
} // namespace

CLoginView::CLoginView(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent)
    : CZevBaseView(host, "LoginView", parent), m_sync(sync), m_userId(new QLineEdit(this)),
      m_password(new QLineEdit(this)), m_renew(new QLabel(this)), m_login(new QPushButton(tr("&Sign In"), this))
{
}

void CLoginView::OnInitialUpdate()
{
    Host().SetScreenTitleText(tr("Sign In").toStdString());

    auto* logo = new QLabel(this);
    logo->setPixmap(QIcon(QStringLiteral(":/icons/satchel.png")).pixmap(64, 64));
    logo->setAlignment(Qt::AlignCenter);
    auto* heading = new QLabel(tr("ZevSatchel"), this);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    auto* userLabel = new QLabel(tr("User ID:"), this);
    auto* passwordLabel = new QLabel(tr("Password:"), this);
    m_userId->setText(QString::fromStdString(Host().UserProfile().UserID()));
    m_userId->setReadOnly(true);
    m_password->setEchoMode(QLineEdit::Password);
    const std::string host = zev::ReadProfileString("GENERAL", "DEFAULTHOST", "", 253, Host().State().settingsFilePath);
    auto* url = new QLabel(QString::fromStdString(host), this);
    auto* version = new QLabel(tr("Version %1").arg(QApplication::applicationVersion()), this);
    auto* renewCaption = new QLabel(tr("Last complete update:"), this);
    m_renew->setText(QString::fromStdString(zev::sync::RenewLabel(Host().UserProfile().GetText("LastRenewUD"))));
    auto* reset = new QPushButton(tr("&Reset Settings"), this);
    auto* close = new QPushButton(tr("&Close"), this);
    m_login->setDefault(true);

    auto* box = new QGroupBox(tr("Sign in"), this);
    box->setMaximumWidth(420);
    auto* form = new QFormLayout;
    form->addRow(userLabel, m_userId);
    form->addRow(passwordLabel, m_password);
    form->addRow(renewCaption, m_renew);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(m_login);
    buttons->addWidget(close);
    auto* inner = new QVBoxLayout(box);
    inner->addLayout(form);
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->addStretch(2);
    outer->addWidget(logo);
    outer->addWidget(heading);
    outer->addSpacing(12);
    outer->addWidget(box, 0, Qt::AlignHCenter);
    outer->addStretch(3);
    outer->addWidget(url, 0, Qt::AlignHCenter);
    outer->addWidget(version, 0, Qt::AlignHCenter);

    AddControl(1000, QStringLiteral("EDT_USERID"), m_userId);
    AddControl(1001, QStringLiteral("EDT_PASSWORD"), m_password);
    AddControl(1002, QStringLiteral("LBL_USERID"), userLabel);
    AddControl(1003, QStringLiteral("LBL_PASSWORD"), passwordLabel);
    AddControl(1004, QStringLiteral("LBL_URL"), url);
    AddControl(1005, QStringLiteral("LBL_VERSION"), version);
    AddControl(1006, QStringLiteral("LBL_LBLRENEW"), renewCaption);
    AddControl(1007, QStringLiteral("LBL_RENEW"), m_renew);
    AddControl(1008, QStringLiteral("BMP_MARVANE"), logo);
    AddControl(1, QStringLiteral("BTN_LOGIN"), m_login);
    AddControl(1009, QStringLiteral("BTN_RESET"), reset);
    AddControl(2, QStringLiteral("BTN_CLOSE"), close);
    LayOut();

    connect(m_login, &QPushButton::clicked, this, &CLoginView::OnLogin);
    connect(m_password, &QLineEdit::returnPressed, this, &CLoginView::OnLogin);
    connect(reset, &QPushButton::clicked, this, &CLoginView::OnReset);
    connect(close, &QPushButton::clicked, this, &CLoginView::OnClose);
    m_password->setFocus();
}

// The screen the sign-in continues to, falling back to what this build has:
// recent orders, else the ready orders, else the account list, else
// maintenance.
zev::Screen CLoginView::TargetScreen(zev::Screen wanted) const
{
    if (wanted == zev::Screen::RecentOrders && !Host().HasScreen(zev::Screen::RecentOrders))
        wanted = Host().HasScreen(zev::Screen::ReadyOrders) ? zev::Screen::ReadyOrders : zev::Screen::Accounts;
    if (wanted == zev::Screen::Accounts && !Host().HasScreen(zev::Screen::Accounts))
        wanted = zev::Screen::Maintenance;
    return wanted;
}

void CLoginView::OnLogin()
{
    zev::WaitCursor wait;
    const std::string password = m_password->text().trimmed().toStdString();
    // Only real tries count: empty clicks must not reset the three-try limit.
    if (password.empty())
        return;
    ++m_attempts;
    if (!m_sync.runner.PasswordMatches(password)) {
        if (m_attempts >= kMaxAttempts) {
            m_login->setEnabled(false);
            Host().Quit(2);
            return;
        }
        Host().Messages().Show(kInvalidPassword, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        m_password->clear();
        m_password->setFocus();
        return;
    }

    zev::AppState& app = Host().State();
    app.signInText = Host().UserProfile().GetText("ConnectionName");
    const zev::sync::SignInScreen next = m_sync.runner.ContinueSignIn();
    app.signedIn = true;
    const zev::Screen screen = TargetScreen(static_cast<zev::Screen>(next));
    if (next != zev::sync::SignInScreen::Maintenance)
        zev::RefreshFromDistributorInfo(app.settings.config);
    Host().PostSwitchScreen(screen);
}

void CLoginView::OnReset()
{
    // The runner asks, empties the tables, forgets the profile and says the
    // program ends.
    if (m_sync.runner.ResetSettings())
        Host().Quit(1);
}

void CLoginView::OnClose()
{
    if (QWidget* frame = window(); frame && frame != this)
        frame->close();
}
