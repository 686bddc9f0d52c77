// Report.ini: its list rule, the names, and the faults a definition can have.
#include "reports/ReportDefinition.h"
#include "reports/SqlPlaceholder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using zev::ReportFile;
using zev::SqlPlaceholder;
using Strings = std::vector<std::string>;

struct SplitCase {
    const char* value;
    Strings entries;
};

class SplitListTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitListTest, SplitsOnCommas) { EXPECT_EQ(ReportFile::SplitList(GetParam().value), GetParam().entries); }

INSTANTIATE_TEST_SUITE_P(Lists, SplitListTest,
                         ::testing::Values(SplitCase{"a,b,c", {"a", "b", "c"}},
                                           // Two commas in a row give no empty column.
                                           SplitCase{"Item,,Total", {"Item", "Total"}},
                                           SplitCase{",,a,,,b,,", {"a", "b"}},
                                           // Only the whole value is trimmed, not each entry.
                                           SplitCase{"  One , Two  ", {"One ", " Two"}}, SplitCase{"", {}},
                                           SplitCase{" , ", {}}, SplitCase{"single", {"single"}}));

class ReportFileTest : public ::testing::Test {
protected:
    ReportFileTest()
        : dir(std::filesystem::temp_directory_path() /
              ("reportfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::create_directories(dir);
    }
    ~ReportFileTest() override { std::filesystem::remove_all(dir); }

    ReportFile Write(const std::string& text)
    {
        std::ofstream(dir / "Report.ini") << text;
        return ReportFile::InFolder(dir.string());
    }

    static std::string Section(const std::string& name, const std::string& body)
    {
        return "[" + name + "]\n" + body + "\n";
    }

    static bool HasProblem(const zev::ReportDefinition& d, const std::string& key)
    {
        for (const auto& p : d.problems)
            if (p.key == key)
                return true;
        return false;
    }

    std::filesystem::path dir;
};

TEST_F(ReportFileTest, NamesAreTrimmedAndInFileOrder)
{
    const ReportFile file = Write("[Queries]\nQueries=Sales,  Open AR  ,Top Items\n");
    EXPECT_EQ(file.Names(), (Strings{"Sales", "Open AR", "Top Items"}));
}

TEST_F(ReportFileTest, MissingFileOrKeyGivesNoNames)
{
    EXPECT_TRUE(ReportFile::InFolder(dir.string()).Names().empty());
    EXPECT_TRUE(Write("[Queries]\nOther=x\n").Names().empty());
}

TEST_F(ReportFileTest, CompleteDefinitionIsRead)
{
    const ReportFile file = Write(Section("R", "Headings=Item,,Total\nFormat=0,1\nWidths=100, 60\nTypes=alpha,float\n"
                                               "Data=Days\nSQL=  select a, b from t where d > %d  \n"
                                               "LinkTo=Other\nLinkSQL=select 1 where x = '%s'"));
    const zev::ReportDefinition d = file.Read("R");
    EXPECT_TRUE(d.Usable()) << d.ProblemText();
    EXPECT_EQ(d.headings, (Strings{"Item", "Total"}));
    EXPECT_EQ(d.formats, (std::vector<int>{0, 1}));
    EXPECT_EQ(d.widths, (std::vector<int>{100, 60}));
    EXPECT_EQ(d.sql, "select a, b from t where d > %d");
    EXPECT_EQ(d.TypeLetter(0), 'a');
    EXPECT_EQ(d.TypeLetter(1), 'f');
    EXPECT_EQ(d.Parameter(), zev::ReportParameterKind::Days);
    EXPECT_EQ(d.linkTo, "Other");
}

struct FaultCase {
    const char* body;
    const char* key;
};

class ReportFaultTest : public ReportFileTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(ReportFaultTest, NamesTheReportAndKey)
{
    const zev::ReportDefinition d = Write(Section("Broken One", GetParam().body)).Read("Broken One");
    EXPECT_FALSE(d.Usable());
    EXPECT_TRUE(HasProblem(d, GetParam().key)) << d.ProblemText();
    EXPECT_NE(d.ProblemText().find("\"Broken One\""), std::string::npos);
    EXPECT_NE(d.ProblemText().find(std::string("\"") + GetParam().key + "\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReportFaultTest,
    ::testing::Values(FaultCase{"Format=0\nWidths=1\nTypes=a\nSQL=select 1", "Headings"},
                      FaultCase{"Headings=A,B\nFormat=0,0\nWidths=1,1\nTypes=a\nSQL=select 1, 2", "Types"},
                      FaultCase{"Headings=A,B\nFormat=0\nWidths=1,1\nTypes=a,a\nSQL=select 1, 2", "Format"},
                      FaultCase{"Headings=A\nFormat=left\nWidths=1\nTypes=a\nSQL=select 1", "Format"},
                      FaultCase{"Headings=A\nFormat=0\nWidths=\nTypes=a\nSQL=select 1", "Widths"},
                      FaultCase{"Headings=A\nFormat=0\nWidths=1\nTypes=a", "SQL"},
                      FaultCase{"Headings=A\nFormat=0\nWidths=1\nTypes=a\nSQL=delete from Accounts", "SQL"},
                      FaultCase{"Headings=A\nFormat=0\nWidths=1\nTypes=a\nData=Items\nSQL=select 1", "SQL"},
                      FaultCase{"Headings=A\nFormat=0\nWidths=1\nTypes=a\nSQL=select %d", "SQL"}));

TEST(SqlPlaceholderTest, FillsOnlyThePlaceholder)
{
    // A LIKE pattern and "%%" survive; the number goes where "%d" stands.
    EXPECT_EQ(SqlPlaceholder::FillNumber("select x from t where n like 'A%' and d > %d and p = '50%%'", 30),
              "select x from t where n like 'A%' and d > 30 and p = '50%'");
    EXPECT_EQ(SqlPlaceholder::Count("like '%%d' and %d", 'd'), 1);
}

TEST(SqlPlaceholderTest, TextIsTrimmedAndQuoted)
{
    EXPECT_EQ(SqlPlaceholder::FillText("select 1 where n = '%s'", "  Joe's Bar "), "select 1 where n = 'Joe''s Bar'");
    EXPECT_EQ(SqlPlaceholder::FillText("select 1 where n = '%s'", "x' or '1'='1"),
              "select 1 where n = 'x'' or ''1''=''1'");
}

TEST(SqlPlaceholderTest, OnlySelectsRead)
{
    EXPECT_TRUE(SqlPlaceholder::IsSelect("  SELECT * from t"));
    EXPECT_TRUE(SqlPlaceholder::IsSelect("select\ta from t"));
    EXPECT_FALSE(SqlPlaceholder::IsSelect("selection"));
    EXPECT_FALSE(SqlPlaceholder::IsSelect("update t set a = 1"));
    EXPECT_FALSE(SqlPlaceholder::IsSelect(""));
}

} // namespace
