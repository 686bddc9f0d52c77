// The receivables screen with its collect and deposit dialogs and the
// printout, the message center, and the two backorder dialogs, over a real
// SQLite database.
#include "TestDatabase.h"
#include "accounts/views/CAccountsReceivableView.h"
#include "accounts/views/CBackordersDlg.h"
#include "accounts/views/CCancelBackordersDlg.h"
#include "accounts/views/CCheckListCtrl.h"
#include "accounts/views/CCollectDlg.h"
#include "accounts/views/CDepositDlg.h"
#include "accounts/views/CMessageView.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "orders/views/COrderDetailsSheet.h"
#include "reports/AccountDocuments.h"
#include "reports/views/CDocumentPrinter.h"
#include "tests/accounts/Fakes.h"
#include "tests/app/ui/FakeScreenHost.h"
#include "tests/reports/views/PdfText.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace cfg = zev::cfg;

class CollectionScreensTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    std::unique_ptr<zev::test::FixedClock> clock;
    zev::CurrentAccount current;

    zev::AccountsViewContext Context() { return zev::AccountsViewContext{current, {}, {}, {}, clock.get()}; }

    std::unique_ptr<CAccountsReceivableView> OpenReceivables()
    {
        auto view = std::make_unique<CAccountsReceivableView>(*host, Context());
        view->resize(1000, 600);
        view->InitialUpdate();
        return view;
    }

    std::string LastText() const
    {
        const auto boxes = host->messages.Boxes();
        return boxes.empty() ? std::string() : boxes.back().text;
    }

    // Answers the next modal dialog once it is up.
    template <typename Dialog, typename Fn> void WhenModal(Fn fn)
    {
        QTimer::singleShot(0, this, [fn] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                if (QWidget* w = QApplication::activeModalWidget())
                    w->close();
                return;
            }
            fn(*dialog);
        });
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        clock = std::make_unique<zev::test::FixedClock>(zev::test::At(2026, 3, 11, 10, 0));
        auto& config = host->app.settings.config;
        for (std::size_t b : {168, 169, 170, 171, 172, 173, 174, 176, 177, 191, 192})
            config.SetByte(b, 1);
        current = zev::CurrentAccount{};
        QVERIFY(db->Exec("insert into Accounts (AccountID, CompanyName, AccountNumber) values (1, 'BAYSIDE GRILL', "
                         "'A100'), (2, 'Corner Wines', 'B7')"));
        QVERIFY(db->Exec("insert into AR (AccountID, InvoiceNo, DistRepID, InvoiceDate, InvoiceDueDate, "
                         "InvoiceAmount, AmountCollectedTotal, AmountCollectedToday, Collected, Updated, PaymentType, "
                         "Deposited) values (1, 'INV1', 100200, '03/01/2026', '03/31/2026', 100, 40, 0, 0, 0, 1, 0), "
                         "(1, 'INV2', 0, '03/02/2026', '04/01/2026', 20, 0, 0, 0, 0, 0, 0), "
                         "(2, 'CR9', 100200, '03/03/2026', '04/02/2026', -15, 0, 0, 0, 0, 0, 0)"));
    }

    void cleanup()
    {
        host.reset();
        dir.reset();
        db.reset();
    }

    void receivablesListAllOrOneAccountAndMineOnly()
    {
        auto view = OpenReceivables();
        QAbstractItemModelTester tester(view->List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(view->ShownAccount(), -1);
        QCOMPARE(view->List()->model()->rowCount(), 3);
        QVERIFY(!view->Button(CAccountsReceivableView::kPrint)->isEnabled());
        QCOMPARE(view->Field("LBL_TOTAL")->text(), QStringLiteral("$105.00"));
        QCOMPARE(view->Field("LBL_TOTALDUE")->text(), QStringLiteral("$65.00"));
        QCOMPARE(view->Field("LBL_INVNUMBER")->text(), QStringLiteral("INV1"));

        view->MineBox()->setChecked(true);
        QCOMPARE(view->List()->model()->rowCount(), 2);
        view->MineBox()->setChecked(false);

        view->ShowByCustomer();
        QCOMPARE(view->List()->model()->rowCount(), 0);
        QCOMPARE(view->Field("LBL_TOTAL")->text(), QStringLiteral("$0.00"));
        QVERIFY(!view->Button(CAccountsReceivableView::kCollect)->isEnabled());
        view->ChooseAccount(1);
        QCOMPARE(view->ShownAccount(), 2);
        QVERIFY(view->Button(CAccountsReceivableView::kPrint)->isEnabled());
        QCOMPARE(view->AccountList()->itemText(0), QStringLiteral("Bayside Grill  (A100)"));

        // The document's current account opens in the one-account mode.
        current.accountId = 1;
        auto second = OpenReceivables();
        QCOMPARE(second->ShownAccount(), 1);
        QCOMPARE(second->List()->model()->rowCount(), 2);
    }

    void collectThenModifyThroughTheDialog()
    {
        auto view = OpenReceivables();
        view->SelectRow(0);
        WhenModal<CCollectDlg>([](CCollectDlg& dialog) {
            QCOMPARE(dialog.AmountField()->text(), QStringLiteral("60.00"));
            QCOMPARE(dialog.PaymentList()->currentIndex(), 1);
            dialog.PaymentList()->setCurrentIndex(0);
            dialog.accept();
        });
        view->OnCollect();
        QCOMPARE(db->Scalar("select Collected || '/' || Updated from AR where InvoiceNo = 'INV1'"), "1/1");
        QCOMPARE(view->Button(CAccountsReceivableView::kCollect)->accessibleName(), QStringLiteral("Modify"));
        QCOMPARE(view->Field("LBL_AMTCOLLECTED")->text(), QStringLiteral("$100.00"));

        WhenModal<CCollectDlg>([](CCollectDlg& dialog) {
            dialog.Key(CCollectDlg::kClear)->click();
            dialog.Key(1012)->click(); // "2"
            dialog.Key(1297)->click(); // "0"
            dialog.accept();
        });
        view->OnCollect();
        QCOMPARE(db->Scalar("select AmountCollectedTotal from AR where InvoiceNo = 'INV1'"), "60");
        QCOMPARE(view->Button(CAccountsReceivableView::kCollect)->accessibleName(), QStringLiteral("Modify"));
    }

    void collectDialogRefusesTooMuchAndACheckWithoutNumber()
    {
        CCollectDlg credit(-1500, 0, "", host->messages);
        credit.AmountField()->setText("-20.00");
        credit.accept();
        QCOMPARE(credit.result(), int(QDialog::Rejected));
        QCOMPARE(host->messages.TextIds().back(), 65040);
        QCOMPARE(credit.AmountField()->text(), QStringLiteral("-15.00"));
        credit.AmountField()->setText("-10.00");
        credit.accept();
        QCOMPARE(credit.result(), int(QDialog::Accepted));
        QCOMPARE(credit.AmountCents(), -1000);

        CCollectDlg check(6000, 1, "", host->messages);
        check.SetCheckNumberSource([](QWidget*, const std::string&) { return std::optional<std::string>("  "); });
        check.accept();
        QCOMPARE(check.result(), int(QDialog::Rejected));
        QCOMPARE(host->messages.TextIds().back(), 65144);
        check.SetCheckNumberSource([](QWidget*, const std::string&) { return std::optional<std::string>(); });
        check.accept();
        QCOMPARE(check.result(), int(QDialog::Rejected));
        check.SetCheckNumberSource([](QWidget*, const std::string&) { return std::optional<std::string>(" 881 "); });
        check.accept();
        QCOMPARE(check.result(), int(QDialog::Accepted));
        QCOMPARE(check.CheckNumber(), std::string("881"));
    }

    void depositWindowNeedsDetailsAndSavesCheckedRows()
    {
        CDepositDlg empty(*host);
        QAbstractItemModelTester tester(empty.List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        empty.OnSend();
        QVERIFY(host->messages.Boxes().empty());

        QVERIFY(db->Exec("update AR set AmountCollectedToday = 10, AmountCollectedTotal = 50, Updated = 1 where "
                         "InvoiceNo in ('INV1', 'INV2')"));
        CDepositDlg dialog(*host);
        QCOMPARE(dialog.List()->model()->rowCount(), 2);
        QCOMPARE(dialog.SelectedTotal()->text(), QStringLiteral("0.00"));
        dialog.List()->SetChecked(1, true);
        QCOMPARE(dialog.SelectedTotal()->text(), QStringLiteral("10.00"));
        dialog.OnSend();
        QVERIFY(QString::fromStdString(LastText()).startsWith("You must fill in the"));
        dialog.Detail(1)->setText("Slip 4");
        dialog.Detail(2)->setText("First Bank");
        dialog.OnSend();
        QCOMPARE(LastText(), std::string("Deposit information saved"));
        QCOMPARE(db->ScalarInt("select count(*) from AR where Deposited = 1 and DepAttrib1 = 'Slip 4'"), 1);
        QCOMPARE(dialog.List()->model()->rowCount(), 1);
        QCOMPARE(dialog.SelectedTotal()->text(), QStringLiteral("0.00"));
    }

    // With byte 35 the window comes back where it was left; without, the
    // profile is neither read nor written.
    void depositWindowKeepsItsPlaceWhenTheDistributorSaysSo()
    {
        auto& config = host->app.settings.config;
        config.SetByte(35, 1);
        {
            CDepositDlg first(*host);
            first.show();
            first.setGeometry(110, 70, 530, 340);
            first.reject();
        }
        QCOMPARE(host->profile.GetText("DepositWindow"), std::string("70,110,410,640"));
        {
            CDepositDlg second(*host);
            QCOMPARE(second.geometry(), QRect(110, 70, 530, 340));
            second.show();
            second.resize(600, 360);
            second.close();
        }
        QCOMPARE(host->profile.GetText("DepositWindow"), std::string("70,110,430,710"));

        config.SetByte(35, 0);
        QVERIFY(host->profile.SetText("DepositWindow", "70,110,410,640"));
        CDepositDlg plain(*host);
        QCOMPARE(plain.size(), QSize(620, 420));
        plain.show();
        plain.resize(500, 300);
        plain.reject();
        QCOMPARE(host->profile.GetText("DepositWindow"), std::string("70,110,410,640"));
    }

    // Details of an invoice the history knows open the order details sheet
    // with its lines; of one it does not, 65093.
    void invoiceDetailsOpenTheOrderSheet()
    {
        QVERIFY(db->Exec("insert into OrderHistory (OrderNumber, AccountID, DistInvoice, TransDate, OrderTotal, "
                         "Status) values (100, 1, 'INV1', '2026-03-01 08:00:00', 100, 'Invoiced')"));
        QVERIFY(db->Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, DistributorSKU, CQty, "
                         "SQty, ExtPrice) values (100, 1, 77, 'S77', 4, 0, 100)"));
        current.accountId = 1;
        auto view = OpenReceivables();
        QString order, status;
        int lines = -1;
        WhenModal<COrderDetailsSheet>([&](COrderDetailsSheet& sheet) {
            order = sheet.HeaderValue("Order");
            status = sheet.HeaderValue("Status");
            lines = sheet.Lines()->model()->rowCount();
            sheet.reject();
        });
        view->OnDetails(); // the first row: INV1
        QCOMPARE(order, QStringLiteral("Order INV1"));
        QCOMPARE(status, QStringLiteral("Invoiced"));
        QCOMPARE(lines, 1);
        QVERIFY(host->messages.Boxes().empty());

        view->List()->selectionModel()->setCurrentIndex(
            view->List()->model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->OnDetails();
        QCOMPARE(host->messages.TextIds(), std::vector<int>{65093});
    }

    void printoutHoldsInvoicesAndTotals()
    {
        current.accountId = 1;
        auto view = OpenReceivables();
        const QString pdf = dir->filePath("ar.pdf");
        QVERIFY(CDocumentPrinter::PrintPdf(
            zev::AccountDocuments::Receivables(view->Data().Items(), "Bayside Grill  (A100)", clock->Now()), pdf,
            host->messages));
        const QString text = zev::test::PdfText(pdf);
        for (const char* wanted : {"Accounts Receivable", "Wednesday, March 11, 2026", "Bayside Grill", "INV1",
                                   "03/01/2026", "100.00", "60.00", "80.00", "120.00", "Page: 1"})
            QVERIFY2(text.contains(wanted), wanted);

        QVERIFY(!CDocumentPrinter::PrintPdf(zev::AccountDocuments::Receivables({}, "x", clock->Now()), pdf,
                                            host->messages));
        QCOMPARE(LastText(), std::string("You have nothing to be printed."));
    }

    void messageCenterReadsRepliesAndDeletes()
    {
        QVERIFY(host->profile.SetUserID("100200"));
        QVERIFY(db->Exec("insert into Messages (MessageID, FromID, FromStatus, FromName, ToID, ToStatus, Subject, "
                         "Message, Updated) values (5, 900100, 0, 'Manager', 100200, 0, 'Prices', 'New list', 0), "
                         "(6, 900100, 0, 'Manager', 100200, 2, 'Old', 'Answered', 0)"));
        CMessageView view(*host);
        view.resize(700, 500);
        view.InitialUpdate();
        QAbstractItemModelTester tester(view.List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(view.List()->model()->rowCount(), 2);
        QCOMPARE(view.ReplyList()->count(), 4);
        QCOMPARE(view.List()->Model()->Cell(0, 0), QStringLiteral("N"));

        view.SelectRow(1);
        QCOMPARE(view.List()->Model()->Cell(1, 0), QStringLiteral("<"));
        QCOMPARE(db->Scalar("select ToStatus from Messages where MessageID = 6"), "2");

        view.SelectRow(0);
        QCOMPARE(view.TextBox()->toPlainText(), QStringLiteral("New list"));
        QCOMPARE(view.List()->Model()->Cell(0, 0), QStringLiteral("R"));
        view.TextBox()->clear();
        view.OnReply();
        QCOMPARE(LastText(), std::string("Please enter text in the reply area."));

        view.OnQuickReply(2);
        view.OnReply();
        QCOMPARE(view.ReplyList()->count(), 4);
        QCOMPARE(view.List()->Model()->Cell(0, 0), QStringLiteral("<"));
        view.TextBox()->setPlainText("Can't make it");
        view.OnReply();
        QCOMPARE(view.ReplyList()->count(), 5);
        QCOMPARE(db->ScalarInt("select count(*) from Messages where MessageID = 0 and Message = 'Can''t make it'"), 1);
        QFile replies(dir->filePath("replies.txt"));
        QVERIFY(replies.open(QIODevice::ReadOnly));
        QVERIFY(replies.readAll().endsWith("Can't make it\r\n"));

        view.OnDelete();
        QCOMPARE(view.List()->model()->rowCount(), 1);
        QVERIFY(view.TextBox()->toPlainText().isEmpty());
        QCOMPARE(db->Scalar("select ToStatus from Messages where MessageID = 5"), "9");
    }

    void emptyInboxSaysSo()
    {
        QVERIFY(host->profile.SetUserID("100200"));
        CMessageView view(*host);
        view.InitialUpdate();
        QCOMPARE(host->messages.TextIds().back(), 65139);
    }

    void backorderDialogsCancelAndMoveQuantities()
    {
        QVERIFY(db->Exec("insert into Items (ItemID, DistributorSKU, Description, QtyPerCase, QtyOnHand, DeletedFlag) "
                         "values (501, '1001', 'Cabernet', 12, 0, 0)"));
        QVERIFY(db->Exec("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType, InvoiceDate) values (1, "
                         "'INV9', 'BO', '2026-02-03')"));
        QVERIFY(db->Exec("insert into OpenOrderItems (AccountID, InvoiceNumber, LineNumber, ItemID, QtyOrdered) "
                         "values (1, 'INV9', 1, 501, 27), (1, 'INV9', 2, 501, 6)"));
        host->app.settings.config.SetText(cfg::kBackorderOrderTypes, "'BO','MO','IN'", cfg::kBackorderOrderTypesWidth);

        CCancelBackordersDlg none(*host, 2, clock->Now());
        QCOMPARE(none.List()->model()->rowCount(), 0);
        none.accept();
        QCOMPARE(db->ScalarInt("select count(*) from ReadyOrder"), 0);

        CCancelBackordersDlg cancel(*host, 1, clock->Now());
        QAbstractItemModelTester tester(cancel.List()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(cancel.List()->Model()->Cell(0, 2), QStringLiteral("2 / 3"));
        cancel.List()->SetChecked(1, true);
        cancel.OnHeaderClicked(2); // ascending by quantity: the checked 6-unit line moves first
        QVERIFY(cancel.List()->IsChecked(0));
        QVERIFY(!cancel.List()->IsChecked(1));
        cancel.accept();
        QCOMPARE(db->Scalar("select OrderType from ReadyOrder"), "3");
        QCOMPARE(db->Scalar("select LineComment from ReadyOrderItems"), "INV9:2");

        std::vector<std::pair<std::string, int>> changes;
        auto add = [&](const zev::BackorderLine&, int units, const std::string& tag) {
            changes.emplace_back(tag, units);
            return true;
        };
        CBackordersDlg guide(*host, 1, {"INV9:1"}, add);
        QVERIFY(guide.List()->IsChecked(0));
        QVERIFY(!guide.List()->IsChecked(1));
        guide.accept();
        QVERIFY(changes.empty());
        QCOMPARE(host->messages.Boxes().size(), std::size_t(0));

        CBackordersDlg again(*host, 1, {"INV9:1"}, add);
        again.List()->SetChecked(0, false);
        again.List()->SetChecked(1, true);
        again.accept();
        QCOMPARE(changes, (std::vector<std::pair<std::string, int>>{{"INV9:1", -27}, {"INV9:2", 6}}));
        QCOMPARE(LastText(), std::string("All changes have been made"));
    }
};

QTEST_MAIN(CollectionScreensTest)
#include "CollectionScreensTest.moc"
