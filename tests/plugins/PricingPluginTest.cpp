#include "plugins/PluginApi.h"
#include "tests/plugins/PluginLibrary.h"
#include "tests/plugins/TempFolder.h"

#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

// The CREATE statement of a table as the distributor kit's schema file has it,
// so the prices are read from exactly the columns the program builds.
std::string KitSchema(const std::string& table)
{
    std::ifstream in(std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevSchema.ini");
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            inSection = line == "[" + table + "]";
        else if (inSection && line.rfind("Schema=", 0) == 0)
            return line.substr(7);
    }
    ADD_FAILURE() << "no schema for " << table;
    return {};
}

void Exec(sqlite3* db, const std::string& sql)
{
    char* err = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "") << "\n" << sql;
}

class PricingPluginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(sqlite3_open(Db().c_str(), &db), SQLITE_OK);
        Exec(db, "pragma journal_mode=wal");
        Exec(db, KitSchema("PricingScheme"));
        Exec(db, KitSchema("Items"));
        Exec(db, "insert into Items (ItemID, QtyPerCase) values (1001, 12), (1002, 6)");
        // Item 1001 in catalogue 10: base 24.00/2.50, tier 3 22.00/2.30, tier 5
        // left at 0; breaks at 60 and 120 units.
        Exec(db, "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0, CPrice3, SPrice3, CPrice5, "
                 "SPrice5,"
                 " BreakQty1, BreakDisc1, BreakQty2, BreakDisc2, BreakQty3, BreakDisc3)"
                 " values (1001, 10, 24.00, 2.50, 22.00, 2.30, 0, 0, 60, 1.20, 120, 2.40, 0, 0)");
        Exec(db, "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0) values (1001, 20, 30.00, 3.00)");
        Exec(db, "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0) values (1002, 40, 9.00, 1.60),"
                 " (1002, 30, 8.00, 1.50)");
        // Expired, not yet valid, and a row with only its end open.
        Exec(db, "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0, EndDate)"
                 " values (1003, 10, 5.00, 1.00, '2000-01-31 00:00:00')");
        Exec(db, "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0, StartDate)"
                 " values (1004, 10, 5.00, 1.00, '2999-01-01 00:00:00')");
        Exec(db, "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0, StartDate)"
                 " values (1005, 10, 7.00, 0.70, '2001-01-01 00:00:00')");
        setDatabase(Db().c_str());
    }
    void TearDown() override
    {
        closePricing();
        setDatabase("");
        sqlite3_close(db);
    }
    std::string Db() const { return dir / "master.db"; }

    // Output buffers as the program prepares them: 50 characters of spaces.
    struct Out {
        Out() { Fill(); }
        void Fill()
        {
            std::memset(caseText, ' ', sizeof caseText);
            std::memset(singleText, ' ', sizeof singleText);
            caseText[49] = singleText[49] = '\0';
        }
        char caseText[Q9_PRICE_BUFFER_SIZE];
        char singleText[Q9_PRICE_BUFFER_SIZE];
    };

    int Calculate(const char* item, const char* deal, const char* catalog, const char* qty, Out& out)
    {
        return calculate(item, deal, catalog, qty, "", "", "", "", "", out.caseText, out.singleText);
    }

    TempFolder dir;
    sqlite3* db = nullptr;
    PluginLibrary lib{"PRICING.so"};
    Q9CalculatePriceFn calculate = lib.Get<Q9CalculatePriceFn>("Q9CalculatePrice");
    Q9EnumeratePricesFn enumerate = lib.Get<Q9EnumeratePricesFn>("Q9EnumeratePrices");
    Q9ClosePricingFn closePricing = lib.Get<Q9ClosePricingFn>("Q9ClosePricing");
    Q9SetPricingDatabaseFn setDatabase = lib.Get<Q9SetPricingDatabaseFn>("Q9SetPricingDatabase");
};

struct PriceCase {
    const char* name;
    const char* item;
    const char* deal;
    const char* catalog;
    const char* qty;
    const char* casePrice; // nullptr: the calculation fails
    const char* singlePrice;
};

void PrintTo(const PriceCase& c, std::ostream* os) { *os << c.name; }

