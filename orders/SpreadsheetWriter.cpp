#include "orders/SpreadsheetWriter.h"

#include "base/Text.h"

#include <algorithm>
#include <cstdio>

namespace zev {

namespace {

std::string Format(const char* fmt, auto... args)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

void AppendUtf8(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of a well-formed UTF-8 sequence at `i` and its code point; 0 when
// the bytes there are not one.
std::size_t Utf8At(const std::string& s, std::size_t i, unsigned& cp)
{
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    cp = b & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    const bool shortest = (n == 2 && cp >= 0x80) || (n == 3 && cp >= 0x800) || (n == 4 && cp >= 0x10000);
    if (!shortest || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF || cp == 0xFFFE || cp == 0xFFFF)
        return 0;
    return n;
}

} // namespace

SpreadsheetWriter::SpreadsheetWriter(std::string worksheetName) : m_name(std::move(worksheetName)) {}

void SpreadsheetWriter::SetHeaderLines(const std::string& l1, const std::string& l2, const std::string& l3,
                                       const std::string& l4)
{
    const std::string* in[4] = {&l1, &l2, &l3, &l4};
    for (int i = 0; i < 4; ++i)
        m_header[i] = Trim(Escape(*in[i]));
}

int SpreadsheetWriter::AddStyle(unsigned flags, const std::string& fontSize)
{
    m_styles.emplace_back(flags, fontSize);
    return static_cast<int>(m_styles.size()) - 1;
}

void SpreadsheetWriter::AddColumn(double width)
{
    m_widths.push_back(width > 0 ? Format("%.2f", width) : std::string());
}

void SpreadsheetWriter::StartRow(int style, double height)
{
    m_row = " <Row";
    if (style >= 0)
        m_row += Format(" ss:StyleID=\"s%i\"", style + 21);
    if (height != 0)
        m_row += Format(" ss:Height=\"%.2f\"", height);
    m_row += ">\n";
    m_cellsInRow = 0;
}

namespace {
std::string CellOpen(int style)
{
    return style >= 0 ? Format("  <Cell ss:StyleID=\"s%i\">", style + 21) : std::string("  <Cell>");
}
} // namespace

void SpreadsheetWriter::Cell(int value, int style)
{
    m_row += CellOpen(style) + Format("<Data ss:Type=\"Number\">%i</Data></Cell>\n", value);
    ++m_cellsInRow;
}

void SpreadsheetWriter::Cell(double value, int style)
{
    m_row += CellOpen(style) + Format("<Data ss:Type=\"Number\">%f</Data></Cell>\n", value);
    ++m_cellsInRow;
}

void SpreadsheetWriter::Cell(const std::string& text, int style)
{
    m_row += CellOpen(style) + "<Data ss:Type=\"String\">" + Escape(text) + "</Data></Cell>\n";
    ++m_cellsInRow;
}

void SpreadsheetWriter::EndRow()
{
    m_rows += m_row + "   </Row>\n";
    m_row.clear();
    ++m_rowCount;
    m_columnCount = std::max(m_columnCount, m_cellsInRow);
}

std::string SpreadsheetWriter::Escape(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            switch (b) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                if (b >= 0x20 || b == '\t' || b == '\n' || b == '\r')
                    out += static_cast<char>(b);
            }
            ++i;
            continue;
        }
        unsigned cp = 0;
        if (const std::size_t n = Utf8At(text, i, cp)) {
            out.append(text, i, n);
            i += n;
        } else {
            if (b >= 0xA0) // Latin-1; the C1 controls are dropped
                AppendUtf8(out, b);
            ++i;
        }
    }
    return out;
}

