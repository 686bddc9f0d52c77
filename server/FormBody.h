#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zev::server {

// One name=value part of a request body or query, as sent (nothing decoded).
struct FormField {
    std::string name;
    std::string value;
};

// Splits a body built by hand by the program: parts joined by "&", name and value split at the first "=".
// The program does not URL-encode, so a part without "=" is an "&" that slipped through unescaped
// inside the previous value and is joined back to it. Empty parts are skipped.
std::vector<FormField> SplitForm(const std::string& body);

// Splits the query of a request target and URL-decodes the values (the transport may encode blanks
// of a stamp); names are kept as they are.
std::vector<FormField> SplitQuery(const std::string& target);

// The value of the first field named `name` (exact, case-sensitive), if any.
std::optional<std::string> FindField(const std::vector<FormField>& fields, const std::string& name);

// Reverses a replacement set: each pair is (sent form, original text). One pass from left to right,
// so "%2526" decodes to "%26" and not to "&".
std::string Unescape(const std::string& text, const std::vector<std::pair<std::string, std::string>>& set);

// The replacement sets of the program's bodies, as (sent, original) pairs.
const std::vector<std::pair<std::string, std::string>>& EscapeSetA(); // & -> %26
const std::vector<std::pair<std::string, std::string>>& EscapeSetB(); // % -> %25, & -> %26, ^ -> %94
const std::vector<std::pair<std::string, std::string>>& EscapeSetC(); // & -> ~|A, ^ -> ~|C, ' -> ''
const std::vector<std::pair<std::string, std::string>>& EscapeSetD(); // + -> %2B, blank -> %20
const std::vector<std::pair<std::string, std::string>>& EscapeSetE(); // & -> ~|A

std::vector<std::string> SplitAt(const std::string& text, char separator);
std::string TrimBlanks(const std::string& text);
// Strict number parsing of a trimmed text: the whole text must be the number.
std::optional<long long> ParseInteger(const std::string& text);
std::optional<double> ParseDecimal(const std::string& text);

} // namespace zev::server
