// The keypad screen's rules without widgets: keys at the caret, lookup by
// SKU then UPC with new lines added and priced, the case cap and the
// large-quantity question, singles carrying into cases, deal / discount /
// override, the par and inventory button under its two switches, and the
// guide marked for upload by every change.
#include "GuideDb.h"
#include "ScriptedBox.h"

#include "orders/ExpressEntry.h"

#include <gtest/gtest.h>

namespace {

using zev::ExpressEntry;
using zev::MbResult;

class ExpressEntryTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        AddItem(1, "Zinfandel", 12);
        AddItem(2, "Albarino", 6);
        AddItem(4, "Gone", 12, 1, 1);
        ASSERT_TRUE(db.Exec("update Items set UPC = '0777', LinePrefix = '2019' where ItemID = 2"));
        AddGuide(7);
        AddLine(7, 1, 1, 1, 3, "Inv = 4, Par = 2, SpecialFlag = '0'");
        settings.largeOrderStep = 10; // 50 cases ask
        settings.dealCodeMin = 1;
        settings.dealCodeMax = 20;
    }
    ExpressEntry Make(ExpressEntry::Options o = {})
    {
        o.catalogId = 10;
        return ExpressEntry(
            7, 3, settings, o,
            [](int, float& c, float& s, int units, int, unsigned) {
                c = 30.0f;
                s = 2.75f;
                return units == 1;
            },
            box);
    }
    static void Type(ExpressEntry& e, const std::string& text)
    {
        e.Clear();
        for (char c : text)
            e.Key(c);
    }
    std::string Row(int item, const std::string& columns)
    {
        return Text("select " + columns +
                    " from WorkOrderItems where AccountID = 7 and ItemID = " + std::to_string(item));
    }
    int Updated() { return Int("select Updated from WorkOrder where AccountID = 7"); }

    zev::OrderSettings settings;
    zev::test::ScriptedBox box;
};

TEST_F(ExpressEntryTest, KeysGoInAtTheCaret)
{
    auto e = Make();
    e.SetEntry("1234", 2);
    e.Key('A');
    e.Key('9');
    EXPECT_EQ(e.Entry(), "12A934");
    EXPECT_EQ(e.Caret(), 4u);
    e.SetEntry("12", 99); // a caret past the end sits at the end
    e.Key('D');
    EXPECT_EQ(e.Entry(), "12D");
}

TEST_F(ExpressEntryTest, LookupFindsOrAddsOrRefuses)
{
    auto e = Make();
    Type(e, "S1");
    ASSERT_TRUE(e.Lookup());
    EXPECT_EQ(e.Shown().quantity, "1 / 3");
    EXPECT_EQ(e.Shown().inventory, "4");
    EXPECT_EQ(e.Entry(), ""); // emptied after every action
    EXPECT_EQ(Updated(), 0);  // looking at a line already there changes nothing

    settings.lineTextPrefix = true;
    ASSERT_TRUE(db.Exec("update Items set ProductKind = 2 where ItemID = 2"));
    auto p = Make();
    Type(p, "0777"); // by UPC; not yet in the guide
    ASSERT_TRUE(p.Lookup());
    EXPECT_EQ(p.Shown().description, "2019 Albarino");
    EXPECT_EQ(p.Shown().casePrice, "30.00");
    EXPECT_EQ(Row(2, "LineItemNumber || '/' || CDistPrice || '/' || SDistPrice || '/' || catalogID"), "2/30.0/2.75/10");
    EXPECT_EQ(Updated(), 1);

    for (const char* missing : {"S4" /* deleted */, "NOPE", ""}) {
        box.shown.clear();
        Type(p, missing);
        EXPECT_FALSE(p.Lookup());
        EXPECT_FALSE(p.HasItem());
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, "Sorry, item not found.");
        EXPECT_EQ(box.shown[0].icon, zev::MbIcon::Stop);
    }
    EXPECT_EQ(Int("select count(*) from WorkOrderItems where ItemID = 4"), 0);
}

