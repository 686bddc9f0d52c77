// The product window's search and category listing over the --scale demo catalogue (30,000
// items, generated once a day into the build folder and copied to
// memory-backed storage): each statement run through the Items table object
// and read row by row as the product list reads it, beside a plain SQLite
// run of the same translated statement reading every column. The goal is
// under 50 ms a search; ratios to the plain run are reported as counters.
#include "bench/support/PlainRead.h"
#include "bench/support/ScaleDemo.h"
#include "products/ProductSearch.h"
#include "server/ServerStore.h"
#include "tables/Items.h"
#include "tabula/QueryPool.h"
#include "tabula/SqlDialect.h"
#include "tools/demogen/DemoGenerator.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Stage {
    std::unique_ptr<zev::bench::ScaleDemo> demo;
    std::string database;
    bool ok = false;
    std::string sku;
    std::string name;
    int category = 0; // the category with the most items
    std::map<std::string, double> plainSeconds;

    Stage()
    {
        const auto started = std::chrono::steady_clock::now();
        demo = std::make_unique<zev::bench::ScaleDemo>("zevproductbench");
        database = demo->Database();
        std::fprintf(stderr, "set-up: scale demo in %.1f s\n",
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        QueryPool::GetInstance("Data Source=" + database, 0);
        zev::Items items;
        ok = items.Open("select count(*) from Items") == 1 && items.GetFieldValueInt(0) >= 30000 &&
             items.Open("select top 1 DistributorSKU, Description from Items where DeletedFlag = 0 and ItemID >= 1000 "
                        "order by ItemID") == 1 &&
             !items.IsEOF();
        if (ok) {
            sku = items.GetFieldValueString(0);
            name = items.GetFieldValueString(1);
        }
        ok = ok &&
             items.Open("select top 1 CategoryID from Items where DeletedFlag = 0 group by CategoryID order by "
                        "count(*) desc") == 1 &&
             !items.IsEOF();
        if (ok)
            category = items.GetFieldValueInt(0);
    }
    ~Stage() { QueryPool::DestroyAll(); }
};

Stage& TheStage()
{
    static Stage stage;
    return stage;
}

// The searches a representative runs, with account catalogue 10.
std::string Statement(int which)
{
    zev::ProductSearchCriteria c;
    switch (which) {
    case 0: // by name, a word inside the name
        c.byName = true;
        c.keywords = "CHARD";
        break;
    case 1: // by name, the start of the name
        c.byName = true;
        c.keywords = TheStage().name.substr(0, 4) + "*";
        break;
    case 2: // by number
        c.keywords = TheStage().sku;
        break;
    case 3: // by number start
        c.keywords = TheStage().sku.substr(0, 2) + "*";
        break;
    case 5: { // the category page's listing of one category
        zev::Items items;
        (void)items.getByCategory(TheStage().category);
        return items.getLastSQL();
    }
    default: // advanced: keyword over five texts, price range in the catalogue
        c.advanced = true;
        c.keywords = "RED";
        c.casePriceLow = 50;
        c.casePriceHigh = 300;
        break;
    }
    return zev::ProductSearch::BuildStatement(c, 10, 0);
}

const char* const kNames[] = {"name_inside", "name_start", "number", "number_start", "advanced", "category"};

void BM_PlainSearch(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    const auto translation = tabula::SqlDialect().Translate(Statement(static_cast<int>(state.range(0))));
    if (!translation.ok || translation.statements.empty()) {
        state.SkipWithError("statement not translated");
        return;
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(s.database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::string& sql = translation.statements.front();
    std::size_t rows = 0;
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        rows = 0;
        const std::size_t bytes = zev::bench::PlainRead(db, sql, rows);
        benchmark::DoNotOptimize(bytes);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    sqlite3_close(db);
    s.plainSeconds[kNames[state.range(0)]] = best;
    state.SetLabel(kNames[state.range(0)]);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["best_ms"] = best * 1000.0;
}

// The search as the window runs it: the Items table object opens the
// statement, and the list reads the six shown columns of every row.
void BM_ProductSearch(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    const std::string sql = Statement(static_cast<int>(state.range(0)));
    std::size_t rows = 0;
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        zev::Items items;
        if (!zev::ProductSearch::Run(items, sql)) {
            state.SkipWithError("search found nothing");
            return;
        }
        rows = 0;
        std::size_t bytes = 0;
        for (items.MoveFirst(); !items.IsEOF(); items.MoveNext()) {
            bytes += items.GetFieldValueString(6).size() + items.GetFieldValueString(1).size() +
                     items.GetFieldValueString(7).size();
            bytes += static_cast<std::size_t>(items.GetFieldValueInt(0) + items.GetFieldValueInt(12) +
                                              items.GetFieldValueInt(20));
            ++rows;
        }
        benchmark::DoNotOptimize(bytes);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.SetLabel(kNames[state.range(0)]);
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["best_ms"] = best * 1000.0;
    const auto plain = s.plainSeconds.find(kNames[state.range(0)]);
    if (plain != s.plainSeconds.end() && plain->second > 0)
        state.counters["ratio_to_plain"] = best / plain->second;
}

} // namespace

BENCHMARK(BM_PlainSearch)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_ProductSearch)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
