#include "app/core/Profile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

using namespace zev;

namespace {

class ProfileTest : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir.File("ZevSatchel Demo/Satchel.ini")};
};

TEST_F(ProfileTest, MissingValuesGiveTheDocumentDefaults)
{
    EXPECT_EQ(profile.GetText("UserID"), "");
    EXPECT_EQ(profile.GetInt("Configuration"), -1);
    EXPECT_FALSE(profile.GetBinary("OrderGuide-Widths", kProfileListData));
}

TEST_F(ProfileTest, ValuesSurviveInTheirTypesAndSections)
{
    ASSERT_TRUE(profile.SetUserID("100200"));
    ASSERT_TRUE(profile.SetText("Application", "12,34,560,780"));
    ASSERT_TRUE(profile.SetInt("Configuration", 3));
    ASSERT_TRUE(profile.SetText("Note", "line one\nline two\\ = [x]"));
    ASSERT_TRUE(profile.SetBinary("Blob", {0, 1, 0xfe, 0xff}, kProfileListData));

    Profile again(profile.Path()); // a new reader sees the same file
    EXPECT_EQ(again.UserID(), "100200");
    EXPECT_EQ(again.GetText("Application"), "12,34,560,780");
    EXPECT_EQ(again.GetInt("Configuration"), 3);
    EXPECT_EQ(again.GetText("Note"), "line one\nline two\\ = [x]");
    EXPECT_EQ(again.GetBinary("Blob", kProfileListData), (std::vector<std::uint8_t>{0, 1, 0xfe, 0xff}));
    EXPECT_EQ(again.GetText("UserID", kProfileListData), "");
    // Registry names compare without regard to case.
    EXPECT_EQ(again.GetText("userid"), "100200");
    // A value of another type is not read as this one.
    EXPECT_EQ(again.GetInt("UserID"), -1);
    EXPECT_EQ(again.GetText("Configuration"), "");
}

