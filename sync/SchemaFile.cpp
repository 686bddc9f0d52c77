#include "sync/SchemaFile.h"

#include "sync/SyncText.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace zev::sync {

namespace {
std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}
} // namespace

SchemaFile::SchemaFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return;
    m_exists = true;
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string t = TrimBlanks(line);
        if (t.empty() || t[0] == ';' || t[0] == '#')
            continue;
        if (t.front() == '[' && t.back() == ']') {
            section = Lower(TrimBlanks(t.substr(1, t.size() - 2)));
            continue;
        }
        size_t eq = t.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = Lower(TrimBlanks(t.substr(0, eq)));
        auto& sec = m_values[section];
        if (!sec.count(key))
            sec[key] = TrimBlanks(t.substr(eq + 1));
    }
}

std::string SchemaFile::Value(const std::string& section, const std::string& key, const std::string& def) const
{
    auto s = m_values.find(Lower(section));
    if (s == m_values.end())
        return def;
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? def : k->second;
}

} // namespace zev::sync
