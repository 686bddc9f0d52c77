#include "base/SchemaFile.h"

#include "base/AtomicFile.h"
#include "base/Text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace zev {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

SchemaFile::SchemaFile(const std::string& path)
{
    std::string text;
    if (ReadWholeFile(path, text))
        *this = Parse(text);
}

SchemaFile SchemaFile::Parse(std::string_view text)
{
    SchemaFile file;
    file.m_exists = true;
    std::string section;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = Lower(Trim(std::string_view(line).substr(1, line.size() - 2)));
            file.m_sections[section];
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        file.m_sections[section].emplace(Lower(Trim(std::string_view(line).substr(0, eq))),
                                         Trim(std::string_view(line).substr(eq + 1)));
    }
    return file;
}

SchemaFile SchemaFile::Load(const std::string& path)
{
    SchemaFile file(path);
    if (!file.Exists())
        throw std::runtime_error("cannot read schema file " + path);
    return file;
}

std::optional<SchemaFile> SchemaFile::TryLoad(const std::string& path)
{
    SchemaFile file(path);
    if (!file.Exists())
        return std::nullopt;
    return file;
}

bool SchemaFile::HasSection(const std::string& section) const { return m_sections.count(Lower(section)) != 0; }

std::string SchemaFile::Value(const std::string& section, const std::string& key, const std::string& fallback) const
{
    const auto s = m_sections.find(Lower(section));
    if (s == m_sections.end())
        return fallback;
    const auto k = s->second.find(Lower(key));
    return k == s->second.end() ? fallback : k->second;
}

std::vector<std::string> SchemaFile::List(const std::string& section, const std::string& key) const
{
    std::vector<std::string> items;
    const std::string value = Value(section, key);
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t comma = value.find(',', start);
        if (comma == std::string::npos)
            comma = value.size();
        std::string entry = Trim(std::string_view(value).substr(start, comma - start));
        if (!entry.empty())
            items.push_back(std::move(entry));
        start = comma + 1;
    }
    return items;
}

std::vector<std::string> SchemaFile::KeyStatements(const std::string& table) const
{
    std::vector<std::string> statements = TableStatements(table);
    std::vector<std::string> keys;
    for (std::size_t i = 1; i < statements.size(); ++i)
        if (!statements[i].empty())
            keys.push_back(std::move(statements[i]));
    return keys;
}

std::vector<std::string> SchemaFile::TableStatements(const std::string& table) const
{
    std::vector<std::string> statements{CreateStatement(table)};
    const int count = std::atoi(Value(table, "Keys", "0").c_str());
    for (int i = 1; i <= count; ++i)
        statements.push_back(Value(table, "Key" + std::to_string(i)));
    return statements;
}

} // namespace zev