TEST_F(ProfileTest, FileAndFolderAreOwnerOnly)
{
    ASSERT_TRUE(profile.SetPassword("digest"));
    struct stat st {};
    ASSERT_EQ(::stat(profile.Path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
    ASSERT_EQ(::stat(dir.File("ZevSatchel Demo").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST_F(ProfileTest, ResetSettingsRemovesBothSections)
{
    ASSERT_TRUE(profile.SetUserID("100200"));
    ASSERT_TRUE(profile.SaveListLayout("Accounts", SavedListLayout{}));
    ASSERT_TRUE(profile.SetText("Keep", "x", "Other"));
    profile.ResetSettings();
    EXPECT_EQ(profile.UserID(), "");
    EXPECT_FALSE(profile.ListWidths("Accounts"));
    EXPECT_EQ(profile.GetText("Keep", "Other"), "x");
}

TEST_F(ProfileTest, ListLayoutRoundTripsAndNeedsExactSizes)
{
    SavedListLayout layout;
    layout.widths[0] = 60;
    layout.widths[1] = 0x1234;
    layout.order[0] = 1;
    layout.order[1] = 0;
    ASSERT_TRUE(profile.SaveListLayout("OrderGuide", layout));
    auto bytes = profile.GetBinary("OrderGuide-Widths", kProfileListData);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 84u);
    EXPECT_EQ((*bytes)[2], 0x34); // little-endian
    EXPECT_EQ((*bytes)[3], 0x12);
    EXPECT_EQ(profile.GetBinary("OrderGuide-Order", kProfileListData)->size(), 42u);
    EXPECT_EQ(profile.ListWidths("OrderGuide")->at(1), 0x1234);
    EXPECT_EQ(profile.ListOrder("OrderGuide")->at(0), 1);

    ASSERT_TRUE(profile.SetBinary("OrderGuide-Widths", std::vector<std::uint8_t>(80, 1), kProfileListData));
    EXPECT_FALSE(profile.ListWidths("OrderGuide"));
}

TEST_F(ProfileTest, DamagedLinesAreIgnored)
{
    ::mkdir(dir.File("ZevSatchel Demo").c_str(), 0700);
    dir.Write("ZevSatchel Demo/Satchel.ini",
              "garbage\n[Application\nUserID=sz:lost\n[Application]\nUserID=sz:100200\nConfiguration=dword:x\n"
              "Widths=hex:0g\nPassword=nothing-typed\n");
    EXPECT_EQ(profile.UserID(), "100200");
    EXPECT_EQ(profile.GetInt("Configuration"), -1);
    EXPECT_FALSE(profile.GetBinary("Widths"));
    EXPECT_EQ(profile.Password(), "");
    ASSERT_TRUE(profile.SetManagerID("900100")); // writing over a damaged file works
    EXPECT_EQ(profile.ManagerID(), "900100");
    EXPECT_EQ(profile.UserID(), "100200");
}

TEST_F(ProfileTest, LeftoverTemporaryFileNeverBreaksReading)
{
    ASSERT_TRUE(profile.SetUserID("100200"));
    // What a crash between writing and renaming leaves behind.
    dir.Write("ZevSatchel Demo/Satchel.ini.tmp-AbC123", "[Application]\nUserID=sz:half-writ");
    EXPECT_EQ(profile.UserID(), "100200");
    ASSERT_TRUE(profile.SetManagerID("900100"));
    EXPECT_EQ(profile.UserID(), "100200");
    EXPECT_EQ(profile.ManagerID(), "900100");
}

// Relaxed writes skip only the disk syncs: every other reader sees each value
// at once, no temporary file is left behind, and going back to durable
// leaves the file as written.
TEST_F(ProfileTest, RelaxedWritesAreStillWholeAndSeenAtOnce)
{
    ASSERT_TRUE(profile.SetInt("RestoreOnOpen", 1));
    ASSERT_TRUE(profile.SetDurable(false));
    EXPECT_FALSE(profile.Durable());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(profile.SetText("LastRenewTable", "Table" + std::to_string(i)));
        ASSERT_TRUE(profile.SetText("Table" + std::to_string(i) + "UD", "2026-12-09 10:00:00"));
        EXPECT_EQ(Profile(profile.Path()).GetText("LastRenewTable"), "Table" + std::to_string(i));
    }
    ASSERT_TRUE(profile.SetDurable(true));
    EXPECT_TRUE(profile.Durable());
    Profile again(profile.Path());
    EXPECT_EQ(again.GetInt("RestoreOnOpen"), 1);
    EXPECT_EQ(again.GetText("Table19UD"), "2026-12-09 10:00:00");
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.File("ZevSatchel Demo")))
        files += e.path().filename().string().find(".tmp") == std::string::npos ? 0 : 1;
    EXPECT_EQ(files, 0);
}

TEST_F(ProfileTest, NamesThatWouldBreakTheFileAreRefused)
{
    EXPECT_FALSE(profile.SetText("a=b", "x"));
    EXPECT_FALSE(profile.SetText("a\nb", "x"));
    EXPECT_FALSE(profile.SetText("x", "y", "Sec]tion"));
    EXPECT_EQ(profile.GetText("a"), "");
}

TEST_F(ProfileTest, ConcurrentReadersSeeWholeFiles)
{
    const std::string a(4000, 'a');
    const std::string b(6000, 'b');
    ASSERT_TRUE(profile.SetText("Big", a));
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::atomic<int> reads{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            Profile reader(profile.Path());
            while (!stop) {
                const std::string v = reader.GetText("Big");
                if (v != a && v != b)
                    ++torn;
                ++reads;
            }
        });
    }
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(profile.SetText("Big", i % 2 ? a : b));
    stop = true;
    for (auto& t : readers)
        t.join();
    EXPECT_EQ(torn, 0);
    EXPECT_GT(reads, 0);
}

TEST_F(ProfileTest, ConcurrentWritersKeepEachOthersValues)
{
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([&, w] {
            Profile writer(profile.Path());
            for (int i = 0; i < 25; ++i)
                ASSERT_TRUE(writer.SetInt("W" + std::to_string(w) + "-" + std::to_string(i), i));
        });
    }
    for (auto& t : writers)
        t.join();
    for (int w = 0; w < 4; ++w)
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ(profile.GetInt("W" + std::to_string(w) + "-" + std::to_string(i)), i);
}

TEST(ProfilePath, FollowsTheConfigFolderAndMakesTheKeySafe)
{
    ::setenv("ZEV_CONFIG_DIR", "/cfg", 1);
    EXPECT_EQ(Profile::PathForRegKey("ZevSatchel Demo"), "/cfg/ZevSatchel Demo/Satchel.ini");
    EXPECT_EQ(Profile::PathForRegKey("../../etc"), "/cfg/.._.._etc/Satchel.ini");
    EXPECT_EQ(Profile::PathForRegKey(".."), "/cfg/Marvane Software/Satchel.ini");
    ::unsetenv("ZEV_CONFIG_DIR");
    ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(Profile::PathForRegKey("K"), "/xdg/K/Satchel.ini");
    ::unsetenv("XDG_CONFIG_HOME");
}

} // namespace
