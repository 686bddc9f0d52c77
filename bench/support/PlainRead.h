#pragma once

#include <cstddef>
#include <sqlite3.h>
#include <string>

namespace zev::bench {

// The plain baseline of a listing: one statement stepped to its end on the C
// API, every cell read as text as the program's reader does. Adds the rows to
// `rows`; returns the bytes read, so the reads cannot be optimised away.
inline std::size_t PlainRead(sqlite3* db, const std::string& sql, std::size_t& rows)
{
    std::size_t bytes = 0;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    while (st != nullptr && sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        for (int c = 0; c < n; ++c)
            if (sqlite3_column_text(st, c) != nullptr)
                bytes += static_cast<std::size_t>(sqlite3_column_bytes(st, c));
        ++rows;
    }
    sqlite3_finalize(st);
    return bytes;
}

} // namespace zev::bench
