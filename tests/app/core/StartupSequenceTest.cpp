#include "app/core/StartupSequence.h"
#include "app/core/StringIds.h"

#include "FakeMessageBox.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>

using namespace zev;

namespace {

std::string Record(std::uint16_t layoutVersion)
{
    ZevConfig c;
    c.SetUInt32(cfg::kMagic, cfg::kMagicValue);
    c.SetUInt16(cfg::kFormatVersion, 3);
    c.SetUInt16(cfg::kListLayoutVersion, layoutVersion);
    return std::string(c.Bytes().begin(), c.Bytes().end());
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class StartupSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(home.File("program"));
        ::setenv("ZEV_CONFIG_DIR", home.File("config").c_str(), 1);
        WriteProgram("ZevSatchel.INI",
                     "[SETTINGS]\nREGKEY=ZevSatchel Test\nRENEWMODE=0\n"
                     "[GENERAL]\nSCHEMAFILE=ZevSchema.ini \nDATABASE=master\nSQLVERSION=8\nMOBILEVERSION=v1\n");
        WriteProgram("ZevConfig.dat", Record(1));
    }
    void TearDown() override { ::unsetenv("ZEV_CONFIG_DIR"); }

    void WriteProgram(const std::string& name, const std::string& contents) { home.Write("program/" + name, contents); }

    StartupSequence::Options Options() const
    {
        StartupSequence::Options o;
        o.programDir = home.File("program");
        o.dataDir = home.File("data");
        o.singleInstance = false;
        return o;
    }

    TempDir home;
    FakeMessageBox messages;
    AppState app;
};

TEST_F(StartupSequenceTest, FillsTheApplicationState)
{
    StartupSequence start(messages, Options());
    bool windowCreated = false;
    StartupSequence::Hooks hooks;
    hooks.createMainWindow = [&] { return windowCreated = true; };
    hooks.loadLibraries = [] { return std::string(); };
    ASSERT_EQ(start.Run(app, hooks), StartupSequence::Result::Started);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(windowCreated);
    EXPECT_EQ(app.regKey, "ZevSatchel Test");
    EXPECT_EQ(app.schemaFilePath, home.File("program") + "/ZevSchema.ini");
    EXPECT_EQ(app.settingsFilePath, home.File("program") + "/ZevSatchel.INI");
    EXPECT_EQ(app.databaseName, "master");
    EXPECT_EQ(app.sqlVersion, 8);
    EXPECT_EQ(app.mobileVersion, "v1");
    EXPECT_EQ(app.registrySection, "Application");
    EXPECT_EQ(app.settings.renewMode, 0);
    EXPECT_EQ(app.settings.config.FormatVersion(), 3);
    EXPECT_EQ(start.UserProfile().Path(), home.File("config") + "/ZevSatchel Test/Satchel.ini");
    EXPECT_EQ(start.UserProfile().GetInt("Configuration"), 3);
    EXPECT_TRUE(std::filesystem::is_directory(home.File("data/Temp")));
}

TEST_F(StartupSequenceTest, MissingSettingsFileStopsWith65118)
{
    std::filesystem::remove(home.File("program/ZevSatchel.INI"));
    StartupSequence start(messages, Options());
    EXPECT_EQ(start.Run(app), StartupSequence::Result::Stopped);
    EXPECT_EQ(start.StoppedAtStep(), 6);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].textId, ids::kIniNotFound);
    EXPECT_EQ(messages.shown[0].captionId, CaptionNumber(ids::kCaptionError));
}

TEST_F(StartupSequenceTest, DamagedRecordStopsBeforeTheLibraries)
{
    WriteProgram("ZevConfig.dat", Record(1).substr(1));
    bool librariesLoaded = false;
    StartupSequence::Hooks hooks;
    hooks.loadLibraries = [&] {
        librariesLoaded = true;
        return std::string();
    };
    StartupSequence start(messages, Options());
    EXPECT_EQ(start.Run(app, hooks), StartupSequence::Result::Stopped);
    EXPECT_EQ(start.StoppedAtStep(), 11);
    EXPECT_FALSE(librariesLoaded);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].textId, ids::kConfigCorrupted);
}

TEST_F(StartupSequenceTest, MissingLibraryIsLoggedAndStops)
{
    StartupSequence::Hooks hooks;
    hooks.loadLibraries = [] { return std::string("CPRS Failed to load"); };
    StartupSequence start(messages, Options());
    EXPECT_EQ(start.Run(app, hooks), StartupSequence::Result::Stopped);
    EXPECT_EQ(start.StoppedAtStep(), 13);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].textId, ids::kLibrariesMissing);
    EXPECT_EQ(ReadFile(home.File("data/Temp/$debug.txt")), "CPRS Failed to load\n");
}

TEST_F(StartupSequenceTest, NewListLayoutVersionDiscardsSavedLayouts)
{
    {
        StartupSequence start(messages, Options());
        ASSERT_EQ(start.Run(app), StartupSequence::Result::Started);
        SavedListLayout layout;
        layout.widths[0] = 99;
        ASSERT_TRUE(start.UserProfile().SaveListLayout("Accounts", layout));
        ASSERT_TRUE(start.UserProfile().SetUserID("100200"));
    }
    {
        AppState again;
        StartupSequence start(messages, Options());
        ASSERT_EQ(start.Run(again), StartupSequence::Result::Started);
        EXPECT_EQ(start.UserProfile().ListWidths("Accounts")->at(0), 99); // same version: kept
    }
    WriteProgram("ZevConfig.dat", Record(2));
    AppState third;
    StartupSequence start(messages, Options());
    ASSERT_EQ(start.Run(third), StartupSequence::Result::Started);
    EXPECT_TRUE(third.settings.listLayoutChanged);
    EXPECT_FALSE(start.UserProfile().ListWidths("Accounts"));
    EXPECT_FALSE(start.UserProfile().ListOrder("Accounts"));
    EXPECT_EQ(start.UserProfile().UserID(), "100200");
}

TEST_F(StartupSequenceTest, InstallsUpdatesAndClearsStaleWorkFiles)
{
    WriteProgram("ZevSatchel", "old");
    WriteProgram("ZevSatchel.ex_", "new");
    std::filesystem::create_directories(home.File("data/Temp"));
    home.Write("data/Temp/SQLCE0001.tmp", "stale");
    StartupSequence start(messages, Options());
    ASSERT_EQ(start.Run(app), StartupSequence::Result::Started);
    EXPECT_EQ(ReadFile(home.File("program/ZevSatchel")), "new");
    EXPECT_FALSE(std::filesystem::exists(home.File("program/ZevSatchel.ex_")));
    EXPECT_FALSE(std::filesystem::exists(home.File("data/Temp/SQLCE0001.tmp")));
}

TEST_F(StartupSequenceTest, SecondStartHandsOverToTheFirst)
{
    auto options = Options();
    options.singleInstance = true;
    options.programPath = home.File("program/ZevSatchel");
    options.instanceFolder = home.File("data");
    options.instanceIntervalMs = 20;
    StartupSequence first(messages, options);
    ASSERT_EQ(first.Run(app), StartupSequence::Result::Started);
    auto guard = first.TakeInstance();
    ASSERT_TRUE(guard && guard->IsFirst());

    auto raised = std::async(std::launch::async, [&] { return guard->WaitForRequest(5000); });
    AppState secondApp;
    StartupSequence second(messages, options);
    EXPECT_EQ(second.Run(secondApp), StartupSequence::Result::AnotherInstance);
    EXPECT_TRUE(raised.get());
}

} // namespace
