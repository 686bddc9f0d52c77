// The place-order check: order of the rules, kinds of message, the row
// selected on a stop, and the order formed when everything passes.
#include "ScriptedBox.h"

#include "orders/Amount.h"
#include "orders/LinePricing.h"
#include "orders/OrderRules.h"

#include <gtest/gtest.h>

namespace {

using zev::MbButtons;
using zev::MbIcon;
using zev::MbResult;
using zev::OrderAccount;
using zev::OrderGuideRow;
using zev::OrderHeader;
using zev::OrderRules;
using zev::OrderSettings;
using zev::test::ScriptedBox;

OrderGuideRow Item(const char* description, int units, int perCase = 12, float casePrice = 24.0f)
{
    OrderGuideRow r;
    r.itemId = static_cast<int>(std::hash<std::string>{}(description) % 100000);
    r.description = description;
    r.units = units;
    r.qtyPerCase = perCase;
    r.casePrice = casePrice;
    r.singlePrice = casePrice / static_cast<float>(perCase);
    r.stock = 100000;
    r.productKind = 1;
    zev::LinePricing::Extend(r, 0);
    return r;
}

class OrderRulesTest : public ::testing::Test {
protected:
    OrderRules::Outcome Place(const std::vector<OrderGuideRow>& rows, const std::vector<OrderGuideRow>& hidden = {})
    {
        OrderRules rules(settings, box);
        return rules.Place(rows, hidden, account, header);
    }
    bool AskedYesNo() const
    {
        return box.shown.size() == 1 && box.shown[0].buttons == MbButtons::YesNo &&
               box.shown[0].icon == MbIcon::Warning;
    }
    bool Refused() const
    {
        return box.shown.size() == 1 && box.shown[0].buttons == MbButtons::Ok && box.shown[0].icon == MbIcon::Stop;
    }

    OrderSettings settings;
    ScriptedBox box;
    OrderAccount account{7, 0, "LIC-1"};
    OrderHeader header;
};

TEST_F(OrderRulesTest, EmptyGuideSaysSoAndFormsNothing)
{
    const auto out = Place({Item("A", 0), Item("B", 0)});
    EXPECT_FALSE(out.placed);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "There are no items in this order guide to process.");
    EXPECT_EQ(box.shown[0].icon, MbIcon::Information);
    EXPECT_TRUE(header.lines.empty());
}

TEST_F(OrderRulesTest, HiddenRowsCountOnlyWithSaveHiddenLines)
{
    const std::vector<OrderGuideRow> hidden{Item("Hidden", 12)};
    EXPECT_FALSE(Place({Item("A", 0)}, hidden).placed);
    settings.saveHiddenLines = true;
    box.shown.clear();
    EXPECT_TRUE(Place({Item("A", 0)}, hidden).placed);
    ASSERT_EQ(header.lines.size(), 1u);
    EXPECT_EQ(header.lines[0].text, "Hidden");
}

TEST_F(OrderRulesTest, MinimumBlocksBelowAndPassesAtTheAmount)
{
    settings.orderMinimumBlocks = true;
    settings.orderMinimum = 150;
    // 149.99 as one case of 149.99.
    auto out = Place({Item("Wine", 1, 1, 149.99f)});
    EXPECT_FALSE(out.placed);
    EXPECT_EQ(out.selectRow, -1);
    ASSERT_TRUE(Refused());
    EXPECT_NE(box.shown[0].text.find("must be at least $150.00. Your total is currently $149.99."), std::string::npos);
    box.shown.clear();
    EXPECT_TRUE(Place({Item("Wine", 1, 1, 150.00f)}).placed);
    EXPECT_TRUE(box.shown.empty());
}

TEST_F(OrderRulesTest, BothMinimumFlagsOnlyAsk)
{
    settings.orderMinimumBlocks = settings.orderMinimumWarns = true;
    settings.orderMinimum = 150;
    box.answers = {MbResult::Yes};
    EXPECT_TRUE(Place({Item("Wine", 1, 1, 10.0f)}).placed);
    EXPECT_TRUE(AskedYesNo());
    EXPECT_NE(box.shown[0].text.find("should be at least $150.00"), std::string::npos);
}

struct RowRuleCase {
    const char* name;
    std::function<void(OrderSettings&)> set;
    OrderGuideRow row;
    enum Expect { Pass, Ask, Refuse } expect;
    OrderAccount account{7, 0, "LIC-1"};
};

OrderGuideRow Flags(OrderGuideRow r, int flags, int kind = 1)
{
    r.itemFlags = flags;
    r.productKind = kind;
    return r;
}
OrderGuideRow Multiple(OrderGuideRow r, int multiple)
{
    r.sellMultiple = multiple;
    return r;
}
OrderGuideRow Stock(OrderGuideRow r, int stock)
{
    r.stock = stock;
    return r;
}

