#pragma once

#include "base/SchemaFile.h"

#include <string>
#include <vector>

using zev::SchemaFile;

// A statement that did not run, with the database's reason.
struct StatementFailure {
    std::string where; // table name or seed line
    std::string statement;
    std::string error;
};

// One database per test process, built in a temporary folder from the
// distributor's schema file exactly as the program's rebuild does (drop,
// create, key statements through a plain Query on pool 0) and then filled
// from seed.sql. Tests read it through table objects on pool 0 and must
// leave it as they found it (the corpus runs each statement inside a
// transaction that is rolled back).
class SeededDatabase {
public:
    static SeededDatabase& Instance();

    const SchemaFile& Schema() const { return m_schema; }
    bool SchemaLoaded() const { return m_schemaLoaded; }
    const std::vector<StatementFailure>& BuildFailures() const { return m_buildFailures; }
    const std::vector<StatementFailure>& SeedFailures() const { return m_seedFailures; }
    const std::string& Path() const { return m_path; }

    // Closes the pool and removes the folder (called once at the end).
    void Release();

    static constexpr int PoolKey = 0;

private:
    SeededDatabase();
    void Build();
    void Seed();

    SchemaFile m_schema;
    bool m_schemaLoaded = false;
    std::string m_folder;
    std::string m_path;
    std::vector<StatementFailure> m_buildFailures;
    std::vector<StatementFailure> m_seedFailures;
};
