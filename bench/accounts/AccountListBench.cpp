// The account list filled over the --scale demo (2,000 accounts, generated
// once a day into the build folder and copied to memory-backed storage),
// with call tracking on and callbacks and call states recorded for part of
// the accounts: through the list logic the screen uses, beside a plain
// SQLite run of the same translated statements reading every column. The
// goal is under 100 ms a fill with no statement per account; the ratio to
// the plain run and the statements a fill ran are reported as counters.
#include "accounts/AccountListModel.h"
#include "bench/support/PlainRead.h"
#include "bench/support/ScaleDemo.h"
#include "server/ServerStore.h"
#include "tables/Accounts.h"
#include "tables/DayString.h"
#include "tabula/CVOConnection.h"
#include "tabula/ConnectionImpl.h"
#include "tabula/DBLib.h"
#include "tabula/QueryPool.h"
#include "tabula/SqlDialect.h"
#include "tools/demogen/DemoGenerator.h"

#include "support/FixedClock.h"
#include "support/ScriptedMessageBox.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <strings.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kTuesday = 1031;
constexpr int kAll = 1036;

struct Stage {
    std::unique_ptr<zev::bench::ScaleDemo> demo;
    std::string database;
    bool ok = false;
    int accounts = 0;
    std::map<int, double> plainSeconds;

    Stage()
    {
        const auto started = std::chrono::steady_clock::now();
        demo = std::make_unique<zev::bench::ScaleDemo>("zevaccountbench");
        database = demo->Database();
        ok = RecordCalls();
        std::fprintf(stderr, "set-up: scale demo with %d accounts in %.1f s\n", accounts,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        QueryPool::GetInstance("Data Source=" + database, 0);
    }
    ~Stage() { QueryPool::DestroyAll(); }

    // A callback on Tuesday for every fifth account and a call recorded
    // that day for every third, so call tracking has rows to join.
    bool RecordCalls()
    {
        sqlite3* db = nullptr;
        if (sqlite3_open(database.c_str(), &db) != SQLITE_OK) {
            sqlite3_close(db);
            return false;
        }
        bool good = sqlite3_exec(db, "begin", nullptr, nullptr, nullptr) == SQLITE_OK;
        std::vector<int> ids;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "select AccountID from Accounts order by AccountID", -1, &st, nullptr);
        while (st && sqlite3_step(st) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int(st, 0));
        sqlite3_finalize(st);
        accounts = static_cast<int>(ids.size());
        for (std::size_t i = 0; good && i < ids.size(); ++i) {
            std::string sql;
            if (i % 5 == 0)
                sql += "insert into Callback (AccountID, CallbackDay, CallbackNotes) values (" +
                       std::to_string(ids[i]) + ", 2, 'call after lunch');";
            if (i % 3 == 0)
                sql += "insert into AccountCalled (AccountID, Day, Type) values (" + std::to_string(ids[i]) + ", 2, " +
                       std::to_string(static_cast<int>(i % 4)) + ");";
            good = sql.empty() || sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        }
        good = sqlite3_exec(db, good ? "commit" : "rollback", nullptr, nullptr, nullptr) == SQLITE_OK && good;
        sqlite3_close(db);
        return good && accounts >= 2000;
    }
};

Stage& TheStage()
{
    static Stage stage;
    return stage;
}

zev::AccountListSettings Settings()
{
    zev::AccountListSettings s;
    s.callTracking = true;
    s.backordersButton = true;
    return s;
}

// The statements a fill of the day runs, in the program's dialect: call
// states, the accounts, and the backorder check of the row it selects.
std::vector<std::string> FillStatements(int dayButton, int firstAccount)
{
    std::vector<std::string> sql{"select * from Callback"};
    zev::Accounts accounts;
    if (dayButton == kAll) {
        (void)accounts.getAllAccounts();
    } else {
        const int day = dayButton - 1029;
        sql.push_back("select * from AccountCalled where Day = " + std::to_string(day));
        (void)accounts.getCallPlanOfDay(zev::DayString::SingleDay(day), day);
    }
    sql.push_back(accounts.getLastSQL());
    sql.push_back("Select CASE WHEN EXISTS (Select AccountID from OpenOrders where AccountID = " +
                  std::to_string(firstAccount) + " and TSOrderType in ('BO','MO','IN')) THEN 1 ELSE 0 END");
    return sql;
}

