#include "sync/views/CMaintenanceView.h"

#include "app/core/CZevSettings.h"
#include "app/core/DistributorInfo.h"
#include "app/core/MessageBox.h"
#include "app/core/Profile.h"
#include "app/core/StringIds.h"
#include "app/ui/BackgroundRun.h"
#include "app/ui/DocumentState.h"
#include "app/ui/QtProgressSink.h"
#include "app/ui/ScreenHost.h"
#include "app/ui/WaitCursor.h"
#include "sync/DatabaseBuilder.h"
#include "sync/Maintenance.h"
#include "sync/OrderSender.h"
#include "sync/SyncEngine.h"
#include "sync/SyncRunner.h"
#include "sync/views/CChangePasswordDlg.h"
#include "sync/views/CMaintAppSheet.h"
#include "sync/views/CReportIssueDlg.h"
#include "sync/views/CSwitchRepDlg.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <memory>

namespace {
constexpr std::size_t kManagerModeByte = 200;
constexpr std::size_t kExportItemsByte = 201;

constexpr int kConnected = 65023;
constexpr int kNotConnected = 65024;
constexpr int kDisconnected = 65025;
constexpr int kNotDisconnected = 65026;
constexpr int kSendFailed = 65062;
constexpr int kCommsError = 65063;
constexpr int kUnsentOrders = 65100;
using zev::ids::kCaptionError;
using zev::ids::kCaptionInformation;
using zev::ids::kCaptionWarning;

} // namespace

CMaintenanceView::CMaintenanceView(zev::IScreenHost& host, zev::SyncViewContext sync, QWidget* parent)
    : CZevBaseView(host, "MaintView", parent), m_sync(sync)
{
}

CMaintenanceView::~CMaintenanceView() = default;

bool CMaintenanceView::ManagerMode() const { return Host().State().settings.config.IsOn(kManagerModeByte); }

bool CMaintenanceView::Busy() const { return m_running || Host().State().busy; }

bool CMaintenanceView::CanLeave(zev::Screen) { return !Busy(); }

QPushButton* CMaintenanceView::Button(const char* name) const
{
    return qobject_cast<QPushButton*>(Control(QString::fromLatin1(name)));
}

