#include "app/CZevSatchelApp.h"

#include "app/CMainFrame.h"
#include "app/CZevSatchelDoc.h"
#include "app/CZevSatchelView.h"
#include "app/CommandTable.h"
#include "app/core/IniReader.h"
#include "app/core/Profile.h"
#include "app/core/SingleInstance.h"
#include "app/core/StartupSequence.h"
#include "app/core/ZevConfigLayout.h"
#include "app/core/ZevFolders.h"
#include "accounts/views/CAccountsView.h"
#include "accounts/views/StarterPricing.h"
#include "accounts/CallPlanner.h"
#include "orders/views/CDeliveryOptionsView.h"
#include "orders/views/COrderGuideView.h"
#include "orders/views/COrderSummaryView.h"
#include "orders/views/CReadyOrdersView.h"
#include "app/ui/WaitCursor.h"
#include "products/views/CProductBrowseSheet.h"
#include "reports/views/CReportView.h"
#include "reports/views/CSalesDataView.h"
#include "sync/CoreAdapters.h"
#include "sync/DatabaseBuilder.h"
#include "sync/OrderSender.h"
#include "sync/SyncEngine.h"
#include "sync/SyncRunner.h"
#include "sync/TabulaSyncDb.h"
#include "sync/Uploads.h"
#include "sync/views/CInitialSetupView.h"
#include "sync/views/CLoginView.h"
#include "sync/views/CMaintenanceView.h"
#include "tabula/DBLib.h"

#include <QApplication>
#include <QSocketNotifier>

namespace {

// The loader reports its failure itself; the start-up sequence shows the one
// message, so the loader's own box stays silent.
class SilentMessageBox final : public zev::IMessageBox {
public:
    zev::MbResult Show(int, int, zev::MbButtons, zev::MbIcon) override { return zev::MbResult::Ok; }
    zev::MbResult ShowText(const std::string&, int, zev::MbButtons, zev::MbIcon) override { return zev::MbResult::Ok; }
};

} // namespace

CZevSatchelApp::CZevSatchelApp(int argc, char** argv)
    : m_programDir(zev::ZevFolders::ProgramDirFromArgs(argc, argv))
{
}

CZevSatchelApp::~CZevSatchelApp()
{
    // Screens go before the engine they borrow; the document closes the
    // shared connection; the libraries go last.
    m_frame.reset();
    m_doc.reset();
    m_orders.reset();
    m_runner.reset();
    m_uploads.reset();
    m_builder.reset();
    m_engine.reset();
    m_syncDb.reset();
    m_libraries.Unload();
}

bool CZevSatchelApp::InitInstance()
{
    zev::WaitCursor wait;
    zev::StartupSequence::Options options;
    options.programDir = m_programDir;
    m_startup = std::make_unique<zev::StartupSequence>(m_messages, options);
    zev::StartupSequence::Hooks hooks;
    hooks.createMainWindow = [this] { return CreateMainWindow(); };
    hooks.loadLibraries = [this] { return LoadLibraries(); };
    if (m_startup->Run(m_app, hooks) != zev::StartupSequence::Result::Started)
        return false;

    m_instance = m_startup->TakeInstance();
    if (m_instance && m_instance->ListenFd() >= 0) {
        m_instanceNotifier = new QSocketNotifier(m_instance->ListenFd(), QSocketNotifier::Read, m_frame.get());
        QObject::connect(m_instanceNotifier, &QSocketNotifier::activated, m_frame.get(), [this] {
            if (m_instance->HandleRequest()) {
                m_frame->showNormal();
                m_frame->raise();
                m_frame->activateWindow();
            }
        });
    }

    WireSync();
    RegisterScreens();
    m_frame->BuildCommands();
    return true;
}

bool CZevSatchelApp::CreateMainWindow()
{
    m_doc = std::make_unique<CZevSatchelDoc>();
    CMainFrame::Context context{m_app, m_doc->State(), m_startup->UserProfile(), m_startup->Folders(), m_messages};
    m_frame = std::make_unique<CMainFrame>(context);
    m_messages.SetOwner(m_frame.get());
    m_frame->RestorePlacement();
    m_frame->SetStartView(new CZevSatchelView(*m_frame));
    m_frame->ShowFirstTime();
    return true;
}

std::string CZevSatchelApp::LoadLibraries()
{
    const zev::ZevFolders& folders = m_startup->Folders();
    zev::LibraryLoadOptions options;
    options.programDir = folders.ProgramDir();
    options.debugFile = folders.DebugLogPath();
    options.dataDir = folders.DataDir();
    const std::string database =
        zev::Trim(zev::ReadIniValue("GENERAL", "DATABASE", "", 255, m_app.settingsFilePath));
    options.pricingDatabase = folders.DatabasePath(database);
    options.pricePercentage = m_app.settings.config.Byte(17709);
    SilentMessageBox silent;
    if (m_libraries.Load(options, silent))
        return {};
    return m_libraries.MissingLibrary() + " Failed to load";
}

