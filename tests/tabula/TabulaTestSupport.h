#pragma once

#include "support/TempDir.h"
#include "tabula/Tabula.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder with a database file per test; removed afterwards.
class TempDb {
public:
    TempDb() : m_dir("tabulatest-"), m_path(m_dir.File("test.db")) {}

    const std::string& dir() const { return m_dir.Path(); }
    const std::string& path() const { return m_path; }
    std::string connectionString() const { return "Data Source=" + m_path; }

private:
    zevtest::TempDir m_dir;
    std::string m_path;
};

// Rows of the open result as "a|b;c|d" (null as NULL), cursor left at the end.
inline std::string Rows(CVORecordset& rs)
{
    std::string out;
    rs.MoveFirst();
    bool firstRow = true;
    while (!rs.IsEOF()) {
        if (!firstRow) {
            out += ";";
        }
        firstRow = false;
        for (long c = 0; c < rs.GetFieldCount(); ++c) {
            if (c > 0) {
                out += "|";
            }
            Variant v = rs.GetFieldValue(c);
            out += v.IsNull() ? "NULL" : v.ToString();
        }
        rs.MoveNext();
    }
    return out;
}

// A connection on a temporary database with a helper to run statements.
class DbFixture : public ::testing::Test {
protected:
    void SetUp() override { conn = std::make_unique<CVOConnection>(db.connectionString()); }

    // Runs a statement that must succeed.
    void Exec(const std::string& sql)
    {
        CVORecordset rs(conn.get());
        ASSERT_EQ(rs.Open(sql), 1) << sql << "\n" << rs.GetLastError();
    }
    // Result rows of a statement, or "ERROR: ..." when it fails.
    std::string Result(const std::string& sql)
    {
        CVORecordset rs(conn.get());
        if (!rs.Open(sql)) {
            return "ERROR: " + rs.GetLastError();
        }
        return Rows(rs);
    }

    TempDb db;
    std::unique_ptr<CVOConnection> conn;
};
