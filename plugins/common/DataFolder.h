#pragma once

#include <string>

namespace q9 {

// The per-user data folder as the program lays it out: the folder given by
// Q9SetDataDir, else $ZEV_DATA_DIR, else $XDG_DATA_HOME/ZevSatchel, else
// ~/.local/share/ZevSatchel. Thread-safe.
class DataFolder {
public:
    static void Set(const char* dir);
    static std::string Dir();

    // <data>/Temp, created (owner-only) when missing; empty on failure.
    static std::string TempDir();

    // The database file for a GENERAL/DATABASE value: a value without '/' is
    // a name, <data>/<name>.db ("master" when empty); anything else is a
    // path used as given.
    static std::string DatabasePath(const std::string& value);

    // Creates `dir` and its parents with mode 0700 when missing.
    static bool MakeDirs(const std::string& dir);
};

} // namespace q9
