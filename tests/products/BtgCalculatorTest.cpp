// The by-the-glass calculator's arithmetic in both directions and the bottle
// size it preselects from an item's size text.
#include "products/BtgCalculator.h"

#include <gtest/gtest.h>

namespace {

using zev::BtgCalculator;

BtgCalculator At(double bottlePrice, double serving, double bottle, unsigned margin)
{
    BtgCalculator calc;
    calc.SetBottlePrice(bottlePrice);
    calc.SetServingSize(serving);
    calc.SetBottleSize(bottle);
    calc.SetMargin(margin);
    return calc;
}

TEST(BtgCalculator, FiveOuncesOfAStandardBottleUseTheShownServings)
{
    BtgCalculator calc = At(12.00, 5, 750, 100);
    ASSERT_TRUE(calc.RecalculateFromMargin());
    // 750 / (5 x 29.57) = 5.07..., shown and used as 5.1.
    EXPECT_EQ(calc.ServingsText(), "  5.1");
    EXPECT_EQ(calc.PricePerServingText(), " 4.71");
    // The unrounded price per serving times 5.1 gives back exactly the bottle price.
    EXPECT_EQ(calc.MarginPerBottleText(), "$12.00");
}

TEST(BtgCalculator, TheWholeBottleIsOneServing)
{
    BtgCalculator calc = At(10.00, BtgCalculator::kWholeBottle, 750, 50);
    ASSERT_TRUE(calc.RecalculateFromMargin());
    EXPECT_EQ(calc.ServingsText(), "1");
    EXPECT_EQ(calc.PricePerServingText(), "15.00");
    EXPECT_EQ(calc.MarginPerBottleText(), "$ 5.00");
}

TEST(BtgCalculator, PricePerServingWithThreeDecimalsLosesTheLast)
{
    BtgCalculator calc = At(12.00, 5, 750, 0);
    std::string typed = "4.567";
    ASSERT_TRUE(calc.EditPricePerServing(typed));
    EXPECT_EQ(typed, "4.56");
    // (4.56 / (12 / 5.1) - 1) x 100 = 93.8 -> 93.
    EXPECT_EQ(calc.Margin(), 93u);
    EXPECT_EQ(calc.MarginPerBottleText(), "$11.26");
    // Two decimals stay as typed.
    std::string two = " 4.71 ";
    ASSERT_TRUE(calc.EditPricePerServing(two));
    EXPECT_EQ(two, "4.71");
    EXPECT_EQ(calc.Margin(), 100u);
}

TEST(BtgCalculator, PriceBelowCostIsNoMarginRatherThanAHugeOne)
{
    BtgCalculator calc = At(12.00, 5, 750, 40);
    std::string typed = "1.00";
    ASSERT_TRUE(calc.EditPricePerServing(typed));
    EXPECT_EQ(calc.Margin(), 0u);
    EXPECT_EQ(calc.MarginPerBottleText(), "$ 0.00");
}

TEST(BtgCalculator, UnusableEntriesChangeNothing)
{
    BtgCalculator calc = At(12.00, 5, 750, 100);
    ASSERT_TRUE(calc.RecalculateFromMargin());
    for (const char* text : {"", "0", "-3", "abc", "12x"})
        EXPECT_FALSE(calc.EditBottlePrice(text)) << text;
    EXPECT_DOUBLE_EQ(calc.BottlePrice(), 12.00);
    EXPECT_FALSE(calc.EditMargin(""));
    EXPECT_EQ(calc.Margin(), 100u);
    std::string zero = "0";
    EXPECT_FALSE(calc.EditPricePerServing(zero));
    EXPECT_EQ(calc.PricePerServingText(), " 4.71");

    // Without both sizes nothing is computed, in either direction.
    BtgCalculator noSize = At(12.00, 0, 750, 100);
    EXPECT_FALSE(noSize.RecalculateFromMargin());
    std::string price = "4.00";
    EXPECT_FALSE(noSize.EditPricePerServing(price));
    EXPECT_EQ(noSize.PricePerServingText(), "");

    // A new bottle price recalculates at the kept margin.
    EXPECT_TRUE(calc.EditBottlePrice("24"));
    EXPECT_EQ(calc.BottlePriceText(), "24.00");
    EXPECT_EQ(calc.PricePerServingText(), " 9.41");
}

struct VolumeCase {
    const char* volume;
    int index; // -1: nothing preselected
};

class BottlePreselection : public ::testing::TestWithParam<VolumeCase> {};

TEST_P(BottlePreselection, FirstMatchingSizeWins)
{
    const auto picked = BtgCalculator::PreselectBottle(GetParam().volume);
    EXPECT_EQ(picked.value_or(-1), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Volumes, BottlePreselection,
                         ::testing::Values(VolumeCase{"1.75L", 5}, VolumeCase{"750ML", 2}, VolumeCase{" 375 ml ", 0},
                                           VolumeCase{"1.5L", 4}, VolumeCase{"1L", 3}, VolumeCase{"3.0L", 7},
                                           VolumeCase{"500ML", 1}, VolumeCase{"", -1}, VolumeCase{"   ", -1},
                                           VolumeCase{"MAGNUM", -1}));

TEST(BtgCalculator, SizeListsAsShown)
{
    EXPECT_STREQ(BtgCalculator::kServingSizes[0].text, "1 Btl");
    EXPECT_STREQ(BtgCalculator::kBottleSizes[5].text, "1.75 L");
    EXPECT_DOUBLE_EQ(BtgCalculator::kBottleSizes[5].value, 1750);
}

} // namespace
