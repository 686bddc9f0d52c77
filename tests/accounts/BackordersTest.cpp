#include "Fakes.h"
#include "TestDatabase.h"

#include "accounts/Backorders.h"
#include "tables/SqlText.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

namespace {

using zev::BackorderLine;
using zev::Backorders;
using zev::test::TestDatabase;

class BackordersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddItem(501, "1001", "Cabernet 750ml", 12, 27);
        AddItem(502, "22", "Spring Water 1L", 24, 0, 1);
        AddOrder("INV9", "BO", "2026-02-03");
        AddOrder("INV8", "SO", "2026-02-01");
        AddLine("INV9", 1, 501, 27);
        AddLine("INV9", 2, 502, 5);
        AddLine("INV8", 1, 501, 12);
    }

    void AddItem(int id, const char* sku, const char* description, int perCase, int onHand, int deleted = 0)
    {
        ASSERT_TRUE(db.Exec(zev::SqlText::Format("insert into Items (ItemID, DistributorSKU, Description, QtyPerCase, "
                                                 "QtyOnHand, DeletedFlag) values (%d, '%s', '%s', %d, %d, %d)",
                                                 id, sku, description, perCase, onHand, deleted)));
    }
    void AddOrder(const char* invoice, const char* type, const char* date)
    {
        ASSERT_TRUE(db.Exec(zev::SqlText::Format("insert into OpenOrders (AccountID, InvoiceNumber, TSOrderType, "
                                                 "InvoiceDate) values (7, '%s', '%s', '%s')",
                                                 invoice, type, date)));
    }
    void AddLine(const char* invoice, int line, int item, int qty)
    {
        ASSERT_TRUE(db.Exec(zev::SqlText::Format("insert into OpenOrderItems (AccountID, InvoiceNumber, LineNumber, "
                                                 "ItemID, QtyOrdered) values (7, '%s', %d, %d, %d)",
                                                 invoice, line, item, qty)));
    }

    // A statement on a connection of its own: triggers, which the dialect
    // translator does not take, make a chosen write fail.
    bool RawExec(const std::string& sql)
    {
        sqlite3* raw = nullptr;
        const bool ok = sqlite3_open(db.Path().c_str(), &raw) == SQLITE_OK &&
                        sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(raw);
        return ok;
    }

    TestDatabase db;
};

TEST_F(BackordersTest, ReadsBackorderLinesWithKeysAndQuantities)
{
    Backorders b({});
    std::vector<BackorderLine> lines;
    ASSERT_TRUE(b.LoadBackorderLines(7, lines));
    ASSERT_EQ(lines.size(), 2u);
    const BackorderLine& cab = lines[0].itemId == 501 ? lines[0] : lines[1];
    EXPECT_EQ(b.Key(cab), "INV9:1");
    EXPECT_EQ(b.ColumnText(cab, 2), "2 / 3");
    EXPECT_EQ(b.ColumnText(cab, 3), "2 / 3");
    EXPECT_EQ(b.ColumnText(cab, 6), "02/03/2026");
    EXPECT_EQ(b.ColumnText(lines[0].itemId == 502 ? lines[0] : lines[1], 5), "Yes");

    Backorders units({true, true, false});
    EXPECT_EQ(units.ColumnText(cab, 2), "27");
    // By invoice, both lines of the order share one key.
    EXPECT_EQ(units.Key(lines[0]), units.Key(lines[1]));

    ASSERT_TRUE(b.LoadBackorderLines(8, lines));
    EXPECT_TRUE(lines.empty());
}

