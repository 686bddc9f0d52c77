#include "SeededDatabase.h"

#include "tabula/Tabula.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

std::string RunError(Query& query)
{
    const CVORecordset* rs = query.getRS();
    return rs ? rs->GetLastError() : std::string("no recordset");
}

class SeededDatabaseEnvironment : public ::testing::Environment {
public:
    void TearDown() override { SeededDatabase::Instance().Release(); }
};

// Registered before main runs so the database goes away after the last test.
[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new SeededDatabaseEnvironment);

} // namespace

SeededDatabase& SeededDatabase::Instance()
{
    static SeededDatabase instance;
    return instance;
}

SeededDatabase::SeededDatabase()
{
    const std::string schemaPath = std::string(ZEV_SOURCE_ROOT) + "/distributor/ZevSchema.ini";
    if (auto schema = SchemaFile::TryLoad(schemaPath)) {
        m_schema = *schema;
        m_schemaLoaded = true;
    }
    // Every test process builds its own database; a memory-backed folder
    // keeps the file syncs of the build from dominating the run.
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "zevschema-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) {
        m_folder = pattern;
    }
    m_path = m_folder + "/master.db";
    QueryPool::GetInstance("Data Source=" + m_path, PoolKey);
    // One transaction around the whole build keeps it to a single sync of
    // the file; every test process builds its own database.
    Query bracket("", "", PoolKey);
    bracket.beginTransaction();
    Build();
    Seed();
    bracket.commitTransaction();
}

void SeededDatabase::Build()
{
    Query query("", "", PoolKey);
    for (const std::string& table : m_schema.List("Database", "TableNames")) {
        query.Open("DROP TABLE " + table);
        for (const std::string& statement : m_schema.TableStatements(table)) {
            if (query.OpenNoCount(statement) == 0) {
                m_buildFailures.push_back({table, statement, RunError(query)});
            }
        }
    }
    // Only the never-called generic status operations name this column; the
    // corpus runs them against a table of their own.
    query.Open("CREATE TABLE VisitLog (VisitID int NOT NULL, Updated int, VisitStatus char(1))");
    query.Open("insert into VisitLog values (1, 1, 'M')");
}

void SeededDatabase::Seed()
{
    std::ifstream in(std::string(ZEV_TEST_SOURCE_DIR) + "/seed.sql");
    if (!in) {
        m_seedFailures.push_back({"seed.sql", "", "cannot open"});
        return;
    }
    Query query("", "", PoolKey);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line.rfind("--", 0) == 0) {
            continue;
        }
        if (query.OpenNoCount(line) == 0) {
            m_seedFailures.push_back({"seed.sql:" + std::to_string(number), line, RunError(query)});
        }
    }
}

void SeededDatabase::Release()
{
    QueryPool::DestroyAll();
    if (!m_folder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
        m_folder.clear();
    }
}
