#pragma once

#include "base/Text.h" // Trim, TrimRight: every settings value is read through them

#include <cstddef>
#include <string>
#include <string_view>

// Readers of the installation's settings file (ZevSatchel.INI) and of the
// other INI-shaped files the program reads. The program never writes them.
namespace zev {

// The program's own reader. The first line equal to "[section]" opens the
// section; after it the first line "key=value" whose key matches exactly
// (case matters) and that has a non-empty value supplies it. The value ends at
// the next "=" ("k=a=b" gives "a"). The search ends at the next line starting
// with "[". At most maxChars characters are kept. When the file cannot be read
// or nothing is found, the default (cut to maxChars) is returned. Lines longer
// than 4095 characters are cut there.
std::string ReadIniValue(std::string_view section, std::string_view key, std::string_view defaultText,
                         std::size_t maxChars, const std::string& path);

// The string-table form: section, key and default are text numbers
// (GENERAL 65133, SETTINGS 65116, defaults "1" 65135 and "0" 65136; the key
// numbers are in StringIds.h).
std::string ReadIniValue(int sectionId, int keyId, int defaultId, std::size_t maxChars, const std::string& path);

// The screen layout reader: the same rules, except that the section's header
// line need only begin with "[section]". Keeps at most 254 characters.
std::string ReadLayoutValue(std::string_view section, std::string_view key, const std::string& path,
                            std::size_t maxChars = 254);

// Reader with the forgiving rules of the platform's profile functions, used
// only where those were used (the schema file's [Database] Version, the server
// addresses): section and key compared without regard to case, blanks around
// keys and values dropped, one pair of enclosing quotes removed.
std::string ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultText,
                              std::size_t maxChars, const std::string& path);

// Integer of the platform's profile reader: leading decimal number of the
// value, the default when the key is missing.
int ReadProfileInt(std::string_view section, std::string_view key, int defaultValue, const std::string& path);

// The usual decimal conversion of settings: leading blanks, optional sign,
// digits; anything unreadable gives 0.
int ToInt(std::string_view text);

// One control's layout record: "x,y,width,height[,visible[,label]]". Missing
// numbers are 0, a missing visible flag hides the control; empty fields are
// skipped, so a label cannot contain a comma.
struct LayoutRecord {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool visible = false;
    bool hasLabel = false;
    std::string label;
};

// False when the value is empty (the control stays where its template put it).
bool ParseLayoutRecord(std::string_view value, LayoutRecord& record);

} // namespace zev