class RowRuleTest : public OrderRulesTest, public ::testing::WithParamInterface<RowRuleCase> {};

TEST_P(RowRuleTest, Outcome)
{
    const RowRuleCase& c = GetParam();
    c.set(settings);
    account = c.account;
    box.answers = {MbResult::No};
    const auto out = Place({c.row});
    switch (c.expect) {
    case RowRuleCase::Pass:
        EXPECT_TRUE(out.placed);
        EXPECT_TRUE(box.shown.empty()) << box.shown[0].text;
        break;
    case RowRuleCase::Ask:
        EXPECT_FALSE(out.placed);
        EXPECT_TRUE(AskedYesNo());
        EXPECT_EQ(out.selectRow, 0);
        break;
    case RowRuleCase::Refuse:
        EXPECT_FALSE(out.placed);
        EXPECT_TRUE(Refused());
        EXPECT_EQ(out.selectRow, 0);
        break;
    }
}

auto Step4 = [](OrderSettings& s) { s.largeOrderStep = 4; };
auto MultBlock = [](OrderSettings& s) { s.multiplesBlock = true; };
auto MultWarn = [](OrderSettings& s) { s.multiplesWarn = true; };
auto Threes = [](OrderSettings& s) { s.bottlesOfThree = true; };
auto FlagBlock = [](OrderSettings& s) { s.flaggedItemBlocks = true; };
auto FlagWarn = [](OrderSettings& s) { s.flaggedItemWarns = true; };
auto StockBlock = [](OrderSettings& s) { s.stockBlocks = true; };
auto StockWarn = [](OrderSettings& s) { s.stockWarns = true; };
auto Licence = [](OrderSettings& s) { s.licenceRequired = true; };
auto Premise = [](OrderSettings& s) { s.premiseRestricted = true; };

