#pragma once

#include <string>

// The program's user-facing texts, by number. Every text keeps its exact
// wording, typing errors included, because distributors' documents quote them.
namespace zev {

class StringTable {
public:
    // The text of `id`; an empty text for a number the table does not hold.
    static const std::string& Text(int id);
    static bool Has(int id);
};

// Shorthand for StringTable::Text.
inline const std::string& LoadText(int id) { return StringTable::Text(id); }

} // namespace zev
