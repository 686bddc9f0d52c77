#include "tabula/ResultPrinter.h"

#include "tabula/CVORecordset.h"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <vector>

namespace tabula {

namespace {

// Display width in characters (UTF-8 continuation bytes take no column).
std::size_t displayWidth(const std::string& s)
{
    std::size_t n = 0;
    for (unsigned char c : s) {
        if ((c & 0xC0) != 0x80) {
            ++n;
        }
    }
    return n;
}

void pad(std::ostream& out, const std::string& text, std::size_t width, bool right)
{
    const std::size_t w = displayWidth(text);
    const std::string fill(width > w ? width - w : 0, ' ');
    if (right) {
        out << fill << text;
    } else {
        out << text << fill;
    }
}

} // namespace

void ResultPrinter::Print(CVORecordset& recordset, std::ostream& out)
{
    const long columns = recordset.GetFieldCount();
    if (!recordset.IsOpen() || columns == 0) {
        out << "(" << recordset.GetRowsAffected() << " rows affected)\n";
        return;
    }
    std::vector<std::string> names;
    std::vector<std::size_t> widths;
    std::vector<bool> numeric(static_cast<std::size_t>(columns), true);
    for (long c = 0; c < columns; ++c) {
        names.push_back(recordset.GetFieldName(c));
        widths.push_back(displayWidth(names.back()));
    }
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> seen(static_cast<std::size_t>(columns), false);
    recordset.MoveFirst();
    while (!recordset.IsEOF()) {
        std::vector<std::string> row;
        for (long c = 0; c < columns; ++c) {
            const auto ci = static_cast<std::size_t>(c);
            Variant v = recordset.GetFieldValue(c);
            std::string text = v.IsNull() ? "NULL" : v.ToString();
            if (v.IsText()) {
                numeric[ci] = false;
            }
            seen[ci] = seen[ci] || !v.IsNull();
            widths[ci] = std::max(widths[ci], displayWidth(text));
            row.push_back(std::move(text));
        }
        rows.push_back(std::move(row));
        recordset.MoveNext();
    }
    for (std::size_t c = 0; c < names.size(); ++c) {
        if (c > 0) {
            out << " | ";
        }
        pad(out, names[c], widths[c], false);
    }
    out << "\n";
    for (std::size_t c = 0; c < names.size(); ++c) {
        if (c > 0) {
            out << "-+-";
        }
        out << std::string(widths[c], '-');
    }
    out << "\n";
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out << " | ";
            }
            pad(out, row[c], widths[c], numeric[c] && seen[c]);
        }
        out << "\n";
    }
    out << "(" << rows.size() << (rows.size() == 1 ? " row)" : " rows)") << "\n";
}

std::string ResultPrinter::Format(CVORecordset& recordset)
{
    std::ostringstream out;
    Print(recordset, out);
    return out.str();
}

} // namespace tabula
