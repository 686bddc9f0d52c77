#include "server/ZevServer.h"
#include "server/TableText.h"

#include "TableReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <sstream>

using namespace zev::server;

namespace {

// Parameterised test names hold a slash; a folder name must not.
std::string SafeName(std::string name)
{
    for (char& c : name)
        if (c == '/')
            c = '_';
    return name;
}

const char* const kRep = "100200";
const char* const kOther = "100300";
const char* const kManager = "900100";
const char* const kDigest = "0123456789abcdef0123456789abcdef";
const char* const kOtherDigest = "fedcba9876543210fedcba9876543210";
const char* const kManagerDigest = "00000000000000000000000000000009";

class FixedClock : public zev::IClock {
public:
    std::time_t Now() const override { return now; }
    std::time_t now = 0;
};

class ZevServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("zevserver-" + std::to_string(::getpid()) + "-" +
                 SafeName(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::tm t{};
        t.tm_year = 2026 - 1900;
        t.tm_mon = 2;
        t.tm_mday = 7;
        t.tm_hour = 16;
        t.tm_min = 5;
        t.tm_sec = 9;
        t.tm_isdst = -1;
        m_clock.now = std::mktime(&t);
        ServerOptions options;
        options.dataDir = m_dir.string();
        options.schemaPath = ZEV_TEST_SOURCE_DIR "/data/TestSchema.ini";
        m_server = std::make_unique<ZevServer>(options, m_clock);
        ServerStore& store = m_server->Store();
        store.AddUser(kRep, kDigest, "Rep A", false);
        store.AddUser(kOther, kOtherDigest, "Rep B", false);
        store.AddUser(kManager, kManagerDigest, "Manager", true);
        store.SetManagedRep(kManager, kRep);
        store.SetManagedRep(kManager, kOther);
        Exec("insert into Items (ItemID, Description, QtyPerCase, QtyOnHand, Price, zev_stamp) values "
             "(1001, 'Cabernet 2019', 12, 24, 120.5, '2001-01-01 00:00:00'), "
             "(1002, '', 6, 0, 99, '2001-05-01 00:00:00')");
        Exec("insert into Accounts (AccountID, CompanyName, ApptDays, Balance, zev_rep, zev_stamp) values "
             "(5001, 'Bread & Wine', 'NYNNNNN', 10.25, '100200', '2001-01-01 00:00:00'), "
             "(5002, 'Other rep', 'NNYNNNN', 0, '100300', '2001-01-01 00:00:00'), "
             "(5003, 'Late change', 'YYYYYYY', 1, '100200', '2001-05-01 00:00:00')");
        ASSERT_TRUE(m_server->Start());
        m_client = std::make_unique<httplib::Client>("127.0.0.1", m_server->Port());
        m_client->set_read_timeout(5, 0);
    }

    void TearDown() override
    {
        m_client.reset();
        m_server.reset();
        std::filesystem::remove_all(m_dir);
    }

    void Exec(const std::string& sql)
    {
        std::lock_guard lock(m_server->Store().Mutex());
        m_server->Store().Db().Exec(sql);
    }

    long long Count(const std::string& sql)
    {
        std::lock_guard lock(m_server->Store().Mutex());
        auto stmt = m_server->Store().Db().Prepare(sql);
        return stmt.Step() ? stmt.Int(0) : -1;
    }

    std::string Text(const std::string& sql)
    {
        std::lock_guard lock(m_server->Store().Mutex());
        auto stmt = m_server->Store().Db().Prepare(sql);
        return stmt.Step() ? stmt.Text(0) : "<none>";
    }

    // Posts as the program does: the form text as it is, whatever the content type says.
    std::string Post(const std::string& path, const std::string& body = {})
    {
        auto result = m_client->Post(path.c_str(), body, "application/x-www-form-urlencoded");
        return result ? result->body : "<no reply>";
    }

    std::string Page(const std::string& page, const std::string& query)
    {
        return "/MobileServer/v1/" + page + "?" + query;
    }

    std::string Grab(const std::string& rest, const char* id = kRep, const char* digest = kDigest)
    {
        return Post(Page("grabdata.cfm", std::string("ID=") + id + "&P=" + digest + "&Tablenames=" + rest));
    }

    void SetFault(const std::string& body)
    {
        auto result = m_client->Post("/admin/fault", body, "application/x-www-form-urlencoded");
        ASSERT_TRUE(result);
        ASSERT_EQ(result->status, 200) << result->body;
    }

    std::filesystem::path m_dir;
    FixedClock m_clock;
    std::unique_ptr<ZevServer> m_server;
    std::unique_ptr<httplib::Client> m_client;
};

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

} // namespace

