// The screens after the guide: the order summary, the order options with
// the delivery days and the approve checks, the ready orders, and the
// printed order read back from its PDF.
#include "TestDatabase.h"
#include "app/core/ZevConfig.h"
#include "app/ui/CZevListCtrl.h"
#include "orders/DeliveryDays.h"
#include "orders/OrderSaver.h"
#include "orders/views/CDeliveryOptionsView.h"
#include "orders/views/COrderSummaryView.h"
#include "orders/views/CReadyOrdersView.h"
#include "orders/views/CSignatureDlg.h"
#include "reports/OrderDocuments.h"
#include "reports/views/CDocumentPrinter.h"
#include "tests/accounts/Fakes.h"
#include "tests/app/ui/FakeScreenHost.h"
#include "tests/reports/views/PdfText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

constexpr std::size_t kQuantitiesInUnits = 31;
constexpr std::size_t kCancelDateShown = 146;
constexpr std::size_t kCreditCardShown = 147;
constexpr std::size_t kPrintOnApprove = 158;

zev::ListDefinition List(int number, const char* name, std::vector<std::string> headings)
{
    zev::ListDefinition list;
    list.number = number;
    list.name = name;
    list.headings = std::move(headings);
    for (std::size_t i = 0; i < list.headings.size(); ++i) {
        list.widths.push_back(70);
        list.formats.push_back(0);
        list.order.push_back(static_cast<std::uint8_t>(i + 1));
    }
    return list;
}

zev::OrderLine Line(int item, const char* text, int cases, int singles, double amount)
{
    zev::OrderLine l;
    l.itemId = item;
    l.catalogId = 10;
    l.text = text;
    l.cases = cases;
    l.singles = singles;
    l.qtyPerCase = 12;
    l.casePrice = 24;
    l.singlePrice = 2.5;
    l.extendedPrice = amount;
    l.lineItemNumber = item - 100;
    return l;
}

} // namespace

class OrderScreensTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    std::unique_ptr<zev::test::FixedClock> clock;
    zev::CurrentAccount current;
    zev::OrderHeader order;
    std::function<bool(int)> send;

    zev::OrderViewContext Context() { return zev::OrderViewContext{current, order, {}, {}, send, clock.get()}; }

    template <typename View> std::unique_ptr<View> Open()
    {
        auto view = std::make_unique<View>(*host, Context());
        view->resize(900, 600);
        view->InitialUpdate();
        return view;
    }

    std::string LastText() const
    {
        const auto boxes = host->messages.Boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }

    void PlaceOrder()
    {
        order.Reset();
        order.accountId = 7;
        order.lines = {Line(101, "Red Ale", 2, 3, 55.5), Line(102, "Cider", 1, 0, 24)};
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        // A Sunday.
        clock = std::make_unique<zev::test::FixedClock>(zev::test::At(2026, 3, 8, 10, 0));
        auto& config = host->app.settings.config;
        config.SetList(List(7, "OrderSummary",
                            {"Description", "Qty", "Ext Price", "Disc", "Deal", "Item #", "Pack", "Override", "Size",
                             "Price", "Comment", "Line", "Retail"}));
        config.SetList(List(5, "ReadyOrders", {"Account", "Total", "Date", "Lines", "Quantity"}));
        current = zev::CurrentAccount{};
        current.accountId = 7;
        current.accountNumber = "A-7";
        current.companyName = "Corner Bar";
        send = {};
        QVERIFY(db->Exec("insert into Accounts (AccountID, CompanyName, AccountNumber, DelivDays) values "
                         "(7, 'Corner Bar', 'A-7', 'NYNYNYN')"));
        QVERIFY(db->Exec("insert into DistributorInfo (DistributorID, DistributorName, DeliveryDays) values "
                         "(1, 'Valley Beverage', 'YYYYYYY')"));
        QVERIFY(db->Exec("insert into Warehouse values (1, 'Main', 1, '', '', '')"));
        QVERIFY(db->Exec("insert into ShipMethods values (2, 'Truck')"));
        QVERIFY(db->Exec("insert into WorkOrder values (7, 3, 0, 1)"));
        for (int item : {101, 102}) {
            QVERIFY(db->Exec("insert into Items (ItemID, Description, QtyPerCase, DeletedFlag) values (" +
                             std::to_string(item) + ", 'Item', 12, 0)"));
            QVERIFY(db->Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, catalogID, CaseQTY, "
                             "SingleQTY, CDistPrice, SDistPrice, LastQty, OrderCount, LineItemNumber, SpecialFlag, "
                             "DiscountAmount, PriceOverride, Par, Inv, RetailPrice, Warehouse, Filter, LineComment, "
                             "HTDItemCount, Updated) values (7, 3, " +
                             std::to_string(item) + ", 10, 0, 0, 24, 2.5, 0, 0, " + std::to_string(item - 100) +
                             ", '0', '0', '0', 0, 0, 0, 0, 0, '', 0, 0)"));
        }
    }

    void cleanup()
    {
        host.reset();
        dir.reset();
        db.reset();
    }

    void deliveryDaysFromTheCombinedSchedules()
    {
        // Monday, Wednesday and Friday in common, five days from a Sunday.
        const std::string combined = zev::DeliveryDays::Combine("NYNYNYN", "YYYYYYN");
        QCOMPARE(combined, std::string("NYNYNYN"));
        const auto days = zev::DeliveryDays::Offer(combined, clock->Now(), 5, false);
        QStringList stored;
        for (const auto& d : days)
            stored << QString::fromStdString(d.stored);
        QCOMPARE(stored, (QStringList{"03/08/2026", "03/09/2026", "03/11/2026", "03/13/2026", "03/16/2026"}));
        QCOMPARE(days.front().shown, std::string("Sun, Mar 08 2026"));
        // From tomorrow the Sunday is not offered.
        QCOMPARE(zev::DeliveryDays::Offer(combined, clock->Now(), 2, true).front().stored, std::string("03/09/2026"));
        QCOMPARE(zev::DeliveryDays::Offer(combined, clock->Now(), 0, false).size(), std::size_t(21));
    }

    void scheduleProblems_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("distributor");
        QTest::addColumn<QString>("starts");
        QTest::newRow("no common day") << "YYYYYNN"
                                       << "NNNNNYY"
                                       << "There are no days";
        QTest::newRow("account without schedule") << "NNNNNNN"
                                                  << "YYYYYYY"
                                                  << "It appears that this account";
        QTest::newRow("distributor without schedule") << "YYYYYYY"
                                                      << ""
                                                      << "It appears that your distributor";
    }
    void scheduleProblems()
    {
        QFETCH(QString, account);
        QFETCH(QString, distributor);
        QFETCH(QString, starts);
        const auto problem = zev::DeliveryDays::Problem(account.toStdString(), distributor.toStdString());
        QVERIFY(problem);
        QVERIFY(QString::fromStdString(*problem).startsWith(starts));
        QVERIFY(!zev::DeliveryDays::Problem("NYNNNNN", "NYNNNNN"));
    }

    void summaryTotalsAndTexts()
    {
        PlaceOrder();
        order.lines[1].discount = -1; // FREE
        order.lines[1].extendedPrice = 0;
        auto view = Open<COrderSummaryView>();
        QCOMPARE(view->TotalQuantity()->text(), QString("Total Quantity c/s: 3 / 3"));
        QCOMPARE(view->Total()->text(), QString("$55.50"));
        QCOMPARE(view->List()->Model()->Cell(1, 3), QString("FREE"));
        QCOMPARE(view->List()->Model()->Cell(0, 1), QString("2 / 3"));

        // Sorting by amount goes up first, then down.
        view->OnHeaderClicked(2);
        QCOMPARE(view->List()->Model()->Cell(0, 0), QString("Cider"));
        view->OnHeaderClicked(2);
        QCOMPARE(view->List()->Model()->Cell(0, 0), QString("Red Ale"));

        host->app.settings.config.SetByte(kQuantitiesInUnits, 1);
        view = Open<COrderSummaryView>();
        QCOMPARE(view->TotalQuantity()->text(), QString("Total Quantity: 3"));

        view->OnApprove();
        QCOMPARE(host->switches.back(), zev::Screen::DeliveryOptions);
        view->OnCancel();
        QCOMPARE(host->switches.back(), zev::Screen::OrderGuide);
        QVERIFY(order.lines.empty());
    }

    void cancellingAModificationKeepsTheOrder()
    {
        PlaceOrder();
        order.modifying = true;
        order.readyId = 4;
        auto view = Open<COrderSummaryView>();
        view->OnCancel();
        QCOMPARE(order.readyId, 4);
        QCOMPARE(order.lines.size(), std::size_t(2));
    }

    void approveSavesNotesAndCard()
    {
        host->app.settings.config.SetByte(kCreditCardShown, 1);
        PlaceOrder();
        auto view = Open<CDeliveryOptionsView>();
        // The card years run from the current year for twelve years.
        QCOMPARE(view->CardYear()->count(), 13);
        QCOMPARE(view->CardYear()->itemText(1), QString("2026"));
        QCOMPARE(view->CardYear()->itemText(12), QString("2037"));
        QCOMPARE(view->Days().size(), std::size_t(21));
        QCOMPARE(view->DeliveryDay()->currentIndex(), 1);

        view->Card()->setText("4111");
        view->OnApprove();
        QCOMPARE(LastText(), std::string("If a credit card number has been entered then an expiration date must be "
                                         "provided."));
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder"), 0);

        view->CardMonth()->setCurrentText("03");
        view->CardYear()->setCurrentText("2027");
        view->Notes()->setPlainText(QString(300, 'n'));
        view->SetSignature("110,20!011,21");
        view->OnApprove();
        QCOMPARE(LastText(), std::string("The order has been saved."));
        QCOMPARE(host->switches.back(), zev::Screen::Accounts);
        QCOMPARE(db->Scalar("select CreditCard from ReadyOrder"), std::string("4111 ~ 03/2027"));
        QCOMPARE(db->ScalarInt("select length(OrderNotes) from ReadyOrder"), 255);
        QCOMPARE(db->Scalar("select DeliveryDate from ReadyOrder"), std::string("03/09/2026"));
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrderItems"), 2);
        QCOMPARE(db->Scalar("select Signature from ReadyOrder"), std::string("110,20!011,21"));
        QVERIFY(order.lines.empty());
    }

    void approveNeedsADeliveryDay()
    {
        QVERIFY(db->Exec("update Accounts set DelivDays = 'NNNNNNN'"));
        PlaceOrder();
        auto view = Open<CDeliveryOptionsView>();
        QVERIFY(LastText().find("this account does not have a delivery schedule") != std::string::npos);
        view->OnApprove();
        QCOMPARE(LastText(), std::string("A delivery day must be selected in order to save the order."));
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder"), 0);
    }

    void signatureTooLongIsTrimmedToWholePoints()
    {
        CSignatureDlg dialog(host->messages);
        for (int i = 0; i < 1200; ++i)
            dialog.AddPoint(100 + i % 300, 50 + i % 90, i % 40 == 0);
        host->messages.Queue(zev::MbResult::No);
        dialog.accept();
        QVERIFY(dialog.Encoded().size() < 8000);
        QVERIFY(dialog.Encoded().back() != '!');
        QVERIFY(LastText().find("larger than can be stored") != std::string::npos);
        const auto points = CSignatureDlg::Decode(dialog.Encoded());
        QVERIFY(!points.empty());
        QCOMPARE(points.front().a, 1);
        QCOMPARE(points.front().b, 100);
        QCOMPARE(points.front().c, 50);
    }

    void readyOrdersDeleteSendAndModify()
    {
        PlaceOrder();
        {
            auto options = Open<CDeliveryOptionsView>();
            options->OnApprove();
        }
        QVERIFY(db->Exec("insert into ReadyOrder (AccountID, ReadyID, OrderType, DeliveryDate, OrderNotes, ODCText) "
                         "values (7, 90, 2, '2026-3-8 10:0:0', 'closed', 'No Sale')"));
        int sendCalls = 0;
        send = [&sendCalls](int) {
            ++sendCalls;
            return false;
        };
        auto view = Open<CReadyOrdersView>();
        QCOMPARE(view->Rows().size(), std::size_t(2));
        QCOMPARE(view->List()->Model()->Cell(0, 0), QString("Corner Bar"));
        QCOMPARE(view->List()->Model()->Cell(0, 4), QString("3 / 3"));

        // A failed send leaves the order.
        view->SelectRow(0);
        view->OnSend();
        QCOMPARE(sendCalls, 1);
        QVERIFY(LastText().find("Error Sending Order.") == 0);
        QCOMPARE(view->Rows().size(), std::size_t(2));

        // A No Visit/No Sale order is not modified, but it is deleted.
        view->SelectRow(1);
        view->OnModify();
        QVERIFY(LastText().find("Sorry, you are not allowed to modify") == 0);
        host->messages.Queue(zev::MbResult::Yes);
        view->OnDelete();
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder where ReadyID = 90"), 0);
        QCOMPARE(view->Rows().size(), std::size_t(1));

        // Modify, place again: one ready order remains, under a new number.
        const int before = view->Rows()[0].readyId;
        view->SelectRow(0);
        view->OnModify();
        QCOMPARE(host->switches.back(), zev::Screen::OrderGuide);
        QVERIFY(order.modifying);
        QCOMPARE(order.readyId, before);
        QCOMPARE(db->ScalarInt("select CaseQTY from WorkOrderItems where ItemID = 101"), 2);
        PlaceOrder();
        order.modifying = true;
        order.readyId = before;
        {
            auto options = Open<CDeliveryOptionsView>();
            options->OnApprove();
        }
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder"), 1);
        QVERIFY(db->ScalarInt("select ReadyID from ReadyOrder") != before);
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrderItems"), 2);

        view = Open<CReadyOrdersView>();
        view->SelectRow(0);
        host->messages.Queue(zev::MbResult::No);
        view->OnDelete();
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder"), 1);
    }

    void modifyingBringsBackEveryChoiceOfTheOptions()
    {
        host->app.settings.config.SetByte(kCreditCardShown, 1);
        host->app.settings.config.SetByte(kCancelDateShown, 1);
        // Two of each, so nothing is chosen for the user.
        QVERIFY(db->Exec("insert into Warehouse values (4, 'North', 1, '', '', '')"));
        QVERIFY(db->Exec("insert into ShipMethods values (5, 'Pick-up')"));
        QVERIFY(db->Exec("insert into OrderTerms values (30, 'Net 30'), (60, 'Net 60')"));
        QVERIFY(db->Exec("insert into OrderDiscounts values (8, 'Volume'), (9, 'Event')"));
        PlaceOrder();
        {
            auto options = Open<CDeliveryOptionsView>();
            QVERIFY(!options->Warehouse()->currentData().isValid());
            options->Warehouse()->setCurrentIndex(options->Warehouse()->findData(4));
            options->Shipping()->setCurrentIndex(options->Shipping()->findData(2));
            options->Terms()->setCurrentIndex(options->Terms()->findData(60));
            options->Discount()->setCurrentIndex(options->Discount()->findData(9));
            options->DeliveryDay()->setCurrentIndex(3);
            options->Card()->setText("4111");
            options->CardMonth()->setCurrentText("03");
            options->CardYear()->setCurrentText("2027");
            options->CancelDate()->setText("04/01/2026");
            options->OnApprove();
            QCOMPARE(LastText(), std::string("The order has been saved."));
        }
        auto ready = Open<CReadyOrdersView>();
        ready->SelectRow(0);
        ready->OnModify();
        QVERIFY(order.modifying);
        // The guide places the order again; the header keeps what was read.
        auto options = Open<CDeliveryOptionsView>();
        QCOMPARE(options->Warehouse()->currentData().toInt(), 4);
        QCOMPARE(options->Shipping()->currentData().toInt(), 2);
        QCOMPARE(options->Terms()->currentData().toInt(), 60);
        QCOMPARE(options->Discount()->currentData().toInt(), 9);
        QCOMPARE(options->DeliveryDay()->currentIndex(), 3);
        QCOMPARE(options->Card()->text(), QString("4111"));
        QCOMPARE(options->CardMonth()->currentText(), QString("03"));
        QCOMPARE(options->CardYear()->currentText(), QString("2027"));
        QCOMPARE(options->CancelDate()->text(), QString("04/01/2026"));
    }

    void printOnApproveOffersThePrinterFirst()
    {
        host->app.settings.config.SetByte(kPrintOnApprove, 1);
        QVERIFY(db->Exec("insert into ShipMethods values (5, 'Pick-up')"));
        PlaceOrder();
        auto view = Open<CDeliveryOptionsView>();
        view->Shipping()->setCurrentIndex(view->Shipping()->findData(5));
        const QString pdf = dir->filePath("approved.pdf");
        bool savedWhenAsked = true;
        view->SetPrinterChooser([&](QPrinter& printer) {
            savedWhenAsked = db->ScalarInt("select count(*) from ReadyOrder") > 0;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        view->OnApprove();
        QVERIFY(!savedWhenAsked);
        QCOMPARE(LastText(), std::string("The order has been saved."));
        const QString text = zev::test::PdfText(pdf);
        QVERIFY(text.contains("Red Ale"));
        QVERIFY(text.contains("Corner Bar"));

        // Cancelling the print dialog still saves the order.
        PlaceOrder();
        view = Open<CDeliveryOptionsView>();
        view->Shipping()->setCurrentIndex(view->Shipping()->findData(5));
        view->SetPrinterChooser([](QPrinter&) { return false; });
        view->OnApprove();
        QCOMPARE(LastText(), std::string("The order has been saved."));
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder"), 2);
    }

    void storedCardTextComesApart_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("year");
        QTest::newRow("whole") << "4111 ~ 03/2027"
                               << "4111"
                               << "03"
                               << "2027";
        QTest::newRow("no expiry") << "4111 ~ /"
                                   << "4111"
                                   << ""
                                   << "";
        QTest::newRow("number only") << "4111"
                                     << "4111"
                                     << ""
                                     << "";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << "";
    }
    void storedCardTextComesApart()
    {
        QFETCH(QString, stored);
        const auto card = zev::OrderSaver::SplitCard(stored.toStdString());
        QTEST(QString::fromStdString(card.number), "number");
        QTEST(QString::fromStdString(card.month), "month");
        QTEST(QString::fromStdString(card.year), "year");
        QCOMPARE(QString::fromStdString(zev::OrderSaver::CardText(card.number, card.month, card.year)),
                 stored == "4111" ? QString("4111 ~ /") : stored);
    }

    void printedOrderHoldsAccountLinesAndTotal()
    {
        PlaceOrder();
        order.deliveryDate = "03/09/2026";
        order.notes = "Back door, it''s open";
        order.signature = "110,20!011,21!030,40";
        const QString pdf = dir->filePath("order.pdf");
        zev::PrintDocument document = zev::OrderDocuments::Order(order, "Corner Bar (A-7)");
        document.distributor = "Valley Beverage";
        QVERIFY(CDocumentPrinter::PrintPdf(document, pdf, host->messages));
        const QString text = zev::test::PdfText(pdf);
        for (const char* wanted : {"Corner Bar", "A-7", "Valley Beverage", "Red Ale", "Cider", "55.50", "Total: $79.50",
                                   "03/09/2026", "it's open"})
            QVERIFY2(text.contains(wanted), wanted);
    }
};

QTEST_MAIN(OrderScreensTest)
#include "OrderScreensTest.moc"
