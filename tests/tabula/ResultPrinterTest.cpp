#include "TabulaTestSupport.h"

namespace {

class Printer : public DbFixture {};

TEST_F(Printer, AlignsColumnsAndCountsRows)
{
    Exec("CREATE TABLE T (ID int, Name nvarchar(10), Amount money)");
    Exec("insert T values (1, 'Ann', 2.5)");
    Exec("insert T values (22, NULL, 10)");
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("select ID, Name, Amount from T order by ID"), 1);
    EXPECT_EQ(tabula::ResultPrinter::Format(rs), "ID | Name | Amount\n"
                                                 "---+------+-------\n"
                                                 " 1 | Ann  |    2.5\n"
                                                 "22 | NULL |     10\n"
                                                 "(2 rows)\n");
}

TEST_F(Printer, StatementsWithoutRowsReportChanges)
{
    Exec("CREATE TABLE T (ID int)");
    CVORecordset rs(conn.get());
    ASSERT_EQ(rs.Open("insert T values (1)"), 1);
    EXPECT_EQ(tabula::ResultPrinter::Format(rs), "(1 rows affected)\n");
}

} // namespace
