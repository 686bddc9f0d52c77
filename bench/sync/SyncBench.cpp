#include "SatchelApp.h"

#include "sync/SyncText.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/Tabula.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sqlite3.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string Bin(const std::string& n) { return std::string(ZEV_BINARY_DIR) + "/" + n; }

std::string ReadAll(const std::string& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

pid_t Spawn(const std::vector<std::string>& argv, const std::string& out)
{
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&fa, 1, 2);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &fa, nullptr, args.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

// The server with demo data and a program folder, made once for the run.
struct Stage {
    std::string root, home;
    pid_t server = -1;
    bool ok = false;

    explicit Stage(bool scale)
    {
        char tmpl[] = "/tmp/zevsyncbenchXXXXXX";
        root = mkdtemp(tmpl);
        home = root + "/home";
        fs::create_directories(home);
        fs::create_directories(root + "/srv");
        std::vector<std::string> demo{Bin("zevdemo"), "--data", root + "/srv"};
        if (scale)
            demo.push_back("--scale");
        pid_t d = Spawn(demo, root + "/demo.log");
        int st = 0;
        if (d <= 0 || waitpid(d, &st, 0) != d || !WIFEXITED(st) || WEXITSTATUS(st) != 0)
            return;
        server = Spawn({Bin("zevserver"), "--port", "0", "--data", root + "/srv"}, root + "/server.log");
        int port = 0;
        for (int i = 0; i < 200 && port == 0; ++i) {
            std::string log = ReadAll(root + "/server.log");
            size_t p = log.find("listening on 127.0.0.1:");
            if (p != std::string::npos && log.find('\n', p) != std::string::npos)
                port = std::atoi(log.c_str() + p + 23);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (port == 0)
            return;
        const std::string kit = std::string(ZEV_SOURCE_ROOT) + "/distributor/";
        for (const char* f : {"ZevConfig.dat", "ZevSchema.ini"})
            fs::copy_file(kit + f, home + "/" + f);
        for (const char* f : {"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            fs::create_symlink(Bin(f), home + "/" + f);
        std::string ini = ReadAll(kit + "ZevSatchel.INI");
        size_t p = ini.find("\nPORT=");
        ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, "PORT=" + std::to_string(port));
        // The benchmark measures the download and the rows, not the backup.
        p = ini.find("\nBBEFORERENEW=");
        ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, "BBEFORERENEW=0");
        std::ofstream(home + "/ZevSatchel.INI", std::ios::binary) << ini;
        ok = Satchel({"setup", "--user", "100200", "--password", "demo1234"}) == 0;
    }
    ~Stage()
    {
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    int Satchel(std::vector<std::string> args)
    {
        // Each stage has its own data and profile folders.
        setenv("ZEV_DATA_DIR", (root + "/data").c_str(), 1);
        setenv("ZEV_CONFIG_DIR", (root + "/config").c_str(), 1);
        setenv("ZEV_NETWORK_USABLE", "1", 1);
        args.insert(args.begin(), {"--home", home});
        std::istringstream in;
        std::ostringstream out, err;
        return satchel::SatchelApp(in, out, err).Run(args);
    }
    long LocalRows()
    {
        sqlite3* db = nullptr;
        long total = 0;
        if (sqlite3_open_v2((root + "/data/master.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, "select name from sqlite_master where type = 'table'", -1, &st, nullptr);
            std::vector<std::string> tables;
            while (sqlite3_step(st) == SQLITE_ROW)
                tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            sqlite3_finalize(st);
            for (const auto& t : tables) {
                sqlite3_prepare_v2(db, ("select count(*) from \"" + t + "\"").c_str(), -1, &st, nullptr);
                if (sqlite3_step(st) == SQLITE_ROW)
                    total += sqlite3_column_int64(st, 0);
                sqlite3_finalize(st);
            }
        }
        sqlite3_close(db);
        return total;
    }
};

Stage& TheStage(bool scale)
{
    static Stage demo(false);
    if (!scale)
        return demo;
    static Stage large(true);
    return large;
}

const char* kConnection = "driver={sql server};server=(local);Database=master;UID=sa;PWD=kq7z;";

double g_baselineRowsPerSecond = 0;

// Baseline: plain Tabula inserts (AddNew on a recordset opened on the table),
// text values as a download carries them, in one transaction; no network, no
// reply parsing and no sync engine.
void BM_TabulaInsert(benchmark::State& state)
{
    char tmpl[] = "/tmp/zevsyncbaseXXXXXX";
    std::string dir = mkdtemp(tmpl);
    DBLib::SetDatabaseFolder(dir);
    const int rows = 20000;
    const std::vector<std::string> fields{"ItemID", "Description", "QtyOnHand", "Price", "StartDate"};
    std::vector<Variant> values(fields.size());
    long done = 0;
    double secs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        QueryPool::GetInstance(kConnection, 0);
        {
            Query q("", "", 0);
            CVORecordset* rs = q.getRS();
            rs->Open("DROP TABLE Bench", adOpenStatic, adLockReadOnly, adCmdText);
            rs->Open("CREATE TABLE Bench (ItemID int NOT NULL, Description nvarchar(60), QtyOnHand int, Price money, "
                     "StartDate datetime)",
                     adOpenStatic, adLockReadOnly, adCmdText);
            TransactionGuard tx(rs->GetConnection());
            if (!rs->Open("Bench", adOpenKeyset, adLockOptimistic, adCmdTableDirect)) {
                state.SkipWithError("the table could not be opened");
                break;
            }
            for (int i = 0; i < rows; ++i) {
                values[0] = Variant(std::to_string(i));
                values[1] = Variant("Item " + std::to_string(i));
                values[2] = Variant("12");
                values[3] = Variant("9.99");
                values[4] = Variant("2026-01-15 00:00:00");
                rs->AddNew(fields, values);
            }
            if (tx.Commit() == 0)
                state.SkipWithError("the commit failed");
        }
        QueryPool::DestroyAll();
        secs += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        done += rows;
    }
    g_baselineRowsPerSecond = secs > 0 ? done / secs : 0;
    state.SetItemsProcessed(done);
    state.counters["tabula_insert_rows_per_s"] = g_baselineRowsPerSecond;
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_TabulaInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

// The inventory update's statement as the download applies it: one update
// with bound values per item row, in one transaction, on an indexed table of
// the same size.
void BM_InventoryRows(benchmark::State& state)
{
    char tmpl[] = "/tmp/zevsyncinvXXXXXX";
    std::string dir = mkdtemp(tmpl);
    DBLib::SetDatabaseFolder(dir);
    const int rows = 20000;
    long done = 0;
    {
        zev::sync::TabulaSyncDb db;
        bool ready = db.Exec("CREATE TABLE Items (ItemID int NOT NULL, QtyOnHand int, QtyOnOrder int)") &&
                     db.Exec("ALTER TABLE Items ADD CONSTRAINT PK_Items PRIMARY KEY (ItemID)") && db.Begin();
        for (int i = 0; ready && i < rows; ++i)
            ready = db.Insert("Items", {"ItemID", "QtyOnHand", "QtyOnOrder"}, {std::to_string(i), "0", "0"});
        ready = ready && db.Commit();
        if (!ready)
            state.SkipWithError("the items could not be made");
        for (auto _ : state) {
            if (!ready || !db.Begin())
                break;
            for (int i = 0; i < rows; ++i) {
                if (!db.ExecBound("Update items set QtyOnHand=?,QtyOnOrder=? where itemID=?",
                                  {std::to_string(i % 50), "3", std::to_string(i)})) {
                    state.SkipWithError("an update failed");
                    break;
                }
            }
            if (!db.Commit())
                state.SkipWithError("the commit failed");
            done += rows;
        }
        db.CloseAll();
    }
    QueryPool::DestroyAll();
    state.SetItemsProcessed(done);
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_InventoryRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// A complete update from the local reference server (argument 0: the demo
// data, 1: the --scale data), in rows per second, with the plain Tabula insert
// figure of the same run beside it and the ratio of the two.
void BM_CompleteUpdate(benchmark::State& state)
{
    Stage& s = TheStage(state.range(0) != 0);
    if (!s.ok) {
        state.SkipWithError("the reference server or the demo data could not be prepared");
        return;
    }
    long rows = 0;
    double secs = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        if (s.Satchel({"--yes", "sync", "--complete"}) != 0) {
            state.SkipWithError("the complete update failed");
            return;
        }
        secs += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        rows += s.LocalRows();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(rows);
    state.counters["rows"] = static_cast<double>(rows / std::max<long>(1, static_cast<long>(state.iterations())));
    double perSecond = secs > 0 ? rows / secs : 0;
    state.counters["update_rows_per_s"] = perSecond;
    state.counters["tabula_insert_rows_per_s"] = g_baselineRowsPerSecond;
    if (g_baselineRowsPerSecond > 0)
        state.counters["ratio_vs_tabula_insert"] = perSecond / g_baselineRowsPerSecond;
}
BENCHMARK(BM_CompleteUpdate)->Arg(0)->ArgName("scale")->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CompleteUpdate)->Arg(1)->ArgName("scale")->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
