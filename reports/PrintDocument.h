#pragma once

#include <string>
#include <vector>

namespace zev {

enum class PrintAlign { Left, Right, Centre };

struct PrintColumn {
    std::string heading;
    PrintAlign align = PrintAlign::Left;
    int width = 1;      // share of the line, relative to the other columns
    bool entry = false; // an empty cell is a blank to fill in by hand
};

enum class PrintRowKind {
    Line,
    Section, // a group's title across the whole line, kept with the line after it
    Total,   // bold, under a rule, never alone at the top of a page
};

struct PrintRow {
    PrintRowKind kind = PrintRowKind::Line;
    // One text per column; a text may run into empty cells beside it (to the
    // right when its column is left-aligned, to the left otherwise).
    std::vector<std::string> cells;
};

// A line drawn in the document's own units, for a captured signature.
struct PrintStroke {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// What a printed document says, without how it looks: the renderer decides
// fonts, margins and page breaks, and puts the distributor and the
// representative at the top of every page and the page number at the bottom.
struct PrintDocument {
    std::string title;
    std::vector<std::string> subtitles; // under the title on the first page
    std::string distributor;
    std::string representative;
    std::string pageWord = "Page"; // "<pageWord> N of M"
    std::vector<PrintColumn> columns;
    std::vector<PrintRow> rows;
    std::vector<std::string> footnotes; // paragraphs after the table
    std::string drawingCaption;         // above the drawing, e.g. "Signature:"
    std::vector<PrintStroke> drawing;

    void AddColumn(std::string heading, PrintAlign align, int width, bool entry = false);
    void AddLine(std::vector<std::string> cells);
    void AddSection(std::string title);
    void AddTotal(std::vector<std::string> cells);

    // False when there is nothing to print but titles and totals.
    bool HasLines() const;

    // The content in reading order, one row a line, cells separated by tabs.
    std::string PlainText() const;
};

} // namespace zev
