#pragma once

#include <string>
#include <vector>

namespace zev {

// A small writer of the XML spreadsheet document: styles, column widths,
// rows of typed cells, a page header of up to four lines and a page footer.
// The document is built in memory (the table head needs the row count) and
// written in one piece by WriteFile, so a failure never leaves half a file.
class SpreadsheetWriter {
public:
    enum Flag : unsigned {
        AlignCenter = 1,
        AlignLeft = 2,
        AlignRight = 4,
        VAlignTop = 8,
        VAlignCenter = 16,
        VAlignBottom = 32,
        Wrap = 64,
        Border = 128,
        Bold = 1u << 8,
        Underline = 2u << 8,
        Italic = 4u << 8,
        ShortDate = 8u << 8,
        ShortTime = 16u << 8,
        Currency = 32u << 8,
    };

    explicit SpreadsheetWriter(std::string worksheetName);

    void SetHeaderLines(const std::string& l1, const std::string& l2, const std::string& l3, const std::string& l4);
    // Returns the style's index; `fontSize` empty for the default size.
    int AddStyle(unsigned flags, const std::string& fontSize = {});
    // A width of 0 or less is an automatic width.
    void AddColumn(double width);

    void StartRow(int style = -1, double height = 0);
    void Cell(int value, int style = -1);
    void Cell(double value, int style = -1);
    void Cell(const std::string& text, int style = -1);
    void EndRow();

    // The whole document.
    std::string Document() const;

    // Text as it goes into the file: the four markup characters escaped, the
    // double quote too (header lines sit inside an attribute), characters XML
    // cannot hold dropped, and bytes that are not UTF-8 read as Latin-1.
    static std::string Escape(const std::string& text);

private:
    static std::string StyleXml(int index, unsigned flags, const std::string& size);
    std::string HeaderXml() const;

    std::string m_name;
    std::string m_header[4];
    std::vector<std::pair<unsigned, std::string>> m_styles;
    std::vector<std::string> m_widths;
    std::string m_rows;
    std::string m_row;
    int m_rowCount = 0;
    int m_cellsInRow = 0;
    int m_columnCount = 0;
};

} // namespace zev