TEST_F(ZevServerTest, GoodMorningSendsTheServersClock)
{
    EXPECT_EQ(FirstLine(Post(Page("goodmorning.cfm", std::string("ID=") + kRep + "&P=" + kDigest))),
              "<DATA><YEAR>2026</YEAR><MONTH>3</MONTH><DAY>7</DAY><HOUR>16</HOUR><MINUTE>5</"
              "MINUTE><SECOND>9</SECOND>"
              "</DATA>");
}

struct Credentials {
    const char* page;
    const char* query;
};

class WrongCredentialsTest : public ZevServerTest, public ::testing::WithParamInterface<Credentials> {};

TEST_P(WrongCredentialsTest, AreRefusedWithAnErrorReply)
{
    std::string reply = FirstLine(Post(Page(GetParam().page, GetParam().query), "A=1"));
    EXPECT_EQ(reply.rfind("<ERROR>", 0), 0u) << reply;
    EXPECT_NE(reply.find("</ERROR"), std::string::npos);
    EXPECT_EQ(Count("select count(*) from ReceivedOrders") + Count("select count(*) from Uploads"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, WrongCredentialsTest,
    ::testing::Values(Credentials{"goodmorning.cfm", "ID=100200&P=0123456789abcdef0123456789abcde0"},
                      Credentials{"goodmorning.cfm", "ID=100999&P=0123456789abcdef0123456789abcdef"},
                      Credentials{"goodmorning.cfm", "ID=100200"},
                      Credentials{"grabdata.cfm", "ID=100200&P=fedcba9876543210fedcba9876543210&Tablenames=Items"},
                      Credentials{"takeOrders.cfm", "p=wrong&ID=100200"},
                      Credentials{"takeSurveys.cfm", "ID=100200&P=wrong"},
                      Credentials{"UpdateWo.cfm", "ID=100200&P=wrong"},
                      Credentials{"UpdatePassword.cfm", "P=wrong&cp=0123456789abcdef0123456789abcdef&ID=100200"}));

TEST_F(ZevServerTest, WrongCredentialsOnTheNotesUploadKeepTheNotesWaiting)
{
    // That caller counts every reply but "1" as stored, so an error text would lose the note.
    EXPECT_EQ(FirstLine(Post(Page("updateNotes.cfm", "ID=100200&P=wrong"), "AccountID=1&DateEntered=x&Comment=y")),
              "1");
}

TEST_F(ZevServerTest, GrabDataSendsTheRepresentativesRowsInTableText)
{
    ReadTable table = ReadTableText(Grab("Accounts"));
    EXPECT_EQ(table.name, "Accounts");
    EXPECT_EQ(table.columns, (std::vector<std::string>{"AccountID", "CompanyName", "ApptDays", "Balance"}));
    EXPECT_EQ(table.announced, 2);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"5001", "Bread & Wine", "NYNNNNN", "10.25"}));
    EXPECT_EQ(table.rows[1][0], "5003");
}

TEST_F(ZevServerTest, GrabDataEmptyValueTravelsAsBlank)
{
    ReadTable table = ReadTableText(Grab("Items"));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1], (std::vector<std::string>{"1002", " ", "6", "0", "99"}));
}

// A table reply goes out as its rows are read; its bytes are those of the
// reply built whole, whatever the values hold (blanks, nulls, carets, line
// breaks, a row too long for the program's line, numbers), for several
// tables in one reply and when the fault switch withholds rows.
TEST_F(ZevServerTest, AStreamedReplyEqualsTheReplyBuiltWholeByteForByte)
{
    Exec("with recursive n(i) as (select 1 union all select i + 1 from n where i < 30000) "
         "insert into Items (ItemID, Description, QtyPerCase, QtyOnHand, Price, zev_stamp) "
         "select 2000 + i, case when i % 1000 = 4 then hex(zeroblob(4600)) when i % 5 = 0 then '' "
         "when i % 5 = 1 then 'caret^and' || char(10) || 'break' || char(13) when i % 5 = 2 then null "
         "else 'Wine ' || i end, i % 24, case when i % 7 = 0 then null else i end, i * 0.37 + 1e-9 * i, "
         "'2001-01-01 00:00:00' from n");
    const std::string target =
        Page("grabdata.cfm", std::string("ID=") + kRep + "&P=" + kDigest + "&Tablenames=Items,Accounts,Inventory");
    for (const char* fault : {"mode=none", "mode=truncate&rows=7"}) {
        SetFault(fault);
        auto streamed = m_client->Post(target, "", "application/x-www-form-urlencoded");
        ASSERT_TRUE(streamed) << fault;
        EXPECT_EQ(streamed->get_header_value("Transfer-Encoding"), "chunked") << fault;
        const std::string whole = m_server->Answer("grabdata.cfm", target, "").text;
        EXPECT_GT(whole.size(), 1000000u);
        EXPECT_EQ(streamed->body.size(), whole.size()) << fault;
        EXPECT_TRUE(streamed->body == whole) << fault;
    }
    // And as the table text is made from the rows read into memory.
    SetFault("mode=none");
    const std::string items = FormatTable(m_server->Store().ReadTable("Items", {kRep}, std::nullopt));
    EXPECT_TRUE(Grab("Items") == items);
}

