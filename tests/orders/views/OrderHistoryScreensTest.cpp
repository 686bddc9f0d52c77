// The three order lists on screen over a real SQLite database: recent orders
// opening on what waits and sending it (one, all, a failure), the order
// history narrowed by item from the keyboard and copied into the guide, and
// the open orders with their backorder marks.
#include "TestDatabase.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevListCtrl.h"
#include "base/Clock.h"
#include "orders/views/COpenOrdersView.h"
#include "orders/views/COrderDetailsSheet.h"
#include "orders/views/COrderHistoryView.h"
#include "orders/views/CRecentOrdersView.h"
#include "tests/app/ui/FakeScreenHost.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

class FixedClock final : public zev::IClock {
public:
    std::time_t Now() const override { return 1772380800; } // 2026-03-01 16:00:00 UTC
};

zev::ListDefinition List(int number, const char* name, std::vector<std::string> headings)
{
    zev::ListDefinition list;
    list.number = number;
    list.name = name;
    list.headings = std::move(headings);
    for (std::size_t i = 0; i < list.headings.size(); ++i) {
        list.widths.push_back(80);
        list.formats.push_back(0);
        list.order.push_back(static_cast<std::uint8_t>(i + 1));
        list.flags.push_back(0);
    }
    return list;
}

} // namespace

class OrderHistoryScreensTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    zev::CurrentAccount current;
    zev::OrderHeader order;
    FixedClock clock;
    std::vector<int> sendAttempts;
    bool serverUp = true;
    std::vector<std::pair<int, std::string>> cancellations;
    bool guideBackorders = false;

    zev::OrderViewContext Context()
    {
        zev::OrderViewContext c{current, order, {}, {}, {}, &clock};
        // The distributor takes an order by deleting it here, as the real sender does.
        c.sendOrder = [this](int readyId) {
            sendAttempts.push_back(readyId);
            if (!serverUp)
                return false;
            return db->Exec("delete from ReadyOrderItems where ReadyID = " + std::to_string(readyId)) &&
                   db->Exec("delete from ReadyOrder where ReadyID = " + std::to_string(readyId));
        };
        if (guideBackorders)
            c.backorders = [](QWidget*, int, std::set<std::string>, auto) {};
        c.cancelBackorders = [this](QWidget*, int accountId, const std::string& invoice) {
            cancellations.emplace_back(accountId, invoice);
        };
        return c;
    }
    // Reads the details sheet once it is up, then closes it with Escape.
    void WhenSheet(const std::function<void(COrderDetailsSheet&)>& look)
    {
        QTimer::singleShot(0, this, [look] {
            auto* sheet = qobject_cast<COrderDetailsSheet*>(QApplication::activeModalWidget());
            if (!sheet) {
                if (QWidget* other = QApplication::activeModalWidget())
                    other->close();
                return;
            }
            look(*sheet);
            QTest::keyClick(sheet->Lines(), Qt::Key_Escape);
        });
    }
    void Ready(int id)
    {
        QVERIFY(db->Exec("insert into ReadyOrder (AccountID, ReadyID, OrderType, CreateTime) values (7, " +
                         std::to_string(id) + ", 0, '{ts ''2026-03-01 10:00:00''}')"));
        QVERIFY(db->Exec("insert into ReadyOrderItems (AccountID, ReadyID, ItemID, CQty, SQty, LineItemNumber, "
                         "ExtPrice) values (7, " +
                         std::to_string(id) + ", 1, 1, 0, 1, 24)"));
    }
    template <class View> std::unique_ptr<View> Show()
    {
        auto view = std::make_unique<View>(*host, Context());
        view->resize(900, 500);
        view->InitialUpdate();
        view->show();
        return view;
    }
    std::string LastText() const
    {
        const auto boxes = host->messages.Boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }
    int LastId() const
    {
        const auto boxes = host->messages.Boxes();
        return boxes.empty() ? 0 : boxes.back().textId;
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        host->screens.insert(zev::Screen::OrderGuide);
        zev::ZevConfig& config = host->app.settings.config;
        config.SetList(List(9, "RecentOrders", {"Account", "Order #", "Date", "Total", "Sent"}));
        config.SetList(List(3, "OrderHistory", {"Order #", "Date", "Total", "Lines", "Status"}));
        config.SetList(List(13, "OpenOrders", {"Invoice #", "Date", "Type", "Items", "Total"}));
        current = zev::CurrentAccount{};
        current.accountId = 7;
        current.companyName = "Corner Wines";
        sendAttempts.clear();
        serverUp = true;
        cancellations.clear();
        guideBackorders = false;
        QVERIFY(db->Exec("insert into Accounts (AccountID, CompanyName, AccountNumber) values (7, 'Corner Wines', "
                         "'1001')"));
        QVERIFY(db->Exec("insert into Items (ItemID, Description, QtyPerCase, ProductKind, QtyOnHand, DeletedFlag, "
                         "ItemFlags, SellMultiple, UPC, DistributorSKU, CatalogPage, CategoryID) values (1, "
                         "'Zinfandel', 12, 1, 500, 0, 0, 0, 'U1', 'S1', '1', 1)"));
        QVERIFY(db->Exec("insert into OrderHistory (OrderNumber, AccountID, DistInvoice, TransDate, OrderTotal, "
                         "Status) values (100, 7, 'INV100', '2026-03-01 08:00:00', 48, 'Open')"));
        QVERIFY(db->Exec("insert into OrderHistory (OrderNumber, AccountID, DistInvoice, TransDate, OrderTotal, "
                         "Status) values (90, 7, 'INV90', '2026-01-15 08:00:00', 10, 'Invoiced')"));
        QVERIFY(db->Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, DistributorSKU, CQty, "
                         "SQty, ExtPrice) values (100, 1, 1, 'S1', 2, 0, 48)"));
    }

    void cleanup()
    {
        host.reset();
        dir.reset();
        db.reset();
    }

    void recentOrdersOpenOnWhatWaitsAndSendIt()
    {
        Ready(11);
        Ready(12);
        auto view = Show<CRecentOrdersView>();
        QAbstractItemModelTester tester(view->List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(view->Period(), zev::RecentOrders::Period::Open);
        QCOMPARE(view->PeriodList()->currentText(), QStringLiteral("Open Order"));
        QCOMPARE(view->WaitingLabel()->text(), QStringLiteral("2 orders wait to be sent."));
        QCOMPARE(view->List()->model()->index(0, 4).data().toString(), QStringLiteral("No"));
        QVERIFY(view->Button("BTN_SEND")->isEnabled());

        view->OnSend();
        QCOMPARE(sendAttempts, std::vector<int>{11});
        QCOMPARE(LastId(), 65057);
        QCOMPARE(view->WaitingLabel()->text(), QStringLiteral("1 order waits to be sent."));

        serverUp = false;
        view->OnSendAll();
        QCOMPARE(LastId(), 65058);
        QCOMPARE(view->Rows().size(), std::size_t(1));

        serverUp = true;
        QTest::mouseClick(view->Button("BTN_SENDALL"), Qt::LeftButton);
        QCOMPARE(LastText(), std::string("The order has been sent."));
        QCOMPARE(view->WaitingLabel()->text(), QStringLiteral("No orders wait to be sent."));
        QVERIFY(!view->Button("BTN_SENDALL")->isEnabled());
        QVERIFY(!view->Button("BTN_SEND")->isEnabled());

        // Today's orders: the sent one from the history, nothing to send.
        QTest::keyClick(view->PeriodList(), Qt::Key_Home);
        QCOMPARE(view->Period(), zev::RecentOrders::Period::Today);
        QCOMPARE(view->Rows().size(), std::size_t(1));
        QVERIFY(view->Rows()[0].sent);
        QVERIFY(view->DetailsText(0).contains(QStringLiteral("Zinfandel\tS1\t2 / 0\t48.00")));
    }

    void recentOrdersWithNothingWaitingShowToday()
    {
        auto view = Show<CRecentOrdersView>();
        QCOMPARE(view->Period(), zev::RecentOrders::Period::Today);
        QCOMPARE(view->List()->model()->index(0, 1).data().toString(), QStringLiteral("INV100"));
        QVERIFY(!view->Button("BTN_SEND")->isEnabled());
    }

    void historyNarrowedByItemAndCopiedToTheGuide()
    {
        QVERIFY(db->Exec("insert into WorkOrder values (7, 3, 0, 1)"));
        auto view = Show<COrderHistoryView>();
        QAbstractItemModelTester tester(view->List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(view->Orders().size(), std::size_t(2));
        QTest::keyClicks(view->ItemField(), QStringLiteral("zinf"));
        QTest::keyClick(view->ItemField(), Qt::Key_Return);
        QCOMPARE(view->Orders().size(), std::size_t(1));
        QCOMPARE(view->Orders()[0].invoice, std::string("INV100"));

        host->messages.Queue(zev::MbResult::No);
        view->OnCopy();
        QCOMPARE(db->ScalarInt("select count(*) from WorkOrderItems"), 0);
        QVERIFY(host->switches.empty());
        QCOMPARE(host->messages.Boxes().back().defaultButton, zev::MbResult::No);

        host->messages.Queue(zev::MbResult::Yes);
        QTest::mouseClick(view->Button("BTN_COPY"), Qt::LeftButton);
        QCOMPARE(db->ScalarInt("select CaseQTY from WorkOrderItems where AccountID = 7 and ItemID = 1"), 2);
        QCOMPARE(host->switches, std::vector<zev::Screen>{zev::Screen::OrderGuide});

        // The clear button brings every order back.
        view->ItemField()->clear();
        QCOMPARE(view->Orders().size(), std::size_t(2));
    }

    void historyOfAnAccountWithoutOrders()
    {
        current.accountId = 9;
        auto view = Show<COrderHistoryView>();
        QVERIFY(view->Orders().empty());
        QCOMPARE(view->List()->model()->index(0, 0).data().toString(), QStringLiteral("No orders"));
        QVERIFY(!view->Button("BTN_COPY")->isEnabled());
        QVERIFY(!view->Button("BTN_DETAILS")->isEnabled());
    }

    void openOrdersMarkBackorders()
    {
        QVERIFY(db->Exec("insert into OpenOrders (AccountID, InvoiceNumber, ItemCount, InvoiceTotal, TSOrderType, "
                         "InvoiceDate) values (7, '880002', 1, 24, 'BO', '2026-02-20 00:00:00')"));
        QVERIFY(db->Exec("insert into OpenOrderItems (AccountID, InvoiceNumber, LineNumber, ItemID, QtyOrdered, "
                         "CaseFlag, ExtPrice, QtyShipped) values (7, '880002', 1, 1, 12, 1, 24, 0)"));
        auto view = Show<COpenOrdersView>();
        QAbstractItemModelTester tester(view->List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(view->List()->model()->index(0, 2).data().toString(), QStringLiteral("BO (backorder)"));
        QCOMPARE(view->SummaryLabel()->text(), QStringLiteral("1 open, 1 with backorders"));
        QVERIFY(view->DetailsText(0).contains(QStringLiteral("backordered")));
    }

    // The sheet: the header's facts above the lines in columns; the
    // keyboard reaches the lines and Escape closes it.
    void detailsSheetShowsHeaderAndLines()
    {
        auto view = Show<COrderHistoryView>();
        bool seen = false;
        WhenSheet([&seen](COrderDetailsSheet& sheet) {
            QAbstractItemModelTester tester(sheet.Lines()->model(),
                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
            QCOMPARE(sheet.windowTitle(), QStringLiteral("Order Details"));
            QCOMPARE(sheet.HeaderValue("Order"), QStringLiteral("Order INV100"));
            QCOMPARE(sheet.HeaderValue("Date"), QStringLiteral("03/01/2026"));
            QCOMPARE(sheet.HeaderValue("Account"), QStringLiteral("Corner Wines"));
            QCOMPARE(sheet.HeaderValue("Status"), QStringLiteral("Open"));
            QCOMPARE(sheet.HeaderValue("Total"), QStringLiteral("1 line, total $48.00"));
            const CZevListModel* lines = sheet.Lines()->Model();
            QCOMPARE(lines->rowCount(), 1);
            QCOMPARE(lines->columnCount(), 4);
            QCOMPARE(lines->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Quantity"));
            QCOMPARE(lines->Cell(0, 0), QStringLiteral("Zinfandel"));
            QCOMPARE(lines->Cell(0, 2), QStringLiteral("2 / 0"));
            QCOMPARE(lines->Cell(0, 3), QStringLiteral("48.00"));
            QCOMPARE(sheet.focusWidget(), static_cast<QWidget*>(sheet.Lines()));
            QVERIFY(!sheet.Lines()->accessibleName().isEmpty());
            seen = true;
        });
        QTest::mouseClick(view->Button("BTN_DETAILS"), Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(!QApplication::activeModalWidget());

        // An open backorder: its delivery and a note column for the stock.
        QVERIFY(db->Exec("insert into OpenOrders (AccountID, InvoiceNumber, ItemCount, InvoiceTotal, TSOrderType, "
                         "InvoiceDate, DeliveryDate) values (7, '880002', 1, 24, 'BO', '2026-02-20 00:00:00', "
                         "'2026-03-04 00:00:00')"));
        QVERIFY(db->Exec("insert into OpenOrderItems (AccountID, InvoiceNumber, LineNumber, ItemID, QtyOrdered, "
                         "CaseFlag, ExtPrice, QtyShipped) values (7, '880002', 1, 1, 12, 1, 24, 0)"));
        auto open = Show<COpenOrdersView>();
        seen = false;
        WhenSheet([&seen](COrderDetailsSheet& sheet) {
            QCOMPARE(sheet.HeaderValue("Status"), QStringLiteral("BO (backorder)"));
            QCOMPARE(sheet.HeaderValue("Delivery"), QStringLiteral("03/04/2026"));
            QCOMPARE(sheet.Lines()->Model()->columnCount(), 5);
            QVERIFY(sheet.Lines()->Model()->Cell(0, 4).startsWith(QStringLiteral("backordered")));
            seen = true;
        });
        open->OnDetails();
        QVERIFY(seen);
    }

    // A backorder leads to its cancellation and, through the guide, to its
    // quantities; an ordinary open order greys both; so does a program
    // without the dialogs.
    void openBackorderLeadsToTheBackorderDialogs()
    {
        QVERIFY(db->Exec("insert into OpenOrders (AccountID, InvoiceNumber, ItemCount, InvoiceTotal, TSOrderType, "
                         "InvoiceDate) values (7, '880002', 1, 24, 'BO', '2026-02-20 00:00:00'), (7, '880003', 1, "
                         "24, 'SO', '2026-02-21 00:00:00')"));
        guideBackorders = true;
        auto view = Show<COpenOrdersView>();
        QCOMPARE(view->Orders()[0].invoice, std::string("880003"));
        QVERIFY(!view->Button("BTN_CANCELBO")->isEnabled());
        QVERIFY(!view->Button("BTN_BACKORDERS")->isEnabled());
        view->OnCancelBackorders();
        view->OnBackordersToGuide();
        QVERIFY(cancellations.empty());
        QVERIFY(host->switches.empty());

        view->List()->setFocus();
        QTest::keyClick(view->List(), Qt::Key_Down);
        QVERIFY(view->Button("BTN_CANCELBO")->isEnabled());
        QVERIFY(view->Button("BTN_BACKORDERS")->isEnabled());
        view->Button("BTN_CANCELBO")->setFocus();
        QTest::keyClick(view->Button("BTN_CANCELBO"), Qt::Key_Space);
        QCOMPARE(cancellations, (std::vector<std::pair<int, std::string>>{{7, "880002"}}));
        QTest::mouseClick(view->Button("BTN_BACKORDERS"), Qt::LeftButton);
        QVERIFY(host->document.backordersRequested);
        QCOMPARE(host->switches, std::vector<zev::Screen>{zev::Screen::OrderGuide});

        guideBackorders = false;
        host->screens.erase(zev::Screen::OrderGuide);
        auto without = Show<COpenOrdersView>();
        without->SelectRow(1);
        QVERIFY(without->Button("BTN_CANCELBO")->isEnabled());
        QVERIFY(!without->Button("BTN_BACKORDERS")->isEnabled());
    }
};

QTEST_MAIN(OrderHistoryScreensTest)
#include "OrderHistoryScreensTest.moc"
