#include "app/core/Profile.h"

#include "app/core/ZevFolders.h"
#include "base/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zev {

namespace {

struct Entry {
    std::string name;
    std::string raw; // "type:value" as stored
};

struct Section {
    std::string name;
    std::vector<Entry> entries;
};

using Document = std::vector<Section>;

// Registry names compare without regard to case; the profile keeps that.
bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool ValidName(std::string_view name)
{
    return !name.empty() && name.find_first_of("=\r\n[]") == std::string_view::npos && name.front() != ' ' &&
           name.front() != ';';
}

Document Parse(const std::string& text)
{
    Document doc;
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close == std::string_view::npos) {
                current = nullptr; // damaged header: ignore what follows until the next good one
                continue;
            }
            const std::string name(line.substr(1, close - 1));
            auto it = std::find_if(doc.begin(), doc.end(), [&](const Section& s) { return SameName(s.name, name); });
            if (it == doc.end()) {
                doc.push_back(Section{name, {}});
                current = &doc.back();
            } else {
                current = &*it;
            }
            continue;
        }
        const auto eq = line.find('=');
        if (!current || eq == std::string_view::npos || eq == 0)
            continue;
        const std::string name(line.substr(0, eq));
        std::string raw(line.substr(eq + 1));
        auto it = std::find_if(current->entries.begin(), current->entries.end(),
                               [&](const Entry& e) { return SameName(e.name, name); });
        if (it == current->entries.end())
            current->entries.push_back(Entry{name, std::move(raw)});
        else
            it->raw = std::move(raw);
    }
    return doc;
}

std::string Serialize(const Document& doc)
{
    std::string out;
    for (const auto& section : doc) {
        if (section.entries.empty())
            continue;
        if (!out.empty())
            out += '\n';
        out += '[';
        out += section.name;
        out += "]\n";
        for (const auto& e : section.entries) {
            out += e.name;
            out += '=';
            out += e.raw;
            out += '\n';
        }
    }
    return out;
}

std::string EscapeText(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
            break;
        }
    }
    return out;
}

