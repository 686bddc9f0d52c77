#include "app/core/DistributorInfo.h"
#include "app/core/ZevConfig.h"

#include "TempDir.h"
#include "tabula/Tabula.h"

#include <gtest/gtest.h>

using namespace zev;

namespace {

class DistributorInfoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QueryPool::GetInstance("Data Source=" + dir.File("master.db"), 0);
        Exec("create table DistributorInfo (c0 int, c1 varchar(20), c2 int, c3 int, c4 int, c5 int, c6 int, "
             "c7 int, c8 varchar(40), c9 int, c10 int, c11 int, c12 int, c13 int, c14 int, c15 int, c16 int)");
        config.SetByte(cfg::kGuideSortKey, 3);
        config.SetUInt16(cfg::kOrderMinimum, 50);
    }
    void TearDown() override { QueryPool::DestroyAll(); }

    static void Exec(const std::string& sql)
    {
        Query q("DistributorInfo", "", 0);
        q.Exec(sql);
    }

    void InsertRow(int sortKey, const std::string& column8, int minimum)
    {
        Exec("insert into DistributorInfo values (1, 'Demo', 0, 0, 0, 0, 0, " + std::to_string(sortKey) + ", '" +
             column8 + "', 0, 0, 0, 0, 0, 0, 0, " + std::to_string(minimum) + ")");
    }

    TempDir dir;
    ZevConfig config;
};

TEST_F(DistributorInfoTest, NoRowLeavesTheRecordAlone)
{
    EXPECT_TRUE(RefreshFromDistributorInfo(config));
    EXPECT_EQ(config.Byte(cfg::kGuideSortKey), 3);
    EXPECT_EQ(config.UInt16(cfg::kOrderMinimum), 50);
    EXPECT_EQ(ReadDistributorColumn8().number, 10);
}

TEST_F(DistributorInfoTest, RowRefreshesSortKeyAndMinimum)
{
    InsertRow(12, " 14,Wine ", 250);
    EXPECT_TRUE(RefreshFromDistributorInfo(config));
    EXPECT_EQ(config.Byte(cfg::kGuideSortKey), 12);
    EXPECT_EQ(config.UInt16(cfg::kOrderMinimum), 250);
    const DistributorColumn8 c8 = ReadDistributorColumn8();
    EXPECT_EQ(c8.text, "14,Wine");
    EXPECT_EQ(c8.number, 14);
}

TEST_F(DistributorInfoTest, ValuesOutOfRangeAreNotTaken)
{
    InsertRow(21, "", -1);
    EXPECT_TRUE(RefreshFromDistributorInfo(config));
    EXPECT_EQ(config.Byte(cfg::kGuideSortKey), 3);
    EXPECT_EQ(config.UInt16(cfg::kOrderMinimum), 50);
    EXPECT_EQ(ReadDistributorColumn8().number, 10);
}

TEST(DistributorInfoWithoutDatabase, RefreshStillSucceeds)
{
    QueryPool::DestroyAll();
    ZevConfig config;
    EXPECT_TRUE(RefreshFromDistributorInfo(config));
    EXPECT_EQ(ReadDistributorColumn8().number, 10);
}

} // namespace
