// What each printed document says, and where pages break, without Qt.
#include "TestDatabase.h"
#include "tests/reports/SampleDocuments.h"

#include "reports/AccountDocuments.h"
#include "reports/DocumentHeading.h"
#include "reports/OrderDocuments.h"
#include "reports/PageBreaker.h"
#include "reports/ReportDocument.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using zev::OrderDocuments;
using zev::PageBreaker;
using zev::PrintAlign;
using zev::PrintDocument;
using zev::PrintRowKind;
using Form = OrderDocuments::GuideForm;
using zev::test::Noon;
using zev::test::SampleGuide;

std::vector<PageBreaker::Block> Lines(int n) { return std::vector<PageBreaker::Block>(static_cast<std::size_t>(n)); }

struct BreakCase {
    const char* name;
    std::vector<PageBreaker::Block> blocks;
    int firstPage;
    int page;
    std::vector<std::size_t> starts;
};

std::vector<BreakCase> BreakCases()
{
    std::vector<BreakCase> cases;
    cases.push_back({"nothing still makes one page", {}, 5, 10, {0}});
    cases.push_back({"a full first page", Lines(5), 5, 10, {0}});
    cases.push_back({"one line more", Lines(6), 5, 10, {0, 5}});
    cases.push_back({"later pages hold more", Lines(26), 5, 10, {0, 5, 15, 25}});
    // A group title at the foot of a page goes over with its first line.
    auto section = Lines(8);
    section[4].keepWithNext = true;
    cases.push_back({"group title not last", section, 5, 10, {0, 4}});
    // The last line before the totals goes over with them.
    auto totals = Lines(7);
    totals[4].keepWithNext = true; // last line
    totals[5].keepWithNext = true; // first of two totals
    cases.push_back({"totals not alone", totals, 6, 10, {0, 4}});
    // A chain as long as a page breaks where it must.
    auto chain = Lines(6);
    for (auto& b : chain)
        b.keepWithNext = true;
    cases.push_back({"chain filling a page", chain, 4, 4, {0, 4}});
    // A block taller than a page gets a page of its own.
    auto tall = Lines(3);
    tall[1].lines = 12;
    cases.push_back({"tall block", tall, 10, 10, {0, 1, 2}});
    cases.push_back({"title leaves no room", Lines(3), 0, 2, {0, 1}});
    return cases;
}

TEST(PageBreakerTest, BreaksWhereTheLayoutSays)
{
    for (const BreakCase& c : BreakCases())
        EXPECT_EQ(PageBreaker::Paginate(c.blocks, c.firstPage, c.page), c.starts) << c.name;
}

TEST(PageBreakerTest, EveryBlockLandsOnExactlyOnePageInOrder)
{
    auto blocks = Lines(5000);
    for (std::size_t i = 0; i < blocks.size(); i += 37)
        blocks[i].keepWithNext = true;
    const auto starts = PageBreaker::Paginate(blocks, 40, 52);
    ASSERT_FALSE(starts.empty());
    EXPECT_EQ(starts.front(), 0u);
    for (std::size_t p = 1; p < starts.size(); ++p) {
        EXPECT_GT(starts[p], starts[p - 1]);
        EXPECT_LE(starts[p] - starts[p - 1], p == 1 ? 40u : 52u);
        EXPECT_FALSE(blocks[starts[p] - 1].keepWithNext) << "page " << p << " ends with a kept block";
    }
    EXPECT_LT(starts.back(), blocks.size());
}

std::vector<std::string> Headings(const PrintDocument& doc)
{
    std::vector<std::string> h;
    for (const auto& c : doc.columns)
        h.push_back(c.heading);
    return h;
}

