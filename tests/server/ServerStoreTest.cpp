#include "server/ServerStore.h"

#include "base/SchemaFile.h"
#include "server/UploadBody.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace zev::server;
using zev::SchemaFile;

namespace {

// Parameterised test names hold a slash; a folder name must not.
std::string SafeName(std::string name)
{
    for (char& c : name)
        if (c == '/')
            c = '_';
    return name;
}

class ServerStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("zevstore-" + std::to_string(::getpid()) + "-" +
                 SafeName(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_store = std::make_unique<ServerStore>((m_dir / "server.db").string());
        m_store->CreateMasterTables(SchemaFile::Load(ZEV_TEST_SOURCE_DIR "/data/TestSchema.ini"), &m_problems);
    }
    void TearDown() override
    {
        m_store.reset();
        std::filesystem::remove_all(m_dir);
    }
    void Exec(const std::string& sql) { m_store->Db().Exec(sql); }

    std::filesystem::path m_dir;
    std::unique_ptr<ServerStore> m_store;
    std::vector<std::string> m_problems;
};

std::vector<std::string> FirstColumn(const TableData& t)
{
    std::vector<std::string> out;
    for (const auto& row : t.rows)
        out.push_back(row[0]);
    return out;
}

} // namespace

TEST_F(ServerStoreTest, CreatesSchemaTablesInTheSqliteDialect)
{
    EXPECT_TRUE(m_problems.empty()) << m_problems.front();
    for (const char* t : {"Items", "Accounts", "Notes", "OrderHistory"})
        EXPECT_TRUE(m_store->IsMasterTable(t)) << t;
    EXPECT_FALSE(m_store->IsMasterTable("ServerUsers"));
    EXPECT_FALSE(m_store->IsMasterTable("Nope"));
    // The key statement became a unique index: a second row with the same key is refused.
    Exec("insert into Items (ItemID) values (1)");
    EXPECT_THROW(Exec("insert into Items (ItemID) values (1)"), SqlError);
}

TEST_F(ServerStoreTest, SecondCreationKeepsTheRows)
{
    Exec("insert into Items (ItemID, Description) values (1, 'kept')");
    m_store->CreateMasterTables(SchemaFile::Load(ZEV_TEST_SOURCE_DIR "/data/TestSchema.ini"));
    EXPECT_EQ(m_store->ReadTable("Items", {"r"}, std::nullopt).rows.size(), 1u);
}

TEST_F(ServerStoreTest, ServedColumnsLeaveOutTheServersOwn)
{
    TableData t = m_store->ReadTable("Items", {"r"}, std::nullopt);
    EXPECT_EQ(t.columns, (std::vector<std::string>{"ItemID", "Description", "QtyPerCase", "QtyOnHand", "Price"}));
}

