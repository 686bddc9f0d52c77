#pragma once

#include <string>
#include <string_view>

namespace zev {

// Fills the one placeholder of a report's statement. Only "%d" (or "%s") is
// replaced and "%%" becomes "%"; any other "%" stays as written, so a
// LIKE pattern in a distributor's statement can never upset the formatting.
class SqlPlaceholder {
public:
    // Number of "%d" (or "%s") placeholders in the template.
    static int Count(std::string_view sqlTemplate, char kind);

    static std::string FillNumber(std::string_view sqlTemplate, int value);
    // The text is trimmed and its apostrophes doubled: it is meant to stand
    // between single quotes in the template.
    static std::string FillText(std::string_view sqlTemplate, std::string_view text);

    // True when the statement only reads (it begins with "select").
    static bool IsSelect(std::string_view sql);
};

} // namespace zev
