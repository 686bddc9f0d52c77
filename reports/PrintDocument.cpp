#include "reports/PrintDocument.h"

#include <utility>

namespace zev {

void PrintDocument::AddColumn(std::string heading, PrintAlign align, int width, bool entry)
{
    columns.push_back({std::move(heading), align, width, entry});
}

void PrintDocument::AddLine(std::vector<std::string> cells) { rows.push_back({PrintRowKind::Line, std::move(cells)}); }

void PrintDocument::AddSection(std::string title) { rows.push_back({PrintRowKind::Section, {std::move(title)}}); }

void PrintDocument::AddTotal(std::vector<std::string> cells)
{
    rows.push_back({PrintRowKind::Total, std::move(cells)});
}

bool PrintDocument::HasLines() const
{
    for (const PrintRow& row : rows)
        if (row.kind == PrintRowKind::Line)
            return true;
    return false;
}

std::string PrintDocument::PlainText() const
{
    std::string text = title + "\n";
    for (const std::string& line : subtitles)
        text += line + "\n";
    auto joined = [](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += (i ? "\t" : "") + cells[i];
        return line + "\n";
    };
    std::vector<std::string> headings;
    for (const PrintColumn& c : columns)
        headings.push_back(c.heading);
    text += joined(headings);
    for (const PrintRow& row : rows)
        text += joined(row.cells);
    for (const std::string& note : footnotes)
        text += note + "\n";
    return text;
}

} // namespace zev
