#include "app/core/StringTable.h"
#include "app/core/StringIds.h"

#include <gtest/gtest.h>

using namespace zev;

TEST(StringTable, TextsAreVerbatimWithRealLineBreaks)
{
    EXPECT_EQ(LoadText(CaptionNumber(ids::kCaptionError)), "Error!");
    EXPECT_EQ(LoadText(CaptionNumber(ids::kCaptionQuestion)), "Question?");
    EXPECT_EQ(LoadText(ids::kConfigCorrupted),
              "Your configuration of the software has been corrupted!\n\nPlease contact Marvane Software as soon as "
              "possible to correct this situation.");
    EXPECT_EQ(LoadText(65063), "Some form of communications error has occured. Please check your internet connection "
                               "and that your modem is seated properly and try again.");
    EXPECT_EQ(LoadText(65150), "Top items since %s: ");
    EXPECT_EQ(LoadText(ids::kAppTitle), "Satchel");
    EXPECT_EQ(LoadText(ids::kRegistrySection), "Application");
}

TEST(StringTable, WeekdaysRunSundayToSaturday)
{
    const char* days[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(LoadText(ids::kSunday + i), days[i]);
}

TEST(StringTable, UnknownNumberGivesAnEmptyText)
{
    EXPECT_FALSE(StringTable::Has(1));
    EXPECT_EQ(LoadText(1), "");
}