// Counts the statements the program runs (not Tabula's own schema look-ups).
int CountStatements(unsigned, void* counter, void*, void* text)
{
    if (::strncasecmp(static_cast<const char*>(text), "pragma", 6) != 0)
        ++*static_cast<int*>(counter);
    return 0;
}

sqlite3* PoolHandle() { return QueryPool::GetInstance(0)->getLibrary()->getConnection()->GetHandle(); }

// The list as the screen fills it: the logic class reads the accounts and
// the call data and builds every row's texts.
void BM_AccountListFill(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    const int button = static_cast<int>(state.range(0));
    zevtest::FixedClock clock(std::time(nullptr));
    zevtest::ScriptedMessageBox box(zevtest::ScriptedMessageBox::WhenEmpty::Ok);
    zev::CurrentAccount document;
    int statements = 0;
    sqlite3_trace_v2(PoolHandle(), SQLITE_TRACE_STMT, CountStatements, &statements);
    std::size_t rows = 0;
    double best = 1e9;
    int ranLast = 0;
    for (auto _ : state) {
        document.accountId = -1;
        zev::AccountListModel list(Settings(), document, clock, box);
        const int before = statements;
        const auto t0 = std::chrono::steady_clock::now();
        list.Fill(button);
        std::size_t bytes = 0;
        for (int r = 0; r < list.RowCount(); ++r)
            bytes += list.Text(r, 1).size() + list.Text(r, 2).size();
        benchmark::DoNotOptimize(bytes);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        rows = static_cast<std::size_t>(list.RowCount());
        ranLast = statements - before;
    }
    sqlite3_trace_v2(PoolHandle(), 0, nullptr, nullptr);
    state.SetLabel(button == kAll ? "all" : "tuesday");
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["statements"] = ranLast;
    state.counters["best_ms"] = best * 1000.0;
    const auto plain = s.plainSeconds.find(button);
    if (plain != s.plainSeconds.end() && plain->second > 0)
        state.counters["ratio_to_plain"] = best / plain->second;
}

// The same statements, translated once, run by the plain C API reading
// every column of every row.
void BM_PlainAccountList(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("set-up failed");
        return;
    }
    const int button = static_cast<int>(state.range(0));
    CVOConnection schema("Data Source=" + s.database);
    std::vector<std::string> translated;
    int first = 0;
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(schema.GetHandle(), "select min(AccountID) from Accounts", -1, &st, nullptr);
        if (st && sqlite3_step(st) == SQLITE_ROW)
            first = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
    }
    for (const std::string& sql : FillStatements(button, first)) {
        const auto t = tabula::SqlDialect(&schema.Impl()).Translate(sql);
        if (!t.ok || t.statements.size() != 1) {
            state.SkipWithError(("statement not translated: " + t.error).c_str());
            return;
        }
        translated.push_back(t.statements.front());
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(s.database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    tabula::SqlDialect::RegisterFunctions(db);
    std::size_t rows = 0;
    double best = 1e9;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        std::size_t bytes = 0;
        rows = 0;
        for (const std::string& sql : translated)
            bytes += zev::bench::PlainRead(db, sql, rows);
        benchmark::DoNotOptimize(bytes);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    sqlite3_close(db);
    s.plainSeconds[button] = best;
    state.SetLabel(button == kAll ? "all" : "tuesday");
    state.counters["rows_read"] = static_cast<double>(rows);
    state.counters["best_ms"] = best * 1000.0;
}

} // namespace

BENCHMARK(BM_PlainAccountList)->Arg(kAll)->Arg(kTuesday)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_AccountListFill)->Arg(kAll)->Arg(kTuesday)->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
