#include "app/core/ZevFolders.h"
#include "app/core/PendingUpdates.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <vector>

using namespace zev;

namespace {

class MapCases : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(MapCases, WindowsPathsLandBelowTheDataFolder)
{
    const ZevFolders folders("/opt/zev", "/home/rep/.local/share/ZevSatchel");
    EXPECT_EQ(folders.Map(GetParam().first), std::string("/home/rep/.local/share/ZevSatchel") + GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MapCases,
    ::testing::Values(std::make_pair("\\Temp\\$dltemp.txt", "/Temp/$dltemp.txt"),
                      std::make_pair("\\temp\\$debug.txt", "/Temp/$debug.txt"),
                      std::make_pair("/Temp/$SWOTEMP.TMP", "/Temp/$SWOTEMP.TMP"), std::make_pair("\\Temp", "/Temp"),
                      std::make_pair("C:\\Palm\\Symbol\\On Hand\\Inventory.txt", "/OnHand/Inventory.txt"),
                      std::make_pair("\\Temp\\..\\..\\..\\etc\\passwd", "/Temp/etc/passwd"),
                      std::make_pair("master.db.gz", "/master.db.gz")));

TEST(ZevFolders, NamedPaths)
{
    const ZevFolders folders("/opt/zev/", "/data/");
    EXPECT_EQ(folders.ProgramDir(), "/opt/zev");
    EXPECT_EQ(folders.ProgramFile("ZevSatchel.INI"), "/opt/zev/ZevSatchel.INI");
    EXPECT_EQ(folders.DatabasePath("master"), "/data/master.db");
    EXPECT_EQ(folders.DatabasePath(""), "/data/master.db");
    EXPECT_EQ(folders.DatabasePath("../x"), "/data/.._x.db");
    EXPECT_EQ(folders.BackupPath("master"), "/data/master.db.gz");
    EXPECT_EQ(folders.DebugLogPath(), "/data/Temp/$debug.txt");
    EXPECT_EQ(folders.InventoryFilePath(), "/data/OnHand/Inventory.txt");
}

TEST(ZevFolders, ProgramFolderFromTheCommandLine)
{
    const char* withHome[] = {"ZevSatchel", "--home", "/srv/zev/", nullptr};
    EXPECT_EQ(ZevFolders::ProgramDirFromArgs(3, withHome), "/srv/zev");
    const char* withEquals[] = {"ZevSatchel", "--home=/srv/other", nullptr};
    EXPECT_EQ(ZevFolders::ProgramDirFromArgs(2, withEquals), "/srv/other");
    const char* without[] = {"ZevSatchel", nullptr};
    EXPECT_EQ(ZevFolders::ProgramDirFromArgs(1, without), ZevFolders::ExecutableDir());
    EXPECT_TRUE(std::filesystem::exists(ZevFolders::ExecutableDir() + "/CoreFoldersTest"));
}

// Where the settings file is decides the installation folder: beside the
// executable (build tree, a kit copied next to the program), else the
// installed kit relative to it, else the executable's folder so the missing
// settings file is reported there.
struct InstallCase {
    const char* name;
    std::vector<std::string> iniIn; // folders below the root holding ZevSatchel.INI
    const char* exeDir;
    const char* kitFromExe;
    const char* expected;
};

class InstallationDirCases : public ::testing::TestWithParam<InstallCase> {};

TEST_P(InstallationDirCases, FollowsTheSettingsFile)
{
    const InstallCase& c = GetParam();
    TempDir root;
    for (const char* dir : {"usr/bin", "usr/share/zevsatchel", "opt/zev"})
        std::filesystem::create_directories(root.File(dir));
    for (const std::string& dir : c.iniIn)
        root.Write(dir + "/ZevSatchel.INI", "[GENERAL]\n");
    const std::string exeDir = root.File(c.exeDir);
    const std::string expected = root.File(c.expected);
    EXPECT_EQ(ZevFolders::InstallationDir(exeDir, c.kitFromExe), expected);
    EXPECT_EQ(ZevFolders::InstallationDir(exeDir + "/", c.kitFromExe), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, InstallationDirCases,
    ::testing::Values(
        InstallCase{
            "InstalledTree", {"usr/share/zevsatchel"}, "usr/bin", "../share/zevsatchel", "usr/share/zevsatchel"},
        InstallCase{"KitBesideTheProgramWins",
                    {"usr/bin", "usr/share/zevsatchel"},
                    "usr/bin",
                    "../share/zevsatchel",
                    "usr/bin"},
        InstallCase{"NoKitAnywhere", {}, "usr/bin", "../share/zevsatchel", "usr/bin"},
        InstallCase{"KitFolderWithoutSettingsFile", {"opt/zev"}, "usr/bin", "../share/zevsatchel", "usr/bin"},
        InstallCase{"NoInstalledLayout", {"usr/share/zevsatchel"}, "usr/bin", "", "usr/bin"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ZevFolders, DefaultProgramFolderOfTheBuildTreeIsTheExecutablesFolder)
{
    // The test binaries sit in the build tree's bin folder, which holds no
    // settings file and has no installed kit above it.
    EXPECT_EQ(ZevFolders::DefaultProgramDir(), ZevFolders::ExecutableDir());
    EXPECT_EQ(ZevFolders().ProgramDir(), ZevFolders::ExecutableDir());
}

TEST(ZevFolders, DataFolderFromTheEnvironment)
{
    ::setenv("ZEV_DATA_DIR", "/tmp/zev-test-data/", 1);
    EXPECT_EQ(ZevFolders::DataDirFromEnvironment(), "/tmp/zev-test-data");
    ::unsetenv("ZEV_DATA_DIR");
    ::setenv("XDG_DATA_HOME", "/xdg", 1);
    EXPECT_EQ(ZevFolders::DataDirFromEnvironment(), "/xdg/ZevSatchel");
    ::setenv("XDG_DATA_HOME", "relative", 1); // ignored, as XDG asks
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    ::setenv("HOME", "/home/rep", 1);
    EXPECT_EQ(ZevFolders::DataDirFromEnvironment(), "/home/rep/.local/share/ZevSatchel");
    ::unsetenv("XDG_DATA_HOME");
    if (oldHome)
        ::setenv("HOME", savedHome.c_str(), 1);
    else
        ::unsetenv("HOME");
}

TEST(ZevFolders, DataFolderIsCreatedOwnerOnlyAndRepaired)
{
    TempDir dir;
    const ZevFolders folders("/opt/zev", dir.File("a/b/ZevSatchel"));
    std::string error;
    ASSERT_TRUE(folders.EnsureDataDir(&error)) << error;
    struct stat st {};
    ASSERT_EQ(::stat(folders.DataDir().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(folders.TempDir().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    ::chmod(folders.DataDir().c_str(), 0777);
    ASSERT_TRUE(folders.EnsureDataDir(&error)) << error;
    ASSERT_EQ(::stat(folders.DataDir().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(ZevFolders, AFileInPlaceOfTheFolderIsRefused)
{
    TempDir dir;
    dir.Write("data", "not a folder");
    const ZevFolders folders("/opt/zev", dir.File("data"));
    std::string error;
    EXPECT_FALSE(folders.EnsureDataDir(&error));
    EXPECT_FALSE(error.empty());
}

TEST(PendingUpdates, ReplaceTheProgramOfTheSameName)
{
    TempDir dir;
    dir.Write("ZevSatchel", "old program");
    ::chmod(dir.File("ZevSatchel").c_str(), 0750);
    dir.Write("ZevSatchel.ex_", "new program");
    dir.Write("satchel.ex_", "new companion"); // no old file: installed anyway
    dir.Write("ZevSatchel.exe", "unrelated");
    dir.Write("ZevConfig.dat", "left alone");

    EXPECT_EQ(InstallPendingUpdates(dir.Path()), 2);

    std::string text;
    std::ifstream(dir.File("ZevSatchel")) >> std::noskipws >> text;
    EXPECT_EQ(text.substr(0, 3), "new");
    EXPECT_FALSE(std::filesystem::exists(dir.File("ZevSatchel.ex_")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("satchel")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("ZevSatchel.exe")));
    struct stat st {};
    ASSERT_EQ(::stat(dir.File("ZevSatchel").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0750u); // keeps the program's permissions
    ASSERT_EQ(::stat(dir.File("satchel").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0755u);
    EXPECT_EQ(InstallPendingUpdates(dir.Path()), 0);
}

TEST(PendingUpdates, StaleWorkFilesAreRemoved)
{
    TempDir dir;
    dir.Write("SQLCE1234.tmp", "");
    dir.Write("SQLCE", "");
    dir.Write("$dltemp.txt", "kept");
    std::filesystem::create_directory(dir.File("SQLCEdir"));
    EXPECT_EQ(RemoveStaleTempFiles(dir.Path()), 2);
    EXPECT_TRUE(std::filesystem::exists(dir.File("$dltemp.txt")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("SQLCEdir")));
    EXPECT_EQ(RemoveStaleTempFiles("/nonexistent/folder"), 0);
}

} // namespace
