#include "SyncFakes.h"

#include "app/core/CZevSettings.h"
#include "app/core/Profile.h"
#include "app/core/ZevFolders.h"
#include "app/libraries/LibraryTable.h"
#include "sync/SyncStack.h"
#include "sync/TabulaSyncDb.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

namespace {

struct StackCase {
    const char* name;
    const char* database;       // GENERAL/DATABASE
    const char* expectedBackup; // relative to the data folder, or absolute when it starts with '/'
};

class WiredStack : public ::testing::TestWithParam<StackCase> {};

// The program and the companion both get their paths here; the backup path
// is where the compressor writes the copy (data folder, "<name>.db.gz").
TEST_P(WiredStack, PathsComeFromTheFolders)
{
    TempDir dir;
    ZevFolders folders(dir.Path(), dir.File("data"));
    AppState app;
    app.databaseName = GetParam().database;
    app.settingsFilePath = dir.File("ZevSatchel.INI");
    app.mobileVersion = "v1   ";
    Profile profile(dir.File("profile.ini"));
    LibraryTable none;
    FakeMessageBox box;
    FixedClock clock;
    FakeSettings settings;
    FakeProfile prof;
    TabulaSyncDb db;
    SyncStackInputs in{folders, app, profile, none, box, nullptr, clock};
    SyncServices s = SyncStack::WireServices(in, settings, prof, db);
    std::string expected = GetParam().expectedBackup;
    if (expected[0] != '/')
        expected = dir.File("data") + "/" + expected;
    EXPECT_EQ(s.paths.backupFile, expected);
    EXPECT_EQ(s.paths.replyFile, folders.Map("\\Temp\\$dltemp.txt"));
    EXPECT_EQ(s.paths.errorLog, folders.SyncErrorLogPath());
    EXPECT_EQ(s.mobileVersion, "v1");
    // Unloaded libraries: every entry point answers as absent, nothing crashes.
    EXPECT_NE(s.postData("h", "b", "/p", "", 10, nullptr, 80), 0);
    EXPECT_EQ(s.helpers.hash("x"), "");
}

INSTANTIATE_TEST_SUITE_P(Names, WiredStack,
                         ::testing::Values(StackCase{"Default", "", "master.db.gz"},
                                           StackCase{"Named", "zev", "zev.db.gz"},
                                           StackCase{"Path", "/tmp/elsewhere/zev.db", "/tmp/elsewhere/zev.db.gz"}),
                         [](const auto& tc) { return std::string(tc.param.name); });

} // namespace