void CMaintenanceView::OnInitialUpdate()
{
    struct ButtonDef {
        int id;
        const char* name;
        QString text;
        void (CMaintenanceView::*handler)();
    };
    const ButtonDef frequent[] = {
        {1011, "BTN_SENDORDERS", tr("Send &Orders"), &CMaintenanceView::OnSendOrders},
        {1013, "BTN_UPDATEINVEN", tr("&Inventory Update"), &CMaintenanceView::OnUpdateInventory},
        {1014, "BTN_SYNC", tr("S&ynchronize"), &CMaintenanceView::OnSync},
    };
    const ButtonDef other[] = {
        {1015, "BTN_RENEW", tr("&Complete Update"), &CMaintenanceView::OnRenew},
        {1017, "BTN_CHGPASS", tr("Change &Password"), &CMaintenanceView::OnChangePassword},
        {1016, "BTN_APPMAINT", tr("&Application Maintenance"), &CMaintenanceView::OnAppMaintenance},
        {1018, "BTN_REPORTISS", tr("&Report Issue"), &CMaintenanceView::OnReportIssue},
        {1584, "BTN_DEFCOLUMN", tr("Default Co&lumns"), &CMaintenanceView::OnDefaultColumns},
        {1618, "BTN_EXPORTITEMS", tr("&Export Items"), &CMaintenanceView::OnExportItems},
    };
    const ButtonDef connection[] = {
        {1019, "BTN_CONNECT", tr("Co&nnect"), &CMaintenanceView::OnConnect},
        {1020, "BTN_DISCONN", tr("&Disconnect"), &CMaintenanceView::OnDisconnect},
        {1589, "BTN_SWREPS", tr("S&witch Representative"), &CMaintenanceView::OnSwitchReps},
    };

    auto makeGroup = [this](int id, const char* name, const QString& title, const auto& defs) {
        auto* group = new QGroupBox(title, this);
        auto* layout = new QVBoxLayout(group);
        AddControl(id, QString::fromLatin1(name), group);
        for (const ButtonDef& def : defs) {
            auto* button = new QPushButton(def.text, group);
            button->setMinimumHeight(32);
            layout->addWidget(button);
            AddControl(def.id, QString::fromLatin1(def.name), button);
            connect(button, &QPushButton::clicked, this, def.handler);
        }
        layout->addStretch();
        return group;
    };
    QGroupBox* frequentGroup = makeGroup(1023, "LBL_FREQGROUP", tr("Frequent"), frequent);
    QGroupBox* otherGroup = makeGroup(1024, "LBL_OTHERGROUP", tr("Other"), other);
    m_connGroup = makeGroup(1025, "LBL_CONNGROUP", tr("Connection"), connection);

    auto* progressGroup = new QGroupBox(tr("Progress"), this);
    m_status = new QLabel(tr("Ready."), progressGroup);
    m_progress = new QProgressBar(progressGroup);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    auto* progressLayout = new QVBoxLayout(progressGroup);
    progressLayout->addWidget(m_status);
    progressLayout->addWidget(m_progress);
    AddControl(1026, QStringLiteral("LBL_PROGGROUP"), progressGroup);
    AddControl(1021, QStringLiteral("LBL_STATUS"), m_status);
    AddControl(1022, QStringLiteral("LBL_PROGRESS"), m_progress);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(16);
    grid->addWidget(frequentGroup, 0, 0);
    grid->addWidget(otherGroup, 0, 1);
    grid->addWidget(m_connGroup, 0, 2);
    grid->addWidget(progressGroup, 1, 0, 1, 3);
    grid->setRowStretch(2, 1);
    for (int c = 0; c < 3; ++c)
        grid->setColumnStretch(c, 1);

    // Visibility by the distributor's switches first; a layout record then
    // has the last word.
    const bool manager = ManagerMode();
    if (manager) {
        m_connGroup->setTitle(tr("Options"));
        Button("BTN_CONNECT")->hide();
        Button("BTN_DISCONN")->hide();
    } else {
        Button("BTN_SWREPS")->hide();
    }
    Button("BTN_EXPORTITEMS")->setVisible(Host().State().settings.config.IsOn(kExportItemsByte));
    LayOut();
    if (manager) {
        // The record may place the group; its caption stays "Options".
        m_connGroup->setTitle(tr("Options"));
        Button("BTN_CONNECT")->hide();
        Button("BTN_DISCONN")->hide();
    }

    m_sink = std::make_unique<QtProgressSink>(m_status, m_progress);
    m_status->setText(tr("Ready."));
    UpdateConnectButtons();

    if (Host().Document().updateRequested) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setInterval(500);
        connect(timer, &QTimer::timeout, this, [this, timer] {
            timer->deleteLater();
            if (QPushButton* renew = Button("BTN_RENEW"))
                QMetaObject::invokeMethod(renew, &QPushButton::click, Qt::QueuedConnection);
        });
        timer->start();
    }
}

void CMaintenanceView::UpdateConnectButtons()
{
    const auto& isConnected = m_sync.engine.Services().helpers.isConnected;
    const bool connected = isConnected && isConnected() != 0;
    if (QPushButton* b = Button("BTN_CONNECT"))
        b->setEnabled(!connected && !Busy());
    if (QPushButton* b = Button("BTN_DISCONN"))
        b->setEnabled(connected && !Busy());
}

void CMaintenanceView::Run(std::function<bool()> work, std::function<void(bool)> after)
{
    m_running = true;
    Host().SetBusy(true);
    for (const QString& name :
         {QStringLiteral("LBL_FREQGROUP"), QStringLiteral("LBL_OTHERGROUP"), QStringLiteral("LBL_CONNGROUP")})
        if (QWidget* group = Control(name))
            group->setEnabled(false);
    auto result = std::make_shared<bool>(false);
    zev::RunInBackground(
        this, [work = std::move(work), result] { *result = work(); },
        [this, result, after = std::move(after)] {
            m_running = false;
            Host().SetBusy(false);
            for (const QString& name :
                 {QStringLiteral("LBL_FREQGROUP"), QStringLiteral("LBL_OTHERGROUP"), QStringLiteral("LBL_CONNGROUP")})
                if (QWidget* group = Control(name))
                    group->setEnabled(true);
            UpdateConnectButtons();
            if (after)
                after(*result);
            emit RunFinished(*result);
        });
}

