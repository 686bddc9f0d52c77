#include "SchemaFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<SchemaFile> SchemaFile::Load(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        return std::nullopt;
    }
    SchemaFile file;
    std::string section;
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            section = Lower(Trim(line.substr(1, line.size() - 2)));
            file.m_sections[section];
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos || section.empty()) {
            continue;
        }
        file.m_sections[section][Lower(Trim(line.substr(0, eq)))] = Trim(line.substr(eq + 1));
    }
    return file;
}

std::string SchemaFile::Value(const std::string& section, const std::string& key) const
{
    const auto s = m_sections.find(Lower(section));
    if (s == m_sections.end()) {
        return {};
    }
    const auto k = s->second.find(Lower(key));
    return k == s->second.end() ? std::string() : k->second;
}

std::vector<std::string> SchemaFile::List(const std::string& section, const std::string& key) const
{
    std::vector<std::string> out;
    const std::string value = Value(section, key);
    std::size_t start = 0;
    while (start <= value.size()) {
        auto comma = value.find(',', start);
        if (comma == std::string::npos) {
            comma = value.size();
        }
        std::string entry = Trim(value.substr(start, comma - start));
        if (!entry.empty()) {
            out.push_back(entry);
        }
        start = comma + 1;
    }
    return out;
}

bool SchemaFile::HasSection(const std::string& section) const { return m_sections.count(Lower(section)) != 0; }

std::vector<std::string> SchemaFile::TableStatements(const std::string& table) const
{
    std::vector<std::string> out{Value(table, "Schema")};
    const std::string keys = Value(table, "Keys");
    const int count = keys.empty() ? 0 : std::stoi(keys);
    for (int i = 1; i <= count; ++i) {
        out.push_back(Value(table, "Key" + std::to_string(i)));
    }
    return out;
}
