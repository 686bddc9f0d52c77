#include "sync/views/CMaintAppSheet.h"

#include "app/core/CZevSettings.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/core/StringTable.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "sync/AccountRules.h"
#include "sync/Maintenance.h"
#include "sync/SyncEngine.h"
#include "sync/SyncRunner.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kUserIdRule = 65011;
constexpr int kDeleteQuestion = 65071;
constexpr int kWillExit = 65072;
constexpr int kRiskyChange = 65108;
constexpr int kSaved = 65110;
constexpr int kUnsavedLocal = 65111;
using zev::ids::kCaptionError;
using zev::ids::kCaptionInformation;
using zev::ids::kCaptionQuestion;
using zev::ids::kCaptionWarning;
constexpr int kSheetCaption = 65069;
} // namespace

CMaintAppDBPage::CMaintAppDBPage(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent)
    : CZevPropertyPage(tr("Database"), "MaintAppDBPage", parent), m_host(host), m_sync(sync)
{
    auto* text =
        new QLabel(tr("Delete the local database, restore it from the last backup, or leave the program."), this);
    text->setWordWrap(true);
    auto* remove = new QPushButton(tr("&Delete Database"), this);
    auto* restore = new QPushButton(tr("&Restore Database"), this);
    auto* exitButton = new QPushButton(tr("E&xit Application"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(remove);
    layout->addWidget(restore);
    layout->addWidget(exitButton);
    layout->addStretch();
    AddControl(1000, QStringLiteral("LBL_DBTEXT"), text);
    AddControl(1001, QStringLiteral("BTN_DELETEDB"), remove);
    AddControl(1002, QStringLiteral("BTN_RESTOREDB"), restore);
    AddControl(1003, QStringLiteral("BTN_EXIT"), exitButton);
    connect(remove, &QPushButton::clicked, this, &CMaintAppDBPage::OnDelete);
    connect(restore, &QPushButton::clicked, this, &CMaintAppDBPage::OnRestore);
    connect(exitButton, &QPushButton::clicked, this, &CMaintAppDBPage::OnExit);
}

void CMaintAppDBPage::OnDelete()
{
    zev::IMessageBox& box = m_host.Messages();
    if (box.Ask(kDeleteQuestion, kCaptionWarning, zev::MbButtons::YesNo, zev::MbIcon::Warning, zev::MbResult::No) !=
        zev::MbResult::Yes)
        return;
    {
        zev::WaitCursor wait;
        // The builder logs what failed; the program exits either way and the
        // next start checks the database.
        (void)m_sync.maintenance.DeleteDatabase();
    }
    box.Show(kWillExit, kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
    m_host.Quit(1);
    emit CloseSheet();
}

void CMaintAppDBPage::OnRestore()
{
    // Asks, restores and reports through the host's message box; every
    // failure (no backup, not a file, damaged) is a message.
    const auto outcome = m_sync.runner.RestoreDatabaseCommand(nullptr);
    if (outcome == zev::sync::SyncRunner::RestoreOutcome::Restored)
        emit CloseSheet();
}

void CMaintAppDBPage::OnExit()
{
    m_host.Messages().Show(kWillExit, kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
    m_host.Quit(1);
    emit CloseSheet();
}

CMaintAppLocalPage::CMaintAppLocalPage(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent)
    : CZevPropertyPage(tr("Local Info"), "MaintAppLocalPage", parent), m_host(host), m_sync(sync),
      m_userId(new QLineEdit(this)), m_password(new QLineEdit(this)), m_confirmation(new QLineEdit(this))
{
    m_storedUserId = QString::fromStdString(host.UserProfile().UserID());
    m_userId->setText(m_storedUserId);
    m_password->setEchoMode(QLineEdit::Password);
    m_confirmation->setEchoMode(QLineEdit::Password);
    auto* userLabel = new QLabel(tr("User ID:"), this);
    auto* passwordLabel = new QLabel(tr("New password:"), this);
    auto* confirmationLabel = new QLabel(tr("Confirm password:"), this);
    auto* save = new QPushButton(tr("&Save"), this);
    auto* form = new QFormLayout;
    form->addRow(userLabel, m_userId);
    form->addRow(passwordLabel, m_password);
    form->addRow(confirmationLabel, m_confirmation);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(save, 0, Qt::AlignRight);
    layout->addStretch();
    AddControl(1000, QStringLiteral("LBL_USERID"), userLabel);
    AddControl(1001, QStringLiteral("EDT_USERID"), m_userId);
    AddControl(1002, QStringLiteral("LBL_PASSWORD"), passwordLabel);
    AddControl(1003, QStringLiteral("EDT_PASSWORD"), m_password);
    AddControl(1004, QStringLiteral("LBL_PASSWORDCONF"), confirmationLabel);
    AddControl(1005, QStringLiteral("EDT_PASSWORDCONF"), m_confirmation);
    AddControl(1006, QStringLiteral("BTN_SAVE"), save);
    connect(save, &QPushButton::clicked, this, [this] { OnSave(); });
}

bool CMaintAppLocalPage::Modified() const
{
    return m_userId->text().trimmed() != m_storedUserId || !m_password->text().isEmpty() ||
           !m_confirmation->text().isEmpty();
}

bool CMaintAppLocalPage::OnSave()
{
    zev::IMessageBox& box = m_host.Messages();
    const std::string userId = m_userId->text().trimmed().toStdString();
    if (userId.empty()) {
        m_userId->setFocus();
        return false;
    }
    if (!zev::sync::IsValidUserId(userId)) {
        box.Show(kUserIdRule, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        m_userId->setFocus();
        return false;
    }
    const std::string password = m_password->text().trimmed().toStdString();
    const std::string confirmation = m_confirmation->text().trimmed().toStdString();
    if (const int message = zev::sync::CheckNewPassword(password, confirmation); message != 0) {
        box.Show(message, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        m_password->setFocus();
        return false;
    }
    if (!Modified())
        return true;
    if (box.Ask(kRiskyChange, kCaptionQuestion, zev::MbButtons::YesNo, zev::MbIcon::Question, zev::MbResult::No) !=
        zev::MbResult::Yes)
        return false;

    zev::Profile& profile = m_host.UserProfile();
    bool stored = true;
    if (QString::fromStdString(userId) != m_storedUserId) {
        stored = profile.SetUserID(userId);
        if (stored)
            m_storedUserId = QString::fromStdString(userId);
    }
    if (stored && !password.empty()) {
        const auto& hash = m_sync.engine.Services().helpers.hash;
        const std::string digest = hash ? hash(password) : std::string();
        stored = !digest.empty() && profile.SetPassword(digest);
        if (stored) {
            m_password->clear();
            m_confirmation->clear();
        }
    }
    if (!stored) {
        box.ShowText("Your settings could not be saved. Check that your configuration folder is writable.",
                     kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return false;
    }
    box.Show(kSaved, kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
    return true;
}

bool CMaintAppLocalPage::CanClose()
{
    if (!Modified())
        return true;
    if (m_host.Messages().Show(kUnsavedLocal, kCaptionQuestion, zev::MbButtons::YesNo, zev::MbIcon::Question) ==
        zev::MbResult::Yes) {
        emit ShowMe();
        return false;
    }
    return true;
}

CMaintAppSheet::CMaintAppSheet(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent)
    : CZevPropertySheet(QString::fromStdString(zev::LoadText(kSheetCaption)), parent),
      m_db(new CMaintAppDBPage(host, sync, this)), m_local(new CMaintAppLocalPage(host, sync, this))
{
    if (windowTitle().isEmpty())
        setWindowTitle(tr("Application Maintenance"));
    AddPage(m_db);
    AddPage(m_local);
    connect(m_db, &CMaintAppDBPage::CloseSheet, this, &QDialog::reject);
    connect(m_local, &CMaintAppLocalPage::ShowMe, this, [this] { SetActivePage(m_local); });
    resize(420, 300);
    LayOut(host.State().settingsFilePath);
}
