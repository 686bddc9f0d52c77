// The report and sales data screens wired to their logic over a real
// database: report box, parameter box, Execute, sorting by header clicks,
// drill-down by double-click, the PDF printout and the CSV export.
#include "reports/views/CReportView.h"
#include "reports/views/CSalesDataView.h"

#include "TestDatabase.h"
#include "accounts/CurrentAccount.h"
#include "app/core/ZevConfig.h"
#include "app/core/ZevConfigLayout.h"
#include "app/ui/CZevListCtrl.h"
#include "tests/app/ui/FakeScreenHost.h"
#include "tests/reports/views/PdfText.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>

namespace {

const char* const kReports = R"([Queries]
Queries=Balances, Invoices, Recent

[Balances]
Headings=Number,Company,Balance
Format=0,0,1
Widths=80,200,90
Types=a,a,f
SQL=select AccountNumber, CompanyName, BalanceDue from Accounts order by AccountID
LinkTo=Invoices
LinkSQL=select AccountID from Accounts where AccountNumber = '%s'

[Invoices]
Headings=Invoice,Amount
Format=0,1
Widths=90,90
Types=a,f
Data=Accounts
SQL=select InvoiceNo, InvoiceAmount from AR where AccountID = %d order by InvoiceNo

[Recent]
Headings=Days
Format=1
Widths=60
Types=n
Data=Days
SQL=select %d
)";

zev::ListDefinition SalesList()
{
    zev::ListDefinition list;
    list.number = 11;
    list.name = "SalesData";
    list.headings = {"Description", "Cases", "Singles", "Sales", "Item #", "UPC", "Notes", "Last Order"};
    for (std::size_t i = 0; i < list.headings.size(); ++i) {
        list.widths.push_back(90);
        list.formats.push_back(i >= 1 && i <= 3 ? 1 : 0);
        list.order.push_back(static_cast<std::uint8_t>(i + 1));
    }
    return list;
}

QStringList Column(CZevListCtrl* list, int column)
{
    QStringList cells;
    for (int r = 0; r < list->Model()->rowCount(); ++r)
        cells << list->Model()->Cell(r, column);
    return cells;
}