INSTANTIATE_TEST_SUITE_P(
    Rules, RowRuleTest,
    ::testing::Values(RowRuleCase{"NineteenCasesPass", Step4, Item("Wine", 19 * 12), RowRuleCase::Pass},
                      RowRuleCase{"TwentyCasesAsk", Step4, Item("Wine", 20 * 12), RowRuleCase::Ask},
                      RowRuleCase{"MultipleOfSixPasses", MultBlock, Multiple(Item("Wine", 12), 6), RowRuleCase::Pass},
                      RowRuleCase{"TenOfSixRefused", MultBlock, Multiple(Item("Wine", 10), 6), RowRuleCase::Refuse},
                      RowRuleCase{"TenOfSixAsked", MultWarn, Multiple(Item("Wine", 10), 6), RowRuleCase::Ask},
                      RowRuleCase{"MultipleOfOneNever", MultBlock, Multiple(Item("Wine", 7), 1), RowRuleCase::Pass},
                      RowRuleCase{"SevenOfTwelveAsksForThrees", Threes, Item("Wine", 7, 12), RowRuleCase::Ask},
                      RowRuleCase{"TenPerCaseNeverAsks", Threes, Item("Wine", 7, 10), RowRuleCase::Pass},
                      RowRuleCase{"SixUnitsNeverAsk", Threes, Item("Wine", 6, 12), RowRuleCase::Pass},
                      RowRuleCase{"FlaggedRefused", FlagBlock, Flags(Item("Wine", 1), 2), RowRuleCase::Refuse},
                      RowRuleCase{"FlaggedAsked", FlagWarn, Flags(Item("Wine", 1), 2), RowRuleCase::Ask},
                      RowRuleCase{"OverStockRefused", StockBlock, Stock(Item("Wine", 13), 12), RowRuleCase::Refuse},
                      RowRuleCase{"AtStockPasses", StockBlock, Stock(Item("Wine", 12), 12), RowRuleCase::Pass},
                      RowRuleCase{"OverStockAsked", StockWarn, Stock(Item("Wine", 13), 12), RowRuleCase::Ask},
                      RowRuleCase{"AlcoholWithoutLicence", Licence, Flags(Item("Wine", 1), 0, 2), RowRuleCase::Refuse,
                                  OrderAccount{7, 0, "   "}},
                      RowRuleCase{"AlcoholWithLicence", Licence, Flags(Item("Wine", 1), 0, 2), RowRuleCase::Pass},
                      RowRuleCase{"OnPremiseOnlyForOffPremise", Premise, Flags(Item("Wine", 1), 4),
                                  RowRuleCase::Refuse},
                      RowRuleCase{"OnPremiseOnlyForOnPremise", Premise, Flags(Item("Wine", 1), 4), RowRuleCase::Pass,
                                  OrderAccount{7, 1, "L"}},
                      RowRuleCase{"OffPremiseOnlyForOnPremise", Premise, Flags(Item("Wine", 1), 8), RowRuleCase::Refuse,
                                  OrderAccount{7, 1, "L"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(OrderRulesTest, PremiseMessageNamesBothKinds)
{
    settings.premiseRestricted = true;
    Place({Flags(Item("Wine", 1), 4)});
    ASSERT_TRUE(Refused());
    EXPECT_NE(box.shown[0].text.find("marked as 'On-Premise Only' but the account is an Off-Premise account"),
              std::string::npos);
    settings.premiseAsLimitedAvailability = true;
    box.shown.clear();
    Place({Flags(Item("Wine", 1), 4)});
    ASSERT_TRUE(Refused());
    EXPECT_NE(box.shown[0].text.find("'Limited Availability'"), std::string::npos);
}

TEST_F(OrderRulesTest, MustRuleOnThirdRowSelectsItAndTestsNoLaterRow)
{
    settings.flaggedItemBlocks = true;
    settings.stockWarns = true;
    std::vector<OrderGuideRow> rows{Item("One", 1), Item("Zero flagged", 0), Flags(Item("Three", 1), 2),
                                    Stock(Item("Four", 5), 1)};
    const auto out = Place(rows);
    EXPECT_FALSE(out.placed);
    EXPECT_EQ(out.selectRow, 2);
    ASSERT_EQ(box.shown.size(), 1u); // neither row 2 (0 units) nor row 4 was tested
    EXPECT_NE(box.shown[0].text.find("You are trying to order Three."), std::string::npos);
    EXPECT_TRUE(header.lines.empty());
}

TEST_F(OrderRulesTest, YesGoesOnToTheNextTest)
{
    settings.stockWarns = true;
    settings.multiplesBlock = true;
    box.answers = {MbResult::Yes};
    const auto out = Place({Multiple(Stock(Item("Wine", 10), 1), 6)});
    EXPECT_FALSE(out.placed);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[1].icon, MbIcon::Stop);
}

TEST_F(OrderRulesTest, KegsMatchTheirDeposits)
{
    settings.kegDepositCheck = true;
    EXPECT_TRUE(Place({Item("Lager 1/2 Keg", 2, 1), Item("KEG DEP", 2, 1)}).placed);
    EXPECT_TRUE(box.shown.empty());
    box.answers = {MbResult::No};
    EXPECT_FALSE(Place({Item("Lager 1/2 keg", 2, 1), Item("Keg Deposit", 1, 1)}).placed);
    EXPECT_TRUE(AskedYesNo());
}

TEST_F(OrderRulesTest, WaterWithOtherKindsAsks)
{
    settings.waterCheck = true;
    OrderGuideRow water = Flags(Item("Spring water", 12), 0, 4);
    EXPECT_TRUE(Place({water, Flags(Item("More water", 12), 0, 4)}).placed);
    EXPECT_TRUE(box.shown.empty());
    box.answers = {MbResult::No};
    EXPECT_FALSE(Place({water, Flags(Item("Wine", 12), 0, 2)}).placed);
    EXPECT_TRUE(AskedYesNo());
}

TEST_F(OrderRulesTest, FormsLinesWithTextAndTotal)
{
    settings.lineTextPrefix = settings.lineTextSuffix = true;
    OrderGuideRow wine = Flags(Item("Cabernet", 30), 0, 2);
    wine.prefix = "2019";
    wine.suffix = "750ml";
    wine.lineItemNumber = 4;
    wine.specialFlag = 3;
    OrderGuideRow beer = Item("Lager", 6, 24, 20.0f);
    beer.prefix = "NA"; // not alcoholic: no prefix
    beer.suffix = "12oz";
    header.modifying = true;
    header.readyId = 9;
    header.lines.resize(5); // an order being modified drops its old lines
    ASSERT_TRUE(Place({wine, Item("Skipped", 0), beer}).placed);
    ASSERT_EQ(header.lines.size(), 2u);
    EXPECT_EQ(header.lines[0].text, "2019 Cabernet 750ml");
    EXPECT_EQ(header.lines[0].cases, 2);
    EXPECT_EQ(header.lines[0].singles, 6);
    EXPECT_EQ(header.lines[0].lineItemNumber, 4);
    EXPECT_EQ(header.lines[0].dealCode, 3u);
    EXPECT_EQ(header.lines[1].text, "Lager 12oz");
    EXPECT_EQ(header.accountId, 7);
    EXPECT_EQ(header.readyId, 9);
    EXPECT_EQ(header.totalCents, zev::Amount::Cents(wine.extendedPrice) + zev::Amount::Cents(beer.extendedPrice));
}

} // namespace