TEST_F(ZevServerTest, StampSelectsOnlyRowsChangedSinceIt)
{
    // The transport may encode the blank of the stamp.
    ReadTable table = ReadTableText(Grab("Accounts&UD=2001-03-01%2000:00:00"));
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][0], "5003");
    EXPECT_EQ(table.announced, 1);
    ReadTable none = ReadTableText(Grab("Accounts&UD=2001-06-01 00:00:00"));
    EXPECT_EQ(none.announced, 0);
    // A stamp the server cannot read sends everything rather than lose a change.
    EXPECT_EQ(ReadTableText(Grab("Accounts&UD=yesterday")).rows.size(), 2u);
}

TEST_F(ZevServerTest, InventoryIsItemIdAndQuantitySinceTheItemsStamp)
{
    std::string reply = Grab("Inventory&ItemsUD=2001-03-01 00:00:00");
    EXPECT_EQ(reply, "Inventory\nItemID,QtyOnHand\n1\n1002^0\n");
    EXPECT_EQ(ReadTableText(Grab("Inventory")).rows.size(), 2u);
}

TEST_F(ZevServerTest, RefreshTablesAlsoSendTheLastTwoDays)
{
    // Today is 2026-03-07 on the server's clock; the program deletes today's and yesterday's rows first.
    Exec("insert into OrderHistory (OrderNumber, AccountID, TransDate, zev_rep, zev_stamp) values "
         "(1, 5001, '2026-03-07 09:00:00', '100200', '2001-01-01 00:00:00'), "
         "(2, 5001, '2026-03-06 09:00:00', '100200', '2001-01-01 00:00:00'), "
         "(3, 5001, '2026-03-05 09:00:00', '100200', '2001-01-01 00:00:00')");
    ReadTable table = ReadTableText(Grab("OrderHistory&UD=2026-03-07 08:00:00"));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0][0], "1");
    EXPECT_EQ(table.rows[1][0], "2");
}

TEST_F(ZevServerTest, UnknownAndServerTablesAreNotServed)
{
    for (const char* table : {"Nope", "ServerUsers", "ReceivedOrders"}) {
        std::string reply = Grab(table);
        EXPECT_EQ(reply.rfind("<ERROR>", 0), 0u) << table;
        EXPECT_EQ(reply.find(kDigest), std::string::npos);
    }
    EXPECT_EQ(Grab("").rfind("<ERROR>", 0), 0u);
}

TEST_F(ZevServerTest, ManagerVariantSendsTheTeamsRows)
{
    std::string query = std::string("ID=") + kRep + "&P=" + kDigest + "&MID=" + kManager + "&Tablenames=Accounts";
    EXPECT_EQ(ReadTableText(Post(Page("grabdata.cfm", query))).rows.size(), 3u);
    std::string wrong = std::string("ID=") + kRep + "&P=" + kDigest + "&MID=" + kOther + "&Tablenames=Accounts";
    EXPECT_EQ(Post(Page("grabdata.cfm", wrong)).rfind("<ERROR>", 0), 0u);
    EXPECT_EQ(ReadTableText(Grab("Accounts", kManager, kManagerDigest)).rows.size(), 3u);
}