void CZevSatchelApp::WireSync()
{
    const zev::ZevFolders& folders = m_startup->Folders();
    DBLib::SetDatabaseFolder(folders.DataDir());

    m_syncSettings = std::make_unique<zev::sync::IniFileSettings>(m_app.settingsFilePath);
    m_syncProfile = std::make_unique<zev::sync::ProfileAdapter>(m_startup->UserProfile());
    m_syncDb = std::make_unique<zev::sync::TabulaSyncDb>();

    zev::sync::SyncServices services;
    const zev::InetLibrary& inet = m_libraries.inet;
    const zev::UtilLibrary& util = m_libraries.util;
    const zev::CprsLibrary& cprs = m_libraries.cprs;
    services.postData = [post = inet.PostData](const char* host, const char* backup, const char* path,
                                               const char* body, int timeout, void* sink, int port) {
        return post(host, backup, path, body, timeout, static_cast<Q9ProgressSink*>(sink), port);
    };
    services.helpers.isConnected = util.IsConnected;
    services.helpers.testConnection = inet.TestConnection;
    services.helpers.connect = util.Connect;
    services.helpers.disconnect = util.Disconnect;
    services.helpers.compress = cprs.Compress;
    services.helpers.uncompress = cprs.Uncompress;
    services.helpers.setTime = util.SetTime;
    services.helpers.hash = [hash = util.Hash](const std::string& text) {
        char digest[Q9_DIGEST_LENGTH + 1] = {};
        return hash(text.c_str(), digest, sizeof digest) ? std::string(digest) : std::string();
    };
    services.messageBox = &m_messages;
    services.clock = &m_clock;
    services.settings = m_syncSettings.get();
    services.profile = m_syncProfile.get();
    services.db = m_syncDb.get();
    services.paths.replyFile = folders.Map("\\Temp\\$dltemp.txt");
    services.paths.errorLog = folders.SyncErrorLogPath();
    services.paths.tempDir = folders.TempDir();
    services.paths.programDir = folders.ProgramDir();
    services.paths.databaseFile = m_app.databaseName;
    services.configByte = [this](int offset) {
        return offset >= 0 ? static_cast<int>(m_app.settings.config.Byte(static_cast<std::size_t>(offset))) : 0;
    };
    services.mapPath = [&folders](const std::string& path) { return folders.Map(path); };
    services.mobileVersion = m_app.mobileVersion;

    m_engine = std::make_unique<zev::sync::SyncEngine>(std::move(services));
    m_builder = std::make_unique<zev::sync::DatabaseBuilder>(*m_engine);
    m_uploads = std::make_unique<zev::sync::Uploads>(*m_engine);
    m_runner = std::make_unique<zev::sync::SyncRunner>(*m_engine, *m_builder, *m_uploads);
    m_orders = std::make_unique<zev::sync::OrderSender>(*m_engine, *m_builder, *m_uploads);
}

void CZevSatchelApp::RegisterScreens()
{
    zev::SyncViewContext sync{*m_engine, *m_builder, *m_runner, *m_orders};
    m_frame->RegisterScreen(1, [sync](zev::IScreenHost& host) { return new CLoginView(host, sync); });
    m_frame->RegisterScreen(2, [sync](zev::IScreenHost& host) { return new CMaintenanceView(host, sync); });
    m_frame->RegisterScreen(3, [sync](zev::IScreenHost& host) { return new CInitialSetupView(host, sync); });

    zev::AccountsViewContext accounts{m_doc->Current(),
                                      zev::StarterPricing::FromLibrary(m_libraries.pricing.CalculatePrice),
                                      {}, {}, &m_clock};
    m_frame->RegisterScreen(4, [accounts](zev::IScreenHost& host) { return CreateAccountsView(host, accounts); });

    zev::ReportsViewContext reports{&m_doc->Current(), {}};
    m_frame->RegisterScreen(10, [reports](zev::IScreenHost& host) { return CreateSalesDataView(host, reports); });
    m_frame->RegisterScreen(22, [reports](zev::IScreenHost& host) { return CreateReportView(host, reports); });

    // The product window: Search starts on the search page, Browse after it.
    auto openProducts = [this](bool browse) {
        const zev::ZevConfig& config = m_app.settings.config;
        zev::CurrentAccount& current = m_doc->Current();
        auto catalog = [&current]() -> std::optional<int> {
            return current.accountId >= 0 ? std::optional<int>(current.orderCatalog) : std::nullopt;
        };
        zev::CProductBrowseSheet sheet(config, m_messages, catalog,
                                       browse ? zev::CProductBrowseSheet::BrowseStart(config) : 0, m_frame.get());
        sheet.exec();
    };
    m_frame->SetCommandHandler(zev::kCmdProductSearch, [openProducts] { openProducts(false); });
    m_frame->SetCommandHandler(zev::kCmdProductBrowse, [openProducts] { openProducts(true); });

    const zev::PricingLibrary* pricing = &m_libraries.pricing;
    zev::OrderViewContext orders{m_doc->Current(), m_doc->Order(), {}, {}, {}, &m_clock};
    if (pricing->CalculatePrice)
        orders.price = [pricing](int item, float& casePrice, float& singlePrice, int units, int catalog,
                                 unsigned dealCode) {
            return pricing->Price(item, casePrice, singlePrice, units, catalog, dealCode);
        };
    zev::CurrentAccount* current = &m_doc->Current();
    orders.recordCall = [current, this](int accountId) {
        return zev::CallPlanner(m_app.settings.config.IsOn(184)).RecordOrderSaved(accountId, current->dayButton);
    };
    zev::sync::OrderSender* sender = m_orders.get();
    orders.sendOrder = [sender](int readyId) { return sender->SendOrders(readyId, nullptr) && sender->SentCount() > 0; };
    m_frame->RegisterScreen(5, [orders](zev::IScreenHost& host) { return CreateOrderGuideView(host, orders); });
    m_frame->RegisterScreen(11, [orders](zev::IScreenHost& host) { return CreateOrderSummaryView(host, orders); });
    m_frame->RegisterScreen(12, [orders](zev::IScreenHost& host) { return CreateDeliveryOptionsView(host, orders); });
    m_frame->RegisterScreen(16, [orders](zev::IScreenHost& host) { return CreateReadyOrdersView(host, orders); });
}

int CZevSatchelApp::Run() { return QApplication::exec(); }
