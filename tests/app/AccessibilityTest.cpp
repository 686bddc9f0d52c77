// Every screen of the main window and every dialog and property page, shown
// over the demo distributor's data, walked through the accessibility tree a
// screen reader reads: names, duplicate input names, focus order, default
// button and Escape. A new screen or dialog adds a row here.
#include "DemoClient.h"

#include "accounts/AccountEditor.h"
#include "accounts/AccountListSettings.h"
#include "accounts/CurrentAccount.h"
#include "accounts/views/CAccountDetailsView.h"
#include "accounts/views/CAccountsReceivableView.h"
#include "accounts/views/CAccountsView.h"
#include "accounts/views/CBackordersDlg.h"
#include "accounts/views/CCallPlanDlg.h"
#include "accounts/views/CCancelBackordersDlg.h"
#include "accounts/views/CCheckNumberDlg.h"
#include "accounts/views/CCollectDlg.h"
#include "accounts/views/CCustomPosDlg.h"
#include "accounts/views/CDepositDlg.h"
#include "accounts/views/CEditAccountInfo.h"
#include "accounts/views/CFormsDlg.h"
#include "accounts/views/CMessageView.h"
#include "accounts/views/CNoOrderDlg.h"
#include "accounts/views/CPrintChoiceDlg.h"
#include "accounts/views/CSurveyDlg.h"
#include "accounts/views/CSurveyView.h"
#include "accounts/views/CreateAccountDlg.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/ZevFolders.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "app/ui/ZevAccessibility.h"
#include "orders/DeliveryDays.h"
#include "orders/OrderHeader.h"
#include "orders/views/CDeliveryOptionsView.h"
#include "orders/views/CExpressEntryView.h"
#include "orders/views/CInventoryImportDlg.h"
#include "orders/views/COpenOrdersView.h"
#include "orders/views/COrderGuideView.h"
#include "orders/views/COrderHistoryView.h"
#include "orders/views/COrderSummaryView.h"
#include "orders/views/CReadyOrdersView.h"
#include "orders/views/CRecentOrdersView.h"
#include "orders/views/CSignatureDlg.h"
#include "products/views/CItemDetailsSheet.h"
#include "products/views/CProductBrowseSheet.h"
#include "products/views/CPromotionsView.h"
#include "reports/views/CReportView.h"
#include "reports/views/CSalesDataView.h"
#include "sync/views/CChangePasswordDlg.h"
#include "sync/views/CInitialSetupView.h"
#include "sync/views/CLoginView.h"
#include "sync/views/CMaintAppSheet.h"
#include "sync/views/CMaintenanceView.h"
#include "sync/views/CReportIssueDlg.h"
#include "sync/views/CSwitchRepDlg.h"
#include "tables/DayButtons.h"
#include "tests/app/ui/AccessibilityWalk.h"
#include "tests/app/ui/AccessibleEventLog.h"
#include "tests/app/ui/FakeMessageBox.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace {

template <typename View> View* Shown(CMainFrame& frame) { return qobject_cast<View*>(frame.CurrentView()); }

