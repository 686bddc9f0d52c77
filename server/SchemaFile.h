#pragma once

#include <map>
#include <string>
#include <vector>

namespace zev::server {

// The distributor's schema file (INI form): [Database] TableNames and, per table, Schema, Keys and Key1..n.
// Section and key names are matched without regard to case, as the program's INI reader does.
class SchemaFile {
public:
    // Throws std::runtime_error when the file cannot be read.
    static SchemaFile Load(const std::string& path);
    static SchemaFile Parse(const std::string& text);

    std::string Value(const std::string& section, const std::string& key, const std::string& fallback = {}) const;
    std::vector<std::string> List(const std::string& section, const std::string& key) const;
    std::vector<std::string> TableNames() const { return List("Database", "TableNames"); }
    std::string CreateStatement(const std::string& table) const { return Value(table, "Schema"); }
    std::vector<std::string> KeyStatements(const std::string& table) const;

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

} // namespace zev::server
