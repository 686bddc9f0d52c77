#include "app/libraries/LibraryTable.h"

#include "app/core/MessageBox.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using zevtest::ReadFile;

class LibraryTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = m_temp.Dir();
        m_program = m_root / "program";
        fs::create_directories(m_program);
        m_log = m_root / "loaded.log";
        ::setenv("ZEV_FAKE_LOAD_LOG", m_log.c_str(), 1);
        m_options.programDir = m_program.string();
        m_options.debugFile = (m_root / "data" / "Temp" / "$debug.txt").string();
        m_options.pricePercentage = 15;
    }
    void TearDown() override
    {
        m_table.Unload();
        ::unsetenv("ZEV_FAKE_LOAD_LOG");
    }

    // Puts the stand-in libraries named into the program folder.
    void Install(const std::vector<std::string>& files, const std::string& fakesDir = "fakes")
    {
        for (const auto& f : files)
            fs::copy_file(fs::path(ZEV_FAKES_DIR) / fakesDir / f, m_program / f, fs::copy_options::overwrite_existing);
    }

    std::vector<std::string> LoadedNames() const
    {
        std::vector<std::string> names;
        std::istringstream in(ReadFile(m_log));
        for (std::string line; std::getline(in, line);)
            names.push_back(line);
        return names;
    }

    zevtest::TempDir m_temp{"zevlib"};
    fs::path m_root, m_program, m_log;
    zev::LibraryLoadOptions m_options;
    zev::LibraryTable m_table;
    zevtest::ScriptedMessageBox m_box{zevtest::ScriptedMessageBox::WhenEmpty::Ok};
};

struct MissingCase {
    const char* absent;
    const char* line;
    std::vector<std::string> loadedBefore;
};

void PrintTo(const MissingCase& c, std::ostream* os) { *os << c.absent; }

class MissingLibrary : public LibraryTableTest, public ::testing::WithParamInterface<MissingCase> {};

