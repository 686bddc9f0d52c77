#pragma once

#include <filesystem>
#include <sqlite3.h>
#include <string>

namespace zev::test {

// A statement run on a connection of its own, beside Tabula (triggers that
// make a chosen write fail).
inline bool RawExec(const std::filesystem::path& database, const std::string& sql)
{
    sqlite3* raw = nullptr;
    const bool ok = sqlite3_open(database.c_str(), &raw) == SQLITE_OK &&
                    sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(raw);
    return ok;
}

} // namespace zev::test
