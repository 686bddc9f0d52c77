// The guide written as an XML spreadsheet: the document's fixed lines, text
// escaping, a real XML parser reading the cells back, the file written whole
// under a fresh name, and the desktop folder.
#include "orders/GuideExport.h"
#include "orders/Amount.h"
#include "orders/SpreadsheetWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using zev::GuideExport;
using zev::SpreadsheetWriter;

using zevtest::TempDir;

bool HasLine(const std::string& doc, const std::string& line)
{
    return ("\n" + doc).find("\n" + line + "\n") != std::string::npos;
}

std::vector<zev::OrderGuideRow> TwoRows()
{
    zev::OrderGuideRow a;
    a.lineItemNumber = 1;
    a.sku = "S100";
    a.description = "Zinfandel & Co <Reserve>";
    a.qtyPerCase = 12;
    a.units = 30;
    a.casePrice = 24.5f;
    a.singlePrice = 2.25f;
    a.priceOverride = zev::Amount::kFree;
    a.par = 4;
    a.inv = 1;
    zev::OrderGuideRow b;
    b.lineItemNumber = 2;
    b.sku = "S200";
    b.description = "Ros\xe9 d'Anjou"; // a Latin-1 byte
    b.qtyPerCase = 6;
    b.units = 6;
    b.casePrice = 60;
    b.extendedPrice = 60;
    return {a, b};
}

TEST(SpreadsheetWriterTest, FixedLinesOfStylesRowsAndCells)
{
    SpreadsheetWriter w("Sheet");
    w.SetHeaderLines("A", "B", "C", "D");
    w.AddStyle(SpreadsheetWriter::AlignRight | SpreadsheetWriter::VAlignCenter | SpreadsheetWriter::Wrap |
                   SpreadsheetWriter::Border | SpreadsheetWriter::Bold | SpreadsheetWriter::Italic |
                   SpreadsheetWriter::Underline | SpreadsheetWriter::Currency,
               "14");
    w.AddColumn(0);
    w.AddColumn(12.5);
    w.StartRow(0, 18);
    w.Cell(7);
    w.Cell(1.5, 0);
    w.Cell(std::string("x"));
    w.EndRow();
    const std::string d = w.Document();
    for (const char* line : {
             "  <Style ss:ID=\"s21\">",
             "   <Alignment ss:Horizontal=\"Right\" ss:Vertical=\"Center\" ss:WrapText=\"1\"/>",
             "<NumberFormat ss:Format=\"Currency\"/>",
             "   <Borders>",
             "  <Border ss:Position=\"Bottom\" ss:LineStyle=\"Continuous\" ss:Weight=\"1\"/>",
             "  <Border ss:Position=\"Top\" ss:LineStyle=\"Continuous\" ss:Weight=\"1\"/>",
             "   <Font x:Family=\"Swiss\" ss:Size=\"14\" ss:Bold=\"1\" ss:Underline=\"Single\" ss:Italic=\"1\"/>",
             " <Worksheet ss:Name=\"Sheet\">",
             "<Table ss:ExpandedColumnCount=\"3\" ss:ExpandedRowCount=\"1\">",
             "   <Column ss:AutoFitWidth=\"1\"/>",
             "   <Column ss:Width=\"12.50\"/>",
             " <Row ss:StyleID=\"s21\" ss:Height=\"18.00\">",
             "  <Cell><Data ss:Type=\"Number\">7</Data></Cell>",
             "  <Cell ss:StyleID=\"s21\"><Data ss:Type=\"Number\">1.500000</Data></Cell>",
             "  <Cell><Data ss:Type=\"String\">x</Data></Cell>",
             "   </Row>",
             "   <Header x:Data=\"&amp;LA&#10;B&#10;C&#10;D&#10; &#10;&#10;&#10;&amp;C&amp;&quot;Arial,Bold&quot;&amp;"
             "14Order Guide&amp;&quot;Arial,Regular&quot;&amp;10&#10;&amp;D\"/>",
             "   <Footer x:Data=\"Page &amp;P of &amp;N\"/>",
         })
        EXPECT_TRUE(HasLine(d, line)) << line;
    EXPECT_EQ(d.rfind("</Workbook>\n"), d.size() - 12);
}

TEST(SpreadsheetWriterTest, HeaderTemplateFollowsTheEmptyLines)
{
    struct Case {
        const char* l2;
        const char* l3;
        const char* left;
    };
    for (const Case& c : {Case{"", "C", "&amp;LA&#10;&#10;&#10;&#10;&amp;C"},
                          Case{"B", "", "&amp;LA&#10;B&#10;D&#10; &#10;&#10;&#10;&amp;C"},
                          Case{"  B ", "C", "&amp;LA&#10;B&#10;C&#10;D&#10; &#10;&#10;&#10;&amp;C"}}) {
        SpreadsheetWriter w("S");
        w.SetHeaderLines(" A ", c.l2, c.l3, "D");
        EXPECT_NE(w.Document().find("<Header x:Data=\"" + std::string(c.left)), std::string::npos) << c.left;
    }
}