TEST_F(ExpressEntryTest, CaseCapAndTheLargeQuantityQuestion)
{
    auto e = Make();
    Type(e, "S1");
    ASSERT_TRUE(e.Lookup());
    Type(e, "1000");
    EXPECT_FALSE(e.Cases());
    EXPECT_EQ(box.shown.back().text, "Case quantities are not allowed to go over 999.");
    box.answers = {MbResult::No};
    Type(e, "50");
    EXPECT_FALSE(e.Cases());
    EXPECT_EQ(box.shown.back().text, "You have tried to order 50 cases. Are you sure about this?");
    EXPECT_EQ(Row(1, "CaseQTY"), "1");
    box.shown.clear();
    Type(e, "49");
    EXPECT_TRUE(e.Cases()); // below the threshold: no question
    EXPECT_TRUE(box.shown.empty());
    Type(e, "999");
    EXPECT_TRUE(e.Cases()); // asked, answered Yes
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(Row(1, "CaseQTY || '/' || SingleQTY"), "999/3"); // singles stay
    EXPECT_EQ(e.Shown().quantity, "999 / 3");
    EXPECT_EQ(Updated(), 1);
    for (const char* notANumber : {"", "12A", "-3"}) {
        Type(e, notANumber);
        EXPECT_FALSE(e.Cases()) << notANumber;
    }
}

TEST_F(ExpressEntryTest, ZeroThresholdAsksForEveryEntry)
{
    settings.largeOrderStep = 0;
    auto e = Make();
    Type(e, "S1");
    ASSERT_TRUE(e.Lookup());
    box.answers = {MbResult::No};
    Type(e, "1");
    EXPECT_FALSE(e.Cases());
    EXPECT_EQ(box.shown.size(), 1u);
}

TEST_F(ExpressEntryTest, SinglesCarryIntoCases)
{
    auto e = Make();
    Type(e, "S1");
    ASSERT_TRUE(e.Lookup());
    Type(e, "30");
    ASSERT_TRUE(e.Singles());
    EXPECT_EQ(Row(1, "CaseQTY || '/' || SingleQTY"), "2/6");
    Type(e, "5");
    ASSERT_TRUE(e.Singles()); // below a case: the cases stay
    EXPECT_EQ(Row(1, "CaseQTY || '/' || SingleQTY"), "2/5");
    Type(e, "12000"); // 1000 cases of singles: refused by the same cap
    EXPECT_FALSE(e.Singles());
    EXPECT_EQ(Row(1, "CaseQTY || '/' || SingleQTY"), "2/5");
}

TEST_F(ExpressEntryTest, ZeroClearsQuantityAndInventoryButKeepsPar)
{
    settings.quantitiesInUnits = true;
    auto e = Make();
    Type(e, "S1");
    ASSERT_TRUE(e.Lookup());
    EXPECT_EQ(e.Shown().quantity, "15");
    ASSERT_TRUE(e.Zero());
    EXPECT_EQ(Row(1, "CaseQTY || '/' || SingleQTY || '/' || Inv || '/' || Par"), "0/0/0/2");
    EXPECT_EQ(e.Shown().quantity, " 0");
    EXPECT_EQ(Updated(), 1);
}

