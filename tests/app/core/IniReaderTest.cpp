#include "app/core/IniReader.h"
#include "app/core/StringIds.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev;

namespace {

const char* kIni = "; installation settings\r\n"
                   "[SETTINGS]\r\n"
                   "REGKEY=ZevSatchel Demo\r\n"
                   "EMPTY=\r\n"
                   "SPLIT=a=b\r\n"
                   "lower=wrong case\r\n"
                   "Lower=right case\r\n"
                   "no equals sign here\r\n"
                   "DUP=first\r\n"
                   "DUP=second\r\n"
                   "PADDED=value   \r\n"
                   "LONG=abcdefghij\r\n"
                   "[GENERAL]\r\n"
                   "ONLYLATER=found\r\n"
                   "[GENERALX]\r\n"
                   "PREFIXED=yes\r\n";

struct IniCase {
    const char* name;
    const char* section;
    const char* key;
    std::size_t maxChars;
    const char* expected;
};

class ReadIniValueCases : public ::testing::TestWithParam<IniCase> {};

TEST_P(ReadIniValueCases, FollowsTheReaderRules)
{
    TempDir dir;
    const std::string path = dir.Write("ZevSatchel.INI", kIni);
    const IniCase& c = GetParam();
    EXPECT_EQ(ReadIniValue(c.section, c.key, "DEF", c.maxChars, path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, ReadIniValueCases,
                         ::testing::Values(IniCase{"PlainValue", "SETTINGS", "REGKEY", 255, "ZevSatchel Demo"},
                                           IniCase{"NothingAfterEqualsIsMissing", "SETTINGS", "EMPTY", 255, "DEF"},
                                           IniCase{"SecondEqualsEndsTheValue", "SETTINGS", "SPLIT", 255, "a"},
                                           IniCase{"KeysMatchWithCase", "SETTINGS", "Lower", 255, "right case"},
                                           IniCase{"FirstOfTwoLinesWins", "SETTINGS", "DUP", 255, "first"},
                                           IniCase{"TrailingBlanksKeptByReader", "SETTINGS", "PADDED", 255, "value   "},
                                           IniCase{"CutToCharactersKept", "SETTINGS", "LONG", 5, "abcde"},
                                           IniCase{"DefaultCutToo", "SETTINGS", "MISSING", 2, "DE"},
                                           IniCase{"KeyOfALaterSectionNotFound", "SETTINGS", "ONLYLATER", 255, "DEF"},
                                           IniCase{"KeyInItsSection", "GENERAL", "ONLYLATER", 255, "found"},
                                           IniCase{"SearchEndsAtNextSection", "GENERAL", "PREFIXED", 255, "DEF"},
                                           IniCase{"HeaderMustMatchExactly", "GENERALX", "PREFIXED", 255, "yes"},
                                           IniCase{"SectionMatchesWithCase", "settings", "REGKEY", 255, "DEF"}),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(ReadIniValue, MissingFileGivesTheDefault)
{
    EXPECT_EQ(ReadIniValue("SETTINGS", "REGKEY", "Marvane Software", 255, "/nonexistent/ZevSatchel.INI"),
              "Marvane Software");
}

TEST(ReadIniValue, StringTableFormUsesTheNumberedTexts)
{
    TempDir dir;
    const std::string path = dir.Write("ZevSatchel.INI", "[SETTINGS]\nRENEWMODE=0\n[GENERAL]\nPINGHOST=10.1.2.3\n");
    EXPECT_EQ(ReadIniValue(ids::kSecSettings, ids::kKeyRenewMode, ids::kDefaultOne, 5, path), "0");
    EXPECT_EQ(ReadIniValue(ids::kSecSettings, ids::kKeyBBeforeSync, ids::kDefaultOne, 5, path), "1");
    EXPECT_EQ(ReadIniValue(ids::kSecGeneral, ids::kKeyPingHost, ids::kDefaultZero, 259, path), "10.1.2.3");
}

TEST(ReadLayoutValue, HeaderNeedOnlyBeginWithTheSection)
{
    TempDir dir;
    const std::string path = dir.Write("ZevSatchel.INI", "[AcctView] ; account list\nBTN_OK=10,20,100,24,1,OK\n");
    EXPECT_EQ(ReadLayoutValue("AcctView", "BTN_OK", path), "10,20,100,24,1,OK");
    EXPECT_EQ(ReadIniValue("AcctView", "BTN_OK", "", 254, path), "");
}

TEST(ReadProfileString, IsForgivingAboutCaseAndBlanks)
{
    TempDir dir;
    const std::string path = dir.Write("ZevSchema.ini", "[database]\n  version =  \"2.10.1234567\"  \n[Other]\nX=1\n");
    EXPECT_EQ(ReadProfileString("Database", "Version", "", 9, path), "2.10.1234");
    EXPECT_EQ(ReadProfileString("Database", "X", "none", 9, path), "none");
    EXPECT_EQ(ReadProfileInt("Other", "x", 80, path), 1);
    EXPECT_EQ(ReadProfileInt("Other", "PORT", 80, path), 80);
}

TEST(ToInt, ConvertsLikeTheUsualDecimalConversion)
{
    EXPECT_EQ(ToInt("  42abc"), 42);
    EXPECT_EQ(ToInt("-7"), -7);
    EXPECT_EQ(ToInt("abc"), 0);
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), 2147483647);
}

TEST(ParseLayoutRecord, PlacesAndHidesOrShows)
{
    LayoutRecord r;
    ASSERT_TRUE(ParseLayoutRecord("10,20,100,24", r));
    EXPECT_EQ(r.x, 10);
    EXPECT_EQ(r.y, 20);
    EXPECT_EQ(r.width, 100);
    EXPECT_EQ(r.height, 24);
    EXPECT_FALSE(r.visible);
    EXPECT_FALSE(r.hasLabel);

    ASSERT_TRUE(ParseLayoutRecord("10,20,100,24,1,Total:", r));
    EXPECT_TRUE(r.visible);
    EXPECT_EQ(r.label, "Total:");

    ASSERT_TRUE(ParseLayoutRecord("5,,6", r)); // empty fields are skipped
    EXPECT_EQ(r.x, 5);
    EXPECT_EQ(r.y, 6);
    EXPECT_EQ(r.width, 0);

    EXPECT_FALSE(ParseLayoutRecord("", r));
}

} // namespace

namespace {

TEST(KitSettingsFile, ReadsAsTheDemoInstallationNeeds)
{
    const std::string path = std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevSatchel.INI";
    EXPECT_EQ(TrimRight(ReadIniValue("SETTINGS", "REGKEY", "Marvane Software", 255, path)), "ZevSatchel Demo");
    EXPECT_EQ(TrimRight(ReadIniValue("GENERAL", "SCHEMAFILE", "", 255, path)), "ZevSchema.ini");
    EXPECT_EQ(TrimRight(ReadIniValue("GENERAL", "DATABASE", "", 255, path)), "master");
    EXPECT_EQ(TrimRight(ReadIniValue("GENERAL", "MOBILEVERSION", "", 255, path)), "v1");
    EXPECT_EQ(TrimRight(ReadIniValue("GENERAL", "PINGHOST", "", 259, path)), "127.0.0.1");
    EXPECT_EQ(TrimRight(ReadIniValue("GENERAL", "DLTEMPDIR", "\\Temp", 259, path)), "\\Temp");
    EXPECT_EQ(ReadProfileString("GENERAL", "DEFAULTHOST", "", 254, path), "127.0.0.1");
    EXPECT_EQ(ReadProfileString("GENERAL", "BACKUPHOST", "", 254, path), "127.0.0.1");
    EXPECT_EQ(ReadProfileInt("GENERAL", "PORT", 80, path), 8642);
    EXPECT_EQ(ReadIniValue("GENERAL", "WINDOWED", "1", 1, path), "1");
    // Layout sections are present and empty.
    EXPECT_EQ(ReadLayoutValue("AcctView", "LST_ACCOUNTS", path), "");
}

} // namespace
