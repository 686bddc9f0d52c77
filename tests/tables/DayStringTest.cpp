#include "tables/DayString.h"

#include <gtest/gtest.h>

using zev::DayString;

namespace {

struct ReadCase {
    const char* stored;
    DayString::Default dflt;
    const char* expected;
};

class DayStringRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DayStringRead, ReadsStoredText)
{
    const auto& c = GetParam();
    EXPECT_EQ(DayString(c.stored, c.dflt).Text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DayStringRead,
    ::testing::Values(ReadCase{"", DayString::Default::None, "NNNNNNN"},        // empty ApptDays
                      ReadCase{"", DayString::Default::All, "YYYYYYY"},         // empty DelivDays
                      ReadCase{"NNYNNNN", DayString::Default::All, "NNYNNNN"},  // letters as they stand
                      ReadCase{"0010000", DayString::Default::None, "NNYNNNN"}, // digit form: Tuesday only
                      ReadCase{"0010000", DayString::Default::All, "NNYNNNN"},
                      ReadCase{"101", DayString::Default::All, "YNYYYYY"},    // short digits keep the default
                      ReadCase{"1x1", DayString::Default::None, "YNYNNNN"})); // other characters are "N"

struct PatternCase {
    int day;
    const char* scheduled;
    const char* notScheduled;
};

class DayStringPattern : public ::testing::TestWithParam<PatternCase> {};

TEST_P(DayStringPattern, SingleDayPatterns)
{
    const auto& c = GetParam();
    const DayString d = DayString::SingleDay(c.day);
    EXPECT_EQ(d.ScheduledPattern("ApptDays"), c.scheduled);
    EXPECT_EQ(d.NotScheduledPattern("ApptDays"), c.notScheduled);
}

INSTANTIATE_TEST_SUITE_P(Days, DayStringPattern,
                         ::testing::Values(PatternCase{0, " ApptDays LIKE 'Y______' ", " ApptDays LIKE 'N______' "},
                                           PatternCase{3, " ApptDays LIKE '___Y___' ", " ApptDays LIKE '___N___' "},
                                           PatternCase{6, " ApptDays LIKE '______Y' ", " ApptDays LIKE '______N' "}));

TEST(DayString, IntersectsOverTheShorterLength)
{
    const DayString account("YYYYYNN", DayString::Default::None);
    const DayString distributor("NNNNNYY", DayString::Default::None);
    EXPECT_TRUE(account.Intersect(distributor).IsNone());
    EXPECT_EQ(
        DayString("YYNY", DayString::Default::None).Intersect(DayString("YNYYYYY", DayString::Default::None)).Text(),
        "YNNY");
}

TEST(DayString, IsNoneIgnoresCase)
{
    EXPECT_TRUE(DayString("nnnnnnn", DayString::Default::All).IsNone());
    EXPECT_FALSE(DayString("NNNNNNY", DayString::Default::None).IsNone());
}

TEST(DayString, AssignmentOfEmptyGivesNoDaysAndTrims)
{
    DayString target("YYYYYYY", DayString::Default::None);
    DayString blank("", DayString::Default::None);
    target = blank;
    EXPECT_EQ(target.Text(), "NNNNNNN");
    target = DayString("NYNNNNN  ", DayString::Default::None);
    EXPECT_EQ(target.Text(), "NYNNNNN");
}

TEST(DayString, SetDayChangesOnlyThatDay)
{
    DayString d("0010000", DayString::Default::None);
    d.SetDay(5, true);
    d.SetDay(2, false);
    d.SetDay(7, true); // no such day
    EXPECT_EQ(d.Text(), "NNNNNYN");
}

} // namespace
