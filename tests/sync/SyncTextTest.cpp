#include "sync/SyncText.h"

#include <gtest/gtest.h>

using namespace zev::sync;

struct EscapeCase {
    const char* name;
    std::string (*fn)(const std::string&);
    std::string in, out;
};

class EscapeSets : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeSets, ReplaceExactlyTheirCharacters)
{
    EXPECT_EQ(GetParam().fn(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Sets, EscapeSets,
    ::testing::Values(EscapeCase {"A_Ampersand", EscapeSetA, "Salt & pepper", "Salt %26 pepper"},
                      EscapeCase {"A_PercentKept", EscapeSetA, "50%", "50%"},
                      EscapeCase {"B_Percent", EscapeSetB, "100%", "100%25"},
                      EscapeCase {"B_PercentBeforeAmp", EscapeSetB, "a&b^c%", "a%26b%94c%25"},
                      EscapeCase {"B_EmptyIsBlank", EscapeSetB, "", " "},
                      EscapeCase {"C_Message", EscapeSetC, "Tom & Jerry's ^", "Tom ~|A Jerry''s ~|C"},
                      EscapeCase {"D_Invoice", EscapeSetD, "10 45+A", "10%2045%2BA"},
                      EscapeCase {"E_Form", EscapeSetE, "x&y%", "x~|Ay%"},
                      EscapeCase {"Note", EscapeOrderNote, "50% & more\r\nok", "50%25 %26 moreok"},
                      EscapeCase {"LineComment", EscapeLineComment, " a^b ", " a%94b "}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SplitTableValues, EmptyValuesTravelAsBlanks)
{
    EXPECT_EQ(SplitTableValues("7^^x", '^'), (std::vector<std::string> {"7", " ", "x"}));
    EXPECT_EQ(SplitTableValues("7^^^x", '^'), (std::vector<std::string> {"7", " ", " ", "x"}));
    EXPECT_EQ(SplitTableValues("7^x^", '^'), (std::vector<std::string> {"7", "x", " "}));
    EXPECT_EQ(SplitTableValues("  1001^24  ", '^'), (std::vector<std::string> {"1001", "24"}));
    // An empty first value cannot be carried: the line has one value too few.
    EXPECT_EQ(SplitTableValues("^24", '^'), (std::vector<std::string> {"24"}));
    EXPECT_EQ(SplitTableValues("a, b", ','), (std::vector<std::string> {"a", " b"}));
    EXPECT_TRUE(SplitTableValues("   ", '^').empty());
}

TEST(ProgressRules, StepIsATenthButAtLeastTen)
{
    EXPECT_EQ(ProgressStep(0), 10);
    EXPECT_EQ(ProgressStep(25), 10);
    EXPECT_EQ(ProgressStep(500), 50);
    EXPECT_EQ(ProgressPercent(50, 5), 10);
    EXPECT_EQ(ProgressPercent(0, 5), 0);
    EXPECT_EQ(ProgressPercent(3, 1), 33);
    EXPECT_EQ(FormatProgressText("Row %d of %d", 50, 5), "Row 5 of 50");
    EXPECT_EQ(FormatProgressText("Plain 100%", 50, 5), "Plain 100%");
}

TEST(ServerErrorText, NeedsBothTagsAndText)
{
    EXPECT_EQ(ServerErrorText("<ERROR>Bad password</ERROR>"), "Bad password");
    EXPECT_EQ(ServerErrorText("<ERROR></ERROR>"), "");
    EXPECT_EQ(ServerErrorText("<ERROR>Bad password"), "");
    EXPECT_EQ(ServerErrorText("Bad password</ERROR>"), "");
}

TEST(Stamps, FormatsLocalTime)
{
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FormatStamp(1141747509), "2006-03-07 16:05:09");
    EXPECT_EQ(FormatDay(1141747509), "2006-03-07");
}

TEST(SplitList, TrimsEntriesAndKeepsEmptyOnes)
{
    EXPECT_EQ(SplitList(" Items, Accounts ,,X"), (std::vector<std::string> {"Items", "Accounts", "", "X"}));
    EXPECT_TRUE(SplitList("  ").empty());
}

TEST(RenewLabel, MonthDayYearOrUnknown)
{
    EXPECT_EQ(RenewLabel("2006-03-07 16:05:09"), "3-7-2006");
    EXPECT_EQ(RenewLabel(""), "Unknown");
    EXPECT_EQ(RenewLabel("garbage"), "Unknown");
}