class Prices : public PricingPluginTest, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(Prices, FollowTheDocumentedRules)
{
    const auto& c = GetParam();
    Out out;
    const int ok = Calculate(c.item, c.deal, c.catalog, c.qty, out);
    if (c.casePrice == nullptr) {
        EXPECT_EQ(ok, 0);
        // The caller's buffers are untouched: its prices stay as they were.
        Out untouched;
        EXPECT_EQ(std::memcmp(out.caseText, untouched.caseText, sizeof out.caseText), 0);
        EXPECT_EQ(std::memcmp(out.singleText, untouched.singleText, sizeof out.singleText), 0);
        return;
    }
    ASSERT_NE(ok, 0);
    EXPECT_STREQ(out.caseText, c.casePrice);
    EXPECT_STREQ(out.singleText, c.singlePrice);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Prices,
    ::testing::Values(PriceCase{"BasePrice", "1001", "0", "10", "0", "24.00", "2.50"},
                      PriceCase{"DealCodeSelectsItsTier", "1001", "3", "10", "0", "22.00", "2.30"},
                      PriceCase{"EmptyTierFallsBackToBase", "1001", "5", "10", "0", "24.00", "2.50"},
                      PriceCase{"DealCodeBeyondTheTiersIsBase", "1001", "4294967295", "10", "0", "24.00", "2.50"},
                      PriceCase{"BelowTheFirstBreak", "1001", "0", "10", "59", "24.00", "2.50"},
                      PriceCase{"FirstBreak", "1001", "0", "10", "60", "22.80", "2.40"},
                      PriceCase{"HighestBreakReachedOnATier", "1001", "3", "10", "130", "19.60", "2.10"},
                      PriceCase{"CatalogueOwnRow", "1001", "0", "20", "0", "30.00", "3.00"},
                      PriceCase{"UnknownCatalogueUsesTheLowest", "1001", "0", "99", "0", "24.00", "2.50"},
                      PriceCase{"LowestCatalogueOfAnotherItem", "1002", "0", "10", "0", "8.00", "1.50"},
                      PriceCase{"OpenEndedRowApplies", "1005", "0", "10", "12", "7.00", "0.70"},
                      PriceCase{"ExpiredRowFails", "1003", "0", "10", "0", nullptr, nullptr},
                      PriceCase{"FutureRowFails", "1004", "0", "10", "0", nullptr, nullptr},
                      PriceCase{"UnknownItemFails", "9999", "0", "10", "0", nullptr, nullptr},
                      PriceCase{"ItemNotANumberFails", "10x1", "0", "10", "0", nullptr, nullptr},
                      PriceCase{"QuantityMissingFails", "1001", "0", "10", "", nullptr, nullptr}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(PricingPluginTest, WithoutADatabaseTheCallFailsAndChangesNothing)
{
    setDatabase((dir / "absent.db").c_str());
    Out out;
    EXPECT_EQ(Calculate("1001", "0", "10", "0", out), 0);
    EXPECT_FALSE(fs::exists(dir / "absent.db")); // opened read-only, never created
}

TEST_F(PricingPluginTest, EnumerationWalksTheTiersWithAPrice)
{
    char breakQty[50], tier[50], casePrice[50], singlePrice[50];
    ASSERT_EQ(enumerate("1001", "0", "", "", "", "", breakQty, tier, casePrice, singlePrice), 1);
    EXPECT_STREQ(tier, "0");
    EXPECT_STREQ(breakQty, "60");
    EXPECT_STREQ(casePrice, "24.00");
    EXPECT_STREQ(singlePrice, "2.50");
    ASSERT_EQ(enumerate("1001", "1", "", "", "", "", breakQty, tier, casePrice, singlePrice), 1);
    EXPECT_STREQ(tier, "3");
    EXPECT_STREQ(casePrice, "22.00");
    EXPECT_STREQ(singlePrice, "2.30");
    EXPECT_EQ(enumerate("1001", "2", "", "", "", "", breakQty, tier, casePrice, singlePrice), 0);
    EXPECT_EQ(enumerate("", "0", "", "", "", "", breakQty, tier, casePrice, singlePrice), 0);
    ASSERT_EQ(enumerate("1002", "0", "", "", "", "", breakQty, tier, casePrice, singlePrice), 1);
    EXPECT_STREQ(breakQty, "0");
    EXPECT_STREQ(casePrice, "8.00");
}

// A restored or rebuilt database is a new file renamed into place; prices
// must come from it, not from the connection to the old one.
TEST_F(PricingPluginTest, AReplacedDatabaseFileIsReadAfresh)
{
    Out out;
    ASSERT_EQ(Calculate("1001", "0", "10", "0", out), 1);
    EXPECT_STREQ(out.caseText, "24.00");

    const std::string next = dir / "next.db";
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(next.c_str(), &other), SQLITE_OK);
    Exec(other, KitSchema("PricingScheme"));
    Exec(other, "insert into PricingScheme (ItemID, CatalogID, CPrice0, SPrice0) values (1001, 10, 26.00, 2.70)");
    sqlite3_close(other);
    // As a restore does: the old file's logs go, the new file takes its name.
    sqlite3_close(db);
    db = nullptr;
    fs::remove(Db() + "-wal");
    fs::remove(Db() + "-shm");
    fs::rename(next, Db());

    ASSERT_EQ(Calculate("1001", "0", "10", "0", out), 1);
    EXPECT_STREQ(out.caseText, "26.00");
}

// The order guide re-prices on a worker while the interface thread writes.
TEST_F(PricingPluginTest, WorkersPriceWhileTheDatabaseIsWritten)
{
    std::atomic<bool> stop{false};
    std::atomic<int> failures{0};
    std::atomic<int> wrong{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 3; ++t) {
        workers.emplace_back([&] {
            Out out;
            while (!stop) {
                out.Fill();
                if (Calculate("1001", "0", "20", "0", out) == 0)
                    ++failures;
                else if (std::strcmp(out.caseText, "30.00") != 0 && std::strcmp(out.caseText, "31.00") != 0)
                    ++wrong;
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        Exec(db, std::string("update PricingScheme set CPrice0 = ") + (i % 2 ? "31.00" : "30.00") +
                     " where ItemID = 1001 and CatalogID = 20");
    }
    stop = true;
    for (auto& w : workers)
        w.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(wrong, 0);
}

} // namespace
