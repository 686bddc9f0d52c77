// One order taken through the screens in the main window, on the demo
// distributor's data downloaded from the reference server, with the mouse
// and the keyboard: account list, order guide, quantities, place, summary,
// approve, options, approve, ready orders, send. The server then holds the
// order, the stock here is lowered once, the ready order is gone and the
// guide is reset.
#include "DemoClient.h"

#include "accounts/CallPlanner.h"
#include "accounts/CurrentAccount.h"
#include "accounts/views/CAccountsView.h"
#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/ZevFolders.h"
#include "app/ui/CZevListCtrl.h"
#include "app/ui/DocumentState.h"
#include "orders/DeliveryDays.h"
#include "orders/OrderHeader.h"
#include "orders/views/CDeliveryOptionsView.h"
#include "orders/views/COrderGuideView.h"
#include "orders/views/COrderSummaryView.h"
#include "orders/views/CReadyOrdersView.h"
#include "orders/views/CRecentOrdersView.h"
#include "sync/views/CLoginView.h"
#include "tables/DayButtons.h"
#include "tests/app/ui/FakeMessageBox.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

template <typename View> View* Shown(CMainFrame& frame) { return qobject_cast<View*>(frame.CurrentView()); }

void Click(QAbstractItemView* list, int row, int column = 0)
{
    const QRect cell = list->visualRect(list->model()->index(row, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

// Chooses the first real entry of a drop-down from the keyboard when
// nothing is chosen yet.
void ChooseFirst(QComboBox* box)
{
    if (box->isHidden() || box->currentData().isValid())
        return;
    box->setFocus();
    while (!box->currentData().isValid() && box->currentIndex() < box->count() - 1)
        QTest::keyClick(box, Qt::Key_Down);
}

} // namespace

class OrderEndToEndTest : public QObject {
    Q_OBJECT

private:
    std::string Texts() const
    {
        std::string all;
        for (const auto& b : messages.Boxes())
            all += b.text + " | ";
        return all;
    }
    bool Said(const std::string& text) const
    {
        for (const auto& b : messages.Boxes())
            if (b.text == text)
                return true;
        return false;
    }

    FakeMessageBox messages;

private slots:
    void placesAnOrderFromTheAccountListToTheServer()
    {
        zev::test::DemoClient client("guiorder");
        QVERIFY(client.Started());
        QVERIFY2(client.Download(), client.Shown().c_str());

        // An account with a guide of a few lines and a delivery day in common
        // with the distributor.
        const std::string distributorDays = client.LocalText("select DeliveryDays from DistributorInfo");
        int account = -1;
        for (int id = client.Local("select min(AccountID) from WorkOrder"); id > 0 && account < 0;
             id = client.Local("select min(AccountID) from WorkOrder where AccountID > " + std::to_string(id))) {
            const std::string days =
                client.LocalText("select DelivDays from Accounts where AccountID = " + std::to_string(id));
            if (client.Local("select count(*) from WorkOrderItems where AccountID = " + std::to_string(id)) >= 3 &&
                !zev::DeliveryDays::Problem(days, distributorDays))
                account = id;
        }
        QVERIFY(account > 0);
        const std::string acc = std::to_string(account);

        QTemporaryDir dir;
        const std::string home = dir.path().toStdString();
        zev::AppState app;
        app.programDir = home;
        app.settingsFilePath = home + "/ZevSatchel.INI";
        QVERIFY(app.settings.config.Load(ZEV_SOURCE_ROOT "/distributor/ZevConfig.dat") ==
                zev::ZevConfig::LoadResult::Ok);
        app.signedIn = true;
        zev::DocumentState document;
        zev::Profile profile(home + "/Satchel.ini");
        zev::ZevFolders folders(home, home);
        zev::CurrentAccount current;
        zev::OrderHeader order;

        CMainFrame frame(CMainFrame::Context{app, document, profile, folders, messages});
        zev::AccountsViewContext accounts{current, {}, {}, {}, nullptr};
        zev::OrderViewContext orders{current, order, {}, {}, {}, nullptr};
        orders.recordCall = [&current, &app](int accountId) {
            return zev::CallPlanner(app.settings.config.IsOn(184)).RecordOrderSaved(accountId, current.dayButton);
        };
        zev::sync::OrderSender* sender = &client.stack->Orders();
        orders.sendOrder = [sender](int readyId) {
            return sender->SendOrders(readyId, nullptr) && sender->SentCount() > 0;
        };
        frame.RegisterScreen(zev::Screen::Accounts,
                             [accounts](zev::IScreenHost& host) { return CreateAccountsView(host, accounts); });
        frame.RegisterScreen(zev::Screen::OrderGuide,
                             [orders](zev::IScreenHost& host) { return CreateOrderGuideView(host, orders); });
        frame.RegisterScreen(zev::Screen::OrderSummary,
                             [orders](zev::IScreenHost& host) { return CreateOrderSummaryView(host, orders); });
        frame.RegisterScreen(zev::Screen::DeliveryOptions,
                             [orders](zev::IScreenHost& host) { return CreateDeliveryOptionsView(host, orders); });
        frame.RegisterScreen(zev::Screen::ReadyOrders,
                             [orders](zev::IScreenHost& host) { return CreateReadyOrdersView(host, orders); });
        frame.BuildCommands();
        frame.resize(1280, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.SwitchScreen(zev::Screen::Accounts);

        // Account list: every day, the account's row clicked, Order Guide clicked.
        auto* list = Shown<CAccountsView>(frame);
        QVERIFY(list);
        QTest::mouseClick(list->Button(zev::DayButtons::kAll), Qt::LeftButton);
        const int row = list->Model().RowOfAccount(account);
        QVERIFY(row >= 0);
        list->List()->scrollTo(list->List()->model()->index(row, 0));
        Click(list->List(), row);
        QCOMPARE(current.accountId, account);
        QTest::mouseClick(list->Button(CAccountsView::kOrderGuide), Qt::LeftButton);

        // Order guide: two cases on the first line, three singles on the second.
        QTRY_VERIFY(Shown<COrderGuideView>(frame));
        auto* guide = Shown<COrderGuideView>(frame);
        QTRY_VERIFY(!guide->Loading());
        QVERIFY(guide->Guide().Rows().size() >= 3);
        const int item1 = guide->Guide().Rows()[0].itemId;
        const int item2 = guide->Guide().Rows()[1].itemId;
        const int perCase2 = guide->Guide().Rows()[1].qtyPerCase;
        Click(guide->List(), 0);
        QTest::mouseClick(guide->CasesField(), Qt::LeftButton);
        QTest::keyClick(guide->CasesField(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(guide->CasesField(), "2");
        Click(guide->List(), 1);
        guide->SinglesField()->setFocus();
        QTest::keyClick(guide->SinglesField(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(guide->SinglesField(), perCase2 > 3 ? "3" : "1");
        const int singles2 = perCase2 > 3 ? 3 : 1;
        QCOMPARE(guide->Guide().Rows()[0].Cases(), 2);
        QCOMPARE(guide->Guide().Rows()[1].units, singles2);
        const std::string stockOf1 = "select QtyOnHand from Items where ItemID = " + std::to_string(item1);
        const std::string stockOf2 = "select QtyOnHand from Items where ItemID = " + std::to_string(item2);
        const int stock1 = client.Local(stockOf1);
        const int stock2 = client.Local(stockOf2);
        const int units1 = 2 * guide->Guide().Rows()[0].qtyPerCase;
        QTest::mouseClick(guide->Button("BTN_DONE"), Qt::LeftButton);

        // Summary: the two lines; Approve from the keyboard.
        QTRY_VERIFY2(Shown<COrderSummaryView>(frame), Texts().c_str());
        auto* summary = Shown<COrderSummaryView>(frame);
        QCOMPARE(summary->List()->model()->rowCount(), 2);
        summary->ApproveButton()->setFocus();
        QTest::keyClick(summary->ApproveButton(), Qt::Key_Space);

        // Options: the offered day, a warehouse and a shipping method; Approve.
        QTRY_VERIFY(Shown<CDeliveryOptionsView>(frame));
        auto* options = Shown<CDeliveryOptionsView>(frame);
        QVERIFY(!options->Days().empty());
        ChooseFirst(options->Warehouse());
        ChooseFirst(options->Shipping());
        QTest::mouseClick(options->ApproveButton(), Qt::LeftButton);
        QTRY_VERIFY2(Said("The order has been saved."), Texts().c_str());
        QTRY_VERIFY(Shown<CAccountsView>(frame));
        QCOMPARE(client.Local("select count(*) from ReadyOrder where AccountID = " + acc), 1);
        QCOMPARE(client.Local("select count(*) from ReadyOrderItems where AccountID = " + acc), 2);
        QCOMPARE(client.Local("select sum(CaseQTY) + sum(SingleQTY) from WorkOrderItems where AccountID = " + acc), 0);

        // Ready orders from the menu command; the order sent with the mouse.
        QAction* readyOrders = frame.Action(zev::kCmdReadyOrders);
        QVERIFY(readyOrders);
        QTRY_VERIFY(readyOrders->isEnabled());
        readyOrders->trigger();
        QTRY_VERIFY(Shown<CReadyOrdersView>(frame));
        auto* ready = Shown<CReadyOrdersView>(frame);
        QCOMPARE(ready->Rows().size(), std::size_t(1));
        Click(ready->List(), 0);
        QTest::mouseClick(ready->Button("BTN_SEND"), Qt::LeftButton);
        QTRY_VERIFY2(Said("The order has been sent."), (Texts() + client.Shown()).c_str());
        QVERIFY(ready->Rows().empty());

        // On the server once; the stock lowered once, the order gone and the guide reset here.
        QCOMPARE(client.ServerText("select count(*) from ReceivedOrders where AccountID = " + acc), std::string("1"));
        QCOMPARE(client.ServerText("select count(*) from ReceivedOrderLines"), std::string("2"));
        QCOMPARE(client.Local(stockOf1), stock1 - units1);
        QCOMPARE(client.Local(stockOf2), stock2 - singles2);
        QCOMPARE(client.Local("select count(*) from ReadyOrder"), 0);
        QCOMPARE(client.Local("select count(*) from ReadyOrderItems"), 0);
        frame.SwitchScreen(zev::Screen::OrderGuide);
        QTRY_VERIFY(Shown<COrderGuideView>(frame));
        guide = Shown<COrderGuideView>(frame);
        QTRY_VERIFY(!guide->Loading());
        for (const auto& r : guide->Guide().Rows())
            QCOMPARE(r.units, 0);
        frame.SwitchScreen(zev::Screen::Accounts);
    }

    // A day that starts with an order left unsent: sign-in lands on the
    // recent orders, which show it unsent with its Send; Send delivers it to
    // the server once and nothing waits afterwards.
    void signInWithAnUnsentOrderLandsWhereItIsSent()
    {
        messages.Clear();
        zev::test::DemoClient client("guisignin");
        QVERIFY(client.Started());
        QVERIFY2(client.Download(), client.Shown().c_str());
        const int account = client.Local("select min(AccountID) from Accounts");
        const int item = client.Local("select min(ItemID) from Items where DeletedFlag = 0");
        QVERIFY(account > 0 && item > 0);
        const std::string acc = std::to_string(account);
        QVERIFY(client.db->Exec("insert into ReadyOrder values (" + acc +
                                ", 1, 0, '03/09/2026', 'Left from yesterday', '', 48.00, '', "
                                "'{ts ''2026-03-08 17:30:00''}', '', '', '', '', '', 0, 0, 0, 0, 0, 0, 0, 0, 0, "
                                "0, '')"));
        QVERIFY(client.db->Exec("insert into ReadyOrderItems (AccountID, ReadyID, ItemID, catalogID, CQty, SQty, "
                                "CDistPrice, SDistPrice, LineItemNumber, SpecialFlag, DiscountAmount, PriceOverride, "
                                "par, inv, ExtPrice, RetailPrice, Warehouse, LineComment) values (" +
                                acc + ", 1, " + std::to_string(item) +
                                ", 10, 2, 0, 24, 2, 1, '0', '0', '0', 0, 0, 48, 0, 0, '')"));

        QTemporaryDir dir;
        const std::string home = dir.path().toStdString();
        zev::AppState app;
        app.programDir = home;
        app.settingsFilePath = home + "/ZevSatchel.INI";
        QVERIFY(app.settings.config.Load(ZEV_SOURCE_ROOT "/distributor/ZevConfig.dat") ==
                zev::ZevConfig::LoadResult::Ok);
        zev::DocumentState document;
        zev::Profile profile(home + "/Satchel.ini");
        QVERIFY(profile.SetUserID("100200"));
        zev::ZevFolders folders(home, home);
        zev::CurrentAccount current;
        zev::OrderHeader order;

        CMainFrame frame(CMainFrame::Context{app, document, profile, folders, messages});
        zev::sync::SyncStack& stack = *client.stack;
        const zev::SyncViewContext sync{stack.Engine(), stack.Builder(), stack.Runner(), stack.Orders(), stack.Maint()};
        zev::AccountsViewContext accounts{current, {}, {}, {}, nullptr};
        zev::OrderViewContext orders{current, order, {}, {}, {}, nullptr};
        zev::sync::OrderSender* sender = &stack.Orders();
        orders.sendOrder = [sender](int readyId) {
            return sender->SendOrders(readyId, nullptr) && sender->SentCount() > 0;
        };
        frame.RegisterScreen(zev::Screen::Login, [sync](zev::IScreenHost& host) { return new CLoginView(host, sync); });
        frame.RegisterScreen(zev::Screen::Accounts,
                             [accounts](zev::IScreenHost& host) { return CreateAccountsView(host, accounts); });
        frame.RegisterScreen(zev::Screen::RecentOrders,
                             [orders](zev::IScreenHost& host) { return CreateRecentOrdersView(host, orders); });
        frame.BuildCommands();
        frame.resize(1280, 900);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        frame.SwitchScreen(zev::Screen::Login);

        // The password typed and Enter pressed.
        auto* signIn = Shown<CLoginView>(frame);
        QVERIFY(signIn);
        QLineEdit* password = nullptr;
        for (QLineEdit* field : signIn->findChildren<QLineEdit*>())
            if (field->echoMode() == QLineEdit::Password)
                password = field;
        QVERIFY(password);
        QTest::keyClicks(password, QString::fromLatin1(zev::test::DemoData::kPassword));
        QTest::keyClick(password, Qt::Key_Return);

        QTRY_VERIFY2(Shown<CRecentOrdersView>(frame), (Texts() + client.Shown()).c_str());
        QVERIFY(app.signedIn);
        auto* recent = Shown<CRecentOrdersView>(frame);
        QCOMPARE(recent->Period(), zev::RecentOrders::Period::Open);
        QCOMPARE(recent->WaitingLabel()->text(), QStringLiteral("1 order waits to be sent."));
        QCOMPARE(recent->Rows().size(), std::size_t(1));
        QVERIFY(!recent->Rows()[0].sent);
        QCOMPARE(recent->List()->model()->index(0, 4).data().toString(), QStringLiteral("No"));
        QCOMPARE(recent->List()->CurrentRow(), 0);
        QPushButton* send = recent->Button("BTN_SEND");
        QVERIFY(send->isEnabled());
        QTest::mouseClick(send, Qt::LeftButton);

        QVERIFY2(!messages.TextIds().empty() && messages.TextIds().back() == 65057, Texts().c_str());
        QCOMPARE(client.ServerText("select count(*) from ReceivedOrders where AccountID = " + acc), std::string("1"));
        QCOMPARE(client.ServerText("select count(*) from ReceivedOrderLines"), std::string("1"));
        QCOMPARE(client.Local("select count(*) from ReadyOrder"), 0);
        QCOMPARE(recent->WaitingLabel()->text(), QStringLiteral("No orders wait to be sent."));
        QVERIFY(!recent->Button("BTN_SEND")->isEnabled());
        QVERIFY(!recent->Button("BTN_SENDALL")->isEnabled());
    }
};

QTEST_MAIN(OrderEndToEndTest)
#include "OrderEndToEndTest.moc"
