#include "sync/SyncText.h"

#include <gtest/gtest.h>

using namespace zev::sync;

struct EscapeCase {
    const char* name;
    std::string (*fn)(const std::string&);
    std::string in, out;
};

class EscapeSets : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeSets, ReplaceExactlyTheirCharacters) { EXPECT_EQ(GetParam().fn(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(Sets, EscapeSets,
                         ::testing::Values(EscapeCase{"A_Ampersand", EscapeSetA, "Salt & pepper", "Salt %26 pepper"},
                                           EscapeCase{"A_PercentKept", EscapeSetA, "50%", "50%"},
                                           EscapeCase{"B_Percent", EscapeSetB, "100%", "100%25"},
                                           EscapeCase{"B_PercentBeforeAmp", EscapeSetB, "a&b^c%", "a%26b%94c%25"},
                                           EscapeCase{"B_EmptyIsBlank", EscapeSetB, "", " "},
                                           EscapeCase{"C_Message", EscapeSetC, "Tom & Jerry's ^",
                                                      "Tom ~|A Jerry''s ~|C"},
                                           EscapeCase{"D_Invoice", EscapeSetD, "10 45+A", "10%2045%2BA"},
                                           EscapeCase{"E_Form", EscapeSetE, "x&y%", "x~|Ay%"},
                                           EscapeCase{"Note", EscapeOrderNote, "50% & more\r\nok", "50%25 %26 moreok"},
                                           EscapeCase{"LineComment", EscapeLineComment, " a^b ", " a%94b "}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(SplitTableValues, EmptyValuesTravelAsBlanks)
{
    EXPECT_EQ(SplitTableValues("7^^x", '^'), (std::vector<std::string>{"7", " ", "x"}));
    EXPECT_EQ(SplitTableValues("7^^^x", '^'), (std::vector<std::string>{"7", " ", " ", "x"}));
    EXPECT_EQ(SplitTableValues("7^x^", '^'), (std::vector<std::string>{"7", "x", " "}));
    EXPECT_EQ(SplitTableValues("  1001^24  ", '^'), (std::vector<std::string>{"1001", "24"}));
    // An empty first value cannot be carried: the line has one value too few.
    EXPECT_EQ(SplitTableValues("^24", '^'), (std::vector<std::string>{"24"}));
    EXPECT_EQ(SplitTableValues("a, b", ','), (std::vector<std::string>{"a", " b"}));
    EXPECT_TRUE(SplitTableValues("   ", '^').empty());
}

namespace {

// The splitting rule written the plain way (insert the blanks, then cut).
std::vector<std::string> ReferenceSplit(const std::string& line, char sep)
{
    size_t b = line.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    std::string s = line.substr(b, line.find_last_not_of(" \t") - b + 1);
    std::string fixed(1, s[0]);
    for (size_t i = 1; i < s.size(); ++i) {
        fixed += s[i];
        if (s[i] == sep && i + 1 < s.size() && s[i + 1] == sep)
            fixed += ' ';
    }
    if (fixed.size() > 1 && fixed.back() == sep)
        fixed += ' ';
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t p; (p = fixed.find(sep, start)) != std::string::npos; start = p + 1)
        out.push_back(fixed.substr(start, p - start));
    out.push_back(fixed.substr(start));
    while (!out.empty() && out.front().empty())
        out.erase(out.begin());
    return out;
}

} // namespace

TEST(SplitTableValues, ReusedVectorMatchesTheRuleOnEveryShortLine)
{
    // Every line of up to seven characters over separator, blank, tab and a
    // letter, split into one vector reused from line to line (longer and
    // shorter rows alternate, as they do in a bad reply).
    const char alphabet[] = {'^', ' ', '\t', 'a'};
    std::vector<std::string> reused;
    for (int len = 0; len <= 7; ++len) {
        int total = 1;
        for (int i = 0; i < len; ++i)
            total *= 4;
        for (int code = 0; code < total; ++code) {
            std::string line;
            for (int i = 0, c = code; i < len; ++i, c /= 4)
                line += alphabet[c % 4];
            SplitTableValuesInto(line, '^', reused);
            ASSERT_EQ(reused, ReferenceSplit(line, '^')) << "line \"" << line << "\"";
        }
    }
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
    EXPECT_EQ(SplitList(" Items, Accounts ,,X"), (std::vector<std::string>{"Items", "Accounts", "", "X"}));
    EXPECT_TRUE(SplitList("  ").empty());
}

TEST(RenewLabel, MonthDayYearOrUnknown)
{
    EXPECT_EQ(RenewLabel("2006-03-07 16:05:09"), "3-7-2006");
    EXPECT_EQ(RenewLabel(""), "Unknown");
    EXPECT_EQ(RenewLabel("garbage"), "Unknown");
    EXPECT_EQ(RenewLabel("2006-13-07 00:00:00"), "Unknown");
    EXPECT_EQ(RenewLabel("2006-02-32 00:00:00"), "Unknown");
}
