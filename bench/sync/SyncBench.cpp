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
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, args[0], &fa, nullptr, args.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

// The server with demo data and a program folder, made once for the run.
struct Stage {
    std::string root, home;
    pid_t server = -1;
    bool ok = false;

    Stage()
    {
        char tmpl[] = "/tmp/zevsyncbenchXXXXXX";
        root = mkdtemp(tmpl);
        home = root + "/home";
        fs::create_directories(home);
        fs::create_directories(root + "/srv");
        std::vector<std::string> demo {Bin("zevdemo"), "--data", root + "/srv"};
        const char* scale = std::getenv("ZEV_BENCH_SCALE");
        if (scale && std::string(scale) == "1") demo.push_back("--scale");
        pid_t d = Spawn(demo, root + "/demo.log");
        int st = 0;
        if (d <= 0 || waitpid(d, &st, 0) != d || !WIFEXITED(st) || WEXITSTATUS(st) != 0) return;
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
        if (port == 0) return;
        const std::string kit = std::string(ZEV_SOURCE_ROOT) + "/distributor/";
        for (const char* f : {"ZevConfig.dat", "ZevSchema.ini"}) fs::copy_file(kit + f, home + "/" + f);
        for (const char* f : {"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            fs::create_symlink(Bin(f), home + "/" + f);
        std::string ini = ReadAll(kit + "ZevSatchel.INI");
        size_t p = ini.find("\nPORT=");
        ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, "PORT=" + std::to_string(port));
        // The benchmark measures the download and the rows, not the backup.
        p = ini.find("\nBBEFORERENEW=");
        ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, "BBEFORERENEW=0");
        std::ofstream(home + "/ZevSatchel.INI", std::ios::binary) << ini;
        setenv("ZEV_DATA_DIR", (root + "/data").c_str(), 1);
        setenv("ZEV_CONFIG_DIR", (root + "/config").c_str(), 1);
        setenv("ZEV_NETWORK_USABLE", "1", 1);
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
            while (sqlite3_step(st) == SQLITE_ROW) tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            sqlite3_finalize(st);
            for (const auto& t : tables) {
                sqlite3_prepare_v2(db, ("select count(*) from \"" + t + "\"").c_str(), -1, &st, nullptr);
                if (sqlite3_step(st) == SQLITE_ROW) total += sqlite3_column_int64(st, 0);
                sqlite3_finalize(st);
            }
        }
        sqlite3_close(db);
        return total;
    }
};

Stage& TheStage()
{
    static Stage stage;
    return stage;
}

double g_baselineRowsPerSecond = 0;

// Baseline: rows written one by one through the engine's insert path, in one
// transaction, with no network and no parsing.
void BM_BaselineInsert(benchmark::State& state)
{
    char tmpl[] = "/tmp/zevsyncbaseXXXXXX";
    std::string dir = mkdtemp(tmpl);
    DBLib::SetDatabaseFolder(dir);
    const int rows = 20000;
    long done = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        zev::sync::TabulaSyncDb db;
        db.OpenAdmin();
        db.Exec("DROP TABLE Bench");
        db.Exec("CREATE TABLE Bench (ItemID int NOT NULL, Description nvarchar(60), QtyOnHand int, Price money)");
        db.Begin();
        for (int i = 0; i < rows; ++i)
            db.Insert("Bench", {"ItemID", "Description", "QtyOnHand", "Price"},
                      {std::to_string(i), "Item " + std::to_string(i), "12", "9.99"});
        db.Commit();
        db.CloseAll();
        done += rows;
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    g_baselineRowsPerSecond = secs > 0 ? done / secs : 0;
    state.SetItemsProcessed(done);
    QueryPool::DestroyAll();
    std::error_code ec;
    fs::remove_all(dir, ec);
}
BENCHMARK(BM_BaselineInsert)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CompleteUpdate(benchmark::State& state)
{
    Stage& s = TheStage();
    if (!s.ok) {
        state.SkipWithError("the reference server or the demo data could not be prepared");
        return;
    }
    long rows = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (s.Satchel({"--yes", "sync", "--complete"}) != 0) {
            state.SkipWithError("the complete update failed");
            return;
        }
        state.PauseTiming();
        rows += s.LocalRows();
        state.ResumeTiming();
    }
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetItemsProcessed(rows);
    state.counters["rows"] = static_cast<double>(rows / std::max<long>(1, static_cast<long>(state.iterations())));
    if (g_baselineRowsPerSecond > 0 && secs > 0)
        state.counters["vs_baseline"] = (rows / secs) / g_baselineRowsPerSecond;
}
BENCHMARK(BM_CompleteUpdate)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

BENCHMARK_MAIN();