void ClickHeader(CZevListCtrl* list, int column)
{
    QHeaderView* header = list->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class ReportsViewsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<zev::test::TestDatabase> db;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<FakeScreenHost> host;
    zev::CurrentAccount current;
    std::string exportPath;

    zev::ReportsViewContext Context()
    {
        return {&current, [this](QWidget*, const std::string& suggested) {
                    return exportPath.empty() ? std::string() : exportPath + "/" + suggested;
                }};
    }

    template <typename View> std::unique_ptr<View> Open()
    {
        auto view = std::make_unique<View>(*host, Context());
        view->resize(1000, 600);
        view->InitialUpdate();
        view->show();
        view->activateWindow();
        if (!QTest::qWaitForWindowActive(view.get()))
            qWarning("the screen did not become active");
        return view;
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        db = std::make_unique<zev::test::TestDatabase>();
        dir = std::make_unique<QTemporaryDir>();
        host = std::make_unique<FakeScreenHost>(dir->path().toStdString());
        host->app.settings.config.SetList(SalesList());
        std::ofstream(dir->filePath("Report.ini").toStdString()) << kReports;
        exportPath = dir->path().toStdString();
        current = zev::CurrentAccount{};
        QVERIFY(db->Exec("insert into Accounts (AccountID, CompanyName, AccountNumber, BalanceDue) values "
                         "(1, 'Harbor Wine Bar', 'A-1', 125.5)"));
        QVERIFY(db->Exec("insert into Accounts (AccountID, CompanyName, AccountNumber, BalanceDue) values "
                         "(2, 'Corner Market', 'A-2', 1500)"));
        QVERIFY(db->Exec("insert into AR (AccountID, InvoiceNo, InvoiceAmount) values (2, 'INV-7', 99.95)"));
    }

    void cleanup()
    {
        host.reset();
        dir.reset();
        db.reset();
    }

    void reportScreenListsTheReportsAndLoadsTheFirst()
    {
        auto view = Open<CReportView>();
        QComboBox* box = view->ReportBox();
        QCOMPARE(box->count(), 3);
        QCOMPARE(box->currentText(), QStringLiteral("Balances"));
        QVERIFY(view->DataBox()->isHidden());
        QCOMPARE(view->List()->Model()->columnCount(), 3);
        QCOMPARE(view->List()->Model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Balance"));
        QCOMPARE(view->List()->horizontalHeader()->sectionSize(1), 200);
        for (QWidget* control : {static_cast<QWidget*>(box), static_cast<QWidget*>(view->DataBox()),
                                 static_cast<QWidget*>(view->ExecuteButton()), static_cast<QWidget*>(view->List())})
            QVERIFY(!control->accessibleName().isEmpty());
        QAbstractItemModelTester tester(view->List()->Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        view->ExecuteButton()->click();
        QCOMPARE(Column(view->List(), 2), (QStringList{"125.50", "1500.00"}));
        QVERIFY(view->CanExport());
    }

    void choosingAReportFillsItsParameterBox()
    {
        auto view = Open<CReportView>();
        view->ReportBox()->setCurrentIndex(2);
        QVERIFY(!view->DataBox()->isHidden());
        QCOMPARE(view->DataBox()->count(), 6);
        QCOMPARE(view->DataBox()->currentText(), QStringLiteral("30 days"));
        QCOMPARE(view->DataBox()->itemData(5).toInt(), 180);
        view->DataBox()->setCurrentIndex(2);
        view->ExecuteButton()->click();
        QCOMPARE(Column(view->List(), 0), QStringList{"90"});
        // Typing opens the list at the first entry that begins with the text.
        view->DataBox()->lineEdit()->setFocus();
        view->OnDataTyped(QStringLiteral("15"));
        QCOMPARE(view->DataBox()->view()->currentIndex().row(), 4);
        view->DataBox()->hidePopup();
    }

    void headerClicksSortAndDoubleClickDrillsDown()
    {
        auto view = Open<CReportView>();
        view->ExecuteButton()->click();
        ClickHeader(view->List(), 2);
        QCOMPARE(Column(view->List(), 2), (QStringList{"1500.00", "125.50"}));
        ClickHeader(view->List(), 2);
        QCOMPARE(Column(view->List(), 2), (QStringList{"125.50", "1500.00"}));

        ClickHeader(view->List(), 2); // Corner Market first again
        const QRect cell = view->List()->visualRect(view->List()->Model()->index(0, 0));
        QTest::mouseClick(view->List()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->List()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(view->ReportBox()->currentText(), QStringLiteral("Invoices"));
        QCOMPARE(view->DataBox()->currentText(), QStringLiteral("Corner Market"));
        QCOMPARE(Column(view->List(), 0), QStringList{"INV-7"});
        QVERIFY(host->messages.Boxes().empty());
    }

    void printedReportHoldsItsHeadingsAndRows()
    {
        auto view = Open<CReportView>();
        view->ExecuteButton()->click();
        QVERIFY(view->PrintButton()->isEnabled());
        const QString pdf = dir->filePath("report.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(view->PrintReport(printer));
        QVERIFY(ReadFile(pdf).startsWith("%PDF"));

        const QString text = zev::test::PdfText(pdf);
        for (const char* expected : {"Balances", "Number", "Company", "Balance", "Harbor Wine Bar", "Corner Market",
                                     "A-2", "1500.00", "125.50"})
            QVERIFY2(text.contains(QLatin1String(expected)), qPrintable(text));
    }

    void exportWritesTheRowsAsCsv()
    {
        auto view = Open<CReportView>();
        QVERIFY(!view->CanExport());
        view->ExecuteButton()->click();
        view->Export();
        QCOMPARE(ReadFile(dir->filePath("Balances.csv")),
                 QByteArray("\xEF\xBB\xBFNumber,Company,Balance\r\nA-1,Harbor Wine Bar,125.50\r\nA-2,Corner "
                            "Market,1500.00\r\n"));
        const auto boxes = host->messages.Boxes();
        QCOMPARE(boxes.size(), std::size_t(1));
        QVERIFY(boxes[0].text.find("Exported 2 rows") == 0);
        // A cancelled file choice writes nothing and says nothing.
        exportPath.clear();
        auto again = Open<CReportView>();
        again->ExecuteButton()->click();
        again->Export();
        QCOMPARE(host->messages.Boxes().size(), std::size_t(1));
    }

    void faultyReportFileIsToldAndTheOthersWork()
    {
        std::string text = kReports;
        text.replace(text.find("Recent\n"), 7, "Recent, Broken\n");
        std::ofstream(dir->filePath("Report.ini").toStdString())
            << text << "\n[Broken]\nHeadings=A,B\nFormat=0,0\nWidths=9,9\nTypes=a\nSQL=select 1, 2\n";
        auto view = Open<CReportView>();
        view->ReportBox()->setCurrentIndex(3);
        QVERIFY(!view->ExecuteButton()->isEnabled());
        const auto boxes = host->messages.Boxes();
        QCOMPARE(boxes.size(), std::size_t(1));
        QVERIFY(boxes[0].text.find("\"Broken\"") != std::string::npos);
        QVERIFY(boxes[0].text.find("\"Types\"") != std::string::npos);
        view->ReportBox()->setCurrentIndex(0);
        QVERIFY(view->ExecuteButton()->isEnabled());
        view->ExecuteButton()->click();
        QCOMPARE(view->List()->Model()->rowCount(), 2);
    }

    void salesDataShowsTheCurrentAccount()
    {
        QVERIFY(db->Exec("insert into AccountSalesData values (2, 250, 1, 2, 3, 4, 5, 1000, 0, 0, 0, 0, 0)"));
        QVERIFY(db->Exec("insert into Items (ItemID, Description, DistributorSKU, UPC, DeletedFlag) values "
                         "(5, 'PINOT NOIR', 'P-5', '0123', 0)"));
        QVERIFY(db->Exec("insert into Items (ItemID, Description, DistributorSKU, UPC, DeletedFlag) values "
                         "(6, 'TONIC', 'T-6', '0456', 0)"));
        QVERIFY(db->Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate, SiteID) values "
                         "(1, 2, '2026-03-07 12:30:00', 3)"));
        QVERIFY(db->Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, CQty, SQty, ExtPrice) "
                         "values (1, 1, 5, 2, 0, 240)"));
        QVERIFY(db->Exec("insert into OrderHistoryItems (OrderNumber, LineNumber, ItemID, CQty, SQty, ExtPrice) "
                         "values (1, 2, 6, 0, 4, 8)"));
        current.accountId = 2;
        current.accountNumber = "A-2";
        auto view = Open<CSalesDataView>();
        QCOMPARE(view->Label("LBL_AMOUNTBALANCE")->text(), QStringLiteral("250.00"));
        QCOMPARE(view->Label("LBL_QUOTABALANCE")->text(), QStringLiteral("1000.00"));
        QCOMPARE(view->Label("LBL_PERBALANCE")->text(), QStringLiteral("25.00"));
        QCOMPARE(view->Label("LBL_PREMTD")->text(), QStringLiteral("N/A"));
        QCOMPARE(view->Label("LBL_TOPTEN")->text(), QStringLiteral("Top items since 03/07/26: "));
        QCOMPARE(Column(view->List(), 0), (QStringList{"Pinot Noir", "Tonic"}));
        QCOMPARE(Column(view->List(), 7), (QStringList{"03/07/26", "03/07/26"}));
        ClickHeader(view->List(), 0); // first sort of a column is descending
        QCOMPARE(Column(view->List(), 0), (QStringList{"Tonic", "Pinot Noir"}));

        view->Export();
        const QByteArray csv = ReadFile(dir->filePath("Sales data A-2.csv"));
        QVERIFY2(csv.startsWith(QByteArray("\xEF\xBB\xBF"
                                           "Description,Cases,Singles,Sales,Item #,UPC,Notes,Last "
                                           "Order\r\nTonic,0,4,8.00,T-6,0456,,03/07/26\r\n")),
                 csv.constData());
    }

    void salesDataWithoutHistory()
    {
        current.accountId = 1;
        auto view = Open<CSalesDataView>();
        QCOMPARE(view->Label("LBL_TOPTEN")->text(), QStringLiteral("Top items since never!: "));
        QCOMPARE(view->List()->Model()->rowCount(), 0);
        QCOMPARE(view->Label("LBL_AMOUNTYTD")->text(), QStringLiteral("N/A"));
        QVERIFY(!view->CanExport());
    }
};

QTEST_MAIN(ReportsViewsTest)
#include "ReportsViewsTest.moc"