std::string SpreadsheetWriter::StyleXml(int index, unsigned f, const std::string& size)
{
    std::string s = Format("  <Style ss:ID=\"s%i\">\n", index + 21);
    s += "   <Alignment";
    if (f & AlignCenter)
        s += " ss:Horizontal=\"Center\"";
    else if (f & AlignLeft)
        s += " ss:Horizontal=\"Left\"";
    else if (f & AlignRight)
        s += " ss:Horizontal=\"Right\"";
    if (f & VAlignCenter)
        s += " ss:Vertical=\"Center\"";
    else if (f & VAlignTop)
        s += " ss:Vertical=\"Top\"";
    else if (f & VAlignBottom)
        s += " ss:Vertical=\"Bottom\"";
    if (f & Wrap)
        s += " ss:WrapText=\"1\"";
    s += "/>\n";
    if (f & ShortDate)
        s += "<NumberFormat ss:Format=\"Short Date\"/>\n";
    else if (f & ShortTime)
        s += "<NumberFormat ss:Format=\"Short Time\"/>\n";
    else if (f & Currency)
        s += "<NumberFormat ss:Format=\"Currency\"/>\n";
    if (f & Border) {
        s += "   <Borders>\n";
        for (const char* side : {"Bottom", "Left", "Right", "Top"})
            s += Format("  <Border ss:Position=\"%s\" ss:LineStyle=\"Continuous\" ss:Weight=\"1\"/>\n", side);
        s += "   </Borders>\n";
    }
    s += "   <Font x:Family=\"Swiss\"";
    if (!size.empty())
        s += " ss:Size=\"" + Escape(size) + "\"";
    if (f & Bold)
        s += " ss:Bold=\"1\"";
    if (f & Underline)
        s += " ss:Underline=\"Single\"";
    if (f & Italic)
        s += " ss:Italic=\"1\"";
    s += "/>\n  </Style>\n";
    return s;
}

std::string SpreadsheetWriter::HeaderXml() const
{
    static const char* const kCentre =
        "&amp;C&amp;&quot;Arial,Bold&quot;&amp;14Order Guide&amp;&quot;Arial,Regular&quot;&amp;10&#10;&amp;D\"/>\n";
    const std::string* h = m_header;
    if (h[1].empty())
        return "   <Header x:Data=\"&amp;L" + h[0] + "&#10;&#10;&#10;&#10;" + kCentre;
    if (h[2].empty())
        return "   <Header x:Data=\"&amp;L" + h[0] + "&#10;" + h[1] + "&#10;" + h[3] + "&#10; &#10;&#10;&#10;" +
               kCentre;
    return "   <Header x:Data=\"&amp;L" + h[0] + "&#10;" + h[1] + "&#10;" + h[2] + "&#10;" + h[3] +
           "&#10; &#10;&#10;&#10;" + kCentre;
}

std::string SpreadsheetWriter::Document() const
{
    std::string d;
    d.reserve(m_rows.size() + 4096);
    d += "<?xml version=\"1.0\"?>\n"
         "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"\n"
         " xmlns:o=\"urn:schemas-microsoft-com:office:office\"\n"
         " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"\n"
         " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\">\n"
         " <Styles>\n"
         "  <Style ss:ID=\"Default\" ss:Name=\"Normal\">\n"
         "   <Alignment ss:Vertical=\"Bottom\"/>\n"
         "  </Style>\n";
    for (std::size_t i = 0; i < m_styles.size(); ++i)
        d += StyleXml(static_cast<int>(i), m_styles[i].first, m_styles[i].second);
    d += " </Styles>\n";
    d += " <Worksheet ss:Name=\"" + Escape(m_name) + "\">\n";
    const int columns = std::max<int>(m_columnCount, static_cast<int>(m_widths.size()));
    d += Format("<Table ss:ExpandedColumnCount=\"%i\" ss:ExpandedRowCount=\"%i\">\n", columns, m_rowCount);
    for (const std::string& w : m_widths)
        d += w.empty() ? "   <Column ss:AutoFitWidth=\"1\"/>\n" : "   <Column ss:Width=\"" + w + "\"/>\n";
    d += m_rows;
    d += "</Table>\n"
         "<WorksheetOptions xmlns=\"urn:schemas-microsoft-com:office:excel\">\n"
         "  <PageSetup>\n";
    d += HeaderXml();
    d += "   <Footer x:Data=\"Page &amp;P of &amp;N\"/>\n"
         "  </PageSetup>\n"
         " </WorksheetOptions>\n"
         " </Worksheet>\n"
         "</Workbook>\n";
    return d;
}

} // namespace zev