TEST(SpreadsheetWriterTest, EscapingKeepsTheDocumentWellFormed)
{
    EXPECT_EQ(SpreadsheetWriter::Escape("a&b<c>d'e\"f"), "a&amp;b&lt;c&gt;d&apos;e&quot;f");
    EXPECT_EQ(SpreadsheetWriter::Escape("tab\there\x01\x1f"), "tab\there"); // controls XML cannot hold
    EXPECT_EQ(SpreadsheetWriter::Escape("caf\xc3\xa9"), "caf\xc3\xa9");     // UTF-8 kept
    EXPECT_EQ(SpreadsheetWriter::Escape("caf\xe9"), "caf\xc3\xa9");         // Latin-1 read as such
    EXPECT_EQ(SpreadsheetWriter::Escape("\xc0\xaf"), "\xc3\x80\xc2\xaf");   // an overlong form is not UTF-8
}

// Reads the file with libxml2 and returns the text of row `row`, cell `cell`.
class ParsedSheet {
public:
    explicit ParsedSheet(const std::string& xml)
    {
        doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "sheet.xml", nullptr,
                            XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
        if (doc) {
            ctx = xmlXPathNewContext(doc);
            xmlXPathRegisterNs(ctx, BAD_CAST "ss", BAD_CAST "urn:schemas-microsoft-com:office:spreadsheet");
        }
    }
    ~ParsedSheet()
    {
        if (ctx)
            xmlXPathFreeContext(ctx);
        if (doc)
            xmlFreeDoc(doc);
    }
    bool Ok() const { return doc != nullptr; }
    std::string At(const std::string& xpath) const
    {
        xmlXPathObjectPtr o = xmlXPathEvalExpression(BAD_CAST xpath.c_str(), ctx);
        std::string out = "<none>";
        if (o && o->nodesetval && o->nodesetval->nodeNr > 0) {
            xmlChar* t = xmlNodeGetContent(o->nodesetval->nodeTab[0]);
            out = reinterpret_cast<const char*>(t);
            xmlFree(t);
        }
        xmlXPathFreeObject(o);
        return out;
    }
    std::string Cell(int row, int cell) const
    {
        return At("//ss:Worksheet/ss:Table/ss:Row[" + std::to_string(row) + "]/ss:Cell[" + std::to_string(cell) +
                  "]/ss:Data");
    }

private:
    xmlDocPtr doc = nullptr;
    xmlXPathContextPtr ctx = nullptr;
};

TEST(GuideExportTest, AnXmlParserReadsTheCellsBack)
{
    const std::string xml =
        GuideExport::Document(TwoRows(), {"Corner Wines & Spirits", "12 Main St", "", "Town"}, false);
    ParsedSheet sheet(xml);
    ASSERT_TRUE(sheet.Ok()) << xml;
    EXPECT_EQ(sheet.At("//ss:Worksheet/@ss:Name"), "OrderGuide");
    EXPECT_EQ(sheet.Cell(1, 3), "Description");
    EXPECT_EQ(sheet.Cell(2, 2), "S100");
    EXPECT_EQ(sheet.Cell(2, 3), "Zinfandel & Co <Reserve> (12/cs)");
    EXPECT_EQ(sheet.Cell(2, 4), "2"); // 30 units of 12: 2 cases, 6 singles
    EXPECT_EQ(sheet.Cell(2, 5), "6");
    EXPECT_EQ(sheet.Cell(2, 6), "24.500000");
    EXPECT_EQ(sheet.Cell(2, 10), "Free");
    EXPECT_EQ(sheet.Cell(3, 3), "Ros\xc3\xa9 d'Anjou (6/cs)");
    EXPECT_EQ(sheet.Cell(3, 13), "60.000000");
    EXPECT_EQ(sheet.At("//ss:Worksheet/ss:Table/@ss:ExpandedRowCount"), "3");
    EXPECT_EQ(sheet.At("//ss:Worksheet/ss:Table/@ss:ExpandedColumnCount"),
              std::to_string(GuideExport::ColumnTitles().size()));
    EXPECT_NE(xml.find("&amp;LCorner Wines &amp; Spirits&#10;12 Main St&#10;Town&#10; "), std::string::npos);
}

TEST(GuideExportTest, AnEmptyGuideStillMakesAWellFormedSheet)
{
    ParsedSheet sheet(GuideExport::Document({}, {"", "", "", ""}, true));
    ASSERT_TRUE(sheet.Ok());
    EXPECT_EQ(sheet.At("//ss:Worksheet/ss:Table/@ss:ExpandedRowCount"), "1");
}

