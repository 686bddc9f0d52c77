#include "app/core/TextHelpers.h"

#include <gtest/gtest.h>

using namespace zev;

namespace {

struct DateCase {
    const char* text;
    bool ok;
    int year;
    int month;
    int day;
};

class ParseDateCases : public ::testing::TestWithParam<DateCase> {};

TEST_P(ParseDateCases, ReadsOrRefuses)
{
    const DateCase& c = GetParam();
    CalendarDate d;
    ASSERT_EQ(ParseDate(c.text, d), c.ok) << c.text;
    if (c.ok) {
        EXPECT_EQ(d.year, c.year);
        EXPECT_EQ(d.month, c.month);
        EXPECT_EQ(d.day, c.day);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ParseDateCases,
    ::testing::Values(DateCase{"1/5/04", true, 2004, 1, 5}, DateCase{"12-31-1999", true, 1999, 12, 31},
                      DateCase{"2004/02/29", true, 2004, 2, 29}, DateCase{"2003/02/29", false, 0, 0, 0},
                      DateCase{"010538", false, 0, 0, 0}, // 5 January 1938: before 1970
                      DateCase{"010504", true, 2004, 1, 5}, DateCase{"20040105", true, 2004, 1, 5},
                      DateCase{"01052004", true, 2004, 1, 5}, DateCase{"13/01/2004", false, 0, 0, 0},
                      DateCase{"", false, 0, 0, 0}, DateCase{"1/5/1899", false, 0, 0, 0},
                      DateCase{"1/5/0150", false, 0, 0, 0},  // years 100..1899 fail
                      DateCase{"2/29/1900", false, 0, 0, 0}, // 1900 is no leap year (and too early)
                      DateCase{"2/29/2000", true, 2000, 2, 29}, DateCase{"12/31/2037", true, 2037, 12, 31},
                      DateCase{"1/1/2038", false, 0, 0, 0}, DateCase{"1/1/3001", false, 0, 0, 0},
                      DateCase{"4/31/2004", false, 0, 0, 0}, DateCase{"1/5", false, 0, 0, 0},
                      DateCase{"/5/04", false, 0, 0, 0}, DateCase{"1.5.70", true, 1970, 1, 5},
                      DateCase{"1/5/37", true, 2037, 1, 5}));

TEST(ParseDate, ResultIsLocalMidnight)
{
    std::time_t t = 0;
    ASSERT_TRUE(ParseDate("1/5/04", t));
    std::tm tm{};
    localtime_r(&t, &tm);
    EXPECT_EQ(tm.tm_year, 104);
    EXPECT_EQ(tm.tm_mon, 0);
    EXPECT_EQ(tm.tm_mday, 5);
    EXPECT_EQ(tm.tm_hour, 0);
    EXPECT_EQ(tm.tm_min, 0);
}

class ProperCaseCases : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ProperCaseCases, Converts)
{
    std::string text = GetParam().first;
    ProperCase(text);
    EXPECT_EQ(text, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Examples, ProperCaseCases,
                         ::testing::Values(std::make_pair("JOHN SMITH & SONS", "John Smith & Sons"),
                                           std::make_pair("JOE'S", "Joe's"), std::make_pair("O'NEIL", "O'Neil"),
                                           std::make_pair("MCDONALD", "McDonald"),
                                           std::make_pair("OLD MCDONALD FARM", "Old McDonald Farm"),
                                           std::make_pair("ST.JOHN/A&B(C)", "St.John/A&B(C)"),
                                           std::make_pair("John SMITH", "John SMITH"), std::make_pair("EMCEE", "Emcee"),
                                           std::make_pair("123 MAIN ST", "123 Main St"), std::make_pair("", "")));

struct AccessKeyCase {
    const char* caption;
    const char* taken;
    const char* expected;
};

class AccessKeyCases : public ::testing::TestWithParam<AccessKeyCase> {};

TEST_P(AccessKeyCases, GivesAFreeKey)
{
    EXPECT_EQ(WithAccessKey(GetParam().caption, GetParam().taken), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Captions, AccessKeyCases,
                         ::testing::Values(AccessKeyCase{"No Sale", "", "&No Sale"},
                                           AccessKeyCase{"No Sale", "n", "No &Sale"}, // word starts first
                                           AccessKeyCase{"No Call", "ns", "No &Call"},
                                           AccessKeyCase{"No Call", "nco", "No C&all"}, // then any free letter
                                           AccessKeyCase{"Nn", "n", "&Nn"},             // all taken: the first letter
                                           AccessKeyCase{"&Keep", "k", "&Keep"},        // a key given stays
                                           AccessKeyCase{"Wine & Spirits", "w",
                                                         "Wine && &Spirits"}, // literal ampersand kept literal
                                           AccessKeyCase{"R&&D Wines", "r", "R&&&D Wines"},
                                           AccessKeyCase{"2 Go", "", "2 &Go"}, AccessKeyCase{"", "", ""}));

TEST(AccessKeyOf, ReadsOnlyARealKey)
{
    EXPECT_EQ(AccessKeyOf("&Save"), 's');
    EXPECT_EQ(AccessKeyOf("Save &As"), 'a');
    EXPECT_EQ(AccessKeyOf("R&&D"), 0);
    EXPECT_EQ(AccessKeyOf("Wine & Spirits"), 0);
    EXPECT_EQ(AccessKeyOf("Trailing&"), 0);
}

} // namespace
