// Backordered quantities moved into the order guide on lines tagged with the
// backorder's key, and taken out again.
#include "GuideDb.h"

#include "orders/BackorderTags.h"
#include "orders/OrderGuide.h"

#include <gtest/gtest.h>

namespace {

using zev::BackorderTags;
using zev::OrderGuide;

class BackorderTagsTest : public zev::test::GuideDb {
protected:
    void SetUp() override
    {
        AddItem(1, "Zinfandel", 12);
        AddItem(2, "Albarino", 6);
        AddItem(3, "Merlot", 12);
        AddGuide(7);
        AddLine(7, 1, 1, 1, 0);
        AddLine(7, 2, 2, 0, 0);
    }
    int UnitsTagged(const OrderGuide& g, const std::string& tag)
    {
        int units = -1;
        for (const auto& r : g.Rows())
            if (r.lineComment == tag)
                units = r.units;
        return units;
    }
    zev::OrderSettings settings;
};

TEST_F(BackorderTagsTest, AddsOnUnusedLineCopyOrLookedUpItemAndTakesOutExactly)
{
    OrderGuide g(7, 3, settings);
    ASSERT_TRUE(g.Load(0));
    // Item 2's line is unused: it takes the backorder.
    ASSERT_TRUE(BackorderTags::Add(g, 2, "S2", 27, "INV9:1", 10, {}));
    EXPECT_EQ(g.Rows().size(), 2u);
    EXPECT_EQ(UnitsTagged(g, "INV9:1"), 27);
    // Item 1 already ordered: a copy of its line carries the backorder.
    ASSERT_TRUE(BackorderTags::Add(g, 1, "S1", 5, "INV9:2", 10, {}));
    EXPECT_EQ(g.Rows().size(), 3u);
    EXPECT_EQ(g.Rows()[0].units, 12);
    EXPECT_EQ(UnitsTagged(g, "INV9:2"), 5);
    // Not in the guide: found by its number.
    ASSERT_TRUE(BackorderTags::Add(g, 3, "S3", 12, "INV9:3", 10, {}));
    EXPECT_EQ(UnitsTagged(g, "INV9:3"), 12);
    EXPECT_EQ(BackorderTags::Keys(g), (std::set<std::string>{"INV9:1", "INV9:2", "INV9:3"}));

    // The representative added 3 more: unchecking takes out only the 27.
    for (std::size_t i = 0; i < g.Rows().size(); ++i)
        if (g.Rows()[i].lineComment == "INV9:1")
            g.SetUnits(i, 30);
    ASSERT_TRUE(BackorderTags::Add(g, 2, "S2", -27, "INV9:1", 10, {}));
    EXPECT_EQ(UnitsTagged(g, "INV9:1"), 3);
    ASSERT_TRUE(BackorderTags::Add(g, 2, "S2", -3, "INV9:1", 10, {}));
    EXPECT_EQ(UnitsTagged(g, "INV9:1"), -1); // tag gone with the quantity
    EXPECT_EQ(BackorderTags::Keys(g).count("INV9:1"), 0u);

    // Taking out what the guide does not hold, or an unknown item, fails.
    EXPECT_FALSE(BackorderTags::Add(g, 2, "S2", -5, "INV9:1", 10, {}));
    EXPECT_FALSE(BackorderTags::Add(g, 99, "S99", 5, "INV9:9", 10, {}));

    ASSERT_TRUE(g.Save());
    EXPECT_EQ(Text("select LineComment from WorkOrderItems where ItemID = 3"), "INV9:3");
    OrderGuide reloaded(7, 3, settings);
    ASSERT_TRUE(reloaded.Load(0));
    EXPECT_EQ(BackorderTags::Keys(reloaded), (std::set<std::string>{"INV9:2", "INV9:3"}));
}

} // namespace