TEST(OrderDocumentsTest, GuideWithQuantitiesTotalsWhatIsOrdered)
{
    const PrintDocument doc = OrderDocuments::Guide(SampleGuide(), Form::Quantities, false, "Corner Bar (A-7)");
    EXPECT_EQ(doc.title, "Order Guide");
    EXPECT_EQ(doc.subtitles, std::vector<std::string>{"Corner Bar (A-7)"});
    ASSERT_EQ(doc.rows.size(), 4u);
    // A line not ordered leaves its quantity and amount empty, not "0 / 0".
    EXPECT_EQ(doc.rows[0].cells, (std::vector<std::string>{"S101", "Red Ale", "", "30.00", ""}));
    EXPECT_EQ(doc.rows[1].cells, (std::vector<std::string>{"S102", "Cider", "2 / 3", "24.00", "54.00"}));
    EXPECT_EQ(doc.rows[3].kind, PrintRowKind::Total);
    EXPECT_EQ(doc.rows[3].cells,
              (std::vector<std::string>{"", "Lines: 3    Quantity c/s: 4 / 3", "", "", "Total: $94.00"}));

    const PrintDocument units = OrderDocuments::Guide(SampleGuide(), Form::Quantities, true, "");
    EXPECT_TRUE(units.subtitles.empty());
    EXPECT_EQ(units.columns[2].heading, "Units");
    EXPECT_EQ(units.rows[1].cells[2], "27");
    EXPECT_EQ(units.rows[3].cells[1], "Lines: 3    Quantity: 75");
}

TEST(OrderDocumentsTest, BlankGuideAndWorksheetLeaveTheCountsToTheHand)
{
    const PrintDocument blank = OrderDocuments::Guide(SampleGuide(), Form::Blank, false, "Corner Bar (A-7)");
    EXPECT_EQ(Headings(blank),
              (std::vector<std::string>{"Item #", "Description", "Pack", "Par", "Last", "Cases", "Singles"}));
    EXPECT_TRUE(blank.columns[5].entry && blank.columns[6].entry && !blank.columns[4].entry);
    // What is typed into the guide does not show on the blank form.
    EXPECT_EQ(blank.rows[1].cells, (std::vector<std::string>{"S102", "Cider", "12", "", "1", "", ""}));
    EXPECT_EQ(blank.rows[0].cells[3], "6");
    EXPECT_EQ(blank.rows.back().cells[0], "Lines: 3");
    EXPECT_EQ(Headings(OrderDocuments::Guide(SampleGuide(), Form::Blank, true, "")).back(), "Units");

    const PrintDocument sheet = OrderDocuments::Guide(SampleGuide(), Form::Worksheet, false, "Corner Bar (A-7)");
    EXPECT_EQ(sheet.title, "Inventory Worksheet");
    EXPECT_EQ(Headings(sheet), (std::vector<std::string>{"Item #", "Description", "Pack", "Par", "On Hand", "Order"}));
    EXPECT_EQ(sheet.rows[2].cells, (std::vector<std::string>{"S103", "Lager", "24", "4", "", ""}));
    for (const auto& row : sheet.rows)
        EXPECT_EQ(row.cells.size(), sheet.columns.size());
    EXPECT_EQ(sheet.footnotes.size(), 1u);
}

TEST(OrderDocumentsTest, OrderPrintsTextsAsTypedWithTotalAndSignature)
{
    zev::OrderHeader order = zev::test::SampleOrder();
    const PrintDocument doc = OrderDocuments::Order(order, OrderDocuments::AccountLine("Corner Bar", "A-7"));
    EXPECT_EQ(doc.subtitles, (std::vector<std::string>{"Corner Bar (A-7)", "Delivery date: 03/09/2026", "PO '7'"}));
    ASSERT_EQ(doc.rows.size(), 4u);
    EXPECT_EQ(doc.rows[0].cells, (std::vector<std::string>{"Joe's Red Ale", "2 / 0", "27.75", "55.50"}));
    EXPECT_EQ(doc.rows[1].cells[0], "    cold");
    EXPECT_EQ(doc.rows[3].cells, (std::vector<std::string>{"Lines: 2", "", "", "Total: $79.50"}));
    EXPECT_EQ(doc.footnotes, std::vector<std::string>{"Notes: Back door, it's open"});
    // Pen down from the first point to the second and from the third to the
    // fourth; the lift between them draws nothing.
    ASSERT_EQ(doc.drawing.size(), 2u);
    EXPECT_EQ(doc.drawing[0].x1, 10);
    EXPECT_EQ(doc.drawing[0].y2, 21);
    EXPECT_EQ(doc.drawing[1].x2, 31);
    EXPECT_EQ(doc.drawingCaption, "Signature:");

    order.signature.clear();
    order.cancelDate = "03/20/2026";
    const PrintDocument plain = OrderDocuments::Order(order, "Corner Bar");
    EXPECT_TRUE(plain.drawing.empty());
    EXPECT_TRUE(plain.drawingCaption.empty());
    EXPECT_EQ(plain.subtitles[2], "Cancel date: 03/20/2026");
}