TEST_F(ZevServerTest, TakeOrdersStoresTheOrderAndItsLines)
{
    std::string body = "A=5001&B=12/09/2026&C=50%25 %26 more&KK=0|0|0|0|0|0|0|0|0|0"
                       "&L1=1001^2^3^120.00^11.00^0^0^0^0^0^273.00^0.00^0^Side door %94 ring %26 wait"
                       "&L2=1002^1^0^99.00^9.00^0^0^0^0^0^99.00^0.00^0^&T=2";
    EXPECT_EQ(FirstLine(Post(Page("takeOrders.cfm", std::string("p=") + kDigest + "&ID=" + kRep), body)), "<OK>");
    EXPECT_EQ(Count("select count(*) from ReceivedOrders where RepID = '100200' and AccountID = 5001"), 1);
    EXPECT_EQ(Text("select Notes from ReceivedOrders"), "50% & more");
    EXPECT_EQ(Count("select count(*) from ReceivedOrderLines"), 2);
    EXPECT_EQ(Text("select LineComment from ReceivedOrderLines where LineNumber = 1"), "Side door ^ ring & wait");
    EXPECT_EQ(Count("select SQty from ReceivedOrderLines where LineNumber = 1"), 3);
}

TEST_F(ZevServerTest, ARepeatedOrderIsAnsweredOkAndStoredOnce)
{
    std::string page = Page("takeOrders.cfm", std::string("p=") + kDigest + "&ID=" + kRep);
    std::string order = "A=5001&B=12/09/2026&F=12/09/2026 10:15:00&KK=0|0|0|0|0|0|0|0|0|0"
                        "&L1=1001^2^3^120.00^11.00^0^0^0^0^0^273.00^0.00^0^"
                        "&L2=1002^1^0^99.00^9.00^0^0^0^0^0^99.00^0.00^0^&T=2";
    EXPECT_EQ(FirstLine(Post(page, order)), "<OK>");
    // The resend after a lost answer, with a note edited meanwhile: same order.
    EXPECT_EQ(FirstLine(Post(page, order + "&C=edited")), "<OK>");
    EXPECT_EQ(Count("select count(*) from ReceivedOrders"), 1);
    EXPECT_EQ(Count("select count(*) from ReceivedOrderLines"), 2);
    // Another creation time, account or quantity is another order.
    for (const std::string& other : {std::string("A=5001&B=12/09/2026&F=12/09/2026 10:16:00&KK=0|0|0|0|0|0|0|0|0|0"
                                                 "&L1=1001^2^3^120.00^11.00^0^0^0^0^0^273.00^0.00^0^"
                                                 "&L2=1002^1^0^99.00^9.00^0^0^0^0^0^99.00^0.00^0^&T=2"),
                                     std::string("A=5002&B=12/09/2026&F=12/09/2026 10:15:00&KK=0|0|0|0|0|0|0|0|0|0"
                                                 "&L1=1001^2^3^120.00^11.00^0^0^0^0^0^273.00^0.00^0^"
                                                 "&L2=1002^1^0^99.00^9.00^0^0^0^0^0^99.00^0.00^0^&T=2"),
                                     std::string("A=5001&B=12/09/2026&F=12/09/2026 10:15:00&KK=0|0|0|0|0|0|0|0|0|0"
                                                 "&L1=1001^2^4^120.00^11.00^0^0^0^0^0^273.00^0.00^0^"
                                                 "&L2=1002^1^0^99.00^9.00^0^0^0^0^0^99.00^0.00^0^&T=2")})
        EXPECT_EQ(FirstLine(Post(page, other)), "<OK>");
    EXPECT_EQ(Count("select count(*) from ReceivedOrders"), 4);
}

TEST_F(ZevServerTest, TruncatedOrderIsRefusedAndNothingStored)
{
    std::string body = "A=5001&B=x&KK=0|0|0|0|0|0|0|0|0|0&L1=1001^2^3^120.00^11.00^0^0^0^0^0^273.00^0.00^0^&T=3";
    std::string reply = FirstLine(Post(Page("takeOrders.cfm", std::string("p=") + kDigest + "&ID=" + kRep), body));
    EXPECT_EQ(reply.find("<OK>"), std::string::npos);
    EXPECT_EQ(reply.rfind("<ERROR>", 0), 0u);
    EXPECT_EQ(Count("select count(*) from ReceivedOrders"), 0);
    EXPECT_EQ(Count("select count(*) from ReceivedOrderLines"), 0);
}

struct StoredUpload {
    const char* page;
    const char* body;
    const char* reply;
    const char* field;
    int part;
    const char* value;
};

class UploadPageTest : public ZevServerTest, public ::testing::WithParamInterface<StoredUpload> {};

