// The order guide of one account grown to 5,000 lines over the --scale demo
// catalogue (generated once per run in memory-backed storage), read and
// priced by the guide loader beside a plain SQLite read of the same joined
// rows; and the background re-pricing pass over the same lines through the
// real PRICING.so. An inventory file of 30,000 counts imported into that
// guide, beside a plain SQLite update of the same rows. Ratios are reported
// as counters.
#include "OrderStage.h"

#include "app/core/MessageBox.h"
#include "base/SchemaFile.h"
#include "orders/InventoryImport.h"
#include "orders/OrderGuide.h"
#include "orders/PriceBinding.h"
#include "orders/RepricingWorker.h"
#include "server/ServerStore.h"
#include "server/SqlDatabase.h"
#include "support/ScriptedMessageBox.h"
#include "tabula/QueryPool.h"
#include "tools/demogen/DemoGenerator.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using zev::bench::Stage;
using zev::bench::TheStage;

// The same joined rows read straight through SQLite, every column of every row.
void BM_PlainJoinedRead(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(s.database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::string sql =
        "select * from WorkOrderItems W, Items I where W.ItemID=I.ItemID and WorkOrderID=" + std::to_string(s.guide) +
        " and AccountID=" + std::to_string(s.account) + " and deletedflag=0 order by W.LineItemNumber";
    std::size_t rows = 0;
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
        rows = 0;
        std::size_t bytes = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            const int n = sqlite3_column_count(st);
            for (int c = 0; c < n; ++c) {
                const unsigned char* text = sqlite3_column_text(st, c);
                bytes += text != nullptr ? static_cast<std::size_t>(sqlite3_column_bytes(st, c)) : 0;
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(bytes);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    sqlite3_close(db);
    s.plainSeconds = best;
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["best_ms"] = best * 1000.0;
}

// The guide loader: the joined reader through Tabula, every row into an
// OrderGuideRow with its split charge, and the extended price of each line.
void BM_GuideLoadAndPrice(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    zev::OrderSettings settings;
    std::size_t rows = 0;
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        zev::OrderGuide guide(s.account, s.guide, settings);
        if (!guide.Load(0)) {
            state.SkipWithError("guide not read");
            return;
        }
        rows = guide.Rows().size();
        benchmark::DoNotOptimize(guide.TotalCents());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["best_ms"] = best * 1000.0;
    if (s.plainSeconds > 0)
        state.counters["ratio_to_plain"] = best / s.plainSeconds;
}

// The background pass over the loaded guide through the real price library.
void BM_BackgroundRepricing(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    zev::PriceBinding binding;
    std::string error;
    if (!binding.Load(std::string(ZEV_BINARY_DIR) + "/PRICING.so", 0, s.database, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    zev::OrderSettings settings;
    zev::OrderGuide guide(s.account, s.guide, settings);
    guide.Load(0);
    std::size_t priced = 0;
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        zev::RepricingWorker worker;
        worker.Start(guide.Rows(), binding.AsFunction(), 0);
        worker.Wait();
        priced = worker.TakeResults().size();
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.counters["rows"] = static_cast<double>(priced);
    state.counters["best_ms"] = best * 1000.0;
}

constexpr int kCounts = 30000;

// The guide's item codes and IDs, and a 30,000-line counts file over them
// (every line's code in the guide, by UPC or SKU in turn).
struct CountsFile {
    std::vector<std::pair<std::string, int>> codes; // code, ItemID
    std::string content;
    std::vector<std::pair<int, int>> counts; // ItemID, quantity, in file order
};

const CountsFile& TheCounts()
{
    static CountsFile f = [] {
        CountsFile c;
        Stage& s = TheStage();
        zev::server::SqlDatabase db(s.database);
        auto q = db.Prepare("select I.UPC, I.DistributorSKU, I.ItemID from WorkOrderItems W, Items I where "
                            "W.ItemID = I.ItemID and W.AccountID = " +
                            std::to_string(s.account) + " and I.DeletedFlag = 0 order by W.LineItemNumber");
        std::vector<std::pair<std::string, int>> byUpc, bySku;
        while (q.Step()) {
            byUpc.emplace_back(q.Text(0), static_cast<int>(q.Int(2)));
            bySku.emplace_back(q.Text(1), static_cast<int>(q.Int(2)));
        }
        for (int i = 0; i < kCounts && !byUpc.empty(); ++i) {
            const auto& pick = (i % 2 ? bySku : byUpc)[static_cast<std::size_t>(i * 7919) % byUpc.size()];
            const int qty = 1 + i % 9;
            c.content += std::to_string(qty) + "," + pick.first + "\n";
            c.counts.emplace_back(pick.second, qty);
        }
        return c;
    }();
    return f;
}

// The plain baseline: the same counts added to the same rows' Inv with one
// prepared update per line, in one transaction.
void BM_PlainInventoryUpdate(benchmark::State& state)
{
    Stage& s = TheStage();
    const CountsFile& f = TheCounts();
    if (!s.ok || f.counts.empty()) {
        state.SkipWithError("set-up failed");
        return;
    }
    sqlite3* db = nullptr;
    sqlite3_open(s.database.c_str(), &db);
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        sqlite3_exec(db, "begin", nullptr, nullptr, nullptr);
        sqlite3_exec(db, ("update WorkOrderItems set Inv = 0 where AccountID = " + std::to_string(s.account)).c_str(),
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "update WorkOrderItems set Inv = Inv + ? where AccountID = ? and WorkOrderID = ? "
                           "and ItemID = ?",
                           -1, &st, nullptr);
        for (const auto& [item, qty] : f.counts) {
            sqlite3_bind_int(st, 1, qty);
            sqlite3_bind_int(st, 2, s.account);
            sqlite3_bind_int(st, 3, s.guide);
            sqlite3_bind_int(st, 4, item);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    sqlite3_close(db);
    s.plainImportSeconds = best;
    state.counters["lines"] = static_cast<double>(f.counts.size());
    state.counters["best_ms"] = best * 1000.0;
}

// The import: the file read and parsed, every line matched to a guide row,
// the guide rewritten with its InvImport row in one transaction, the file
// moved aside. The guide is loaded (as the screen holds it) outside the time.
void BM_InventoryImport(benchmark::State& state)
{
    Stage& s = TheStage();
    const CountsFile& f = TheCounts();
    if (!s.ok || f.counts.empty()) {
        state.SkipWithError("set-up failed");
        return;
    }
    const fs::path inbox = s.dir / "OnHand";
    fs::create_directories(inbox);
    const std::string path = (inbox / "Inventory.txt").string();
    zev::OrderSettings settings;
    zevtest::ScriptedMessageBox box{zevtest::ScriptedMessageBox::WhenEmpty::Ok};
    double best = 1e9;
    int imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(path, std::ios::binary) << f.content;
        zev::OrderGuide guide(s.account, s.guide, settings);
        guide.Load(0);
        zev::InventoryImport::Options o;
        o.accountText1 = "Bench";
        o.accountText2 = std::to_string(s.account);
        o.now = std::time(nullptr) + imported;
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();
        const auto r = zev::InventoryImport::Run(guide, path, o, box);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        if (!r.ok) {
            state.SkipWithError(box.shown.empty() ? "inventory import failed" : box.shown.back().text.c_str());
            return;
        }
        imported = r.records;
    }
    state.counters["lines"] = static_cast<double>(imported);
    state.counters["best_ms"] = best * 1000.0;
    if (s.plainImportSeconds > 0)
        state.counters["rate_vs_plain"] = s.plainImportSeconds / best;
}

} // namespace

BENCHMARK(BM_PlainJoinedRead)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_GuideLoadAndPrice)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_BackgroundRepricing)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK(BM_PlainInventoryUpdate)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_InventoryImport)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
