#include "app/CZevSatchelApp.h"

#include "accounts/CallPlanner.h"
#include "accounts/views/CAccountDetailsView.h"
#include "accounts/views/CAccountsReceivableView.h"
#include "accounts/views/CAccountsView.h"
#include "accounts/views/CBackordersDlg.h"
#include "accounts/views/CCancelBackordersDlg.h"
#include "accounts/views/CCustomPosDlg.h"
#include "accounts/views/CEditAccountInfo.h"
#include "accounts/views/CMessageView.h"
#include "accounts/views/CSurveyView.h"
#include "accounts/views/StarterPricing.h"
#include "app/CMainFrame.h"
#include "app/CZevSatchelDoc.h"
#include "app/CZevSatchelView.h"
#include "app/CommandTable.h"
#include "app/core/IniReader.h"
#include "app/core/Profile.h"
#include "app/core/SingleInstance.h"
#include "app/core/StartupSequence.h"
#include "app/core/StringIds.h"
#include "app/core/ZevConfigLayout.h"
#include "app/core/ZevFolders.h"
#include "app/ui/WaitCursor.h"
#include "orders/views/CDeliveryOptionsView.h"
#include "orders/views/CExpressEntryView.h"
#include "orders/views/COpenOrdersView.h"
#include "orders/views/COrderGuideView.h"
#include "orders/views/COrderHistoryView.h"
#include "orders/views/COrderSummaryView.h"
#include "orders/views/CReadyOrdersView.h"
#include "orders/views/CRecentOrdersView.h"
#include "products/views/CItemDetailsSheet.h"
#include "products/views/CProductBrowseSheet.h"
#include "products/views/CPromotionsView.h"
#include "reports/views/CReportView.h"
#include "reports/views/CSalesDataView.h"
#include "sync/SyncRunner.h"
#include "sync/SyncStack.h"
#include "sync/views/CInitialSetupView.h"
#include "sync/views/CLoginView.h"
#include "sync/views/CMaintenanceView.h"

#include <QApplication>
#include <QSocketNotifier>

namespace {

constexpr zev::Screen kGuideScreen = zev::Screen::OrderGuide;

// The loader reports its failure itself; the start-up sequence shows the one
// message, so the loader's own box stays silent.
class SilentMessageBox final : public zev::IMessageBox {
public:
    zev::MbResult Show(int, zev::Caption, zev::MbButtons, zev::MbIcon) override { return zev::MbResult::Ok; }
    zev::MbResult ShowText(const std::string&, zev::Caption, zev::MbButtons, zev::MbIcon) override
    {
        return zev::MbResult::Ok;
    }
};

} // namespace

CZevSatchelApp::CZevSatchelApp(int argc, char** argv) : m_programDir(zev::ZevFolders::ProgramDirFromArgs(argc, argv)) {}

CZevSatchelApp::~CZevSatchelApp()
{
    // Screens go before the engine they borrow; the document closes the
    // shared connection; the libraries go last.
    m_frame.reset();
    m_doc.reset();
    m_sync.reset();
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
    // The new-messages notice, wherever it is raised, leads to the inbox.
    m_frame->OfferCommandFrom(m_messages, zev::ids::kNewMessages, zev::kCmdMessageCenter,
                              QObject::tr("&Open Message Center"));
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
    const std::string database = zev::Trim(zev::ReadIniValue("GENERAL", "DATABASE", "", 255, m_app.settingsFilePath));
    options.pricingDatabase = folders.DatabasePath(database);
    options.pricePercentage = m_app.settings.config.Byte(17709);
    SilentMessageBox silent;
    if (m_libraries.Load(options, silent))
        return {};
    return m_libraries.MissingLibrary() + " Failed to load";
}

void CZevSatchelApp::WireSync()
{
    // The same construction as the command-line companion's: the backup
    // path and every other path come from the folders.
    zev::sync::SyncStackInputs inputs{
        m_startup->Folders(), m_app, m_startup->UserProfile(), m_libraries, m_messages, nullptr, m_clock};
    m_sync = std::make_unique<zev::sync::SyncStack>(inputs);
}

