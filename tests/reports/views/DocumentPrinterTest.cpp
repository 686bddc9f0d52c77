// Every printed document through the one renderer into a PDF file, read back
// with poppler: its key content, the page header and numbers, and the page
// breaks of a long guide.
#include "reports/views/CDocumentPrinter.h"

#include "reports/AccountDocuments.h"
#include "reports/OrderDocuments.h"
#include "reports/ReportDocument.h"
#include "tests/orders/ScriptedBox.h"
#include "tests/reports/SampleDocuments.h"
#include "tests/reports/views/PdfText.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <ctime>
#include <map>

namespace {

using zev::OrderDocuments;
using zev::PrintDocument;
using zev::test::Noon;

PrintDocument Document(const QString& name)
{
    const std::string account = "Corner Bar (A-7)";
    PrintDocument doc;
    const auto guide = zev::test::SampleGuide();
    if (name == "guide")
        doc = OrderDocuments::Guide(guide, OrderDocuments::GuideForm::Quantities, false, account);
    else if (name == "blank guide")
        doc = OrderDocuments::Guide(guide, OrderDocuments::GuideForm::Blank, false, account);
    else if (name == "worksheet")
        doc = OrderDocuments::Guide(guide, OrderDocuments::GuideForm::Worksheet, false, account);
    else if (name == "order")
        doc = OrderDocuments::Order(zev::test::SampleOrder(), account);
    else if (name == "receivables")
        doc =
            zev::AccountDocuments::Receivables(zev::test::SampleInvoices(), "Bayside Grill  (A100)", Noon(2026, 3, 11));
    else if (name == "itinerary")
        doc = zev::AccountDocuments::Itinerary(zev::test::SampleItinerary());
    else if (name == "accomplishments")
        doc = zev::AccountDocuments::Accomplishments(zev::test::SampleAccomplishments(), Noon(2026, 3, 4));
    else if (name == "report")
        doc = zev::ReportDocument::Build("Balances", {"Number", "Company", "Balance"}, {0, 0, 1}, {80, 200, 90},
                                         {{"A-1", "Harbor Wine Bar", "125.50"}, {"A-2", "Corner Market", "1500.00"}});
    doc.distributor = "Valley Beverage";
    doc.representative = "Pat Smith (100200)";
    return doc;
}

} // namespace

class DocumentPrinterTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    zev::test::ScriptedBox box;

