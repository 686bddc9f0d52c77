#include "tabula/SqlDialect.h"

#include <gtest/gtest.h>

namespace {

struct DateCase {
    const char* text;
    const char* canonical; // nullptr: not a date
};

class CanonicalDateTime : public ::testing::TestWithParam<DateCase> {};

TEST_P(CanonicalDateTime, GivesTheStoredForm)
{
    const DateCase& c = GetParam();
    auto got = tabula::SqlDialect::CanonicalDateTime(c.text);
    if (c.canonical == nullptr) {
        EXPECT_FALSE(got.has_value()) << c.text << " -> " << got.value_or("");
    } else {
        ASSERT_TRUE(got.has_value()) << c.text;
        EXPECT_EQ(*got, c.canonical) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, CanonicalDateTime,
    ::testing::Values(
        DateCase{"12/8/2026  9: 5: 7", "2026-12-08 09:05:07"}, DateCase{"12/8/2026 19:45:00", "2026-12-08 19:45:00"},
        DateCase{"2026-12-08 09:05:07", "2026-12-08 09:05:07"},
        DateCase{"2026-12-08T09:05:07.123", "2026-12-08 09:05:07"}, DateCase{"12/08/2026", "2026-12-08 00:00:00"},
        DateCase{"1/5/2004", "2004-01-05 00:00:00"}, DateCase{"2026-12-08", "2026-12-08 00:00:00"},
        DateCase{"20261208", "2026-12-08 00:00:00"}, DateCase{"12/8/2026 9:05 PM", "2026-12-08 21:05:00"},
        DateCase{"12/8/2026 12:00:00 AM", "2026-12-08 00:00:00"}, DateCase{"2/29/2024", "2024-02-29 00:00:00"},
        DateCase{"12/8/26", "2026-12-08 00:00:00"}, DateCase{"2/29/2026", nullptr}, DateCase{"13/1/2026", nullptr},
        DateCase{"12/8/2026 25:00", nullptr}, DateCase{"yesterday", nullptr}, DateCase{"12/8", nullptr},
        DateCase{"", nullptr}, DateCase{"12/8/2026 9", nullptr}));

TEST(DeclaredTypes, AreClassified)
{
    using tabula::SqlDialect;
    EXPECT_TRUE(SqlDialect::IsDateTimeType("datetime"));
    EXPECT_TRUE(SqlDialect::IsDateTimeType("SMALLDATETIME"));
    EXPECT_FALSE(SqlDialect::IsDateTimeType("nvarchar(20)"));
    EXPECT_TRUE(SqlDialect::IsTextType("nvarchar(20)"));
    EXPECT_TRUE(SqlDialect::IsTextType("ntext"));
    EXPECT_TRUE(SqlDialect::IsNumericType("decimal(10, 2)"));
    EXPECT_TRUE(SqlDialect::IsNumericType("money"));
    EXPECT_FALSE(SqlDialect::IsNumericType("varchar(4)"));
}

} // namespace
