// Each report of the demo kit's Report.ini run through the report logic on
// the --scale demo data, beside the same statement (translated once) stepped
// through plain SQLite in the same run. A report's parameter is its heaviest
// choice: 180 days, the account with the most history, the item sold most.
#include "reports/ReportModel.h"
#include "reports/SqlPlaceholder.h"

#include "DemoStage.h"
#include "Fakes.h"
#include "tabula/SqlDialect.h"
#include "tabula/Tabula.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

namespace {

zev::test::DemoStage* g_stage = nullptr;

int HeaviestEntry(const zev::ReportModel& model)
{
    const auto kind = model.Definition().Parameter();
    std::string sql;
    if (kind == zev::ReportParameterKind::Days)
        return static_cast<int>(model.Entries().size()) - 1;
    if (kind == zev::ReportParameterKind::Accounts)
        sql = "select top 1 AccountID from OrderHistory group by AccountID order by count(*) desc";
    else if (kind == zev::ReportParameterKind::Items)
        sql = "select top 1 ItemID from OrderHistoryItems group by ItemID order by count(*) desc";
    else
        return -1;
    Query q("", "", 0);
    const int id = q.Open(sql) ? q.GetFieldValueInt(0) : 0;
    for (std::size_t i = 0; i < model.Entries().size(); ++i)
        if (model.Entries()[i].id == id)
            return static_cast<int>(i);
    return 0;
}

// The statement the report runs, with its parameter filled.
std::string FilledSql(const zev::ReportModel& model)
{
    const int entry = model.SelectedEntry();
    return model.HasParameter() && entry >= 0
               ? zev::SqlPlaceholder::FillNumber(model.Definition().sql,
                                                 model.Entries()[static_cast<std::size_t>(entry)].id)
               : model.Definition().sql;
}

void BM_PlainSqlite(benchmark::State& state, std::string sql)
{
    const tabula::Translation t = tabula::SqlDialect().Translate(sql);
    if (!t.ok || t.statements.size() != 1) {
        state.SkipWithError(("translation failed: " + t.error).c_str());
        return;
    }
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_stage->DatabasePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    tabula::SqlDialect::RegisterFunctions(db);
    long rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, t.statements[0].c_str(), -1, &st, nullptr) != SQLITE_OK) {
            state.SkipWithError(sqlite3_errmsg(db));
            break;
        }
        rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            ++rows;
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_Report(benchmark::State& state, std::string name)
{
    zev::test::ScriptedMessageBox messages;
    zev::ReportModel model(zev::ReportFile::InFolder(g_stage->Home()), {}, messages);
    model.LoadNames();
    const auto& names = model.Names();
    model.Select(static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()));
    model.SelectEntry(HeaviestEntry(model));
    for (auto _ : state) {
        if (!model.Run()) {
            state.SkipWithError(messages.shown.empty() ? "the report failed" : messages.shown.back().text.c_str());
            break;
        }
    }
    state.counters["rows"] = static_cast<double>(model.Rows().size());
    state.SetLabel(model.Title());
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::fprintf(stderr, "Building the --scale demo and running its complete update...\n");
    zev::test::DemoStage stage(true);
    if (!stage.Ok()) {
        std::fprintf(stderr, "bench_reports: %s\n", stage.Error().c_str());
        return 1;
    }
    g_stage = &stage;
    QueryPool::GetInstance("Data Source=" + stage.DatabasePath(), 0);
    {
        zev::test::ScriptedMessageBox messages;
        zev::ReportModel model(zev::ReportFile::InFolder(stage.Home()), {}, messages);
        model.LoadNames();
        for (std::size_t i = 0; i < model.Names().size(); ++i) {
            const std::string name = model.Names()[i];
            model.Select(static_cast<int>(i));
            model.SelectEntry(HeaviestEntry(model));
            benchmark::RegisterBenchmark(("Report/" + name).c_str(), BM_Report, name)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
            benchmark::RegisterBenchmark(("PlainSqlite/" + name).c_str(), BM_PlainSqlite, FilledSql(model))
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
        }
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QueryPool::DestroyAll();
    return 0;
}