TEST_F(ServerStoreTest, RowsGoOnlyToTheirRepresentative)
{
    Exec("insert into Accounts (AccountID, CompanyName, zev_rep) values (1, 'A', '100200'), (2, 'B', "
         "'100300'), "
         "(3, 'Shared', null)");
    EXPECT_EQ(FirstColumn(m_store->ReadTable("Accounts", {"100200"}, std::nullopt)),
              (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(FirstColumn(m_store->ReadTable("Accounts", {"100200", "100300"}, std::nullopt)),
              (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(ServerStoreTest, StampSelectsOnlyRowsChangedSinceIt)
{
    Exec("insert into Items (ItemID, QtyOnHand, zev_stamp) values (1, 5, '2001-01-01 10:00:00'), "
         "(2, 6, '2001-03-01 10:00:00'), (3, 7, '2001-02-01 10:00:00')");
    auto since = std::optional<std::string>("2001-02-01 10:00:00");
    EXPECT_EQ(FirstColumn(m_store->ReadTable("Items", {"r"}, since)), (std::vector<std::string>{"2", "3"}));
    EXPECT_EQ(FirstColumn(m_store->ReadInventory(since)), (std::vector<std::string>{"2", "3"}));

    // A change restamps the row with the current time, well after the old stamps.
    Exec("update Items set QtyOnHand = 0 where ItemID = 1");
    EXPECT_EQ(FirstColumn(m_store->ReadInventory(since)), (std::vector<std::string>{"1", "2", "3"}));
    auto late = std::optional<std::string>("2001-06-01 00:00:00");
    auto changed = m_store->ReadInventory(late);
    ASSERT_EQ(changed.rows.size(), 1u);
    EXPECT_EQ(changed.rows[0], (std::vector<std::string>{"1", "0"}));
}

TEST_F(ServerStoreTest, NewRowsWithoutStampAreStamped)
{
    Exec("insert into Notes (AccountID, Comment) values (1, 'x')");
    auto stmt = m_store->Db().Prepare("select zev_stamp from Notes");
    ASSERT_TRUE(stmt.Step());
    EXPECT_EQ(stmt.Text(0).size(), 19u);
}

TEST_F(ServerStoreTest, AuthenticationComparesDigestsWithoutCase)
{
    m_store->AddUser("100200", "0123456789abcdef0123456789ABCDEF", "Rep", false);
    EXPECT_TRUE(m_store->Authenticate("100200", "0123456789ABCDEF0123456789abcdef").has_value());
    EXPECT_FALSE(m_store->Authenticate("100200", "0123456789abcdef0123456789abcde0").has_value());
    EXPECT_FALSE(m_store->Authenticate("100300", "0123456789abcdef0123456789ABCDEF").has_value());
    EXPECT_FALSE(m_store->Authenticate("100200", "").has_value());
    EXPECT_FALSE(m_store->Authenticate("", "").has_value());
}

TEST_F(ServerStoreTest, ManagerSeesTheRepsHeManagesOnly)
{
    m_store->AddUser("100200", "a", "Rep A", false);
    m_store->AddUser("100300", "b", "Rep B", false);
    m_store->AddUser("100400", "c", "Rep C", false);
    m_store->AddUser("900100", "m", "Manager", true);
    m_store->SetManagedRep("900100", "100200");
    m_store->SetManagedRep("900100", "100300");
    ServerUser repA{"100200", "Rep A", false};
    ServerUser repC{"100400", "Rep C", false};
    ServerUser manager{"900100", "Manager", true};
    std::string error;
    EXPECT_EQ(m_store->Scope(repA, "", &error).value(), (std::vector<std::string>{"100200"}));
    EXPECT_EQ(m_store->Scope(repA, "900100", &error).value(), (std::vector<std::string>{"100200", "900100", "100300"}));
    EXPECT_EQ(m_store->Scope(manager, "", &error).value(), (std::vector<std::string>{"900100", "100200", "100300"}));
    EXPECT_FALSE(m_store->Scope(repC, "900100", &error).has_value());
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(m_store->Scope(repA, "100300", &error).has_value()); // not a manager
}

TEST(ServerStoreKit, TheKitsSchemaBuildsWithoutProblems)
{
    auto dir = std::filesystem::temp_directory_path() / ("zevstore-kit-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    {
        ServerStore store((dir / "server.db").string());
        SchemaFile schema = SchemaFile::Load(ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini");
        std::vector<std::string> problems;
        store.CreateMasterTables(schema, &problems);
        EXPECT_TRUE(problems.empty()) << problems.front();
        for (const std::string& table : schema.TableNames())
            EXPECT_TRUE(store.IsMasterTable(table)) << table;
    }
    std::filesystem::remove_all(dir);
}

TEST(SchemaStatement, SqlServerFormsBecomeSqlite)
{
    EXPECT_EQ(SchemaStatementForSqlite("ALTER TABLE Items ADD CONSTRAINT PK_Items PRIMARY KEY (ItemID)"),
              "create unique index if not exists PK_Items on Items (ItemID)");
    EXPECT_EQ(SchemaStatementForSqlite("CREATE TABLE T (A int IDENTITY(1,1), B int)"),
              "CREATE TABLE T (A int , B int)");
    EXPECT_EQ(SchemaStatementForSqlite("ALTER TABLE T ADD CONSTRAINT DF_T DEFAULT 0 FOR B"), "");
}

namespace {

class KitStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("zevstore-kit-" + std::to_string(::getpid()) + "-" +
                 SafeName(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_store = std::make_unique<ServerStore>((m_dir / "server.db").string());
        m_store->CreateMasterTables(SchemaFile::Load(ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini"));
        m_store->AddUser("100200", "a", "Dana", false);
        m_store->AddUser("900100", "m", "Pat", true);
    }
    void TearDown() override
    {
        m_store.reset();
        std::filesystem::remove_all(m_dir);
    }
    void Upload(const char* page, const std::string& body)
    {
        std::vector<UploadField> fields;
        std::string error;
        ASSERT_TRUE(DecodeUpload(*FindUploadPage(page), body, fields, error)) << error;
        m_store->StoreUpload(page, "100200", body, fields, "x", "2026-03-07 10:00:00");
    }
    std::vector<std::vector<std::string>> Rows(const std::string& sql)
    {
        std::vector<std::vector<std::string>> rows;
        auto stmt = m_store->Db().Prepare(sql);
        while (stmt.Step()) {
            rows.emplace_back();
            for (int i = 0; i < stmt.ColumnCount(); ++i)
                rows.back().push_back(stmt.Text(i));
        }
        return rows;
    }

    std::filesystem::path m_dir;
    std::unique_ptr<ServerStore> m_store;
};

} // namespace

TEST_F(KitStoreTest, MessagesUploadKeepsStatusesAndDeliversReplies)
{
    m_store->Db().Exec(
        "insert into Messages (MessageID, FromID, FromStatus, FromName, ToID, ToStatus, Subject, Message, "
        "zev_rep) values (7, 900100, 0, 'Pat', 100200, 0, 'Hello', 'Text', '100200')");
    Upload("UpdateMessages", "&M1=7^100200^1^900100^0^ ^ &M2=0^900100^0^100200^0^Re: Hello^Tom~|AJerry''s&T=2");
    EXPECT_EQ(Rows("select ToStatus from Messages where MessageID = 7"),
              (std::vector<std::vector<std::string>>{{"1"}}));
    auto reply = Rows("select MessageID, FromID, FromName, ToID, ToStatus, Subject, Message, zev_rep from Messages "
                      "where MessageID <> 7");
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0],
              (std::vector<std::string>{"8", "100200", "Dana", "900100", "0", "Re: Hello", "Tom&Jerry's", "900100"}));
}

TEST_F(KitStoreTest, InvoiceUploadLowersTheOpenAmount)
{
    m_store->Db().Exec("insert into AR (AccountID, InvoiceNo, InvoiceAmount, AmountCollectedTotal, Collected) values "
                       "(5001, '10 45+A', 100, 20, 0), (5001, 'INV2', 50, 0, 0), (5002, 'INV3', 80, 0, 0)");
    Upload("updateInvoice", "A1=5001&B1=10%2045%2BA&C1=80.00&D1=1&E1=&F1=&G1=&A2=5001&B2=INV2&C2=10.00&D2=0&E2=&F2=&G2="
                            "&A3=5002&B3=INV3&C3=0.00&D3=0&E3=&F3=bank&G3=&total=3");
    EXPECT_EQ(
        Rows("select InvoiceNo, AmountCollectedTotal, Collected from AR order by InvoiceNo"),
        (std::vector<std::vector<std::string>>{{"10 45+A", "100", "1"}, {"INV2", "10", "0"}, {"INV3", "0", "0"}}));
}