TEST_P(UploadPageTest, IsStoredWithItsFieldsAndAnswered)
{
    const StoredUpload& u = GetParam();
    EXPECT_EQ(FirstLine(Post(Page(std::string(u.page) + ".cfm", std::string("ID=") + kRep + "&P=" + kDigest), u.body)),
              u.reply);
    EXPECT_EQ(Count(std::string("select count(*) from Uploads where Page = '") + u.page + "' and RepID = '100200'"), 1);
    EXPECT_EQ(Text(std::string("select Value from UploadFields where Name = '") + u.field +
                   "' and Part = " + std::to_string(u.part)),
              u.value);
    EXPECT_EQ(Text("select Body from Uploads"), u.body);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, UploadPageTest,
    ::testing::Values(
        StoredUpload{"updateIssues", "AccountID=5001&ShortDesc=A %26 B&LongDesc=x&WantResponse=1", "1", "ShortDesc", 0,
                     "A & B"},
        StoredUpload{"updateNotes",
                     "AccountID=5001&DateEntered=2026-03-07 10:00:00&UpdatedFlag=1&Comment=Salt %26 pepper", "SUCCESS",
                     "Comment", 0, "Salt & pepper"},
        StoredUpload{"UpdateWo",
                     "A=5001&B=5001&C1=1001&D1=1&E1=0&F1=12.00&G1=1.10&H1=2&I1=6&J1=10&K1=0&L1=0&M1=0"
                     "&N1=0&O1=1&P1=0&Q1=0&R1=0.00&N=1",
                     "SUCCESS", "H1", 0, "2"},
        StoredUpload{"updateAccounts", "&CompanyName=Bread %26 Wine&AccountID=5001&ApptDays=NYNNNNN", "1",
                     "CompanyName", 0, "Bread & Wine"},
        StoredUpload{"UpdateMessages", "&M1=0^100200^0^900100^0^Hi~|A bye^It''s done&T=1", "SUCCESS", "M1", 7,
                     "It's done"},
        StoredUpload{"UpdateMessages", "&T=0", "SUCCESS", "T", 0, "0"},
        StoredUpload{"newAccounts", "&CompanyName=Fish %26 Chips&AccountType=Off", "1", "AccountType", 0, "Off"},
        StoredUpload{"takeSurveys", "A=5001&B=1&C=1&D=x&E=y&R1=1^2^100%25^ &T=1", "1", "R1", 3, "100%"},
        StoredUpload{"updateInvoice", "A1=5001&B1=10%2045%2BA&C1=12.50&D1=1&E1=&F1=&G1=&total=1", "1", "B1", 0,
                     "10 45+A"},
        StoredUpload{"updateInvImportInfo", "&N=0", "SUCCESS", "N", 0, "0"},
        StoredUpload{"UpdateFormsFilled", "FormID=1 &AccountID=5001 &QuestionID=3 &Answer=a ~|A b", "SUCCESS", "Answer",
                     0, "a & b"}));

TEST_F(ZevServerTest, MalformedUploadIsRefusedSoTheRowsStayMarked)
{
    std::string query = std::string("ID=") + kRep + "&P=" + kDigest;
    EXPECT_EQ(Post(Page("UpdateMessages.cfm", query), "&M1=0^1^0^2^0^a^b&T=2").rfind("<ERROR>", 0), 0u);
    EXPECT_EQ(FirstLine(Post(Page("updateNotes.cfm", query), "Comment=no account")), "1");
    EXPECT_EQ(Count("select count(*) from Uploads"), 0);
}

TEST_F(ZevServerTest, PasswordChangeAnswersTheNewDigest)
{
    const char* next = "ABCDEF0123456789ABCDEF0123456789";
    std::string reply =
        FirstLine(Post(Page("UpdatePassword.cfm", std::string("P=") + kDigest + "&cp=" + next + "&ID=" + kRep)));
    EXPECT_EQ(reply, next);
    EXPECT_EQ(FirstLine(Post(Page("goodmorning.cfm", std::string("ID=") + kRep + "&P=" + kDigest))).rfind("<ERROR>", 0),
              0u);
    EXPECT_EQ(
        FirstLine(Post(Page("goodmorning.cfm", std::string("ID=") + kRep + "&P=abcdef0123456789abcdef0123456789")))
            .rfind("<DATA>", 0),
        0u);
    // A digest of the wrong length is refused and changes nothing.
    EXPECT_EQ(Post(Page("UpdatePassword.cfm", std::string("P=") + next + "&cp=short&ID=" + kRep)).rfind("<ERROR>", 0),
              0u);
}

TEST_F(ZevServerTest, UnknownPageIsNotFound)
{
    auto result = m_client->Get("/MobileServer/v1/nothing.cfm?ID=1");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
}

