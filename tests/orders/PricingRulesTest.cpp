// Typed amounts, the extended price of a line and the signature text.
#include "orders/Amount.h"
#include "orders/LinePricing.h"
#include "orders/Signature.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using zev::Amount;
using zev::LinePricing;
using zev::OrderGuideRow;

struct TypedCase {
    const char* text;
    bool allowNet;
    std::optional<long long> cents;
};

class TypedAmountTest : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedAmountTest, ParsesAsTheEditorDoes)
{
    const TypedCase& c = GetParam();
    const std::optional<float> v = Amount::ParseTyped(c.text, c.allowNet);
    ASSERT_EQ(v.has_value(), c.cents.has_value()) << c.text;
    if (v) {
        EXPECT_EQ(Amount::Cents(*v), *c.cents) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedAmountTest,
                         ::testing::Values(TypedCase{"250", true, 250},     // whole number without a point: cents
                                           TypedCase{"250.0", true, 25000}, // a point makes it dollars
                                           TypedCase{"1.5", true, 150}, TypedCase{"2.", true, 200},
                                           TypedCase{"150", true, 150}, TypedCase{"FREE", true, -100},
                                           TypedCase{"f", false, -100},
                                           TypedCase{"n", true, -200}, // NET where it is allowed
                                           TypedCase{"Net", false, std::nullopt}, TypedCase{"", true, std::nullopt},
                                           TypedCase{"   ", true, std::nullopt}, TypedCase{"-3", true, -3}));

TEST(StoredAmountTest, SentinelsSurviveTheirText)
{
    EXPECT_EQ(Amount::FormatStored(Amount::kFree), "-1.00");
    EXPECT_EQ(Amount::FormatStored(Amount::kNet), "-2.00");
    EXPECT_TRUE(Amount::IsFree(Amount::ReadStored("-1.00")));
    EXPECT_TRUE(Amount::IsFree(Amount::ReadStored("FREE")));
    EXPECT_TRUE(Amount::IsNet(Amount::ReadStored("net")));
    EXPECT_TRUE(Amount::IsZero(Amount::ReadStored("")));
    EXPECT_TRUE(Amount::IsZero(Amount::ReadStored("0")));
    EXPECT_EQ(Amount::Cents(Amount::ReadStored("1.20abc")), 120);
    EXPECT_TRUE(Amount::IsZero(Amount::ReadStored("abc")));
}

OrderGuideRow Line(int units, int perCase, float casePrice, float singlePrice)
{
    OrderGuideRow r;
    r.units = units;
    r.qtyPerCase = perCase;
    r.casePrice = casePrice;
    r.singlePrice = singlePrice;
    return r;
}

struct ExtendCase {
    const char* name;
    OrderGuideRow row;
    int mode;
    long long cents;
};

class ExtendedPriceTest : public ::testing::TestWithParam<ExtendCase> {};

TEST_P(ExtendedPriceTest, Amount)
{
    OrderGuideRow row = GetParam().row;
    EXPECT_EQ(Amount::Cents(LinePricing::Extend(row, GetParam().mode)), GetParam().cents);
    EXPECT_EQ(Amount::Cents(row.extendedPrice), GetParam().cents);
}

OrderGuideRow With(OrderGuideRow r, float discount, float over, float split = 0)
{
    r.discount = discount;
    r.priceOverride = over;
    r.splitCaseCharge = split;
    return r;
}

const OrderGuideRow kThirty = Line(30, 12, 24.00f, 2.50f);

INSTANTIATE_TEST_SUITE_P(
    Lines, ExtendedPriceTest,
    ::testing::Values(ExtendCase{"DiscountPerCase", With(kThirty, 1.20f, 0), 0, 6000},
                      ExtendCase{"DiscountAboveCasePrice", With(kThirty, 30.00f, 0), 0, 300},
                      ExtendCase{"OverrideAsCasePrice", With(kThirty, 0, 18.00f), 0, 4500},
                      ExtendCase{"OverrideAsUnitPrice", With(kThirty, 0, 18.00f), 1, 54000},
                      ExtendCase{"FreeOverride", With(kThirty, 0, Amount::kFree), 0, 0},
                      ExtendCase{"FreeDiscount", With(kThirty, Amount::kFree, 0), 0, 0},
                      ExtendCase{"NetOverrideUsesPrices", With(kThirty, 0, Amount::kNet), 0, 6300},
                      ExtendCase{"NetDiscountIsNoDiscount", With(kThirty, Amount::kNet, 0), 0, 6300},
                      ExtendCase{"SplitChargeOnBrokenCase", With(kThirty, 0, 0, 1.50f), 0, 6450},
                      ExtendCase{"NoSplitChargeOnWholeCases", With(Line(24, 12, 24.00f, 2.50f), 0, 0, 1.50f), 0, 4800},
                      ExtendCase{"SplitChargeWithOverride", With(kThirty, 0, 18.00f, 1.00f), 0, 4600},
                      ExtendCase{"NoUnits", With(Line(0, 12, 24.00f, 2.50f), 0, 0, 1.50f), 0, 0},
                      ExtendCase{"NegativeBecomesZero", With(Line(5, 12, 24.00f, 0.10f), 12.00f, 0), 0, 0},
                      ExtendCase{"ZeroPerCaseCountsAsOne", Line(3, 0, 10.00f, 9.00f), 0, 3000}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ExtendedPriceTest, LoweredDiscountIsStoredInTheRow)
{
    OrderGuideRow row = With(kThirty, 30.00f, 0);
    LinePricing::Extend(row, 0);
    EXPECT_EQ(Amount::Cents(row.discount), 2400);
    // The worker's form leaves the row alone.
    OrderGuideRow other = With(kThirty, 30.00f, 0);
    EXPECT_EQ(Amount::Cents(LinePricing::AmountOf(other, 0)), 300);
    EXPECT_EQ(Amount::Cents(other.discount), 3000);
}

TEST(ExtendedPriceTest, TotalAgreesWithTheShownLines)
{
    // Three lines of 0.335 each show as 0.34 (rounded half away); the total is their sum.
    std::vector<OrderGuideRow> rows(3, Line(1, 1, 0.335f, 0.335f));
    for (auto& r : rows)
        LinePricing::Extend(r, 0);
    long long shown = 0;
    for (auto& r : rows)
        shown += Amount::Cents(r.extendedPrice);
    EXPECT_EQ(LinePricing::TotalCents(rows), shown);
}

TEST(SignatureTest, EncodesPointsWithoutTheLastMark)
{
    EXPECT_EQ(zev::Signature::Encode({}), "");
    EXPECT_EQ(zev::Signature::Encode({{1, 2, 3}, {10, 20, 30}}), "12,3!1020,30");
}

TEST(SignatureTest, LongSignatureKeepsWholePointsOnly)
{
    std::vector<zev::Signature::Point> points(1000, {123, 456, 789}); // "123456,789!" is 11 characters
    const std::string text = zev::Signature::Encode(points);
    ASSERT_TRUE(zev::Signature::TooLong(text));
    const std::string cut = zev::Signature::Trim(text);
    EXPECT_LT(cut.size(), 8000u);
    EXPECT_EQ(cut.size() % 11, 10u); // whole points, the last without its mark
    EXPECT_EQ(cut.substr(cut.size() - 10), "123456,789");
    EXPECT_FALSE(zev::Signature::TooLong(std::string(7999, 'x')));
}

} // namespace
