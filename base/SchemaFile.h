#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zev {

// The distributor's schema file (INI form): [Database] with TableNames and
// the other lists, and per table Schema, Keys and Key1..KeyN. Section and key
// names match without regard to case and values are trimmed, as the
// platform's profile reader did; the first definition of a key wins. The
// program, the reference server and the tests all read it through this class.
class SchemaFile {
public:
    SchemaFile() = default;
    // Reads `path`; Exists() is false when it cannot be read.
    explicit SchemaFile(const std::string& path);

    static SchemaFile Parse(std::string_view text);
    // Throws std::runtime_error when the file cannot be read.
    static SchemaFile Load(const std::string& path);
    static std::optional<SchemaFile> TryLoad(const std::string& path);

    bool Exists() const { return m_exists; }
    bool HasSection(const std::string& section) const;
    std::string Value(const std::string& section, const std::string& key, const std::string& fallback = {}) const;
    // The value split at ',' with every entry trimmed; empty entries dropped.
    std::vector<std::string> List(const std::string& section, const std::string& key) const;

    std::vector<std::string> TableNames() const { return List("Database", "TableNames"); }
    std::string CreateStatement(const std::string& table) const { return Value(table, "Schema"); }
    // Key1..KeyN of a table (the empty ones left out).
    std::vector<std::string> KeyStatements(const std::string& table) const;
    // Every statement of a table in build order: Schema, then Key1..KeyN as
    // they stand (empty ones included, so a check can name them).
    std::vector<std::string> TableStatements(const std::string& table) const;

private:
    bool m_exists = false;
    std::map<std::string, std::map<std::string, std::string>> m_sections; // lower-case section and key
};

} // namespace zev
