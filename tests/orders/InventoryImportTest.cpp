// Scanner files into the order guide: reading both file kinds with their bad
// lines, matching rows and items, the reset, ordering up to par, the log row,
// the file moved aside, and nothing changed when the import cannot finish.
#include "GuideDb.h"
#include "ScriptedBox.h"

#include "orders/InventoryImport.h"
#include "orders/OrderGuide.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using zev::InventoryImport;
using Kind = InventoryImport::Kind;

TEST(InventoryParseTest, GoodAndBadLinesOfBothKinds)
{
    struct Case {
        Kind kind;
        const char* line;
        bool good;
        const char* codeOrReason;
        int quantity;
        int type;
    };
    const Case cases[] = {
        {Kind::Counts, "3,U1", true, "U1", 3, 1},
        {Kind::Counts, " 12 ,  S2 \r", true, "S2", 12, 1},
        {Kind::Counts, "+4,U1", true, "U1", 4, 1},
        {Kind::Counts, "U1", false, "no comma between quantity and code", 0, 0},
        {Kind::Counts, ",U1", false, "no quantity", 0, 0},
        {Kind::Counts, "3,", false, "no item code", 0, 0},
        {Kind::Counts, "3x,U1", false, "quantity \"3x\" is not a whole number", 0, 0},
        {Kind::Counts, "abc,U1", false, "quantity \"abc\" is not a whole number", 0, 0},
        {Kind::Counts, "1.5,U1", false, "quantity \"1.5\" is not a whole number", 0, 0},
        {Kind::Counts, "-2,U1", false, "negative quantity", 0, 0},
        {Kind::Counts, "99999999999,U1", false, "quantity \"99999999999\" is too large", 0, 0},
        {Kind::CountsAndQuantities, "1, u1 ,5,counted on shelf, aisle 3", true, "u1", 5, 1},
        {Kind::CountsAndQuantities, "2,S2,7", true, "S2", 7, 2},
        {Kind::CountsAndQuantities, "1,U1", false, "fewer than three fields", 0, 0},
        {Kind::CountsAndQuantities, "x,U1,5,", false, "type \"x\" is not a whole number", 0, 0},
        {Kind::CountsAndQuantities, "1,,5,", false, "no item code", 0, 0},
    };
    for (const Case& c : cases) {
        const auto p = InventoryImport::Parse(std::string(c.line) + "\n", c.kind);
        if (c.good) {
            ASSERT_EQ(p.records.size(), 1u) << c.line;
            EXPECT_EQ(p.records[0].code, c.codeOrReason) << c.line;
            EXPECT_EQ(p.records[0].quantity, c.quantity) << c.line;
            EXPECT_EQ(p.records[0].type, c.type) << c.line;
        } else {
            ASSERT_EQ(p.skipped.size(), 1u) << c.line;
            EXPECT_EQ(p.skipped[0].reason, c.codeOrReason) << c.line;
        }
    }
}

TEST(InventoryParseTest, LineNumbersCountBlankLinesWhichAreNotErrors)
{
    const auto p = InventoryImport::Parse("1,A\n\n  \nbad\r\n2,B", Kind::Counts);
    ASSERT_EQ(p.records.size(), 2u);
    EXPECT_EQ(p.records[1].code, "B"); // the last line needs no line feed
    ASSERT_EQ(p.skipped.size(), 1u);
    EXPECT_EQ(p.skipped[0].line, 4);
}

TEST(InventoryParseTest, MovedNameStaysInItsFolder)
{
    const std::time_t t = 1700000000;
    const std::string n = InventoryImport::MovedName(Kind::Counts, "Bar/Grill", "1001", t);
    EXPECT_EQ(n.rfind("Inventory for Bar-Grill (1001) ", 0), 0u);
    EXPECT_EQ(n.substr(n.size() - 4), ".txt");
    EXPECT_EQ(InventoryImport::MovedName(Kind::CountsAndQuantities, "A", "B", t).rfind("OLD INV-QTY for A (B) ", 0),
              0u);
}

class InventoryImportTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        dir = temp.Dir();
        AddItem(1, "Zinfandel", 12);
        AddItem(2, "Albarino", 6);
        AddItem(3, "Merlot", 12);     // not in the guide
        AddItem(4, "Gone", 12, 1, 1); // deleted
        AddGuide(7);
        AddLine(7, 1, 1, 0, 0, "Inv = 2, Par = 10");
        AddLine(7, 2, 2, 1, 0, "Inv = 0, Par = 0");
    }

    std::string File(const std::string& content, const std::string& name = "Inventory.txt")
    {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    InventoryImport::Outcome Run(const std::string& path, InventoryImport::Options o = {})
    {
        o.accountText1 = "Corner Wines";
        o.accountText2 = "1001";
        o.now = 1700000000;
        return InventoryImport::Run(guide, path, o, box);
    }
    int Inv(int item)
    {
        return Int("select Inv from WorkOrderItems where AccountID = 7 and ItemID = " + std::to_string(item));
    }
    int FilesLeft()
    {
        int n = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
            ++n;
        return n;
    }

    zevtest::TempDir temp{"inv-import"};
    fs::path dir;
    zev::OrderSettings settings;
    zev::OrderGuide guide{7, 3, settings};
    zev::test::ScriptedBox box;
};

TEST_F(InventoryImportTest, CountsAddUpAndTheFileIsMovedAside)
{
    ASSERT_TRUE(guide.Load(0));
    InventoryImport::Options o;
    o.reset = false;
    const std::string path = File("3,U1\n4,S1\n5,U2\n");
    const auto r = Run(path, o);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Inv(1), 2 + 3 + 4); // added to the count already there; same item twice adds both
    EXPECT_EQ(Inv(2), 5);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(fs::path(r.movedTo).parent_path(), dir);
    EXPECT_EQ(fs::path(r.movedTo).filename().string().rfind("Inventory for Corner Wines (1001) ", 0), 0u);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "All of the inventory has been imported.");
    EXPECT_EQ(Int("select Updated from WorkOrder where AccountID = 7"), 1);
    EXPECT_EQ(Text("select AccountID || '/' || Type || '/' || ImportEntries || '/' || InvEntries || '/' || "
                   "OrderGuideEntries || '/' || ErrorCount || '/' || AddCount from InvImport"),
              "7/0/3/2/2/0/0");
    EXPECT_FALSE(Text("select ImportTime from InvImport").empty());
}

TEST_F(InventoryImportTest, UnknownCodesAreReportedNewItemsAddedBadLinesSkipped)
{
    ASSERT_TRUE(guide.Load(0));
    const auto r = Run(File("1,NOPE\n6,U3\nx,U1\n2,NOPE\n1,U4\n7,U1\n"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Inv(1), 7); // reset first, then counted
    EXPECT_EQ(Inv(2), 0);
    EXPECT_EQ(Inv(3), 6); // added to the guide after the last line
    EXPECT_EQ(Int("select LineItemNumber from WorkOrderItems where AccountID = 7 and ItemID = 3"), 3);
    EXPECT_EQ(Int("select count(*) from WorkOrderItems where ItemID = 4"), 0); // deleted items are not found
    EXPECT_EQ(r.missing, "NOPE  NOPE  U4  ");
    EXPECT_EQ(Text("select Type || '/' || ImportEntries || '/' || InvEntries || '/' || OrderGuideEntries || '/' || "
                   "ErrorCount || '/' || AddCount from InvImport"),
              "1/5/2/3/3/1");
    ASSERT_EQ(box.shown.size(), 1u);
    const std::string& text = box.shown[0].text;
    EXPECT_EQ(text.rfind("Your inventory has been imported, but one or more items could not be found.\n\nThey are:\n"
                         "NOPE  NOPE  U4  ",
                         0),
              0u);
    EXPECT_NE(text.find("1 line could not be read and was skipped:\nLine 3: quantity \"x\" is not a whole number"),
              std::string::npos)
        << text;
    EXPECT_EQ(guide.Rows().size(), 3u); // the screen's guide is the one written
}

TEST_F(InventoryImportTest, SecondKindMatchesAnyCaseAndOrdersUnits)
{
    ASSERT_TRUE(guide.Load(0));
    InventoryImport::Options o;
    o.kind = Kind::CountsAndQuantities;
    const auto r = Run(File("1,u1,4,shelf\n2,s2,15,\n", "Inventory.inv"), o);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Inv(1), 4);
    // the reset cleared only lines with a count; item 2 had none, so its case stays and 15 units add
    EXPECT_EQ(Int("select CaseQTY * 6 + SingleQTY from WorkOrderItems where ItemID = 2"), 6 + 15);
    EXPECT_EQ(box.shown.back().text, "Inventory-Quantity file imported");
    EXPECT_EQ(fs::path(r.movedTo).filename().string().rfind("OLD INV-QTY for ", 0), 0u);
}

