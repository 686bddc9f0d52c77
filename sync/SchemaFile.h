#pragma once

#include <map>
#include <string>

namespace zev::sync {

// The schema file: an INI file with a [Database] section and one section per
// table (Schema, Keys, Key1..KeyN). Read whole when constructed.
class SchemaFile {
public:
    explicit SchemaFile(const std::string& path);

    bool Exists() const { return m_exists; }
    // Section and key compared without regard to case; values trimmed.
    std::string Value(const std::string& section, const std::string& key, const std::string& def = {}) const;

private:
    bool m_exists = false;
    std::map<std::string, std::map<std::string, std::string>> m_values; // lower-case section/key
};

} // namespace zev::sync
