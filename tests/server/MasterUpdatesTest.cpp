// A received order guide replaces the master guide it names, keeping what the
// upload does not carry; guides the representative does not own, and uploads
// without readable lines, change nothing.
#include "base/SchemaFile.h"
#include "server/ServerStore.h"
#include "server/UploadBody.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zev::server;
using zev::SchemaFile;

namespace {

class MasterUpdatesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir =
            std::filesystem::temp_directory_path() / ("zevmaster-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_store = std::make_unique<ServerStore>((m_dir / "server.db").string());
        m_store->CreateMasterTables(SchemaFile::Load(ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini"));
        Exec("insert into Items (ItemID, QtyPerCase, DistributorSKU) values (11, 12, 'A'), (12, 6, 'B'), (13, 1, 'C')");
        Exec("insert into WorkOrder (AccountID, WorkOrderID, Updated, Active, zev_rep) values (5, 5, 0, 1, '100'), "
             "(6, 6, 0, 1, '200')");
        Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, LineItemNumber, LineComment, OrderCount, "
             "HTDItemCount, Par, zev_rep) values (5, 5, 11, 1, 'keep me', 7, 3, 0, '100'), (5, 5, 12, 2, '', 1, 1, 0, "
             "'100'), (6, 6, 11, 1, 'other', 2, 2, 0, '200')");
    }
    void TearDown() override
    {
        m_store.reset();
        std::filesystem::remove_all(m_dir);
    }
    void Exec(const std::string& sql) { m_store->Db().Exec(sql); }
    std::string Text(const std::string& sql)
    {
        auto st = m_store->Db().Prepare(sql);
        return st.Step() ? st.Text(0) : "<none>";
    }
    void Upload(const std::string& rep, const std::string& body)
    {
        std::vector<UploadField> fields;
        for (std::size_t start = 0; start <= body.size();) {
            std::size_t end = body.find('&', start);
            if (end == std::string::npos)
                end = body.size();
            const std::string pair = body.substr(start, end - start);
            const std::size_t eq = pair.find('=');
            if (eq != std::string::npos)
                fields.push_back({pair.substr(0, eq), 0, pair.substr(eq + 1)});
            start = end + 1;
        }
        m_store->StoreUpload("UpdateWo", rep, body, fields, "SUCCESS", "2026-05-01 10:00:00");
    }
    static std::string Line(int n, int item, int par, int lastCases, int lastSingles)
    {
        const std::string k = std::to_string(n);
        return "&C" + k + "=" + std::to_string(item) + "&D" + k + "=0&E" + k + "=0&F" + k + "=24.00&G" + k + "=2.50&H" +
               k + "=" + std::to_string(lastCases) + "&I" + k + "=" + std::to_string(lastSingles) + "&J" + k + "=10&K" +
               k + "=-1.00&L" + k + "=0&M" + k + "=0&N" + k + "=" + std::to_string(par) + "&O" + k + "=1&P" + k +
               "=4&Q" + k + "=0&R" + k + "=9.99";
    }

    std::filesystem::path m_dir;
    std::unique_ptr<ServerStore> m_store;
};

} // namespace

TEST_F(MasterUpdatesTest, GuideIsReplacedInTheOrderSent)
{
    Upload("100", "A=5&B=5" + Line(1, 13, 2, 0, 0) + Line(2, 11, 24, 2, 6) + "&N=2");
    EXPECT_EQ(Text("select group_concat(ItemID) from (select ItemID from WorkOrderItems where AccountID = 5 order by "
                   "LineItemNumber)"),
              "13,11");
    EXPECT_EQ(Text("select Par from WorkOrderItems where AccountID = 5 and ItemID = 11"), "24");
    EXPECT_EQ(Text("select LastQty from WorkOrderItems where AccountID = 5 and ItemID = 11"), "30");
    EXPECT_EQ(Text("select LineComment || '/' || OrderCount || '/' || HTDItemCount from WorkOrderItems where "
                   "AccountID = 5 and ItemID = 11"),
              "keep me/7/3");
    EXPECT_EQ(Text("select PriceOverride from WorkOrderItems where AccountID = 5 and ItemID = 13"), "-1.00");
    EXPECT_EQ(Text("select zev_rep from WorkOrderItems where AccountID = 5 and ItemID = 13"), "100");
    EXPECT_EQ(Text("select count(*) from WorkOrderItems where AccountID = 6"), "1");
}

TEST_F(MasterUpdatesTest, UnreadableOrForeignGuidesChangeNothing)
{
    Upload("100", "A=5&B=5&N=-1");
    Upload("100", "A=6&B=6" + Line(1, 13, 2, 0, 0) + "&N=1");      // another representative's guide
    Upload("100", "A=5&B=5" + Line(1, 13, 2, 0, 0) + "&C2=x&N=2"); // a line without a readable item
    EXPECT_EQ(Text("select count(*) from WorkOrderItems where AccountID = 5"), "2");
    EXPECT_EQ(Text("select ItemID from WorkOrderItems where AccountID = 6"), "11");
    EXPECT_EQ(Text("select count(*) from Uploads"), "3"); // each is still recorded
}
