#include "server/FormBody.h"

#include <cerrno>
#include <cstdlib>

namespace zev::server {

std::vector<FormField> SplitForm(const std::string& body)
{
    std::vector<FormField> fields;
    for (const std::string& part : SplitAt(body, '&')) {
        std::string clean = part;
        while (!clean.empty() && (clean.back() == '\r' || clean.back() == '\n'))
            clean.pop_back();
        if (clean.empty())
            continue;
        size_t eq = clean.find('=');
        if (eq == std::string::npos) {
            if (!fields.empty())
                fields.back().value += "&" + clean;
            continue;
        }
        fields.push_back({clean.substr(0, eq), clean.substr(eq + 1)});
    }
    return fields;
}

namespace {

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

std::string UrlDecode(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::vector<FormField> SplitQuery(const std::string& target)
{
    std::vector<FormField> fields;
    size_t q = target.find('?');
    if (q == std::string::npos)
        return fields;
    for (const std::string& part : SplitAt(target.substr(q + 1), '&')) {
        if (part.empty())
            continue;
        size_t eq = part.find('=');
        if (eq == std::string::npos)
            fields.push_back({part, ""});
        else
            fields.push_back({part.substr(0, eq), UrlDecode(part.substr(eq + 1))});
    }
    return fields;
}

std::optional<std::string> FindField(const std::vector<FormField>& fields, const std::string& name)
{
    for (const FormField& field : fields)
        if (field.name == name)
            return field.value;
    return std::nullopt;
}

std::string Unescape(const std::string& text, const std::vector<std::pair<std::string, std::string>>& set)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        for (const auto& [sent, original] : set) {
            if (text.compare(i, sent.size(), sent) == 0) {
                out += original;
                i += sent.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

const std::vector<std::pair<std::string, std::string>>& EscapeSetA()
{
    static const std::vector<std::pair<std::string, std::string>> set{{"%26", "&"}};
    return set;
}

const std::vector<std::pair<std::string, std::string>>& EscapeSetB()
{
    static const std::vector<std::pair<std::string, std::string>> set{{"%25", "%"}, {"%26", "&"}, {"%94", "^"}};
    return set;
}

const std::vector<std::pair<std::string, std::string>>& EscapeSetC()
{
    static const std::vector<std::pair<std::string, std::string>> set{{"~|A", "&"}, {"~|C", "^"}, {"''", "'"}};
    return set;
}

const std::vector<std::pair<std::string, std::string>>& EscapeSetD()
{
    static const std::vector<std::pair<std::string, std::string>> set{{"%2B", "+"}, {"%20", " "}};
    return set;
}

const std::vector<std::pair<std::string, std::string>>& EscapeSetE()
{
    static const std::vector<std::pair<std::string, std::string>> set{{"~|A", "&"}};
    return set;
}

std::vector<std::string> SplitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t at = text.find(separator, start);
        if (at == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

std::string TrimBlanks(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<long long> ParseInteger(const std::string& text)
{
    std::string trimmed = TrimBlanks(text);
    if (trimmed.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(trimmed.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return std::nullopt;
    return value;
}

std::optional<double> ParseDecimal(const std::string& text)
{
    std::string trimmed = TrimBlanks(text);
    if (trimmed.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    double value = std::strtod(trimmed.c_str(), &end);
    if (errno != 0 || *end != '\0')
        return std::nullopt;
    return value;
}

} // namespace zev::server