void CZevSatchelApp::RegisterScreens()
{
    zev::SyncViewContext sync{m_sync->Engine(), m_sync->Builder(), m_sync->Runner(), m_sync->Orders(), m_sync->Maint()};
    m_frame->RegisterScreen(zev::Screen::Login, [sync](zev::IScreenHost& host) { return new CLoginView(host, sync); });
    m_frame->RegisterScreen(zev::Screen::Maintenance,
                            [sync](zev::IScreenHost& host) { return new CMaintenanceView(host, sync); });
    m_frame->RegisterScreen(zev::Screen::InitialSetup,
                            [sync](zev::IScreenHost& host) { return new CInitialSetupView(host, sync); });

    zev::AccountsViewContext accounts{
        m_doc->Current(), zev::StarterPricing::FromLibrary(m_libraries.pricing.CalculatePrice), {}, {}, &m_clock};
    accounts.editAccount = [this](QWidget* parent) {
        return CEditAccountInfo::EditAccount(parent, m_doc->Current().accountId, m_app.settings.config, m_messages,
                                             m_app.settingsFilePath);
    };
    zev::IScreenHost* frame = m_frame.get();
    accounts.backorders = [frame, current = &m_doc->Current(), this](QWidget* parent) {
        CCancelBackordersDlg dialog(*frame, current->accountId, m_clock.Now(), parent);
        dialog.exec();
    };
    m_frame->RegisterScreen(zev::Screen::Accounts,
                            [accounts](zev::IScreenHost& host) { return CreateAccountsView(host, accounts); });
    m_frame->RegisterScreen(zev::Screen::AccountDetails,
                            [accounts](zev::IScreenHost& host) { return CreateAccountDetailsView(host, accounts); });
    m_frame->RegisterScreen(zev::Screen::Receivables, [accounts](zev::IScreenHost& host) {
        return CreateAccountsReceivableView(host, accounts);
    });
    m_frame->RegisterScreen(zev::Screen::MessageCenter, [](zev::IScreenHost& host) { return CreateMessageView(host); });
    m_frame->RegisterScreen(zev::Screen::Survey,
                            [accounts](zev::IScreenHost& host) { return CreateSurveyView(host, accounts); });

    zev::ReportsViewContext reports{&m_doc->Current(), {}};
    m_frame->RegisterScreen(zev::Screen::SalesData,
                            [reports](zev::IScreenHost& host) { return CreateSalesDataView(host, reports); });
    m_frame->RegisterScreen(zev::Screen::Reports,
                            [reports](zev::IScreenHost& host) { return CreateReportView(host, reports); });

    const zev::PricingLibrary* pricing = &m_libraries.pricing;
    zev::PriceBinding::PriceFn price;
    if (pricing->CalculatePrice)
        price = [pricing](int item, float& casePrice, float& singlePrice, int units, int catalog, unsigned dealCode) {
            return pricing->Price(item, casePrice, singlePrice, units, catalog, dealCode);
        };

    // The product screens and the item details window share one context.
    const zev::ZevConfig& config = m_app.settings.config;
    zev::ProductsViewContext products{
        &m_doc->Current(), price, config.Int32(zev::cfg::kDealCodeMin), config.Int32(zev::cfg::kDealCodeMax), {},
        &m_clock};
    products.itemDetails = [this, products](int itemId) {
        zev::CItemDetailsSheet sheet(m_app.settings.config, products, itemId, m_app.settingsFilePath,
                                     QApplication::activeWindow() ? QApplication::activeWindow() : m_frame.get());
        sheet.exec();
    };
    // The product window: Search starts on the search page, Browse after it.
    // Items added while the order guide is the screen go to the database: the
    // guide is saved before and read again after, so neither side's lines
    // are lost.
    auto openProducts = [this, products](bool browse) {
        const zev::ZevConfig& settings = m_app.settings.config;
        const bool onGuide = m_app.currentScreen == kGuideScreen && m_frame->CurrentView();
        if (onGuide && !m_frame->CurrentView()->CanLeave(kGuideScreen))
            return;
        zev::CProductBrowseSheet sheet(settings, m_messages, products,
                                       browse ? zev::CProductBrowseSheet::BrowseStart(settings) : 0, m_frame.get());
        sheet.exec();
        if (onGuide && sheet.AddedCount() > 0)
            m_frame->SwitchScreen(kGuideScreen, true);
    };
    m_frame->SetCommandHandler(zev::kCmdProductSearch, [openProducts] { openProducts(false); });
    m_frame->SetCommandHandler(zev::kCmdProductBrowse, [openProducts] { openProducts(true); });
    m_frame->RegisterScreen(zev::CPromotionsView::kScreen,
                            [products](zev::IScreenHost& host) { return zev::CreatePromotionsView(host, products); });

    zev::OrderViewContext orders{m_doc->Current(), m_doc->Order(), price, {}, {}, &m_clock};
    orders.itemDetails = products.itemDetails;
    zev::CurrentAccount* current = &m_doc->Current();
    orders.recordCall = [current, this](int accountId) {
        return zev::CallPlanner(m_app.settings.config.IsOn(184)).RecordOrderSaved(accountId, current->dayButton);
    };
    zev::sync::OrderSender* sender = &m_sync->Orders();
    orders.sendOrder = [sender](int readyId) {
        return sender->SendOrders(readyId, nullptr) && sender->SentCount() > 0;
    };
    orders.customPos = [this](QWidget* parent, int accountId) {
        CCustomPosDlg dialog(accountId, m_messages, m_clock, parent);
        dialog.LayOut("CustomPOSDlg", m_app.settingsFilePath);
        dialog.exec();
    };
    orders.backorders = [frame](QWidget* parent, int accountId, std::set<std::string> held,
                                std::function<bool(int, const std::string&, int, const std::string&)> add) {
        auto guideAdd = [add](const zev::BackorderLine& line, int units, const std::string& tag) {
            return add(line.itemId, line.sku, units, tag);
        };
        CBackordersDlg dialog(*frame, accountId, std::move(held), guideAdd, parent);
        dialog.exec();
    };
    orders.cancelBackorders = [frame, this](QWidget* parent, int accountId, const std::string& invoice) {
        CCancelBackordersDlg dialog(*frame, accountId, m_clock.Now(), parent);
        dialog.ShowInvoice(invoice);
        dialog.exec();
    };
    m_frame->RegisterScreen(zev::Screen::OrderGuide,
                            [orders](zev::IScreenHost& host) { return CreateOrderGuideView(host, orders); });
    m_frame->RegisterScreen(zev::Screen::ExpressEntry,
                            [orders](zev::IScreenHost& host) { return CreateExpressEntryView(host, orders); });
    m_frame->RegisterScreen(zev::Screen::OrderSummary,
                            [orders](zev::IScreenHost& host) { return CreateOrderSummaryView(host, orders); });
    m_frame->RegisterScreen(zev::Screen::DeliveryOptions,
                            [orders](zev::IScreenHost& host) { return CreateDeliveryOptionsView(host, orders); });
    m_frame->RegisterScreen(zev::Screen::ReadyOrders,
                            [orders](zev::IScreenHost& host) { return CreateReadyOrdersView(host, orders); });
    m_frame->RegisterScreen(zev::Screen::RecentOrders,
                            [orders](zev::IScreenHost& host) { return CreateRecentOrdersView(host, orders); });
    m_frame->RegisterScreen(zev::Screen::OrderHistory,
                            [orders](zev::IScreenHost& host) { return CreateOrderHistoryView(host, orders); });
    m_frame->RegisterScreen(zev::Screen::OpenOrders,
                            [orders](zev::IScreenHost& host) { return CreateOpenOrdersView(host, orders); });
}

int CZevSatchelApp::Run() { return QApplication::exec(); }
