#pragma once

#include "server/ServerStore.h"

#include <string>

namespace zev::server {

// Writes a table in the text form the program's table reader takes: the name, the column names joined
// by ",", the row count, then one line per row with the values joined by "^".
// A value cannot carry "^" or a line break, so those become blanks; an empty value is sent as one blank
// (the reader cannot carry an empty first value otherwise). A row longer than the program's line
// buffer has its longest values shortened so that it still arrives as one row.
// `withheld` rows are left off the end while the announced count stays: the truncated reply of the
// fault switch.
std::string FormatTable(const TableData& table, size_t withheld = 0);

} // namespace zev::server
