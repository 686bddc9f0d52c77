#include "accounts/AppointmentTime.h"

#include <gtest/gtest.h>

#include <ctime>

using zev::AppointmentTime;

namespace {

// Noon on 4 March 2026, local time (tests run with TZ=UTC).
std::time_t Today()
{
    std::tm tm{};
    tm.tm_year = 126;
    tm.tm_mon = 2;
    tm.tm_mday = 4;
    tm.tm_hour = 12;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

struct TypedCase {
    const char* typed;
    int hour; // -1 = unassigned
    int minute;
};

class TypedTime : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedTime, ReadsWhatWasTyped)
{
    const auto& c = GetParam();
    const std::time_t t = AppointmentTime::ParseTyped(c.typed, Today());
    if (c.hour < 0) {
        EXPECT_EQ(t, 0);
        return;
    }
    ASSERT_NE(t, 0);
    std::tm tm{};
    localtime_r(&t, &tm);
    EXPECT_EQ(tm.tm_hour, c.hour);
    EXPECT_EQ(tm.tm_min, c.minute);
    EXPECT_EQ(tm.tm_mday, 4) << "today's date";
    EXPECT_EQ(tm.tm_sec, 0);
}

INSTANTIATE_TEST_SUITE_P(Forms, TypedTime,
                         ::testing::Values(TypedCase{"930", 9, 30}, TypedCase{"3", 15, 0}, TypedCase{"7", 7, 0},
                                           TypedCase{"12:30 pm", 12, 30}, TypedCase{"12:15 am", 0, 15},
                                           TypedCase{"9:75", -1, 0}, TypedCase{"25:00", -1, 0}, TypedCase{"", -1, 0},
                                           TypedCase{"   ", -1, 0}, TypedCase{"0:30", -1, 0}, TypedCase{"abc", -1, 0},
                                           TypedCase{"1345", 13, 45}, TypedCase{"2 PM", 14, 0},
                                           TypedCase{" 9:05 Pm ", 21, 5}, TypedCase{"6", 18, 0},
                                           TypedCase{"100", -1, 0}, TypedCase{"9:-5", -1, 0},
                                           TypedCase{"99999999999999", -1, 0}));

struct ShownCase {
    const char* stored;
    const char* column;
    const char* editor;
};

class StoredTime : public ::testing::TestWithParam<ShownCase> {};

TEST_P(StoredTime, ShowsInTheListAndTheEditor)
{
    const auto& c = GetParam();
    const std::time_t t = AppointmentTime::FromStored(c.stored, Today());
    EXPECT_EQ(AppointmentTime::ColumnText(t), c.column);
    EXPECT_EQ(AppointmentTime::EditorText(t), c.editor);
    if (t != 0) {
        EXPECT_EQ(AppointmentTime::ToStored(t), c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, StoredTime,
                         ::testing::Values(ShownCase{"0000", "12:00 am", "12:00 am"},
                                           ShownCase{"1200", "12:00 pm", "12:00 pm"},
                                           ShownCase{"1345", "01:45 pm", "1:45 pm"},
                                           ShownCase{"0905", "09:05 am", "9:05 am"}, ShownCase{"", "Unassigned", ""},
                                           ShownCase{"9a", "Unassigned", ""}, ShownCase{"2575", "Unassigned", ""}));

TEST(AppointmentTime, EditorTextReadsBackAsTheSameTime)
{
    for (int h = 0; h < 24; ++h) {
        const std::time_t t = AppointmentTime::TodayAt(Today(), h, 10);
        EXPECT_EQ(AppointmentTime::ParseTyped(AppointmentTime::EditorText(t), Today()), t) << h;
    }
}

} // namespace
