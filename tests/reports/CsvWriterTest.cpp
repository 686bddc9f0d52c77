// The CSV both screens export: quoting, line ends, encoding, formula guard.
#include "reports/CsvWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using zev::CsvWriter;

struct FieldCase {
    const char* text;
    const char* written;
};

class CsvFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvFieldTest, QuotesOnlyWhatNeedsIt) { EXPECT_EQ(CsvWriter::Field(GetParam().text), GetParam().written); }

INSTANTIATE_TEST_SUITE_P(Fields, CsvFieldTest,
                         ::testing::Values(FieldCase{"plain", "plain"}, FieldCase{"", ""}, FieldCase{"a,b", "\"a,b\""},
                                           FieldCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                           FieldCase{"two\nlines", "\"two\nlines\""},
                                           FieldCase{"cr\rhere", "\"cr\rhere\""}, FieldCase{" pad", "\" pad\""},
                                           FieldCase{"Zoë's Café", "Zoë's Café"}));

TEST(CsvWriterTest, HeadingsThenRowsWithCrLfAndByteOrderMark)
{
    const CsvWriter writer({"Item", "Total"}, {true, false});
    EXPECT_EQ(writer.ToString({{"Merlot, 2019", "-12.50"}, {"Ale", "3"}}),
              "\xEF\xBB\xBFItem,Total\r\n\"Merlot, 2019\",-12.50\r\nAle,3\r\n");
}

TEST(CsvWriterTest, TextThatLooksLikeAFormulaIsDefused)
{
    const CsvWriter writer({"Name", "Amount"}, {true, false});
    const std::string csv = writer.ToString({{"=HYPERLINK(\"x\")", "-5"}, {"@SUM(A1)", "+3"}, {"-dash", "1"}});
    EXPECT_NE(csv.find("\"'=HYPERLINK(\"\"x\"\")\",-5\r\n"), std::string::npos);
    EXPECT_NE(csv.find("'@SUM(A1),+3\r\n"), std::string::npos);
    EXPECT_NE(csv.find("'-dash,1\r\n"), std::string::npos);
}

TEST(CsvWriterTest, WritesTheFileWholeOrReportsWhy)
{
    const auto dir = std::filesystem::temp_directory_path() / "csvwritertest";
    std::filesystem::create_directories(dir);
    const CsvWriter writer({"A"});
    std::string error;
    ASSERT_TRUE(writer.WriteFile((dir / "out.csv").string(), {{"1"}}, error)) << error;
    std::ifstream in(dir / "out.csv", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "\xEF\xBB\xBF"
                                                                   "A\r\n1\r\n");
    EXPECT_FALSE(writer.WriteFile((dir / "missing" / "out.csv").string(), {{"1"}}, error));
    EXPECT_FALSE(error.empty());
    std::filesystem::remove_all(dir);
}

} // namespace
