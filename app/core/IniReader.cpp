#include "app/core/IniReader.h"

#include "app/core/StringTable.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <fstream>
#include <vector>

namespace zev {

namespace {

constexpr std::size_t kMaxLine = 4095;

bool NextLine(std::istream& in, std::string& line)
{
    if (!std::getline(in, line))
        return false;
    if (line.size() > kMaxLine)
        line.resize(kMaxLine);
    line.erase(std::remove_if(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }), line.end());
    return true;
}

std::string Cut(std::string_view text, std::size_t maxChars)
{
    std::string out(text.substr(0, std::min(text.size(), maxChars)));
    for (char& c : out)
        if (c == '\r' || c == '\n')
            c = ' ';
    return out;
}

enum class HeaderMatch { Exact, Prefix };

std::string ReadValue(std::string_view section, std::string_view key, std::string_view defaultText,
                      std::size_t maxChars, const std::string& path, HeaderMatch match)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Cut(defaultText, maxChars);

    std::string header;
    header.reserve(section.size() + 2);
    header += '[';
    header += section;
    header += ']';

    std::string line;
    bool inSection = false;
    while (NextLine(in, line)) {
        if (!inSection) {
            inSection = match == HeaderMatch::Exact ? line == header : line.compare(0, header.size(), header) == 0;
            continue;
        }
        if (!line.empty() && line[0] == '[')
            break;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        if (std::string_view(line).substr(0, eq) != key)
            continue;
        const auto next = line.find('=', eq + 1);
        const std::string_view value =
            std::string_view(line).substr(eq + 1, next == std::string::npos ? std::string::npos : next - eq - 1);
        if (value.empty())
            continue;
        return Cut(value, maxChars);
    }
    return Cut(defaultText, maxChars);
}

} // namespace

std::string ReadIniValue(std::string_view section, std::string_view key, std::string_view defaultText,
                         std::size_t maxChars, const std::string& path)
{
    return ReadValue(section, key, defaultText, maxChars, path, HeaderMatch::Exact);
}

std::string ReadIniValue(int sectionId, int keyId, int defaultId, std::size_t maxChars, const std::string& path)
{
    return ReadIniValue(StringTable::Text(sectionId), StringTable::Text(keyId), StringTable::Text(defaultId), maxChars,
                        path);
}

std::string ReadLayoutValue(std::string_view section, std::string_view key, const std::string& path,
                            std::size_t maxChars)
{
    return ReadValue(section, key, "", maxChars, path, HeaderMatch::Prefix);
}

std::string ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultText,
                              std::size_t maxChars, const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::string(defaultText.substr(0, std::min(defaultText.size(), maxChars)));
    std::string line;
    bool inSection = false;
    while (NextLine(in, line)) {
        const std::string t = Trim(line);
        if (!t.empty() && t.front() == '[') {
            const auto close = t.find(']');
            const std::string name = close == std::string::npos ? std::string() : Trim(t.substr(1, close - 1));
            if (inSection)
                break;
            inSection = EqualsNoCase(name, section);
            continue;
        }
        if (!inSection || t.empty() || t[0] == ';')
            continue;
        const auto eq = t.find('=');
        if (eq == std::string::npos)
            continue;
        if (!EqualsNoCase(Trim(t.substr(0, eq)), key))
            continue;
        std::string value = Trim(t.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (value.size() > maxChars)
            value.resize(maxChars);
        return value;
    }
    return std::string(defaultText.substr(0, std::min(defaultText.size(), maxChars)));
}

int ReadProfileInt(std::string_view section, std::string_view key, int defaultValue, const std::string& path)
{
    static const std::string kMissing = "\x01missing";
    const std::string value = ReadProfileString(section, key, kMissing, 64, path);
    if (value == kMissing)
        return defaultValue;
    return ToInt(value);
}

int ToInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break; // clamp below instead of overflowing
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool ParseLayoutRecord(std::string_view value, LayoutRecord& record)
{
    record = LayoutRecord{};
    if (value.empty())
        return false;
    // Empty fields are skipped, as the tokenizer of the settings format did.
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos <= value.size()) {
        const auto comma = value.find(',', pos);
        const auto field = value.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
        if (!field.empty())
            fields.push_back(field);
        if (comma == std::string_view::npos)
            break;
        pos = comma + 1;
    }
    int* numbers[] = {&record.x, &record.y, &record.width, &record.height};
    for (std::size_t i = 0; i < 4 && i < fields.size(); ++i)
        *numbers[i] = ToInt(fields[i]);
    record.visible = fields.size() > 4 && ToInt(fields[4]) != 0;
    if (fields.size() > 5) {
        record.hasLabel = true;
        record.label = std::string(fields[5]);
    }
    return true;
}

} // namespace zev