TEST_F(BackordersTest, TypeListKeepsOnlyQuotedCodes)
{
    EXPECT_EQ(Backorders::CleanTypeList("'BO','MO', 'IN'"), "'BO','MO','IN'");
    EXPECT_EQ(Backorders::CleanTypeList("'BO') or 1=1 --"), "'BO'");
    EXPECT_EQ(Backorders::CleanTypeList("BO"), "");
    Backorders b({});
    std::vector<BackorderLine> lines;
    ASSERT_TRUE(b.LoadLinesOfTypes(7, "'BO','SO'", lines));
    // The deleted item stays out of the guide's list.
    EXPECT_EQ(lines.size(), 2u);
    ASSERT_TRUE(b.LoadLinesOfTypes(7, "nothing quoted", lines));
    EXPECT_TRUE(lines.empty());
}

TEST_F(BackordersTest, CancellationIsOneTypeThreeOrderWithKeyedLines)
{
    Backorders b({});
    std::vector<BackorderLine> lines;
    ASSERT_TRUE(b.LoadBackorderLines(7, lines));
    EXPECT_EQ(b.SaveCancellation(7, {}, 0), Backorders::SaveResult::Nothing);
    EXPECT_EQ(db.ScalarInt("select count(*) from ReadyOrder"), 0);

    ASSERT_EQ(b.SaveCancellation(7, lines, zev::test::At(2026, 3, 1, 9, 5, 0)), Backorders::SaveResult::Saved);
    EXPECT_EQ(db.Scalar("select OrderType from ReadyOrder"), "3");
    EXPECT_EQ(db.Scalar("select ODCText from ReadyOrder"), "Backorder Removal");
    EXPECT_EQ(db.ScalarInt("select count(*) from ReadyOrderItems where CQty = 0 and SQty = 0 and catalogID = 10"), 2);
    EXPECT_EQ(db.Scalar("select LineComment from ReadyOrderItems where LineItemNumber = 0"), b.Key(lines[0]));
    EXPECT_EQ(db.Scalar("select LineComment from ReadyOrderItems where LineItemNumber = 1"), b.Key(lines[1]));
}

TEST_F(BackordersTest, AFailedLineLeavesNoCancellation)
{
    Backorders b({});
    std::vector<BackorderLine> lines;
    ASSERT_TRUE(b.LoadBackorderLines(7, lines));
    ASSERT_TRUE(RawExec("create trigger refuse_second before insert on ReadyOrderItems when new.LineItemNumber = 1 "
                        "begin select raise(abort, 'refused'); end"));
    EXPECT_EQ(b.SaveCancellation(7, lines, 0), Backorders::SaveResult::LineFailed);
    EXPECT_EQ(db.ScalarInt("select count(*) from ReadyOrder"), 0);
    EXPECT_EQ(db.ScalarInt("select count(*) from ReadyOrderItems"), 0);
}

TEST_F(BackordersTest, ChecksMoveQuantitiesIntoAndOutOfTheGuide)
{
    Backorders b({});
    std::vector<BackorderLine> lines(3);
    for (int i = 0; i < 3; ++i) {
        lines[static_cast<std::size_t>(i)].invoiceNo = "I" + std::to_string(i);
        lines[static_cast<std::size_t>(i)].qtyOrdered = 10 + i;
        lines[static_cast<std::size_t>(i)].description = "D" + std::to_string(i);
    }
    std::map<std::string, int> added;
    auto add = [&](const BackorderLine&, int units, const std::string& tag) {
        added[tag] += units;
        return tag != "I2:0";
    };
    // Unchanged checks: no change tried, no message.
    EXPECT_FALSE(b.ApplyChecks(lines, {false, true, false}, {"I1:0"}, add));
    EXPECT_TRUE(added.empty());

    // Unchecking the opened-checked row takes exactly its quantity out.
    auto message = b.ApplyChecks(lines, {true, false, false}, {"I1:0"}, add);
    ASSERT_TRUE(message);
    EXPECT_EQ(*message, "All changes have been made");
    EXPECT_EQ(added["I0:0"], 10);
    EXPECT_EQ(added["I1:0"], -11);

    message = b.ApplyChecks(lines, {false, false, true}, {}, add);
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("(A) For invoice I2 - D2\n"), std::string::npos);
}

} // namespace
