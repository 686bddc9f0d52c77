#pragma once

#include <string>
#include <string_view>

// Small text helpers every layer uses (the program, the helper libraries, the
// server and the tools); no dependencies beyond the standard library.
namespace zev {

// `text` without leading and trailing blanks (space, tab, CR, LF).
std::string Trim(std::string_view text);
std::string TrimRight(std::string_view text);

// Equality and ordering that ignore ASCII case, as the distributor's files and
// the account list compare names and keys.
bool EqualsNoCase(std::string_view a, std::string_view b);
// Negative, zero or positive, like strcasecmp.
int CompareNoCase(std::string_view a, std::string_view b);

} // namespace zev
