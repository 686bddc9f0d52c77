#pragma once

#include <string>

namespace zev {

// Formatting of the fixed SQL templates. The templates are printf templates,
// so the compiler checks every argument against them.
class SqlText {
public:
    static std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

    // A user's text made ready to stand between single quotes: trimmed at both
    // ends and every apostrophe doubled.
    static std::string Clean(const std::string& text);

    static std::string Trim(const std::string& text);
    static std::string DoubleApostrophes(const std::string& text);
};

} // namespace zev
