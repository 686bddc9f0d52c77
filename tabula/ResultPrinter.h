#pragma once

#include <iosfwd>
#include <string>

class CVORecordset;

namespace tabula {

// Prints the open result of a recordset as an aligned text table: a header
// line of column names, a rule, one line per row and "(N rows)". Numbers are
// right-aligned, text left-aligned, null shown as NULL. The cursor ends past
// the last row.
class ResultPrinter {
public:
    static void Print(CVORecordset& recordset, std::ostream& out);
    static std::string Format(CVORecordset& recordset);
};

} // namespace tabula
