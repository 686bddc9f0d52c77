#include "server/TableText.h"

#include "TableReader.h"

#include <cstdio>
#include <gtest/gtest.h>

using namespace zev::server;

TEST(TableText, InventoryExampleReadsBack)
{
    TableData table{"Inventory", {"ItemID", "QtyOnHand"}, {{"1001", "24"}, {"1002", "0"}}};
    EXPECT_EQ(FormatTable(table), "Inventory\nItemID,QtyOnHand\n2\n1001^24\n1002^0\n");
}

TEST(TableText, EmptyValuesCaretsAndBreaksSurviveTheReader)
{
    TableData table{"Notes", {"NoteID", "Comment", "Extra"}, {{"1", "", ""}, {"2", "a^b", "line\r\nbreak"}}};
    ReadTable read = ReadTableText(FormatTable(table));
    EXPECT_EQ(read.name, "Notes");
    ASSERT_EQ(read.columns.size(), 3u);
    EXPECT_EQ(read.announced, 2);
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.skipped, 0);
    EXPECT_EQ(read.rows[0][1], " ");
    EXPECT_EQ(read.rows[0][2], " ");
    EXPECT_EQ(read.rows[1][1], "a b");
    EXPECT_EQ(read.rows[1][2], "line  break");
}

TEST(TableText, TruncatedTableKeepsTheAnnouncedCount)
{
    TableData table{"Items", {"ItemID"}, {}};
    for (int i = 0; i < 20; ++i)
        table.rows.push_back({std::to_string(i + 1)});
    ReadTable read = ReadTableText(FormatTable(table, 11));
    EXPECT_EQ(read.announced, 20);
    EXPECT_EQ(read.rows.size(), 9u);
    EXPECT_EQ(ReadTableText(FormatTable(table, 50)).rows.size(), 0u);
}

TEST(TableText, OverlongRowIsShortenedToOneReadableLine)
{
    TableData table{
        "ProductNotes", {"ItemID", "Note1", "Note2"}, {{"1001", std::string(8000, 'a'), std::string(3000, 'b')}}};
    std::string text = FormatTable(table);
    std::string line = text.substr(text.find("\n1\n") + 3);
    line.pop_back();
    EXPECT_LE(line.size(), 9000u);
    ReadTable read = ReadTableText(text);
    ASSERT_EQ(read.rows.size(), 1u);
    EXPECT_EQ(read.rows[0][0], "1001");
    EXPECT_EQ(read.rows[0][2], std::string(3000, 'b'));
}

// Rows written value by value as the store reads them: numbers exactly as
// "%.15g" gives them, and a shortened row does not disturb its neighbours.
TEST(TableText, WriterMatchesPrintfNumbersAndShortensOnlyTheLongRow)
{
    TableWriter writer("Prices");
    writer.SetColumns({"ItemID", "Price"});
    const double numbers[] = {12.5, 0.1 + 0.2, -0.0, 1e21, 123456789012345678.0, 3.0, 1.0 / 3.0, 2.5e-7};
    std::string expected = "Prices\nItemID,Price\n10\n";
    for (double v : numbers) {
        writer.BeginRow();
        writer.Value("7");
        writer.Number(v);
        writer.EndRow();
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", v);
        expected += std::string("7^") + buffer + "\n";
    }
    writer.BeginRow();
    writer.Value("8");
    writer.Value(std::string(9500, 'x'));
    writer.EndRow();
    writer.BeginRow();
    writer.Value("9");
    writer.Value("");
    writer.EndRow();
    std::string text;
    writer.AppendTo(text);
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    ReadTable read = ReadTableText(text);
    ASSERT_EQ(read.rows.size(), 10u);
    EXPECT_EQ(read.rows[8][0], "8");
    EXPECT_EQ(read.rows[8][1].size(), 9000u - 2u);
    EXPECT_EQ(read.rows[9], (std::vector<std::string>{"9", " "}));
    std::string withheld;
    writer.AppendTo(withheld, 2);
    EXPECT_EQ(ReadTableText(withheld).rows.size(), 8u);
    EXPECT_EQ(ReadTableText(withheld).announced, 10);
}
