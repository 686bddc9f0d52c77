#include "server/SchemaFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zev::server {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

SchemaFile SchemaFile::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read schema file " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

SchemaFile SchemaFile::Parse(const std::string& text)
{
    SchemaFile file;
    std::istringstream in(text);
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            section = Lower(Trim(trimmed.substr(1, trimmed.size() - 2)));
            continue;
        }
        size_t eq = trimmed.find('=');
        if (eq == std::string::npos)
            continue;
        // The first definition wins, as with the platform's profile reader.
        file.sections_[section].emplace(Lower(Trim(trimmed.substr(0, eq))), Trim(trimmed.substr(eq + 1)));
    }
    return file;
}

std::string SchemaFile::Value(const std::string& section, const std::string& key, const std::string& fallback) const
{
    auto s = sections_.find(Lower(section));
    if (s == sections_.end())
        return fallback;
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? fallback : k->second;
}

std::vector<std::string> SchemaFile::List(const std::string& section, const std::string& key) const
{
    std::vector<std::string> items;
    std::istringstream in(Value(section, key));
    std::string item;
    while (std::getline(in, item, ','))
        if (!Trim(item).empty())
            items.push_back(Trim(item));
    return items;
}

std::vector<std::string> SchemaFile::KeyStatements(const std::string& table) const
{
    std::vector<std::string> keys;
    int count = std::atoi(Value(table, "Keys", "0").c_str());
    for (int i = 1; i <= count; ++i) {
        std::string statement = Value(table, "Key" + std::to_string(i));
        if (!statement.empty())
            keys.push_back(statement);
    }
    return keys;
}

} // namespace zev::server