// Runs on the worker after an exchange.
void CMaintenanceView::CheckNewMessages() { (void)m_sync.maintenance.NoticeNewMessages(); }

void CMaintenanceView::OnSendOrders()
{
    if (Busy())
        return;
    zev::IProgressSink* sink = m_sink.get();
    Run(
        [this, sink] {
            const bool ok = m_sync.orders.SendOrders(0, sink);
            if (!ok)
                m_sync.engine.Box().Show(kSendFailed, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
            CheckNewMessages();
            return ok;
        },
        {});
}

namespace {

// Passes reports on and counts them, so a run that ended before its first
// step (the question cancelled, no connection) can put the status back.
class CountingSink final : public zev::IProgressSink {
public:
    explicit CountingSink(zev::IProgressSink* inner) : m_inner(inner) {}
    void Report(int percent, const std::string& text) override
    {
        ++m_count;
        if (m_inner)
            m_inner->Report(percent, text);
    }
    int Count() const { return m_count.load(); }

private:
    zev::IProgressSink* m_inner;
    std::atomic<int> m_count{0};
};

} // namespace

void CMaintenanceView::RunKind(int kind)
{
    auto counting = std::make_shared<CountingSink>(m_sink.get());
    zev::IProgressSink* sink = counting.get();
    Run(
        [this, sink, kind, counting] {
            if (kind == zev::sync::kCompleteUpdate)
                sink->Report(1, "Checking Connection");
            m_sync.engine.SetProgressWindow(sink);
            const int connection = m_sync.engine.EnsureConnected();
            if (connection <= 0)
                return false;
            if (kind == zev::sync::kCompleteUpdate)
                m_sync.engine.Profile().SetString("LastRenewTable", "");
            const bool ok = m_sync.runner.SyncRun(kind, sink);
            // The run has already said what went wrong when that is known,
            // refused records included.
            if (!ok && m_sync.engine.FailureText().empty() && m_sync.runner.Notice().empty())
                m_sync.engine.Box().Show(kCommsError, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
            if (connection == 2)
                m_sync.engine.Disconnect();
            CheckNewMessages();
            return ok;
        },
        [this, kind, counting](bool) {
            if (counting->Count() <= 1) {
                m_status->setText(tr("Ready."));
                m_progress->setValue(0);
            }
            if (kind == zev::sync::kCompleteUpdate) {
                zev::RefreshFromDistributorInfo(Host().State().settings.config);
            }
        });
}

void CMaintenanceView::OnUpdateInventory()
{
    if (!Busy())
        RunKind(zev::sync::kInventoryUpdate);
}

void CMaintenanceView::OnSync()
{
    if (!Busy())
        RunKind(zev::sync::kSynchronise);
}

void CMaintenanceView::OnRenew()
{
    if (Busy())
        return;
    Host().Document().updateRequested = false;
    RunKind(zev::sync::kCompleteUpdate);
}

void CMaintenanceView::OnConnect()
{
    if (Busy())
        return;
    const std::string name = Host().State().signInText;
    auto helpers = m_sync.engine.Services().helpers;
    Run(
        [helpers, name] {
            if (helpers.connect)
                helpers.connect(name.c_str(), nullptr);
            return helpers.isConnected && helpers.isConnected() != 0;
        },
        [this](bool connected) {
            if (connected)
                Host().Messages().Show(kConnected, kCaptionInformation, zev::MbButtons::Ok, zev::MbIcon::Information);
            else
                Host().Messages().Show(kNotConnected, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        });
}

void CMaintenanceView::OnDisconnect()
{
    if (Busy())
        return;
    auto helpers = m_sync.engine.Services().helpers;
    Run(
        [helpers] {
            if (helpers.disconnect)
                helpers.disconnect();
            return !(helpers.isConnected && helpers.isConnected() != 0);
        },
        [this](bool disconnected) {
            if (disconnected)
                Host().Messages().Show(kDisconnected, kCaptionInformation, zev::MbButtons::Ok,
                                       zev::MbIcon::Information);
            else
                Host().Messages().Show(kNotDisconnected, kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        });
}

void CMaintenanceView::OnChangePassword()
{
    if (Busy())
        return;
    CChangePasswordDlg dlg(m_sync, Host().UserProfile(), Host().Messages(), Host().State().settingsFilePath, this);
    Host().SetBusy(true);
    dlg.exec();
    Host().SetBusy(false);
}

void CMaintenanceView::OnAppMaintenance()
{
    if (Busy())
        return;
    CMaintAppSheet sheet(Host(), m_sync, this);
    sheet.exec();
}

void CMaintenanceView::OnReportIssue()
{
    if (Busy())
        return;
    CReportIssueDlg dlg(m_sync.engine.Db(), Host().UserProfile().UserID(), Host().Messages(),
                        Host().State().settingsFilePath, this);
    dlg.exec();
}

void CMaintenanceView::OnDefaultColumns()
{
    if (Busy())
        return;
    if (Host().UserProfile().DeleteSection("ListData")) {
        m_status->setText(tr("Default columns restored: each list shows the distributor's columns when it "
                             "next opens."));
    } else {
        m_status->setText(tr("The default columns could not be restored."));
        Host().Messages().ShowText("The column settings could not be reset. Check that your configuration folder "
                                   "is writable.",
                                   kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
    }
}

void CMaintenanceView::OnSwitchReps()
{
    if (Busy())
        return;
    zev::IMessageBox& box = Host().Messages();
    if (m_sync.runner.CountReadyOrders() > 0 && box.Ask(kUnsentOrders, kCaptionWarning, zev::MbButtons::YesNo,
                                                        zev::MbIcon::Warning, zev::MbResult::No) != zev::MbResult::Yes)
        return;

    CSwitchRepDlg dlg(m_sync.maintenance.ManagerReps(), Host().State().settingsFilePath, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const CSwitchRepDlg::Rep* rep = dlg.Chosen();
    zev::Profile& profile = Host().UserProfile();
    if (!rep || rep->id == profile.UserID())
        return;
    const CSwitchRepDlg::Rep chosen = *rep;
    const std::string managerId = profile.ManagerID();
    {
        zev::WaitCursor wait;
        profile.ResetSettings();
        m_sync.builder.CreateDatabase(m_sink.get());
    }
    bool stored = profile.SetUserID(chosen.id);
    stored = profile.SetPassword(chosen.digest) && stored;
    stored = profile.SetManagerID(managerId) && stored;
    if (!stored) {
        box.ShowText("The representative could not be stored. Check that your configuration folder is writable.",
                     kCaptionError, zev::MbButtons::Ok, zev::MbIcon::Stop);
        return;
    }
    if (QPushButton* renew = Button("BTN_RENEW"))
        QMetaObject::invokeMethod(renew, &QPushButton::click, Qt::QueuedConnection);
}

void CMaintenanceView::OnExportItems()
{
    if (Busy())
        return;
    zev::Profile& profile = Host().UserProfile();
    QString preset = QString::fromStdString(profile.GetText("ItemExportFile"));
    if (preset.isEmpty())
        preset = QStringLiteral("Items.txt");
    const QString file =
        QFileDialog::getSaveFileName(this, tr("Export Items"), preset, tr("Export Items (*.txt);;All Files (*)"));
    if (file.isEmpty())
        return;
    QString path = file;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    (void)profile.SetText("ItemExportFile", path.toStdString());
    const std::string target = path.toStdString();
    zev::IProgressSink* sink = m_sink.get();
    Run(
        [this, target, sink] {
            const int written = m_sync.maintenance.ExportItems(target, sink);
            return written >= 0;
        },
        [this](bool ok) {
            m_status->setText(ok ? tr("Items exported.") : tr("The items could not be exported."));
            if (!ok)
                Host().Messages().ShowText("The items could not be exported to the chosen file.", kCaptionError,
                                           zev::MbButtons::Ok, zev::MbIcon::Stop);
        });
}
