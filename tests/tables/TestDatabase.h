#pragma once

#include <filesystem>
#include <string>

namespace zev::test {

// A real SQLite database in a temporary folder, built from the kit's schema
// file (every table's Schema and KeyN statements run through Tabula), with
// pool 0 opened on it. The schema is built once per process and copied for
// each database. Destroying it closes every pool and removes the folder.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // Runs a statement on pool 0; false when it failed.
    bool Exec(const std::string& sql);
    // The first column of the first row of a select, as text ("" when none).
    std::string Scalar(const std::string& sql);
    int ScalarInt(const std::string& sql);

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_dir;
    std::filesystem::path m_path;
};

} // namespace zev::test