TEST_F(InventoryImportTest, OrderUpToParAfterTheCounts)
{
    ASSERT_TRUE(guide.Load(0));
    InventoryImport::Options o;
    o.orderUpToPar = true;
    ASSERT_TRUE(Run(File("4,U1\n9,U2\n"), o).ok);
    EXPECT_EQ(Int("select CaseQTY * 12 + SingleQTY from WorkOrderItems where ItemID = 1"), 6); // par 10 - inv 4
    EXPECT_EQ(Int("select CaseQTY * 6 + SingleQTY from WorkOrderItems where ItemID = 2"), 0);  // above par: 0
}

TEST_F(InventoryImportTest, RefusedFilesChangeNothing)
{
    ASSERT_TRUE(guide.Load(0));
    struct Case {
        std::string path;
        Kind kind;
        const char* message;
    };
    const Case cases[] = {
        {"", Kind::Counts, "Inventory file must be specified."},
        {"", Kind::CountsAndQuantities, "An Inventory-Quantity file must be specified."},
        {(dir / "missing.txt").string(), Kind::Counts, "Unable to find inventory file."},
        {(dir / "missing.inv").string(), Kind::CountsAndQuantities, "Unable to find Inventory-Quantity file."},
        {File(""), Kind::Counts, "Inventory file is empty."},
        {File("\n\r\n", "blank.inv"), Kind::CountsAndQuantities, "Inventory-Quantity file is empty."},
    };
    for (const Case& c : cases) {
        box.shown.clear();
        InventoryImport::Options o;
        o.kind = c.kind;
        EXPECT_FALSE(Run(c.path, o).ok);
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, c.message);
        EXPECT_EQ(box.shown[0].icon, zev::MbIcon::Stop);
    }
    EXPECT_EQ(Int("select count(*) from InvImport"), 0);
    EXPECT_EQ(Inv(1), 2);
}

TEST_F(InventoryImportTest, AFileOfOnlyBadLinesImportsNothingAndStays)
{
    ASSERT_TRUE(guide.Load(0));
    const std::string path = File("abc\n1;U1\n");
    EXPECT_FALSE(Run(path).ok);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(Inv(1), 2);
    EXPECT_EQ(Int("select count(*) from InvImport"), 0);
    EXPECT_NE(box.shown[0].text.find("2 lines could not be read and were skipped:\nLine 1: no comma"),
              std::string::npos);
}

TEST_F(InventoryImportTest, AFailedWriteLeavesGuideLogAndFileAsTheyWere)
{
    ASSERT_TRUE(guide.Load(0));
    ASSERT_TRUE(RawExec("create trigger NoItem3 before insert on WorkOrderItems when new.ItemID = 3 "
                        "begin select raise(abort, 'refused'); end"));
    const std::string path = File("5,U1\n1,U3\n");
    EXPECT_FALSE(Run(path).ok);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(Inv(1), 2);
    EXPECT_EQ(Int("select count(*) from WorkOrderItems where AccountID = 7"), 2);
    EXPECT_EQ(Int("select count(*) from InvImport"), 0);
    EXPECT_EQ(Int("select Updated from WorkOrder where AccountID = 7"), 0);
    EXPECT_EQ(guide.Rows().size(), 2u);
    EXPECT_EQ(guide.Rows()[0].inv, 2);
    EXPECT_EQ(FilesLeft(), 1);
}

TEST_F(InventoryImportTest, AHundredThousandLinesInOneGo)
{
    ASSERT_TRUE(guide.Load(0));
    std::string content;
    for (int i = 0; i < 100000; ++i)
        content += i % 1000 == 999 ? "oops\n" : (i % 2 ? "1,U1\n" : "1,ZZ\n");
    const auto r = Run(File(content));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.records, 99900);
    EXPECT_EQ(r.errors, 50000);
    EXPECT_EQ(r.skipped.size(), 100u);
    EXPECT_EQ(Inv(1), 49900);
    const std::string& text = box.shown.back().text;
    EXPECT_NE(text.find("100 lines could not be read and were skipped:"), std::string::npos);
    EXPECT_NE(text.find("... and 80 more"), std::string::npos);
    EXPECT_NE(text.find("They are:\nZZ  ZZ  "), std::string::npos);
    EXPECT_LT(text.size(), 4000u); // the message names a sample of the missing codes, not all 50,000
}

} // namespace
