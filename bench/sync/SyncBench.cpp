#include "tools/satchel/SatchelApp.h"

#include "app/core/Profile.h"
#include "base/SchemaFile.h"
#include "support/ChildProcess.h"
#include "support/ReferenceServer.h"
#include "support/TempDir.h"
#include "sync/SyncText.h"
#include "sync/TabulaSyncDb.h"
#include "tabula/Tabula.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <httplib.h>
#include <sqlite3.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using zevtest::BuiltFile;

// The server with demo data and a program folder, made once for the run.
struct Stage {
    zevtest::TempDir temp{"zevsyncbench"};
    std::string root = temp.Path(), home;
    std::unique_ptr<zevtest::ReferenceServer> server; // stopped before the folder goes
    bool ok = false;

    explicit Stage(bool scale)
    {
        home = root + "/home";
        fs::create_directories(home);
        fs::create_directories(root + "/srv");
        std::string error;
        if (!zevtest::ReferenceServer::MakeDemoData(root + "/srv", root + "/demo.log", error, scale))
            return;
        server = std::make_unique<zevtest::ReferenceServer>(root + "/srv", root + "/server.log");
        const int port = server->Port();
        if (port == 0)
            return;
        const std::string kit = std::string(ZEV_SOURCE_ROOT) + "/distributor/";
        for (const char* f : {"ZevConfig.dat", "ZevSchema.ini"})
            fs::copy_file(kit + f, home + "/" + f);
        for (const char* f : {"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            fs::create_symlink(BuiltFile(f), home + "/" + f);
        std::string ini = zevtest::ReadFile(kit + "ZevSatchel.INI");
        size_t p = ini.find("\nPORT=");
        ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, "PORT=" + std::to_string(port));
        // The benchmark measures the download and the rows, not the backup.
        p = ini.find("\nBBEFORERENEW=");
        ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, "BBEFORERENEW=0");
        std::ofstream(home + "/ZevSatchel.INI", std::ios::binary) << ini;
        this->port = port;
        ok = Satchel({"setup", "--user", "100200", "--password", "demo1234"}) == 0;
    }
    int port = 0;
    // BBEFORERENEW as shipped (1) or off (0).
    void SetBackup(bool on)
    {
        std::string ini = zevtest::ReadFile(home + "/ZevSatchel.INI");
        size_t p = ini.find("\nBBEFORERENEW=");
        ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, on ? "BBEFORERENEW=1" : "BBEFORERENEW=0");
        std::ofstream(home + "/ZevSatchel.INI", std::ios::binary) << ini;
    }
    // The stored password digest the program sends as P.
    std::string Digest()
    {
        for (const auto& e : fs::recursive_directory_iterator(root + "/config")) {
            if (e.path().filename() != "Satchel.ini")
                continue;
            std::string text = zevtest::ReadFile(e.path().string());
            size_t p = text.find("\nPassword=sz:");
            if (p != std::string::npos)
                return text.substr(p + 13, text.find('\n', p + 13) - p - 13);
        }
        return {};
    }
    void ForgetStamp(const std::string& name)
    {
        for (const auto& e : fs::recursive_directory_iterator(root + "/config"))
            if (e.path().filename() == "Satchel.ini")
                (void)zev::Profile(e.path().string()).SetText(name, "");
    }
    // One table as the server sends it, saved to `file`; false on failure.
    bool Fetch(const std::string& table, const std::string& file)
    {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(120, 0);
        std::string path = "/MobileServer/v1/grabdata.cfm?ID=100200&P=" + Digest() + "&Tablenames=" + table;
        auto res = client.Post(path, "", "application/x-www-form-urlencoded");
        if (!res || res->status != 200)
            return false;
        std::ofstream(file, std::ios::binary) << res->body;
        // The reply names the table on its first line; anything else is an error text.
        if (res->body.compare(0, table.size() + 1, table + "\n") != 0) {
            std::fprintf(stderr, "%s (%s): %s\n", table.c_str(), path.c_str(), res->body.substr(0, 200).c_str());
            return false;
        }
        return true;
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

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The tables a complete update downloads, in order.
std::vector<std::string> DownloadedTables()
{
    zev::SchemaFile schema(std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevSchema.ini");
    std::vector<std::string> local = zev::sync::SplitList(schema.Value("Database", "LocalOnly"));
    std::vector<std::string> out;
    for (const std::string& t : zev::sync::SplitList(schema.Value("Database", "TableNames")))
        if (!t.empty() && std::find(local.begin(), local.end(), t) == local.end())
            out.push_back(t);
    return out;
}

// The program's own schema and indexes as SQLite holds them: tables first.
std::vector<std::string> SchemaOf(const std::string& path)
{
    std::vector<std::string> out;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "select sql from sqlite_master where sql is not null and name not like 'sqlite_%' "
                           "order by type = 'index', rowid",
                           -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            out.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

std::string FreshDb(const std::string& path)
{
    for (const char* suffix : {"", "-wal", "-shm"})
        fs::remove(path + suffix);
    return path;
}

// Plain C API: one prepared insert per table binding each line's texts, one
// transaction per table, indexes in place before the load, WAL + FULL.
double PlainLoad(const std::vector<std::pair<std::string, std::string>>& files, const std::vector<std::string>& schema,
                 const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(FreshDb(path).c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
    for (const std::string& sql : schema)
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    auto start = std::chrono::steady_clock::now();
    std::vector<std::string_view> values;
    for (const auto& [table, file] : files) {
        std::ifstream in(file, std::ios::binary);
        std::string name, columns, count, line;
        std::getline(in, name);
        std::getline(in, columns);
        std::getline(in, count);
        size_t n = static_cast<size_t>(std::count(columns.begin(), columns.end(), ',') + 1);
        std::string sql = "INSERT INTO " + table + " (" + columns + ") VALUES (?";
        for (size_t i = 1; i < n; ++i)
            sql += ",?";
        sql += ")";
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
            continue;
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        while (std::getline(in, line)) {
            values.clear();
            size_t from = 0;
            for (size_t at; (at = line.find('^', from)) != std::string::npos; from = at + 1)
                values.emplace_back(line.data() + from, at - from);
            values.emplace_back(line.data() + from, line.size() - from);
            if (values.size() != n)
                continue;
            for (size_t i = 0; i < n; ++i)
                sqlite3_bind_text(st, static_cast<int>(i + 1), values[i].data(), static_cast<int>(values[i].size()),
                                  SQLITE_STATIC);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    double secs = Seconds(start);
    sqlite3_close(db);
    return secs;
}

// The sqlite3 shell's .import of the same files into the same schema, in one
// process, WAL + FULL; the schema is made before the clock starts.
double ShellImport(const std::vector<std::pair<std::string, std::string>>& files,
                   const std::vector<std::string>& schema, const std::string& path, const std::string& work)
{
    FreshDb(path);
    {
        std::ofstream create(work + "/create.sql");
        create << "PRAGMA journal_mode=WAL;\n";
        for (const std::string& sql : schema)
            create << sql << ";\n";
    }
    {
        std::ofstream load(work + "/load.sql");
        load << "PRAGMA synchronous=FULL;\n.separator \"^\" \"\\n\"\n";
        for (const auto& [table, file] : files)
            load << ".import --skip 3 '" << file << "' " << table << "\n";
    }
    auto run = [&](const std::string& script) {
        return zevtest::ChildProcess({"/usr/bin/sqlite3", path, ".read " + script}, work + "/shell.log").Wait() == 0;
    };
    if (!run(work + "/create.sql"))
        return -1;
    auto start = std::chrono::steady_clock::now();
    // The shell reports rows that do not fit (none here) but still succeeds.
    run(work + "/load.sql");
    return Seconds(start);
}

long DataLines(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    long n = -3;
    for (std::string line; std::getline(in, line);)
        ++n;
    return std::max(0L, n);
}

// The inventory update's statement without the program: the same lines on a
// copy of the program's database, one prepared UPDATE, one transaction.
double PlainInventory(const std::string& file, const std::string& copy)
{
    sqlite3* db = nullptr;
    sqlite3_open(copy.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
    auto start = std::chrono::steady_clock::now();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "update Items set QtyOnHand=? where ItemID=?", -1, &st, nullptr);
    std::ifstream in(file, std::ios::binary);
    std::string line;
    for (int i = 0; i < 3; ++i)
        std::getline(in, line);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    while (std::getline(in, line)) {
        size_t at = line.find('^');
        if (at == std::string::npos)
            continue;
        sqlite3_bind_text(st, 1, line.data() + at + 1, static_cast<int>(line.size() - at - 1), SQLITE_STATIC);
        sqlite3_bind_text(st, 2, line.data(), static_cast<int>(at), SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(st);
    double secs = Seconds(start);
    sqlite3_close(db);
    return secs;
}

// The inventory update's statement as the download applies it: one update
// with bound values per item row, in one transaction, on an indexed table of
// the same size.
void BM_InventoryRows(benchmark::State& state)
{
    const zevtest::TempDir temp("zevsyncinv");
    const std::string& dir = temp.Path();
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
}
BENCHMARK(BM_InventoryRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// A complete update of the demo data (argument 0) from the local reference
// server, in rows per second; a quick check of the whole road.
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
        secs += Seconds(start);
        state.PauseTiming();
        rows += s.LocalRows();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(rows);
    state.counters["update_rows_per_s"] = secs > 0 ? rows / secs : 0;
}
BENCHMARK(BM_CompleteUpdate)->Arg(0)->ArgName("scale")->Unit(benchmark::kMillisecond)->Iterations(2);

// The large demo, paired in one run: the program's complete update (backup
// off, then as shipped), the same table files loaded by the plain C API and
// by the sqlite3 shell's .import into the program's own schema and indexes,
// and the inventory update against a plain prepared UPDATE of the same lines.
// Ratios are program / other (above 1: the program is faster).
void BM_CompareWithPlainSqlite(benchmark::State& state)
{
    Stage& s = TheStage(true);
    if (!s.ok) {
        state.SkipWithError("the reference server or the demo data could not be prepared");
        return;
    }
    const std::string work = s.root + "/compare";
    fs::create_directories(work);
    for (auto _ : state) {
        // The very same table files, fetched from the server.
        std::vector<std::pair<std::string, std::string>> files;
        long rows = 0;
        auto start = std::chrono::steady_clock::now();
        for (const std::string& t : DownloadedTables()) {
            std::string file = work + "/" + t + ".txt";
            if (!s.Fetch(t, file)) {
                state.SkipWithError(("the server did not send " + t).c_str());
                return;
            }
            files.emplace_back(t, file);
            rows += DataLines(file);
        }
        double fetch = Seconds(start);
        // The program, first without the backup, then as shipped.
        s.SetBackup(false);
        start = std::chrono::steady_clock::now();
        if (s.Satchel({"--yes", "sync", "--complete"}) != 0) {
            state.SkipWithError("the complete update failed");
            return;
        }
        double program = Seconds(start);
        s.SetBackup(true);
        start = std::chrono::steady_clock::now();
        if (s.Satchel({"--yes", "sync", "--complete"}) != 0) {
            state.SkipWithError("the complete update with its backup failed");
            return;
        }
        double shipped = Seconds(start);
        s.SetBackup(false);

        const std::vector<std::string> schema = SchemaOf(s.root + "/data/master.db");
        double plain = PlainLoad(files, schema, work + "/plain.db");
        double shell = ShellImport(files, schema, work + "/shell.db", work);

        // Inventory: the program's whole command (fetch included), the fetch
        // alone, and the plain statement on a copy of the same database. Without
        // its stamp the command receives every item, as the fetch does.
        s.ForgetStamp("ItemsUD");
        start = std::chrono::steady_clock::now();
        if (s.Satchel({"--yes", "sync", "--inventory"}) != 0) {
            state.SkipWithError("the inventory update failed");
            return;
        }
        double inventory = Seconds(start);
        std::string invFile = work + "/Inventory.txt";
        start = std::chrono::steady_clock::now();
        bool fetched = s.Fetch("Inventory", invFile);
        double invFetch = Seconds(start);
        long invLines = fetched ? DataLines(invFile) : 0;
        FreshDb(work + "/inv.db");
        fs::copy_file(s.root + "/data/master.db", work + "/inv.db");
        double invPlain = fetched ? PlainInventory(invFile, work + "/inv.db") : 0;

        state.counters["rows"] = static_cast<double>(rows);
        state.counters["program_s"] = program;
        state.counters["shipped_s"] = shipped;
        state.counters["fetch_only_s"] = fetch;
        state.counters["plain_s"] = plain;
        state.counters["shell_s"] = shell;
        state.counters["program_vs_shell"] = shell > 0 ? shell / program : 0;
        state.counters["program_vs_plain"] = plain / program;
        state.counters["inventory_vs_plain"] =
            invPlain > 0 && inventory > invFetch ? invPlain / (inventory - invFetch) : 0;
        std::printf("\ncomplete update, %ld rows: program %.2f s (%.0f rows/s), as shipped with backup %.2f s, "
                    "fetch alone %.2f s\nplain C API %.2f s (%.0f rows/s), shell .import %.2f s (%.0f rows/s)\n"
                    "ratio program/shell %.2f, program/plain %.2f\n"
                    "inventory update, %ld lines: command %.2f s, fetch alone %.2f s, plain UPDATE %.3f s "
                    "(%.0f lines/s); ratio (command - fetch)/plain %.2f\n",
                    rows, program, rows / program, shipped, fetch, plain, rows / plain, shell, rows / shell,
                    shell / program, plain / program, invLines, inventory, invFetch, invPlain,
                    invPlain > 0 ? invLines / invPlain : 0, state.counters["inventory_vs_plain"].value);
    }
}
BENCHMARK(BM_CompareWithPlainSqlite)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
