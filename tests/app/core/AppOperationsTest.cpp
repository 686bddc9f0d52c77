#include "app/core/AppOperations.h"
#include "app/core/Profile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace zev;

namespace {

class AppOperationsTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir.File("p/Satchel.ini")};
};

TEST_F(AppOperationsTest, DatabaseIsCurrentWhenTheVersionsMatch)
{
    const std::string schema = dir.Write("ZevSchema.ini", "[Database]\nVersion = 2.4.1   \n[Items]\nVersion=9\n");
    EXPECT_FALSE(IsDatabaseCurrent(schema, profile)); // never built
    ASSERT_TRUE(profile.SetText("DBVersion", "2.4.0"));
    EXPECT_FALSE(IsDatabaseCurrent(schema, profile));
    ASSERT_TRUE(profile.SetText("DBVersion", "2.4.1"));
    EXPECT_TRUE(IsDatabaseCurrent(schema, profile));
    EXPECT_FALSE(IsDatabaseCurrent(dir.File("missing.ini"), profile));
}

TEST_F(AppOperationsTest, VersionIsReadToNineCharacters)
{
    const std::string schema = dir.Write("ZevSchema.ini", "[Database]\nVersion=2026.12.08.1\n");
    ASSERT_TRUE(profile.SetText("DBVersion", "2026.12.0"));
    EXPECT_TRUE(IsDatabaseCurrent(schema, profile));
}

TEST_F(AppOperationsTest, StartScreenLeadsToSetupUntilAUserIsRegistered)
{
    EXPECT_EQ(ScreenAfterStart(profile), 3);
    ASSERT_TRUE(profile.SetUserID("100200"));
    EXPECT_EQ(ScreenAfterStart(profile), 1);
}

} // namespace
