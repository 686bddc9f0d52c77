#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// Read-only view of an INI file in the form the schema file uses: sections,
// key=value lines, ';' comments. Section and key names match without regard
// to case, as the program's profile reader does.
class SchemaFile {
public:
    static std::optional<SchemaFile> Load(const std::string& path);

    std::string Value(const std::string& section, const std::string& key) const;
    // The value split at ',' with every entry trimmed; empty entries dropped.
    std::vector<std::string> List(const std::string& section, const std::string& key) const;
    bool HasSection(const std::string& section) const;

    // Every statement of a table in build order: Schema, then Key1..KeyN.
    std::vector<std::string> TableStatements(const std::string& table) const;

private:
    std::map<std::string, std::map<std::string, std::string>> m_sections;
};