TEST(AccountDocumentsTest, ReceivablesRunTheTotalOfWhatIsStillDue)
{
    const PrintDocument doc =
        zev::AccountDocuments::Receivables(zev::test::SampleInvoices(), "Bayside Grill  (A100)", Noon(2026, 3, 11));
    EXPECT_EQ(doc.title, "Accounts Receivable");
    EXPECT_EQ(doc.subtitles, (std::vector<std::string>{"Wednesday, March 11, 2026", "Bayside Grill  (A100)"}));
    EXPECT_EQ(doc.pageWord, "Page:");
    EXPECT_EQ(doc.rows[0].cells,
              (std::vector<std::string>{"INV1", "03/01/2026", "03/31/2026", "100.00", "40.00", "60.00", "60.00"}));
    EXPECT_EQ(doc.rows[1].cells[2], ""); // no due date
    EXPECT_EQ(doc.rows[1].cells[6], "80.50");
    EXPECT_EQ(doc.rows[2].cells, (std::vector<std::string>{"Totals", "", "", "120.50", "40.00", "80.50", ""}));
    EXPECT_FALSE(zev::AccountDocuments::Receivables({}, "x", Noon(2026, 3, 11)).HasLines()); // totals only
}

TEST(ReportDocumentTest, ColumnsFollowTheDefinitionAndShortRowsAreFilled)
{
    const PrintDocument doc = zev::ReportDocument::Build("Balances", {"Number", "Company", "Balance"}, {0, 2, 1},
                                                         {80, 0}, {{"A-1", "Harbor", "125.50"}, {"A-2"}});
    ASSERT_EQ(doc.columns.size(), 3u);
    EXPECT_EQ(doc.columns[0].align, PrintAlign::Left);
    EXPECT_EQ(doc.columns[1].align, PrintAlign::Centre);
    EXPECT_EQ(doc.columns[2].align, PrintAlign::Right);
    EXPECT_EQ(doc.columns[0].width, 80);
    EXPECT_EQ(doc.columns[1].width, 100); // unusable width
    EXPECT_EQ(doc.columns[2].width, 100); // missing width
    EXPECT_EQ(doc.rows[1].cells, (std::vector<std::string>{"A-2", "", ""}));
    EXPECT_EQ(doc.footnotes, std::vector<std::string>{"2 rows"});
    EXPECT_EQ(zev::ReportDocument::Build("x", {"a"}, {}, {}, {{"1"}}).footnotes[0], "1 row");
}

TEST(DocumentHeadingTest, NamesTheDistributorAndTheRepresentative)
{
    zev::test::TestDatabase db;
    ASSERT_TRUE(
        db.Exec("insert into DistributorInfo (DistributorID, DistributorName) values (1, 'Valley Beverage  ')"));
    ASSERT_TRUE(db.Exec("insert into ManagerReps (RepID, RepName) values (100200, 'Pat O''Neil')"));
    PrintDocument doc;
    zev::DocumentHeading::Fill(doc, "100200");
    EXPECT_EQ(doc.distributor, "Valley Beverage");
    EXPECT_EQ(doc.representative, "Pat O'Neil (100200)");

    zev::DocumentHeading::Fill(doc, "100300");
    EXPECT_EQ(doc.representative, "Representative 100300");
    // A user id that is not a number never reaches the statement.
    zev::DocumentHeading::Fill(doc, "1 or 1=1");
    EXPECT_EQ(doc.representative, "Representative 1 or 1=1");
    zev::DocumentHeading::Fill(doc, "");
    EXPECT_EQ(doc.representative, "");
}

} // namespace
