#include "accounts/AccountListColumns.h"
#include "accounts/AccountRecord.h"

#include <gtest/gtest.h>

using zev::AccountListColumns;
using zev::AccountListItem;
using zev::AccountRecord;

namespace {

AccountListItem Item()
{
    AccountListItem item;
    item.accountNumber = "A100";
    item.companyName = "Corner Bar";
    item.city = "Springfield";
    item.state = "IL";
    item.balanceDue = 1234.5;
    item.lastOrder = AccountRecord::DateFromParts(2026, 3, 4);
    item.lastVisit = AccountRecord::DateFromParts(1900, 1, 1);
    item.callbackDay = 2;
    return item;
}

struct TextCase {
    int col;
    bool weekday;
    bool withCity;
    const char* text;
};

class ColumnText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ColumnText, ShowsTheRowsValue)
{
    const auto& c = GetParam();
    EXPECT_EQ(AccountListColumns::Text(Item(), c.col, c.weekday, c.withCity), c.text);
}

INSTANTIATE_TEST_SUITE_P(Columns, ColumnText,
                         ::testing::Values(TextCase{0, true, false, ""}, TextCase{1, true, false, "A100"},
                                           TextCase{2, true, false, "Corner Bar"},
                                           TextCase{2, true, true, "Corner Bar (Springfield, IL)"},
                                           TextCase{4, true, false, "03/04/2026"},
                                           TextCase{12, true, false, ""}, // 1 January 1900 is no date
                                           TextCase{5, true, false, "Unassigned"}, TextCase{5, false, false, ""},
                                           TextCase{6, true, false, "1234.50"}, TextCase{10, true, false, "Tuesday"},
                                           TextCase{15, true, false, ""}));

TEST(AccountListColumns, SmallBalancesArePaddedToFive)
{
    AccountListItem item;
    item.balanceDue = 1.5;
    EXPECT_EQ(AccountListColumns::Text(item, 6, true, false), " 1.50");
}

TEST(AccountListColumns, NoCallbackDayShowsNothing)
{
    AccountListItem item;
    item.callbackDay = -1;
    EXPECT_EQ(AccountListColumns::Text(item, 10, true, false), "");
}

TEST(AccountListColumns, DatesBefore1971AreNoDate)
{
    EXPECT_EQ(AccountRecord::DateFromParts(1970, 12, 31), 0);
    EXPECT_EQ(AccountRecord::DateFromParts(0, 0, 0), 0);
    EXPECT_NE(AccountRecord::DateFromParts(1971, 1, 1), 0);
}

struct NumberCase {
    const char* a;
    const char* b;
    bool asText;
    int sign;
};

class AccountNumberOrder : public ::testing::TestWithParam<NumberCase> {};

TEST_P(AccountNumberOrder, ComparesBySwitch34)
{
    const auto& c = GetParam();
    AccountListItem a;
    AccountListItem b;
    a.accountNumber = c.a;
    b.accountNumber = c.b;
    const int r = AccountListColumns::Compare(a, b, 1, true, false, c.asText);
    EXPECT_EQ((r > 0) - (r < 0), c.sign);
}

INSTANTIATE_TEST_SUITE_P(Numbers, AccountNumberOrder,
                         ::testing::Values(NumberCase{"99", "100", false, -1}, NumberCase{"99", "100", true, 1},
                                           NumberCase{"abc", "ABD", false, -1}, NumberCase{"A1", "a1", false, 0}));

TEST(AccountListColumns, ColumnsWithoutOrderCompareEqual)
{
    AccountListItem a = Item();
    AccountListItem b = Item();
    a.email = "a";
    b.email = "z";
    EXPECT_EQ(AccountListColumns::Compare(a, b, 14, true, false, false), 0);
    EXPECT_EQ(AccountListColumns::Compare(a, b, 15, true, false, false), 0);
}

TEST(AccountRecord, OrderCatalogIsTheFirstEntry)
{
    AccountRecord r;
    EXPECT_EQ(r.OrderCatalog(), 10);
    r.catalogIds = " 4, 6";
    EXPECT_EQ(r.OrderCatalog(), 4);
    r.catalogIds = "12";
    EXPECT_EQ(r.OrderCatalog(), 12);
}

} // namespace