// The first missing library stops loading there: one line in the debug file,
// the stop box, and nothing later opened.
TEST_P(MissingLibrary, WritesItsLineShowsTheBoxAndLoadsNothingLater)
{
    const auto& c = GetParam();
    std::vector<std::string> present;
    for (const char* f : {"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
        if (std::string(f) != c.absent)
            present.push_back(f);
    Install(present);

    EXPECT_FALSE(m_table.Load(m_options, m_box));

    EXPECT_EQ(ReadFile(m_options.debugFile), std::string(c.line) + "\r\n");
    ASSERT_EQ(m_box.shown.size(), 1u);
    EXPECT_EQ(m_box.shown[0].textId, 65119);
    EXPECT_EQ(m_box.shown[0].captionId, 65099);
    EXPECT_EQ(m_box.shown[0].icon, zev::MbIcon::Stop);
    EXPECT_EQ(LoadedNames(), c.loadedBefore);
    EXPECT_FALSE(m_table.IsLoaded());
    EXPECT_FALSE(m_table.util.module.IsOpen());
    EXPECT_FALSE(m_table.LastError().empty());
}

INSTANTIATE_TEST_SUITE_P(EachLibrary, MissingLibrary,
                         ::testing::Values(MissingCase{"Q9UTIL.so", "UTIL Failed to load", {}},
                                           MissingCase{"Q9CPRS.so", "CPRS Failed to load", {"UTIL"}},
                                           MissingCase{"Q9INET.so", "INET Failed to load", {"UTIL", "CPRS"}},
                                           MissingCase{
                                               "PRICING.so", "PRICING Failed to load", {"UTIL", "CPRS", "INET"}}));

TEST_F(LibraryTableTest, ALibraryLackingOneEntryPointCountsAsMissing)
{
    Install({"Q9CPRS.so", "Q9INET.so", "PRICING.so"});
    Install({"Q9UTIL.so"}, "fakes-partial");

    EXPECT_FALSE(m_table.Load(m_options, m_box));

    EXPECT_EQ(ReadFile(m_options.debugFile), "UTIL Failed to load\r\n");
    EXPECT_NE(m_table.LastError().find("Q9IsConnected"), std::string::npos);
    // It was opened to look for the entry points, nothing after it.
    EXPECT_EQ(LoadedNames(), std::vector<std::string>{"UTIL"});
    EXPECT_EQ(m_box.shown.size(), 1u);
}

TEST_F(LibraryTableTest, TheDebugFileIsCreatedAnewEachTime)
{
    fs::create_directories(fs::path(m_options.debugFile).parent_path());
    std::ofstream(m_options.debugFile) << "an older start's line that is much longer\r\n";
    Install({"Q9UTIL.so"});

    EXPECT_FALSE(m_table.Load(m_options, m_box));
    EXPECT_EQ(ReadFile(m_options.debugFile), "CPRS Failed to load\r\n");
}

TEST_F(LibraryTableTest, AllPresentLoadsInOrderAndKeepsThePercentageAsAFraction)
{
    Install({"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"});

    ASSERT_TRUE(m_table.Load(m_options, m_box));

    EXPECT_TRUE(m_box.shown.empty());
    EXPECT_FALSE(fs::exists(m_options.debugFile));
    EXPECT_EQ(LoadedNames(), (std::vector<std::string>{"UTIL", "CPRS", "INET", "PRICING"}));
    EXPECT_DOUBLE_EQ(m_table.pricing.pricePercentage, 0.15);
    EXPECT_NE(m_table.util.IsConnected, nullptr);
    EXPECT_NE(m_table.inet.PostData, nullptr);
    EXPECT_EQ(m_table.inet.PostData(nullptr, nullptr, "", "", 0, nullptr, 0), 2);
    // The post into a caller's file is optional: a library without it loads.
    EXPECT_EQ(m_table.inet.PostToFile, nullptr);

    // Releasing lets pricing close its database first.
    m_table.Unload();
    EXPECT_EQ(LoadedNames().back(), "PRICING closed");
    EXPECT_FALSE(m_table.IsLoaded());
}

// An installed kit folder holds no code: the libraries it lacks come from the
// private library folder, while one the distributor put in the kit wins even
// when it is broken (the kit's choice is never silently replaced).
TEST_F(LibraryTableTest, LibrariesMissingFromTheKitComeFromThePrivateFolder)
{
    const fs::path privateDir = m_root / "private";
    fs::create_directories(privateDir);
    for (const char* f : {"Q9UTIL.so", "Q9INET.so", "PRICING.so"})
        fs::copy_file(fs::path(ZEV_FAKES_DIR) / "fakes" / f, privateDir / f);
    Install({"Q9CPRS.so"});
    m_options.libraryDir = privateDir.string();

    ASSERT_TRUE(m_table.Load(m_options, m_box));
    EXPECT_EQ(LoadedNames(), (std::vector<std::string>{"UTIL", "CPRS", "INET", "PRICING"}));
    m_table.Unload();

    Install({"Q9UTIL.so"}, "fakes-partial");
    EXPECT_FALSE(m_table.Load(m_options, m_box));
    EXPECT_EQ(ReadFile(m_options.debugFile), "UTIL Failed to load\r\n");
}

TEST_F(LibraryTableTest, WithoutAPrivateFolderOnlyTheKitIsSearched)
{
    const fs::path privateDir = m_root / "private";
    fs::create_directories(privateDir);
    fs::copy_file(fs::path(ZEV_FAKES_DIR) / "fakes" / "Q9UTIL.so", privateDir / "Q9UTIL.so");
    m_options.libraryDir.clear();

    EXPECT_FALSE(m_table.Load(m_options, m_box));
    EXPECT_EQ(ReadFile(m_options.debugFile), "UTIL Failed to load\r\n");
    // The default private folder is the installed layout's, beside the executable's folder.
    EXPECT_EQ(fs::path(zev::InstalledLibraryDir()).filename(), "zevsatchel");
}

TEST_F(LibraryTableTest, TheBuiltLibrariesLoadAndAnswer)
{
    m_options.programDir = ZEV_BINARY_DIR;
    m_options.dataDir = (m_root / "data").string();
    ASSERT_TRUE(m_table.Load(m_options, m_box)) << m_table.LastError();

    char digest[Q9_DIGEST_LENGTH + 1] = {};
    ASSERT_EQ(m_table.util.Hash("demo1234", digest, sizeof digest), 1);
    EXPECT_EQ(std::string(digest).size(), 32u);
    EXPECT_EQ(m_table.util.IsConnected(), 0);
    ASSERT_NE(m_table.inet.PostToFile, nullptr);
    EXPECT_EQ(m_table.inet.PostToFile("127.0.0.1", "", "/p", "", 1000, nullptr, 80, nullptr, nullptr),
              Q9POST_BAD_ARGUMENTS);
}

// The price operation through the real PRICING.so, pointed at its database
// by the loader.
TEST_F(LibraryTableTest, ThePriceOperationReadsTheLibraryAnswer)
{
    const std::string db = (m_root / "prices.db").string();
    sqlite3* conn = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &conn), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(conn,
                           "create table PricingScheme (ItemID int, CatalogID int, CPrice0 money, CPrice1 money,"
                           " CPrice2 money, CPrice3 money, CPrice4 money, CPrice5 money, CPrice6 money,"
                           " CPrice7 money, CPrice8 money, CPrice9 money, SPrice0 money, SPrice1 money,"
                           " SPrice2 money, SPrice3 money, SPrice4 money, SPrice5 money, SPrice6 money,"
                           " SPrice7 money, SPrice8 money, SPrice9 money, BreakQty1 int, BreakDisc1 money,"
                           " BreakQty2 int, BreakDisc2 money, BreakQty3 int, BreakDisc3 money,"
                           " SplitCaseCharge money, StartDate datetime, EndDate datetime);"
                           "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0, CPrice2, SPrice2)"
                           " values (7, 10, 24.00, 2.50, 21.75, 1.95);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(conn);

    m_options.programDir = ZEV_BINARY_DIR;
    m_options.pricingDatabase = db;
    ASSERT_TRUE(m_table.Load(m_options, m_box)) << m_table.LastError();

    float casePrice = -5.0f;
    float singlePrice = -5.0f;
    ASSERT_TRUE(m_table.pricing.Price(7, casePrice, singlePrice, 0, 10, 2));
    EXPECT_FLOAT_EQ(casePrice, 21.75f);
    EXPECT_FLOAT_EQ(singlePrice, 1.95f);
    // A failed calculation leaves the caller's prices as they were.
    EXPECT_FALSE(m_table.pricing.Price(8, casePrice, singlePrice, 12, 10, 0));
    EXPECT_FLOAT_EQ(casePrice, 21.75f);
    EXPECT_FLOAT_EQ(singlePrice, 1.95f);

    zev::PricingLibrary unloaded;
    EXPECT_FALSE(unloaded.Price(7, casePrice, singlePrice, 0, 10, 0));
}

} // namespace