private slots:
    void eachDocumentHoldsItsContent_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("wanted");
        const QStringList heading{"Valley Beverage", "Pat Smith (100200)"};
        QTest::newRow("guide")
            << "guide"
            << heading +
                   QStringList{
                       "Order Guide", "Corner Bar (A-7)", "Cases / Singles",     "S102",          "Cider",      "2 / 3",
                       "54.00",       "Lines: 3",         "Quantity c/s: 4 / 3", "Total: $94.00", "Page 1 of 1"};
        QTest::newRow("blank guide") << "blank guide"
                                     << heading + QStringList{"Order Guide", "Pack",    "Par",   "Last",    "Cases",
                                                              "Singles",     "Red Ale", "Lager", "Lines: 3"};
        QTest::newRow("worksheet") << "worksheet"
                                   << heading +
                                          QStringList{
                                              "Inventory Worksheet", "Corner Bar (A-7)", "On Hand", "Order", "S103",
                                              "Counted by:"};
        QTest::newRow("order")
            << "order"
            << heading + QStringList{"Order",         "Delivery date: 03/09/2026",   "Joe's Red Ale", "2 / 0", "55.50",
                                     "Total: $79.50", "Notes: Back door, it's open", "Signature:"};
        QTest::newRow("receivables") << "receivables"
                                     << heading + QStringList{"Accounts Receivable",
                                                              "Wednesday, March 11, 2026",
                                                              "Bayside Grill",
                                                              "Invoice#",
                                                              "R. Total",
                                                              "INV1",
                                                              "03/01/2026",
                                                              "100.00",
                                                              "120.50",
                                                              "80.50",
                                                              "Page: 1 of 1"};
        QTest::newRow("itinerary") << "itinerary"
                                   << heading + QStringList{"Itinerary - Wednesday", "Bravo Wines", "Town, ST",
                                                            "555-0101", "Accounts: 1"};
        QTest::newRow("accomplishments") << "accomplishments"
                                         << heading + QStringList{"Accomplishments", "Wednesday, March 04, 2026",
                                                                  "Acme", "Total - $ 105.25"};
        QTest::newRow("report") << "report" << heading + QStringList{"Balances",      "Company", "Harbor Wine Bar",
                                                                     "Corner Market", "1500.00", "2 rows"};
    }
    void eachDocumentHoldsItsContent()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, wanted);
        const QString pdf = dir.filePath(name + ".pdf");
        QVERIFY(CDocumentPrinter::PrintPdf(Document(name), pdf, box));
        QVERIFY(box.shown.empty());
        QCOMPARE(zev::test::PdfPages(pdf), 1);
        // pdftotext may drop a blank between narrow glyphs ("2 / 3" as "2/3").
        const QString text = zev::test::PdfText(pdf);
        const QString squeezed = QString(text).remove(' ');
        for (const QString& w : wanted)
            QVERIFY2(squeezed.contains(QString(w).remove(' ')), qPrintable(w + " missing from:\n" + text));
    }

    // 5,000 lines: the pages the layout plans are the pages printed, every
    // line once and in order, the headings and "Page N of M" on every page,
    // and nothing beyond the margins.
    void longGuideBreaksPagesWhereTheLayoutSays()
    {
        constexpr int kLines = 5000;
        std::vector<zev::OrderGuideRow> rows;
        for (int i = 1; i <= kLines; ++i)
            rows.push_back(zev::test::GuideRow(QString::asprintf("S%05d", i).toStdString(),
                                               QString::asprintf("Item %05d", i).toStdString(), i % 7, 6, 12.0f));
        PrintDocument doc = OrderDocuments::Guide(rows, OrderDocuments::GuideForm::Quantities, false, "Corner Bar");
        doc.distributor = "Valley Beverage";
        const QString pdf = dir.filePath("long.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        const int planned = CDocumentPrinter::PageCount(doc, printer);
        // 9 pt lines on a letter or A4 page: between 40 and 80 a page.
        QVERIFY2(planned >= kLines / 80 && planned <= kLines / 40 + 1, qPrintable(QString::number(planned)));
        QVERIFY(CDocumentPrinter::Print(doc, printer, box));
        QCOMPARE(zev::test::PdfPages(pdf), planned);

        const std::vector<zev::test::PdfWord> words = zev::test::PdfWords(pdf);
        QVERIFY(!words.empty());
        const double margin = 15.0 / 25.4 * 72.0 * 0.95; // points, a little slack for rounding
        std::map<int, int> headings;
        std::map<int, QString> pageLabels;
        int expected = 1;
        int lastPageOfLine = 0;
        for (std::size_t i = 0; i < words.size(); ++i) {
            const zev::test::PdfWord& w = words[i];
            QVERIFY2(w.yMin >= margin && w.yMax <= w.pageHeight - margin && w.xMin >= margin &&
                         w.xMax <= w.pageWidth - margin,
                     qPrintable(QStringLiteral("%1 outside the margins on page %2").arg(w.text).arg(w.page)));
            if (w.text == "Amount")
                ++headings[w.page];
            if (w.text == "Page" && i + 3 < words.size() && words[i + 2].text == "of")
                pageLabels[w.page] = words[i + 1].text + "/" + words[i + 3].text;
            if (w.text.size() == 6 && w.text.startsWith('S') && w.text.mid(1).toInt() > 0) {
                QCOMPARE(w.text.mid(1).toInt(), expected);
                QVERIFY(w.page >= lastPageOfLine);
                lastPageOfLine = w.page;
                ++expected;
            }
        }
        QCOMPARE(expected, kLines + 1);
        QCOMPARE(lastPageOfLine, planned); // the last line is on the last page
        QCOMPARE(static_cast<int>(headings.size()), planned);
        QCOMPARE(static_cast<int>(pageLabels.size()), planned);
        for (int p = 1; p <= planned; ++p)
            QCOMPARE(pageLabels[p], QStringLiteral("%1/%2").arg(p).arg(planned));
        const QString last = zev::test::PdfText(pdf, planned, planned).remove(' ');
        QVERIFY(last.contains("Item05000"));
        QVERIFY(last.contains("Lines:5000"));
    }

    void failuresAreTold()
    {
        box.shown.clear();
        const QString empty = dir.filePath("empty.pdf");
        PrintDocument nothing = Document("itinerary");
        nothing.rows.clear();
        QVERIFY(!CDocumentPrinter::PrintPdf(nothing, empty, box));
        QVERIFY(!QFile::exists(empty));
        QCOMPARE(box.shown.size(), std::size_t(1));
        QCOMPARE(box.shown[0].text, std::string("You have nothing to be printed."));

        QVERIFY(!CDocumentPrinter::PrintPdf(Document("order"), dir.filePath("missing/order.pdf"), box));
        QCOMPARE(box.shown.size(), std::size_t(2));
        QCOMPARE(box.shown[1].text, std::string("Printer would not initalize"));
        QCOMPARE(box.shown[1].icon, zev::MbIcon::Stop);
    }
};

QTEST_MAIN(DocumentPrinterTest)
#include "DocumentPrinterTest.moc"