std::string UnescapeText(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        default:
            out += value[i];
            break;
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::optional<std::string> FindRaw(const std::string& path, std::string_view section, std::string_view name)
{
    std::string text;
    if (!ReadWholeFile(path, text))
        return std::nullopt;
    const Document doc = Parse(text);
    for (const auto& s : doc) {
        if (!SameName(s.name, section))
            continue;
        for (const auto& e : s.entries)
            if (SameName(e.name, name))
                return e.raw;
    }
    return std::nullopt;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Serialises writers of one profile so that two processes changing different
// values do not lose one another's change. Readers need no lock: the file is
// only ever replaced whole.
class WriteLock {
public:
    explicit WriteLock(const std::string& path)
    {
        m_fd = ::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~WriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

private:
    int m_fd = -1;
};

template <typename Change> bool Modify(const std::string& path, bool durable, Change change)
{
    if (!ZevFolders::EnsurePrivateDir(FolderOf(path)))
        return false;
    WriteLock lock(path);
    std::string text;
    Document doc;
    if (ReadWholeFile(path, text))
        doc = Parse(text);
    if (!change(doc))
        return true; // nothing to change
    return WriteFileAtomically(path, Serialize(doc), 0600, nullptr, durable);
}

bool Store(const std::string& path, bool durable, std::string_view section, std::string_view name, std::string raw)
{
    if (!ValidName(section) || !ValidName(name))
        return false;
    return Modify(path, durable, [&](Document& doc) {
        auto s = std::find_if(doc.begin(), doc.end(), [&](const Section& x) { return SameName(x.name, section); });
        if (s == doc.end()) {
            doc.push_back(Section{std::string(section), {}});
            s = doc.end() - 1;
        }
        auto e =
            std::find_if(s->entries.begin(), s->entries.end(), [&](const Entry& x) { return SameName(x.name, name); });
        if (e == s->entries.end())
            s->entries.push_back(Entry{std::string(name), std::move(raw)});
        else
            e->raw = std::move(raw);
        return true;
    });
}

std::string SafeRegKey(std::string_view regKey)
{
    std::string key;
    for (char c : regKey)
        key += (c == '/' || c == '\\' || c == '\0') ? '_' : c;
    while (!key.empty() && (key.back() == ' ' || key.back() == '.'))
        key.pop_back();
    if (key.empty() || key.find_first_not_of('.') == std::string::npos)
        key = "Marvane Software";
    return key;
}

} // namespace

std::string Profile::PathForRegKey(std::string_view regKey)
{
    std::string base;
    if (const char* dir = std::getenv("ZEV_CONFIG_DIR"); dir && *dir)
        base = dir;
    else if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
    else
        base = "/nonexistent/.config";
    return base + "/" + SafeRegKey(regKey) + "/Satchel.ini";
}

Profile Profile::ForRegKey(std::string_view regKey) { return Profile(PathForRegKey(regKey)); }

Profile::Profile(std::string path) : m_path(std::move(path)) {}

std::optional<std::string> Profile::FindText(std::string_view name, std::string_view section) const
{
    const auto raw = FindRaw(m_path, section, name);
    if (!raw || !StartsWith(*raw, "sz:"))
        return std::nullopt;
    return UnescapeText(std::string_view(*raw).substr(3));
}

std::string Profile::GetText(std::string_view name, std::string_view section) const
{
    return FindText(name, section).value_or(std::string());
}

bool Profile::SetText(std::string_view name, std::string_view value, std::string_view section)
{
    return Store(m_path, m_durable, section, name, "sz:" + EscapeText(value));
}

std::optional<int> Profile::FindInt(std::string_view name, std::string_view section) const
{
    const auto raw = FindRaw(m_path, section, name);
    if (!raw || !StartsWith(*raw, "dword:"))
        return std::nullopt;
    const std::string digits = raw->substr(6);
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(digits.c_str(), &end, 10);
    if (digits.empty() || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

int Profile::GetInt(std::string_view name, std::string_view section) const
{
    return FindInt(name, section).value_or(-1);
}

bool Profile::SetInt(std::string_view name, int value, std::string_view section)
{
    return Store(m_path, m_durable, section, name, "dword:" + std::to_string(value));
}

std::optional<std::vector<std::uint8_t>> Profile::GetBinary(std::string_view name, std::string_view section) const
{
    const auto raw = FindRaw(m_path, section, name);
    if (!raw || !StartsWith(*raw, "hex:"))
        return std::nullopt;
    const std::string_view hex = std::string_view(*raw).substr(4);
    if (hex.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = HexDigit(hex[i]);
        const int lo = HexDigit(hex[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return bytes;
}

bool Profile::SetBinary(std::string_view name, const std::vector<std::uint8_t>& value, std::string_view section)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string raw = "hex:";
    for (std::uint8_t b : value) {
        raw += kHex[b >> 4];
        raw += kHex[b & 15];
    }
    return Store(m_path, m_durable, section, name, std::move(raw));
}

bool Profile::DeleteValue(std::string_view name, std::string_view section)
{
    return Modify(m_path, m_durable, [&](Document& doc) {
        bool changed = false;
        for (auto& s : doc) {
            if (!SameName(s.name, section))
                continue;
            const auto before = s.entries.size();
            std::erase_if(s.entries, [&](const Entry& e) { return SameName(e.name, name); });
            changed = changed || s.entries.size() != before;
        }
        return changed;
    });
}

bool Profile::DeleteSection(std::string_view section)
{
    return Modify(m_path, m_durable, [&](Document& doc) {
        const auto before = doc.size();
        std::erase_if(doc, [&](const Section& s) { return SameName(s.name, section); });
        return doc.size() != before;
    });
}

bool Profile::SetDurable(bool durable)
{
    const bool was = m_durable;
    m_durable = durable;
    // Values written while relaxed reach the disk now, with the file's name.
    if (durable && !was)
        return SyncFileToDisk(m_path);
    return true;
}

void Profile::ResetSettings()
{
    (void)DeleteSection(kProfileApplication);
    (void)DeleteSection(kProfileListData);
}

std::optional<std::array<std::uint16_t, kListLayoutColumns>> Profile::ListWidths(std::string_view listName) const
{
    const auto bytes = GetBinary(std::string(listName) + "-Widths", kProfileListData);
    if (!bytes || bytes->size() != kListLayoutColumns * 2)
        return std::nullopt;
    std::array<std::uint16_t, kListLayoutColumns> widths{};
    for (std::size_t i = 0; i < kListLayoutColumns; ++i)
        widths[i] = static_cast<std::uint16_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8));
    return widths;
}

std::optional<std::array<std::uint8_t, kListLayoutColumns>> Profile::ListOrder(std::string_view listName) const
{
    const auto bytes = GetBinary(std::string(listName) + "-Order", kProfileListData);
    if (!bytes || bytes->size() != kListLayoutColumns)
        return std::nullopt;
    std::array<std::uint8_t, kListLayoutColumns> order{};
    std::copy(bytes->begin(), bytes->end(), order.begin());
    return order;
}

bool Profile::SaveListLayout(std::string_view listName, const SavedListLayout& layout)
{
    std::vector<std::uint8_t> widths;
    widths.reserve(kListLayoutColumns * 2);
    for (std::uint16_t w : layout.widths) {
        widths.push_back(static_cast<std::uint8_t>(w & 0xff));
        widths.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    const std::vector<std::uint8_t> order(layout.order.begin(), layout.order.end());
    const bool a = SetBinary(std::string(listName) + "-Widths", widths, kProfileListData);
    const bool b = SetBinary(std::string(listName) + "-Order", order, kProfileListData);
    return a && b;
}

} // namespace zev