TEST_F(ExpressEntryTest, DealDiscountAndOverride)
{
    auto e = Make();
    Type(e, "S1");
    ASSERT_TRUE(e.Lookup());
    Type(e, "21");
    EXPECT_FALSE(e.Deal());
    EXPECT_EQ(box.shown.back().text, "Sorry, but the deal code submitted is invalid.");
    Type(e, "20");
    ASSERT_TRUE(e.Deal());
    EXPECT_EQ(e.Shown().deal, "20");
    EXPECT_EQ(Row(1, "SpecialFlag"), "20");

    for (const char* typed : {"125", "1.25"}) {
        Type(e, typed);
        ASSERT_TRUE(e.Discount()) << typed;
        EXPECT_EQ(e.Shown().discount, "1.25") << typed;
        EXPECT_EQ(Row(1, "DiscountAmount"), "1.25") << typed;
    }
    Type(e, "0.00");
    ASSERT_TRUE(e.Discount());
    EXPECT_EQ(Row(1, "DiscountAmount"), "0.00");

    e.Clear();
    ASSERT_TRUE(e.Override()); // nothing keyed: FREE
    EXPECT_EQ(e.Shown().priceOverride, "FREE");
    EXPECT_EQ(Row(1, "PriceOverride"), "-1.00");
    EXPECT_FALSE(e.Override()); // already FREE
    Type(e, "1999");
    ASSERT_TRUE(e.Override());
    EXPECT_EQ(e.Shown().priceOverride, "19.99");
    EXPECT_EQ(Row(1, "CaseQTY || '/' || SingleQTY || '/' || SpecialFlag"), "1/3/20"); // the rest of the line stays
}

TEST_F(ExpressEntryTest, ParOrInventoryByTheTwoSwitches)
{
    struct Case {
        bool entersInventory;
        bool fillsToPar;
        int inv;
        const char* keyed;
        const char* after; // Par/Inv/CaseQTY/SingleQTY
    };
    const Case cases[] = {
        {false, false, 4, "10", "10/4/1/3"}, {true, false, 4, "10", "2/10/1/3"},
        {true, true, 4, "10", "10/4/6/3"},   // par 10, 6 cases to reach it
        {true, true, 12, "10", "10/12/1/3"}, // above par: only the par
        {true, true, 0, "1500", "2/0/1/3"},  // 1500 cases is over the cap: refused
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(
            db.Exec("update WorkOrderItems set Par = 2, CaseQTY = 1, SingleQTY = 3, Inv = " + std::to_string(c.inv)));
        ExpressEntry::Options o;
        o.invParEntersInventory = c.entersInventory;
        o.invParFillsToPar = c.fillsToPar;
        auto e = Make(o);
        Type(e, "S1");
        ASSERT_TRUE(e.Lookup());
        Type(e, c.keyed);
        e.InvPar();
        EXPECT_EQ(Row(1, "Par || '/' || Inv || '/' || CaseQTY || '/' || SingleQTY"), c.after) << c.keyed;
    }
}

TEST_F(ExpressEntryTest, LeavingGoesWhereTheSwitchSays)
{
    ExpressEntry::Options o;
    EXPECT_EQ(Make(o).Done(), ExpressEntry::kScreenAccountList);
    o.doneToGuide = true;
    EXPECT_EQ(Make(o).Done(), ExpressEntry::kScreenOrderGuide);
    EXPECT_EQ(ExpressEntry::Cancel(), ExpressEntry::kScreenAccountList);
}

TEST_F(ExpressEntryTest, AFailedWriteKeepsTheScreenAndTableAsTheyWere)
{
    auto e = Make();
    Type(e, "S1");
    ASSERT_TRUE(e.Lookup());
    ASSERT_TRUE(RawExec("create trigger NoWrite before update on WorkOrderItems begin select raise(abort, 'x'); end"));
    Type(e, "5");
    EXPECT_FALSE(e.Cases());
    EXPECT_EQ(e.Shown().quantity, "1 / 3");
    EXPECT_EQ(Row(1, "CaseQTY"), "1");
    EXPECT_EQ(Updated(), 0);
    ASSERT_TRUE(RawExec("create trigger NoInsert before insert on WorkOrderItems begin select raise(abort, 'x'); end"));
    Type(e, "S2");
    EXPECT_FALSE(e.Lookup());
    EXPECT_EQ(box.shown.back().text, "Unable to add item.");
    EXPECT_FALSE(e.HasItem());
}

} // namespace