void Click(QAbstractItemView* list, int row, int column = 0)
{
    list->scrollTo(list->model()->index(row, column));
    const QRect cell = list->visualRect(list->model()->index(row, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

QString Lines(const QStringList& faults) { return QStringLiteral("\n  ") + faults.join(QStringLiteral("\n  ")); }

// The faults of every page a window shows in turn: each tab of its tab
// widgets is made current and walked.
QStringList WindowFaults(QWidget* window)
{
    QStringList faults;
    auto walk = [&] {
        const AccessibilityWalk tree(window);
        for (const QString& f : tree.NameFaults() + tree.FocusOrderFaults())
            if (!faults.contains(f))
                faults << f;
    };
    walk();
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int was = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            if (i == was || !tabs->isTabEnabled(i))
                continue;
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            walk();
        }
        tabs->setCurrentIndex(was);
    }
    return faults;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    using DialogFactory = std::function<QDialog*(QWidget* parent)>;

    std::unique_ptr<zev::test::DemoClient> m_client;
    QTemporaryDir m_home;
    std::unique_ptr<zev::AppState> m_app;
    zev::DocumentState m_document;
    std::unique_ptr<zev::Profile> m_profile;
    std::unique_ptr<zev::ZevFolders> m_folders;
    zev::CurrentAccount m_current;
    zev::OrderHeader m_order;
    FakeMessageBox m_messages;
    std::unique_ptr<CMainFrame> m_frame;
    std::map<QString, DialogFactory> m_dialogs;
    std::unique_ptr<zev::AccountEditor> m_editor;
    int m_account = -1;

    zev::SyncViewContext Sync() const
    {
        auto& s = *m_client->stack;
        return {s.Engine(), s.Builder(), s.Runner(), s.Orders(), s.Maint()};
    }

    // An account with a few guide lines and a delivery day in common with
    // the distributor, so an order can be placed.
    int OrderableAccount() const
    {
        const std::string distributorDays = m_client->LocalText("select DeliveryDays from DistributorInfo");
        for (int id = m_client->Local("select min(AccountID) from WorkOrder"); id > 0;
             id = m_client->Local("select min(AccountID) from WorkOrder where AccountID > " + std::to_string(id))) {
            const std::string days =
                m_client->LocalText("select DelivDays from Accounts where AccountID = " + std::to_string(id));
            if (m_client->Local("select count(*) from WorkOrderItems where AccountID = " + std::to_string(id)) >= 3 &&
                !zev::DeliveryDays::Problem(days, distributorDays))
                return id;
        }
        return -1;
    }

    void RegisterScreens()
    {
        const zev::SyncViewContext sync = Sync();
        CMainFrame& f = *m_frame;
        f.RegisterScreen(zev::Screen::Login, [sync](zev::IScreenHost& host) { return new CLoginView(host, sync); });
        f.RegisterScreen(zev::Screen::Maintenance,
                         [sync](zev::IScreenHost& host) { return new CMaintenanceView(host, sync); });
        f.RegisterScreen(zev::Screen::InitialSetup,
                         [sync](zev::IScreenHost& host) { return new CInitialSetupView(host, sync); });
        zev::AccountsViewContext accounts{m_current, {}, {}, {}, nullptr};
        f.RegisterScreen(zev::Screen::Accounts,
                         [accounts](zev::IScreenHost& host) { return CreateAccountsView(host, accounts); });
        f.RegisterScreen(zev::Screen::AccountDetails,
                         [accounts](zev::IScreenHost& host) { return CreateAccountDetailsView(host, accounts); });
        f.RegisterScreen(zev::Screen::Receivables,
                         [accounts](zev::IScreenHost& host) { return CreateAccountsReceivableView(host, accounts); });
        f.RegisterScreen(zev::Screen::MessageCenter, [](zev::IScreenHost& host) { return CreateMessageView(host); });
        f.RegisterScreen(zev::Screen::Survey,
                         [accounts](zev::IScreenHost& host) { return CreateSurveyView(host, accounts); });
        zev::ReportsViewContext reports{&m_current, {}};
        f.RegisterScreen(zev::Screen::SalesData,
                         [reports](zev::IScreenHost& host) { return CreateSalesDataView(host, reports); });
        f.RegisterScreen(zev::Screen::Reports,
                         [reports](zev::IScreenHost& host) { return CreateReportView(host, reports); });
        zev::ProductsViewContext products{&m_current, {}, 0, 0, {}, nullptr};
        f.RegisterScreen(zev::CPromotionsView::kScreen,
                         [products](zev::IScreenHost& host) { return zev::CreatePromotionsView(host, products); });
        zev::OrderViewContext orders{m_current, m_order, {}, {}, {}, nullptr};
        orders.recordCall = [](int) { return 1; };
        f.RegisterScreen(zev::Screen::OrderGuide,
                         [orders](zev::IScreenHost& host) { return CreateOrderGuideView(host, orders); });
        f.RegisterScreen(zev::Screen::ExpressEntry,
                         [orders](zev::IScreenHost& host) { return CreateExpressEntryView(host, orders); });
        f.RegisterScreen(zev::Screen::OrderSummary,
                         [orders](zev::IScreenHost& host) { return CreateOrderSummaryView(host, orders); });
        f.RegisterScreen(zev::Screen::DeliveryOptions,
                         [orders](zev::IScreenHost& host) { return CreateDeliveryOptionsView(host, orders); });
        f.RegisterScreen(zev::Screen::ReadyOrders,
                         [orders](zev::IScreenHost& host) { return CreateReadyOrdersView(host, orders); });
        f.RegisterScreen(zev::Screen::RecentOrders,
                         [orders](zev::IScreenHost& host) { return CreateRecentOrdersView(host, orders); });
        f.RegisterScreen(zev::Screen::OrderHistory,
                         [orders](zev::IScreenHost& host) { return CreateOrderHistoryView(host, orders); });
        f.RegisterScreen(zev::Screen::OpenOrders,
                         [orders](zev::IScreenHost& host) { return CreateOpenOrdersView(host, orders); });
    }

    // Every dialog and property sheet the program opens, built as its
    // screens build it.
    void RegisterDialogs()
    {
        const zev::ZevConfig& config = m_app->settings.config;
        const std::string ini = m_app->settingsFilePath;
        const int account = m_account;
        zev::IMessageBox& box = m_messages;
        const zev::IClock& clock = m_client->clock;
        zev::IScreenHost& host = *m_frame;
        zev::Profile& profile = *m_profile;
        const zev::SyncViewContext sync = Sync();
        zev::sync::ISyncDb& db = *m_client->db;
        zev::ProductsViewContext products{&m_current, {}, 0, 0, {}, nullptr};
        const int item = m_client->Local("select min(ItemID) from Items");
        const int survey = m_client->Local("select min(SurveyID) from Surveys");
        auto& d = m_dialogs;
        d["about"] = [&config, ini](QWidget* p) { return new CAboutDlg(config, ini, p); };
        d["change password"] = [sync, &profile, &box, ini](QWidget* p) {
            return new CChangePasswordDlg(sync, profile, box, ini, p);
        };
        d["maintenance settings sheet"] = [&host, sync](QWidget* p) { return new CMaintAppSheet(host, sync, p); };
        d["switch representative"] = [ini](QWidget* p) {
            return new CSwitchRepDlg({{"100200", "Pat Doe", "x"}, {"100300", "Sam Roe", "y"}}, ini, p);
        };
        d["report an issue"] = [&db, &box, ini](QWidget* p) { return new CReportIssueDlg(db, "100200", box, ini, p); };
        d["call plan"] = [&box](QWidget* p) { return new CCallPlanDlg(1, box, p); };
        d["collect"] = [&box](QWidget* p) { return new CCollectDlg(6000, 1, "", box, p); };
        d["custom point of sale"] = [account, &box, &clock, ini](QWidget* p) {
            auto* dialog = new CCustomPosDlg(account, box, clock, p);
            dialog->LayOut("CustomPOSDlg", ini);
            return dialog;
        };
        d["cancel backorders"] = [&host, account](QWidget* p) {
            return new CCancelBackordersDlg(host, account, std::time(nullptr), p);
        };
        d["guide backorders"] = [&host, account](QWidget* p) {
            return new CBackordersDlg(
                host, account, {}, [](const zev::BackorderLine&, int, const std::string&) { return true; }, p);
        };
        d["new account"] = [ini, &box](QWidget* p) { return new CreateAccountDlg(ini, box, p); };
        d["check number"] = [](QWidget* p) { return new CCheckNumberDlg(QStringLiteral("1001"), p); };
        d["deposit"] = [&host](QWidget* p) { return new CDepositDlg(host, p); };
        m_editor = std::make_unique<zev::AccountEditor>(zev::AccountEditor::Switches::FromConfig(config), box);
        d["account editor sheet"] = [editor = m_editor.get(), account](QWidget* p) -> QDialog* {
            auto data = editor->Load(account);
            return data ? new CEditAccountInfo(*editor, *data, p) : nullptr;
        };
        d["survey"] = [&box, &clock, survey, account](QWidget* p) {
            auto* dialog = new CSurveyDlg(box, clock, p);
            dialog->Open(survey, account);
            return dialog;
        };
        d["no sale or no call"] = [&config](QWidget* p) {
            const zev::AccountListSettings s = zev::AccountListSettings::FromConfig(config);
            return new CNoOrderDlg(s.noSaleCaption, s.noCallCaption, s.noteMaxLength, p);
        };
        d["print choice"] = [](QWidget* p) { return new CPrintChoiceDlg(p); };
        d["forms"] = [account, &box](QWidget* p) { return new CFormsDlg(account, box, p); };
        d["signature"] = [&box](QWidget* p) { return new CSignatureDlg(box, p); };
        d["inventory import"] = [&box](QWidget* p) {
            return new CInventoryImportDlg(zev::InventoryImport::Kind::Counts, "", box, {}, p);
        };
        d["item details sheet"] = [&config, products, item, ini](QWidget* p) {
            return new zev::CItemDetailsSheet(config, products, item, ini, p);
        };
        d["product search sheet"] = [&config, &box, products](QWidget* p) {
            return new zev::CProductBrowseSheet(config, box, products, 0, p);
        };
        d["product browse sheet"] = [&config, &box, products](QWidget* p) {
            return new zev::CProductBrowseSheet(config, box, products, 1, p);
        };
    }

    bool ShowScreen(int screen)
    {
        if (screen == 11 || screen == 12) {
            if (zev::ScreenNumber(m_app->currentScreen) != 11 && !PlaceOrder())
                return false;
            if (screen == 12) {
                auto* summary = Shown<COrderSummaryView>(*m_frame);
                if (!summary)
                    return false;
                QTest::mouseClick(summary->ApproveButton(), Qt::LeftButton);
            }
        } else {
            m_frame->SwitchScreen(static_cast<zev::Screen>(screen));
        }
        if (!QTest::qWaitFor([&] { return zev::ScreenNumber(m_app->currentScreen) == screen; }, 5000))
            return false;
        if (auto* guide = Shown<COrderGuideView>(*m_frame))
            return QTest::qWaitFor([guide] { return !guide->Loading(); }, 10000);
        return true;
    }

    std::string Said() const
    {
        std::string all;
        for (const auto& b : m_messages.Boxes())
            all += (b.text.empty() ? "#" + std::to_string(b.textId) : b.text) + " | ";
        return all;
    }

    // An order of the current account approved through the options screen,
    // so the ready orders list has one.
    bool SaveOrder()
    {
        if (!ShowScreen(12))
            return false;
        auto* options = Shown<CDeliveryOptionsView>(*m_frame);
        for (QComboBox* box : {options->Warehouse(), options->Shipping()}) {
            if (box->isHidden() || box->currentData().isValid())
                continue;
            for (int i = 0; i < box->count() && !box->currentData().isValid(); ++i)
                box->setCurrentIndex(i);
        }
        QTest::mouseClick(options->ApproveButton(), Qt::LeftButton);
        return QTest::qWaitFor([this] { return zev::ScreenNumber(m_app->currentScreen) == 4; }, 5000);
    }

    // From the guide of the current account: a case on the first line, then Done.
    bool PlaceOrder()
    {
        if (!ShowScreen(5))
            return false;
        auto* guide = Shown<COrderGuideView>(*m_frame);
        Click(guide->List(), 0);
        guide->CasesField()->setValue(1);
        QTest::mouseClick(guide->Button("BTN_DONE"), Qt::LeftButton);
        return QTest::qWaitFor([this] { return zev::ScreenNumber(m_app->currentScreen) == 11; }, 5000);
    }

private slots:
    void initTestCase()
    {
        m_client = std::make_unique<zev::test::DemoClient>("access");
        QVERIFY(m_client->Started());
        QVERIFY2(m_client->Download(), m_client->Shown().c_str());
        m_account = OrderableAccount();
        QVERIFY(m_account > 0);

        const std::string home = m_home.path().toStdString();
        std::filesystem::copy_file(ZEV_SOURCE_ROOT "/distributor/ZevSatchel.INI", home + "/ZevSatchel.INI");
        m_app = std::make_unique<zev::AppState>();
        m_app->programDir = home;
        m_app->settingsFilePath = home + "/ZevSatchel.INI";
        QCOMPARE(m_app->settings.config.Load(ZEV_SOURCE_ROOT "/distributor/ZevConfig.dat"),
                 zev::ZevConfig::LoadResult::Ok);
        m_app->signedIn = true;
        m_profile = std::make_unique<zev::Profile>(home + "/Satchel.ini");
        QVERIFY(m_profile->SetUserID("100200"));
        m_folders = std::make_unique<zev::ZevFolders>(home, home);
        m_frame =
            std::make_unique<CMainFrame>(CMainFrame::Context{*m_app, m_document, *m_profile, *m_folders, m_messages});
        RegisterScreens();
        m_frame->BuildCommands();
        m_frame->resize(1280, 900);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));

        // The account of the account-related screens, picked in the list.
        QVERIFY(ShowScreen(4));
        auto* list = Shown<CAccountsView>(*m_frame);
        QTest::mouseClick(list->Button(zev::DayButtons::kAll), Qt::LeftButton);
        const int row = list->Model().RowOfAccount(m_account);
        QVERIFY(row >= 0);
        Click(list->List(), row);
        QCOMPARE(m_current.accountId, m_account);
        RegisterDialogs();
    }

    void cleanupTestCase()
    {
        m_frame.reset();
        m_editor.reset();
        m_client.reset();
    }

    void everyScreenIsNamedAndReadsInOrder_data()
    {
        QTest::addColumn<int>("screen");
        for (const zev::ScreenDef& def : zev::kScreens)
            QTest::addRow("screen %d", zev::ScreenNumber(def.screen)) << zev::ScreenNumber(def.screen);
    }

    void everyScreenIsNamedAndReadsInOrder()
    {
        QFETCH(int, screen);
        QVERIFY2(ShowScreen(screen), qPrintable(QString::fromStdString(
                                         m_messages.Boxes().empty() ? std::string() : m_messages.Boxes().back().text)));
        const QStringList faults = WindowFaults(m_frame.get());
        QVERIFY2(faults.isEmpty(), qPrintable(Lines(faults)));
    }

    // The two sign-in fields used to share the group's title.
    void signInFieldsAreToldApart()
    {
        QVERIFY(ShowScreen(1));
        QStringList names;
        for (const QString& name : AccessibilityWalk(m_frame.get()).InputNames())
            names << zev::ZevAccessibility::PlainName(name);
        QVERIFY2(names.contains(QStringLiteral("User ID")) && names.contains(QStringLiteral("Password")),
                 qPrintable(names.join(QStringLiteral(", "))));
    }

    void orderGuideAnnouncesItsTotalAndDescribesItsCellEditor()
    {
        if (!AccessibleEventLog::Available())
            QSKIP("this build cannot switch the platform's accessibility on (qt6-base-private-dev)");
        QVERIFY(ShowScreen(5));
        auto* guide = Shown<COrderGuideView>(*m_frame);
        QLabel* total = guide->TotalLabel();
        AccessibleEventLog log;
        Click(guide->List(), 1);
        guide->CasesField()->setValue(guide->CasesField()->value() + 2);
        QTRY_VERIFY2(log.Count(total, QAccessible::NameChanged) >= 1, qPrintable(log.Dump()));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(total);
        QCOMPARE(iface->text(QAccessible::Name), total->text());
        QVERIFY(total->text().startsWith(QStringLiteral("Total: $")));

        int column = 0;
        while (column < guide->List()->model()->columnCount() && guide->ColumnCode(column) == 0)
            ++column;
        QVERIFY(guide->EditCell(1, column));
        const QString heading = guide->List()->model()->headerData(column, Qt::Horizontal).toString();
        const QString rows = QString::number(guide->List()->model()->rowCount());
        QVERIFY2(guide->CellEditor()->accessibleDescription().startsWith(zev::ZevAccessibility::PlainName(heading) +
                                                                         QStringLiteral(", row 2 of ") + rows),
                 qPrintable(guide->CellEditor()->accessibleDescription()));
        guide->CancelEditor();
    }

    // The detail sheets the order lists open themselves, walked while open.
    void orderDetailSheetsAreNamedDefaultAndEscape_data()
    {
        QTest::addColumn<int>("screen");
        QTest::newRow("recent orders") << 9;
        QTest::newRow("ready orders") << 16;
        QTest::newRow("order history") << 17;
        QTest::newRow("open orders") << 20;
    }

    void orderDetailSheetsAreNamedDefaultAndEscape()
    {
        QFETCH(int, screen);
        if (screen == 16)
            QVERIFY2(SaveOrder(), Said().c_str());
        QVERIFY(ShowScreen(screen));
        CZevListCtrl* list = nullptr;
        std::function<void()> open;
        if (auto* ready = Shown<CReadyOrdersView>(*m_frame)) {
            QVERIFY(!ready->Rows().empty());
            list = ready->List();
            open = [ready] { ready->OnDetails(); };
        } else if (auto* recent = Shown<CRecentOrdersView>(*m_frame)) {
            list = recent->List();
            open = [recent] { recent->OnDetails(); };
        } else if (auto* history = Shown<COrderHistoryView>(*m_frame)) {
            list = history->List();
            open = [history] { history->OnDetails(); };
        } else if (auto* openOrders = Shown<COpenOrdersView>(*m_frame)) {
            list = openOrders->List();
            open = [openOrders] { openOrders->OnDetails(); };
        }
        QVERIFY(list);
        if (list->model()->rowCount() == 0)
            QSKIP("the demo data has no order on this screen");
        Click(list, 0);

        QStringList faults;
        bool walked = false;
        int waited = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!sheet || !sheet->isVisible())
                return;
            if (!walked) {
                walked = true;
                faults = WindowFaults(sheet) + AccessibilityWalk::DefaultButtonFaults(sheet);
                QTest::keyClick(sheet->focusWidget() ? sheet->focusWidget() : sheet, Qt::Key_Escape);
            } else if (++waited > 100) {
                faults << QStringLiteral("Escape did not close \"%1\"").arg(sheet->windowTitle());
                sheet->reject();
            }
        });
        timer.start(10);
        open();
        timer.stop();
        QVERIFY(walked);
        QVERIFY2(faults.isEmpty(), qPrintable(Lines(faults)));
    }

    void everyDialogIsNamedDefaultsAndEscapes_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const auto& [name, factory] : m_dialogs)
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyDialogIsNamedDefaultsAndEscapes()
    {
        QFETCH(QString, dialog);
        std::unique_ptr<QDialog> window(m_dialogs.at(dialog)(m_frame.get()));
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QStringList faults = WindowFaults(window.get()) + AccessibilityWalk::DefaultButtonFaults(window.get());
        QVERIFY2(faults.isEmpty(), qPrintable(Lines(faults)));

        // A survey's answer control tells which question it answers.
        if (auto* survey = qobject_cast<CSurveyDlg*>(window.get())) {
            QWidget* answer = survey->focusWidget();
            QVERIFY(answer);
            const QLabel* question = nullptr;
            for (const QLabel* label : survey->findChildren<QLabel*>())
                if (label->isVisible() && !label->text().isEmpty() && answer->accessibleDescription() == label->text())
                    question = label;
            QVERIFY2(question, qPrintable(answer->accessibleDescription()));
        }

        QSignalSpy rejected(window.get(), &QDialog::rejected);
        QWidget* focus = window->focusWidget() ? window->focusWidget() : window.get();
        QTest::keyClick(focus, Qt::Key_Escape);
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(window->result(), int(QDialog::Rejected));
        QCOMPARE(rejected.count(), 1);
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
