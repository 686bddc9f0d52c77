// Table download speed: rows added through CVORecordset::AddNew (values as
// text, as the download passes them) against a plain SQLite prepared insert
// loop binding the same texts. Both run inside one transaction per table and
// on the same durability settings. The Tabula benchmarks report their rate as
// a ratio of the plain loop's rate measured just before in the same run.

#include "tabula/Tabula.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Shape {
    int rows;
    int columns;
};

// Column i: a mix like the real tables (ids, names, money, flags, dates).
std::string columnType(int i)
{
    switch (i % 5) {
    case 0:
        return "int";
    case 1:
        return "nvarchar(40)";
    case 2:
        return "money";
    case 3:
        return "smallint";
    default:
        return i % 10 == 4 ? "datetime" : "varchar(20)";
    }
}

std::string value(int row, int col)
{
    switch (col % 5) {
    case 0:
        return std::to_string(row * 7 + col);
    case 1:
        return "Text value " + std::to_string(row) + " of column " + std::to_string(col);
    case 2:
        return std::to_string(row % 1000) + ".25";
    case 3:
        return std::to_string(row % 3);
    default:
        return col % 10 == 4 ? "2026-12-08 09:05:07" : "CODE" + std::to_string(row % 997);
    }
}

std::string createSql(const Shape& s)
{
    std::string sql = "CREATE TABLE Download (";
    for (int c = 0; c < s.columns; ++c) {
        if (c > 0) {
            sql += ", ";
        }
        sql += "C";
        sql += std::to_string(c);
        sql += " ";
        sql += columnType(c);
    }
    return sql + ")";
}

std::vector<std::string> fieldNames(const Shape& s)
{
    std::vector<std::string> f;
    for (int c = 0; c < s.columns; ++c) {
        std::string name = "C";
        name += std::to_string(c);
        f.push_back(name);
    }
    return f;
}

// The download's text lines, prepared outside the timing.
const std::vector<std::vector<Variant>>& rowsFor(const Shape& s)
{
    static std::map<std::pair<int, int>, std::vector<std::vector<Variant>>> cache;
    auto& rows = cache[{s.rows, s.columns}];
    if (rows.empty()) {
        rows.reserve(static_cast<std::size_t>(s.rows));
        for (int r = 0; r < s.rows; ++r) {
            std::vector<Variant> line;
            line.reserve(static_cast<std::size_t>(s.columns));
            for (int c = 0; c < s.columns; ++c) {
                line.emplace_back(value(r, c));
            }
            rows.push_back(std::move(line));
        }
    }
    return rows;
}

std::string freshPath()
{
    static int n = 0;
    std::string dir = "/tmp/bench_tabula_" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    std::string path = dir + "/db" + std::to_string(n++) + ".db";
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-wal");
    std::filesystem::remove(path + "-shm");
    return path;
}

std::map<std::string, double>& plainRates()
{
    static std::map<std::string, double> r;
    return r;
}

std::string key(const Shape& s) { return std::to_string(s.rows) + "x" + std::to_string(s.columns); }

void BM_PlainInsert(benchmark::State& state)
{
    const Shape shape{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    const auto& rows = rowsFor(shape);
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = freshPath();
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL;", nullptr, nullptr, nullptr);
        sqlite3_exec(db, createSql(shape).c_str(), nullptr, nullptr, nullptr);
        std::string sql = "INSERT INTO Download VALUES (";
        for (int c = 0; c < shape.columns; ++c) {
            sql += c ? ",?" : "?";
        }
        sql += ")";
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const auto& line : rows) {
            for (int c = 0; c < shape.columns; ++c) {
                const std::string& t = line[static_cast<std::size_t>(c)].Text();
                sqlite3_bind_text(stmt, c + 1, t.c_str(), static_cast<int>(t.size()), SQLITE_STATIC);
            }
            if (sqlite3_step(stmt) != SQLITE_DONE) {
                state.SkipWithError("insert failed");
            }
            sqlite3_reset(stmt);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_finalize(stmt);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * shape.rows);
    plainRates()[key(shape)] = static_cast<double>(state.iterations() * shape.rows) / seconds;
}

void BM_TabulaAddNew(benchmark::State& state)
{
    const Shape shape{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    const auto& rows = rowsFor(shape);
    const auto fields = fieldNames(shape);
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = freshPath();
        auto conn = std::make_unique<CVOConnection>("Data Source=" + path);
        {
            CVORecordset create(conn.get());
            create.Open(createSql(shape));
        }
        CVORecordset rs(conn.get());
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        rs.Open("Download", adOpenKeyset, adLockOptimistic, adCmdTableDirect);
        rs.BeginTrans();
        for (const auto& line : rows) {
            if (!rs.AddNew(fields, line)) {
                state.SkipWithError(rs.GetLastError().c_str());
                break;
            }
        }
        rs.CommitTrans();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        rs.Close();
        conn.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * shape.rows);
    const double rate = static_cast<double>(state.iterations() * shape.rows) / seconds;
    auto it = plainRates().find(key(shape));
    if (it != plainRates().end()) {
        state.counters["ratio_vs_plain"] = rate / it->second;
    }
}

} // namespace

BENCHMARK(BM_PlainInsert)->Args({30000, 80})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TabulaAddNew)->Args({30000, 80})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainInsert)->Args({300000, 12})->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TabulaAddNew)->Args({300000, 12})->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all("/tmp/bench_tabula_" + std::to_string(getpid()), ec);
    return 0;
}