TEST(GuideExportTest, WritesWholeUnderAFreshNumberedName)
{
    TempDir dir;
    const std::time_t when = 1700000000;
    const auto first = GuideExport::Write(TwoRows(), {"A", "", "", ""}, false, dir.Dir().string(), when);
    ASSERT_TRUE(first.ok) << first.error;
    const std::string name = fs::path(first.path).filename().string();
    EXPECT_EQ(name.rfind("Order Guide ", 0), 0u);
    EXPECT_EQ(name.size(), std::string("Order Guide 123456.XML").size());
    const std::string before = zevtest::ReadFile(first.path);
    const auto second = GuideExport::Write({}, {"B", "", "", ""}, false, dir.Dir().string(), when);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(fs::path(second.path).filename().string(), name.substr(0, name.size() - 4) + " (2).XML");
    EXPECT_EQ(zevtest::ReadFile(first.path), before); // the first file is never overwritten
    EXPECT_TRUE(ParsedSheet(zevtest::ReadFile(second.path)).Ok());
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Dir()))
        ++files;
    EXPECT_EQ(files, 2); // no temporary file left behind
}

TEST(GuideExportTest, AFolderThatCannotBeWrittenIsAFailure)
{
    const auto r = GuideExport::Write(TwoRows(), {"A", "", "", ""}, false, "/nonexistent/folder", 0);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
}

TEST(GuideExportTest, DesktopFolderFromTheUserDirsFileElseHome)
{
    TempDir home;
    const std::string saved[3] = {std::getenv("HOME") ? std::getenv("HOME") : "",
                                  std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "",
                                  std::getenv("XDG_DESKTOP_DIR") ? std::getenv("XDG_DESKTOP_DIR") : ""};
    ::setenv("HOME", home.Dir().c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_DESKTOP_DIR");
    EXPECT_EQ(GuideExport::DesktopFolder(), home.Dir().string()); // no user-dirs file
    fs::create_directories(home.Dir() / ".config");
    std::ofstream(home.Dir() / ".config" / "user-dirs.dirs")
        << "# set by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Bureau\"\n";
    EXPECT_EQ(GuideExport::DesktopFolder(), home.Dir().string()); // named but missing
    fs::create_directories(home.Dir() / "Bureau");
    EXPECT_EQ(GuideExport::DesktopFolder(), (home.Dir() / "Bureau").string());
    ::setenv("HOME", saved[0].c_str(), 1);
    if (!saved[1].empty())
        ::setenv("XDG_CONFIG_HOME", saved[1].c_str(), 1);
    if (!saved[2].empty())
        ::setenv("XDG_DESKTOP_DIR", saved[2].c_str(), 1);
}

// One CSV record split into its cells (quoted cells may hold commas and
// doubled quotes).
std::vector<std::string> CsvCells(const std::string& line)
{
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            cells.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.emplace_back();
        } else if (c != '\r') {
            cells.back() += c;
        }
    }
    return cells;
}

TEST(GuideExportTest, SpreadsheetProgramConvertsItToCsv)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed (tools/install-deps.sh installs libreoffice-calc-nogui); "
                        "the conversion by a spreadsheet program is not checked";
    TempDir dir;
    const auto r = GuideExport::Write(TwoRows(), {"A", "", "", ""}, false, dir.Dir().string(), 0);
    ASSERT_TRUE(r.ok);
    // Its own profile folder, so a user's running office or settings never
    // interfere; UTF-8, cells written as shown (so the currency style shows).
    const std::string cmd = "cd '" + dir.Dir().string() + "' && HOME='" + dir.Dir().string() +
                            "' soffice -env:UserInstallation=file://" + dir.Dir().string() +
                            "/profile --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,"
                            "true,true' --outdir out '" +
                            r.path + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    fs::path csv;
    for (const auto& e : fs::directory_iterator(dir.Dir() / "out"))
        csv = e.path();
    ASSERT_FALSE(csv.empty()) << "soffice wrote nothing";
    std::istringstream lines(zevtest::ReadFile(csv));
    std::string header, first, second;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    const auto titles = CsvCells(header);
    const auto a = CsvCells(first);
    const auto b = CsvCells(second);
    ASSERT_EQ(titles, GuideExport::ColumnTitles());
    ASSERT_EQ(a.size(), titles.size()) << first;
    ASSERT_EQ(b.size(), titles.size()) << second;
    // Line, item, description with its pack, cases, singles, override, par, inv.
    EXPECT_EQ(a[0], "1");
    EXPECT_EQ(a[1], "S100");
    EXPECT_EQ(a[2], "Zinfandel & Co <Reserve> (12/cs)");
    EXPECT_EQ(a[3], "2");
    EXPECT_EQ(a[4], "6");
    EXPECT_EQ(a[9], "Free");
    EXPECT_EQ(a[10], "4");
    EXPECT_EQ(a[11], "1");
    EXPECT_EQ(b[0], "2");
    EXPECT_EQ(b[1], "S200");
    EXPECT_EQ(b[2], "Ros\xc3\xa9 d'Anjou (6/cs)"); // the Latin-1 byte arrives as the same letter
    EXPECT_EQ(b[3], "1");
    EXPECT_EQ(b[4], "0");
    // Amounts are numbers in the currency style.
    EXPECT_NE(a[5].find("24.50"), std::string::npos) << a[5];
    EXPECT_NE(b[12].find("60.00"), std::string::npos) << b[12];
}

} // namespace
