#include "base/Text.h"
#include "base/DatabaseFile.h"

#include <gtest/gtest.h>

namespace {

TEST(TextTest, TrimDropsBlanksOfEitherLineEnding)
{
    EXPECT_EQ(zev::Trim("  a b \t"), "a b");
    EXPECT_EQ(zev::Trim("value\r\n"), "value");
    EXPECT_EQ(zev::Trim(" \t\r\n"), "");
    EXPECT_EQ(zev::Trim(""), "");
    EXPECT_EQ(zev::TrimRight("  keep left  "), "  keep left");
    // Only blanks go: other control characters are data.
    EXPECT_EQ(zev::Trim("\va\f"), "\va\f");
}

TEST(TextTest, CaseIsIgnoredForAsciiLettersOnly)
{
    EXPECT_TRUE(zev::EqualsNoCase("SETTINGS", "settings"));
    EXPECT_FALSE(zev::EqualsNoCase("Temp", "Temp2"));
    EXPECT_LT(zev::CompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(zev::CompareNoCase("b", "A"), 0);
    EXPECT_EQ(zev::CompareNoCase("MiXeD", "mixed"), 0);
    // A prefix sorts first, as strcasecmp has it.
    EXPECT_LT(zev::CompareNoCase("Acc", "account"), 0);
    EXPECT_GT(zev::CompareNoCase("account", "Acc"), 0);
    // Bytes above 127 compare as they are, never as negative chars.
    EXPECT_LT(zev::CompareNoCase("z", "\xc3\xa9"), 0);
}

} // namespace

namespace {

TEST(DatabaseFileTest, ANameNeverLeavesTheDataFolder)
{
    EXPECT_EQ(zev::DatabaseFile("/data", "master"), "/data/master.db");
    EXPECT_EQ(zev::DatabaseFile("/data", ""), "/data/master.db");
    EXPECT_EQ(zev::DatabaseFile("/data", "../etc/passwd"), "/data/.._etc_passwd.db");
    EXPECT_EQ(zev::DatabaseFile("/data", "..\\x"), "/data/.._x.db");
    EXPECT_EQ(zev::DatabaseFile("/data", ".."), "/data/master.db");
    EXPECT_EQ(zev::DatabaseFile("/data", "."), "/data/master.db");
}

} // namespace