TEST_F(ZevServerTest, FaultSwitchAnswersWithAnErrorOrAnHtmlPage)
{
    SetFault("mode=error");
    EXPECT_EQ(Grab("Items").rfind("<ERROR>", 0), 0u);
    SetFault("mode=html");
    std::string html = FirstLine(Grab("Items"));
    EXPECT_NE(html.find("</TD>"), std::string::npos);
    EXPECT_NE(html.find("</TABLE>"), std::string::npos);
    SetFault("mode=none");
    EXPECT_EQ(FirstLine(Grab("Items")), "Items");
}

TEST_F(ZevServerTest, FaultSwitchTruncatesTables)
{
    SetFault("mode=truncate&rows=1");
    ReadTable table = ReadTableText(Grab("Items"));
    EXPECT_EQ(table.announced, 2);
    EXPECT_EQ(table.rows.size(), 1u);
}

TEST_F(ZevServerTest, FaultSwitchDelaysPastTheCallersTimeOut)
{
    SetFault("mode=delay&ms=3000");
    m_client->set_read_timeout(0, 300000);
    auto late =
        m_client->Post(Page("grabdata.cfm", std::string("ID=") + kRep + "&P=" + kDigest + "&Tablenames=Items").c_str(),
                       "", "text/plain");
    EXPECT_FALSE(late);
    m_client->set_read_timeout(5, 0);
    SetFault("mode=delay&ms=10");
    EXPECT_EQ(FirstLine(Grab("Items")), "Items");
}

TEST_F(ZevServerTest, FaultSwitchRefusesConnections)
{
    SetFault("mode=refuse");
    auto result =
        m_client->Post(Page("goodmorning.cfm", std::string("ID=") + kRep + "&P=" + kDigest).c_str(), "", "text/plain");
    EXPECT_FALSE(result);
    SetFault("mode=none");
    EXPECT_EQ(FirstLine(Post(Page("goodmorning.cfm", std::string("ID=") + kRep + "&P=" + kDigest))).rfind("<DATA>", 0),
              0u);
}

TEST_F(ZevServerTest, FaultSwitchAnswersOnePageWithAChosenReply)
{
    SetFault("mode=reply&page=takeOrders&text=%3CERROR%3EClosed%3C%2FERROR%3E");
    std::string page = Page("takeOrders.cfm", std::string("p=") + kDigest + "&ID=" + kRep);
    std::string order = "A=5001&B=x&KK=0|0|0|0|0|0|0|0|0|0&L1=1001^2^3^120.00^11.00^0^0^0^0^0^273.00^0.00^0^&T=1";
    EXPECT_EQ(FirstLine(Post(page, order)), "<ERROR>Closed</ERROR>");
    EXPECT_EQ(Count("select count(*) from ReceivedOrders"), 0);
    EXPECT_EQ(FirstLine(Grab("Items")), "Items"); // other pages answer as usual
    // With store=1 the page does its work and only the answer is replaced.
    SetFault("mode=reply&page=takeOrders.cfm&text=&store=1");
    EXPECT_EQ(Post(page, order), "");
    EXPECT_EQ(Count("select count(*) from ReceivedOrders"), 1);
    SetFault("mode=none");
}

TEST_F(ZevServerTest, FaultSwitchRejectsWhatItDoesNotKnow)
{
    for (const char* body : {"mode=explode", "mode=delay&ms=soon", "ms=10", "mode=reply&text=x"}) {
        auto result = m_client->Post("/admin/fault", body, "application/x-www-form-urlencoded");
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400) << body;
    }
}

TEST_F(ZevServerTest, RequestLogHoldsNoDigest)
{
    Grab("Items");
    Post(Page("takeOrders.cfm", std::string("p=") + kDigest + "&ID=" + kRep), "A=1&KK=0|0|0|0|0|0|0|0|0|0&T=0&J=4111");
    Post(Page("UpdatePassword.cfm", std::string("P=") + kDigest + "&cp=ABCDEF0123456789ABCDEF0123456789&ID=" + kRep));
    m_server->Stop();
    std::ifstream in(m_dir / "request.log");
    std::stringstream log;
    log << in.rdbuf();
    EXPECT_NE(log.str().find("grabdata.cfm"), std::string::npos);
    EXPECT_EQ(log.str().find(kDigest), std::string::npos);
    EXPECT_EQ(log.str().find("ABCDEF0123456789ABCDEF0123456789"), std::string::npos);
    EXPECT_EQ(log.str().find("4111"), std::string::npos);
}
