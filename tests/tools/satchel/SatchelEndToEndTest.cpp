#include "support/ChildProcess.h"
#include "support/ReferenceServer.h"
#include "support/TempDir.h"

#include <arpa/inet.h>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sqlite3.h>
#include <sstream>
#include <sys/socket.h>
#include <thread>

using zevtest::ChildProcess;
using zevtest::ReferenceServer;
namespace fs = std::filesystem;

namespace {

std::string Bin(const std::string& name) { return zevtest::BuiltFile(name); }

std::string ReadAll(const std::string& path) { return zevtest::ReadFile(path); }

void Replace(std::string& s, const std::string& key, const std::string& line)
{
    size_t p = s.find("\n" + key + "=");
    ASSERT_NE(p, std::string::npos) << key;
    size_t e = s.find('\n', p + 1);
    s.replace(p + 1, e - p - 1, line);
}

struct Result {
    int rc;
    std::string out;
};

// The reference server with demo data, one program folder and one user for
// the whole suite; the first complete update runs once.
class SatchelEndToEnd : public ::testing::Test {
protected:
    static inline std::unique_ptr<zevtest::TempDir> temp;
    static inline std::string root, home, srvData, ini;
    static inline int port = 0;
    static inline std::unique_ptr<ReferenceServer> server;
    static inline std::string missing;
    static inline bool ready = false;

    void SetUp() override
    {
        if (!missing.empty())
            GTEST_SKIP() << missing << " is not built";
        // A failed suite set-up must fail every test, not pass them as skipped.
        ASSERT_TRUE(ready) << "the server, demo data or first complete update could not be set up";
    }

    static void SetUpTestSuite()
    {
        for (const char* b : {"zevserver", "zevdemo", "satchel", "Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            if (!fs::exists(Bin(b)))
                missing = b;
        if (!missing.empty())
            return;
        temp = std::make_unique<zevtest::TempDir>("satchele2e");
        root = temp->Path();
        home = root + "/home";
        srvData = root + "/srv";
        fs::create_directories(home);
        fs::create_directories(srvData);
        std::string error;
        ASSERT_TRUE(ReferenceServer::MakeDemoData(srvData, root + "/demo.log", error)) << error;
        server = std::make_unique<ReferenceServer>(srvData, root + "/server.log");
        ASSERT_TRUE(server->Started()) << server->Log();
        port = server->Port();
        const std::string kit = std::string(ZEV_SOURCE_ROOT) + "/distributor/";
        for (const char* f : {"ZevConfig.dat", "ZevSchema.ini"})
            fs::copy_file(kit + f, home + "/" + f);
        for (const char* f : {"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            fs::create_symlink(Bin(f), home + "/" + f);
        ini = ReadAll(kit + "ZevSatchel.INI");
        WriteIni("127.0.0.1", "127.0.0.1");
        setenv("ZEV_DATA_DIR", (root + "/data").c_str(), 1);
        setenv("ZEV_CONFIG_DIR", (root + "/config").c_str(), 1);
        setenv("ZEV_NETWORK_USABLE", "1", 1);
        Result r = Satchel({"setup", "--user", "100200", "--password", "demo1234"});
        ASSERT_EQ(r.rc, 0) << r.out;
        r = Satchel({"--yes", "sync", "--complete"});
        ASSERT_EQ(r.rc, 0) << r.out;
        ready = true;
    }
    static void TearDownTestSuite()
    {
        server.reset();
        temp.reset();
        // Each suite derived from this one (the parameterised ones) sets up
        // afresh.
        root.clear();
        port = 0;
        ready = false;
    }
    void TearDown() override
    {
        if (!missing.empty())
            return;
        Fault("mode=none");
        WriteIni("127.0.0.1", "127.0.0.1");
    }

    static void WriteIni(const std::string& host, const std::string& backup)
    {
        std::string s = ini;
        Replace(s, "PORT", "PORT=" + std::to_string(port));
        Replace(s, "DEFAULTHOST", "DEFAULTHOST=" + host);
        Replace(s, "BACKUPHOST", "BACKUPHOST=" + backup);
        std::ofstream(home + "/ZevSatchel.INI", std::ios::binary) << s;
    }

    static Result Satchel(std::vector<std::string> args, const std::string& input = "/dev/null")
    {
        args.insert(args.begin(), {Bin("satchel"), "--home", home});
        ChildProcess p(args, root + "/satchel.out", input);
        int rc = p.Wait();
        return {rc, ReadAll(root + "/satchel.out")};
    }

    static void Fault(const std::string& body)
    {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
            std::string req = "POST /admin/fault HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
                              "application/x-www-form-urlencoded\r\nConnection: close\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\n\r\n" + body;
            (void)!write(fd, req.data(), req.size());
            char buf[512];
            while (read(fd, buf, sizeof buf) > 0) {
            }
        }
        close(fd);
    }

    // First column of the first row of a query on the server's database.
    static std::string ServerValue(const std::string& sql)
    {
        sqlite3* db = nullptr;
        std::string out;
        if (sqlite3_open_v2((srvData + "/server.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(db, 5000);
            sqlite3_stmt* st = nullptr;
            if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW &&
                sqlite3_column_text(st, 0))
                out = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
        return out;
    }
    static void ServerExec(const std::string& sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2((srvData + "/server.db").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        sqlite3_busy_timeout(db, 5000);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }
    static std::string Encode(const std::string& text)
    {
        std::string out;
        for (unsigned char c : text) {
            if (std::isalnum(c)) {
                out += static_cast<char>(c);
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%%%02X", c);
                out += hex;
            }
        }
        return out;
    }
    // One page (of grabdata: one table) answered with a chosen reply; with
    // `store` the page does its work first.
    static void Reply(const std::string& page, const std::string& text, bool store = false,
                      const std::string& table = "")
    {
        Fault("mode=reply&page=" + page + "&text=" + Encode(text) + (store ? "&store=1" : "") +
              (table.empty() ? "" : "&table=" + table));
    }
    static std::string ProfileValue(const std::string& key)
    {
        std::string p = ReadAll(root + "/config/ZevSatchel Demo/Satchel.ini");
        size_t at = p.find("\n" + key + "=");
        if (at == std::string::npos)
            return {};
        size_t from = p.find(':', at) + 1, end = p.find('\n', at + 1);
        std::string v = p.substr(from, end - from);
        while (!v.empty() && (v.back() == '\r' || v.back() == ' '))
            v.pop_back();
        return v;
    }
    static std::string LastUploadBody(const std::string& page)
    {
        return ServerValue("select Body from Uploads where Page like '" + page + "%' order by UploadID desc limit 1");
    }
    static std::string Local(const std::string& sql)
    {
        Result r = Satchel({"sql", sql});
        std::istringstream in(r.out);
        std::string line;
        std::getline(in, line);
        std::getline(in, line);
        std::getline(in, line);
        size_t b = line.find_first_not_of(' ');
        size_t e = line.find_last_not_of(' ');
        return b == std::string::npos ? std::string() : line.substr(b, e - b + 1);
    }
};

TEST_F(SatchelEndToEnd, UsageAndHelp)
{
    EXPECT_EQ(Satchel({}).rc, 2);
    EXPECT_EQ(Satchel({"frobnicate"}).rc, 2);
    EXPECT_EQ(Satchel({"sync", "--complete", "--inventory"}).rc, 2);
    EXPECT_EQ(Satchel({"db", "polish"}).rc, 2);
    Result r = Satchel({"sync", "--help"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_NE(r.out.find("usage: satchel sync"), std::string::npos);
}

TEST_F(SatchelEndToEnd, SetupRulesAreChecked)
{
    Result r = Satchel({"setup", "--user", "12345", "--password", "x"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("The user ID must contain all numbers and there must be at least 6 of them."),
              std::string::npos);
    EXPECT_EQ(Satchel({"setup", "--user", "12345A", "--password", "x"}).rc, 1);
    EXPECT_EQ(Satchel({"setup", "--user", "100200", "--password", "demo1234", "--confirm", "other"}).rc, 1);
}

TEST_F(SatchelEndToEnd, PasswordComesFromStandardInputNotTheCommandLine)
{
    // Without a terminal and without --password-stdin there is nobody to ask.
    Result r = Satchel({"setup", "--user", "100200"});
    EXPECT_EQ(r.rc, 2);
    EXPECT_NE(r.out.find("--password-stdin"), std::string::npos) << r.out;
    EXPECT_EQ(Satchel({"setup", "--user", "100200", "--password-stdin", "--password", "x"}).rc, 2);
    const std::string input = root + "/password.txt";
    std::ofstream(input) << "wrong\n";
    ASSERT_EQ(Satchel({"setup", "--user", "100200", "--password-stdin"}, input).rc, 0);
    EXPECT_NE(Satchel({"sync"}).rc, 0); // the stored password is the one given
    std::ofstream(input) << "demo1234\r\n";
    ASSERT_EQ(Satchel({"setup", "--user", "100200", "--password-stdin"}, input).rc, 0);
    EXPECT_EQ(Satchel({"sync"}).rc, 0);
    std::ofstream(input, std::ios::trunc).flush();
    EXPECT_EQ(Satchel({"setup", "--user", "100200", "--password-stdin"}, input).rc, 1); // empty input
}

TEST_F(SatchelEndToEnd, StatusBeforeSetupSaysHowInOneLine)
{
    const std::string fresh = root + "/fresh-config";
    const std::string saved = getenv("ZEV_CONFIG_DIR");
    setenv("ZEV_CONFIG_DIR", fresh.c_str(), 1);
    Result r = Satchel({"status"});
    setenv("ZEV_CONFIG_DIR", saved.c_str(), 1);
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << r.out;
    EXPECT_NE(r.out.find("not set up yet"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("satchel setup --user"), std::string::npos) << r.out;
}

TEST_F(SatchelEndToEnd, CompleteUpdateFilledTheDatabase)
{
    Result r = Satchel({"status"});
    EXPECT_EQ(r.rc, 0);
    EXPECT_NE(r.out.find("complete"), std::string::npos) << r.out;
    EXPECT_EQ(Satchel({"db", "check"}).rc, 0);
    EXPECT_EQ(Local("select count(*) from Items"), ServerValue("select count(*) from Items"));
}

TEST_F(SatchelEndToEnd, EveryUploadPageCarriesItsEscapes)
{
    std::string account = Local("select min(AccountID) from Accounts");
    ASSERT_FALSE(account.empty());
    for (const std::string& sql : std::vector<std::string>{
             "insert into DistributorRepNotes values (100200, " + account +
                 ", '2026-03-07 16:05:09', 'Salt & pepper', 1)",
             "insert into Issues values (1, 'Short & sweet', 'Long', " + account + ", 1)",
             "insert into NewAccounts (EntryID, CompanyName, City, AccountType) values (1, 'New & Co', 'Town', 1)",
             "insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2026-03-07', 'Fish & chips', 'Bob''s', 1)",
             "insert into AR (AccountID, InvoiceNo, AmountCollectedToday, Updated, PaymentType, CheckNumber, "
             "Deposited) "
             "values (" +
                 account + ", '10 45+A', 12.5, 1, 1, '77', 0)",
             "update Accounts set Updated = 1 where AccountID = " + account,
             "update WorkOrder set Updated = 1 where WorkOrderID = (select min(WorkOrderID) from WorkOrder)",
             "insert into FormsFilled values (9001, " + account + ", 1, 9001, 'A&B')"}) {
        Result r = Satchel({"sql", sql});
        ASSERT_EQ(r.rc, 0) << sql << "\n" << r.out;
    }
    std::string survey = Local("select min(SurveyID) from Surveys where SurveyType = 0");
    if (!survey.empty()) {
        ASSERT_EQ(Satchel({"sql", "insert into DoneSurveys values (1, " + survey + ", " + account +
                                      ", 1, '2026-03-07 10:00:00', '2026-03-07 10:05:00')"})
                      .rc,
                  0);
        ASSERT_EQ(Satchel({"sql", "insert into Answers values (1, 1, 1, '100%', '')"}).rc, 0);
    }
    Result r = Satchel({"sync"});
    ASSERT_EQ(r.rc, 0) << r.out;
    EXPECT_NE(LastUploadBody("updateNotes").find("Comment=Salt %26 pepper"), std::string::npos);
    EXPECT_NE(LastUploadBody("updateIssues").find("ShortDesc=Short %26 sweet"), std::string::npos);
    EXPECT_NE(LastUploadBody("newAccounts").find("CompanyName=New %26 Co"), std::string::npos);
    // The message entry itself ("&M1=...", seven parts) is checked byte for byte
    // against the scripted server; here only that the page was reached.
    EXPECT_FALSE(ServerValue("select count(*) from Uploads where Page like 'UpdateMessages%'").empty());
    EXPECT_NE(LastUploadBody("updateInvoice").find("B1=10%2045%2BA"), std::string::npos);
    EXPECT_NE(LastUploadBody("updateAccounts").find("&AccountID=" + account), std::string::npos);
    EXPECT_NE(LastUploadBody("UpdateWo").find("&N="), std::string::npos);
    EXPECT_NE(LastUploadBody("UpdateFormsFilled").find("Answer=A~|AB"), std::string::npos);
    if (!survey.empty()) {
        EXPECT_NE(LastUploadBody("takeSurveys").find("^100%25^"), std::string::npos);
    }
    // Everything sent is cleared locally.
    EXPECT_EQ(Local("select count(*) from Issues"), "0");
    EXPECT_EQ(Local("select count(*) from NewAccounts"), "0");
    EXPECT_EQ(Local("select count(*) from FormsFilled where Updated = 1"), "0");
    EXPECT_EQ(Local("select count(*) from AR where Updated = 1"), "0");
}

TEST_F(SatchelEndToEnd, OrdersAreSentAndStockLoweredOnce)
{
    std::string account = Local("select min(AccountID) from Accounts");
    std::string item = Local("select min(ItemID) from Items where DeletedFlag = 0 and QtyPerCase = 12");
    ASSERT_FALSE(item.empty());
    int stock = std::atoi(Local("select QtyOnHand from Items where ItemID = " + item).c_str());
    for (int id : {701, 702}) {
        ASSERT_EQ(Satchel({"sql", "insert into ReadyOrder (AccountID, ReadyID, OrderType, DeliveryDate, OrderNotes, "
                                  "Option1,Option2,Option3,Option4,Option5,Option6,Option7,Option8,Option9,Option10) "
                                  "values (" +
                                      account + ", " + std::to_string(id) +
                                      ", 1, '03/08/2026', '50% & more',0,0,0,0,0,0,0,0,0,0)"})
                      .rc,
                  0);
        ASSERT_EQ(Satchel({"sql", "insert into ReadyOrderItems (AccountID, ReadyID, ItemID, CQty, SQty, CDistPrice, "
                                  "SDistPrice, LineItemNumber, SpecialFlag, DiscountAmount, PriceOverride, Warehouse, "
                                  "LineComment) values (" +
                                      account + ", " + std::to_string(id) + ", " + item +
                                      ", 1, 2, 100, 9, 1, '0', '0.00', '0.00', 0, 'x^y')"})
                      .rc,
                  0);
    }
    Fault("mode=refuse");
    Result r = Satchel({"send-orders"});
    EXPECT_EQ(r.rc, 1) << r.out;
    EXPECT_EQ(std::atoi(Local("select QtyOnHand from Items where ItemID = " + item).c_str()), stock);
    // The connection broke after the order went out: it may have arrived,
    // so it goes again only on purpose.
    EXPECT_NE(r.out.find("may have reached the distributor"), std::string::npos) << r.out;
    Fault("mode=none");
    EXPECT_EQ(Satchel({"send-orders", "--order", "701"}).rc, 1);
    r = Satchel({"send-orders", "--order", "701", "--resend-unknown"});
    EXPECT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(ServerValue("select Notes from ReceivedOrders order by OrderID desc limit 1"), "50% & more");
    EXPECT_NE(ServerValue("select Body from ReceivedOrders order by OrderID desc limit 1").find("C=50%25 %26 more"),
              std::string::npos);
    EXPECT_EQ(Local("select count(*) from ReadyOrder"), "1");
    EXPECT_EQ(std::atoi(Local("select QtyOnHand from Items where ItemID = " + item).c_str()), stock - 14);
    r = Satchel({"send-orders"});
    EXPECT_EQ(r.rc, 0) << r.out;
    EXPECT_NE(r.out.find("1 order(s) were successfully sent."), std::string::npos);
    EXPECT_EQ(std::atoi(Local("select QtyOnHand from Items where ItemID = " + item).c_str()), stock - 28);
}

TEST_F(SatchelEndToEnd, ServerDownAndErrorReplies)
{
    Fault("mode=refuse");
    Result r = Satchel({"sync", "--table", "Accounts"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("Some form of communications error has occured."), std::string::npos) << r.out;
    Fault("mode=error");
    r = Satchel({"sync", "--table", "Accounts"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("The server is not available at the moment, please try again later"), std::string::npos);
    Fault("mode=none");
    // Bad credentials: the server's own text is shown.
    std::string config = root + "/config";
    Result setup = Satchel({"setup", "--user", "100200", "--password", "wrong"});
    ASSERT_EQ(setup.rc, 0);
    r = Satchel({"sync", "--table", "Accounts"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("Invalid user ID or password"), std::string::npos) << r.out;
    ASSERT_EQ(Satchel({"setup", "--user", "100200", "--password", "demo1234"}).rc, 0);
}

TEST_F(SatchelEndToEnd, HtmlReplyLeavesTheInventoryUntouched)
{
    std::string before = Local("select sum(QtyOnHand) from Items");
    Fault("mode=html");
    Result r = Satchel({"sync", "--inventory"});
    EXPECT_EQ(Local("select sum(QtyOnHand) from Items"), before) << r.out;
}

TEST_F(SatchelEndToEnd, TruncatedTablesAreToleratedUpToTenRows)
{
    int rows = std::atoi(ServerValue("select count(*) from Items").c_str());
    Fault("mode=truncate&rows=15");
    EXPECT_EQ(Satchel({"sync", "--table", "Items"}).rc, 1);
    Fault("mode=truncate&rows=5");
    EXPECT_EQ(Satchel({"sync", "--table", "Items"}).rc, 0);
    EXPECT_EQ(std::atoi(Local("select count(*) from Items").c_str()), rows - 5);
    Fault("mode=none");
    EXPECT_EQ(Satchel({"sync", "--table", "Items"}).rc, 0);
    EXPECT_EQ(std::atoi(Local("select count(*) from Items").c_str()), rows);
}

// One table renewed on its own is backed up first: a download that comes up
// short is named and the table keeps every row it had.
TEST_F(SatchelEndToEnd, AShortTableIsNamedAndTheTableRestored)
{
    std::string before = Local("select count(*) from Accounts");
    int rows = std::atoi(before.c_str()); // the representative's accounts, as the last download gave them
    ASSERT_GT(rows, 15);
    Fault("mode=truncate&rows=15");
    Result r = Satchel({"sync", "--table", "Accounts"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("The server sent " + std::to_string(rows - 15) + " of " + std::to_string(rows) +
                         " rows of Accounts."),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("check your internet connection"), std::string::npos) << r.out;
    Fault("mode=none");
    EXPECT_EQ(Local("select count(*) from Accounts"), before);
    EXPECT_EQ(Satchel({"db", "check"}).rc, 0);
}

TEST_F(SatchelEndToEnd, BackupHostIsUsedWhenTheDefaultHostIsMissing)
{
    WriteIni("", "127.0.0.1");
    EXPECT_EQ(Satchel({"sync", "--table", "Accounts"}).rc, 0);
}

TEST_F(SatchelEndToEnd, QuestionsWithoutATerminalStopInsteadOfGuessing)
{
    Result r = Satchel({"sync", "--complete"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("--yes"), std::string::npos) << r.out;
}

TEST_F(SatchelEndToEnd, ExportItemsAndSql)
{
    Result r = Satchel({"export-items", root + "/items.txt"});
    ASSERT_EQ(r.rc, 0) << r.out;
    std::string text = ReadAll(root + "/items.txt");
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    EXPECT_EQ(Satchel({"sql", "select * from NoSuchTable"}).rc, 1);
}

TEST_F(SatchelEndToEnd, IssueFiledFromTheCommandLineGoesWithTheNextSync)
{
    EXPECT_EQ(Satchel({"report-issue", "--short", "x"}).rc, 2);
    Result blank = Satchel({"report-issue", "--short", "  ", "--details", "d"});
    EXPECT_EQ(blank.rc, 1);
    EXPECT_EQ(Local("select count(*) from Issues"), "0");
    Result r = Satchel({"report-issue", "--short", "Van & door", "--details", "Joe's key's broken", "--contact"});
    ASSERT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(Local("select LongDesc from Issues"), "Joe's key's broken");
    ASSERT_EQ(Satchel({"sync"}).rc, 0);
    EXPECT_NE(LastUploadBody("updateIssues").find("ShortDesc=Van %26 door"), std::string::npos);
    EXPECT_EQ(Local("select count(*) from Issues"), "0");
}

TEST_F(SatchelEndToEnd, NewMessagesAreCounted)
{
    const std::string before = Satchel({"messages"}).out;
    ASSERT_EQ(Satchel({"sql", "insert into Messages values (990001, 900100, 0, 'Manager', 100200, 0, '2026-03-07', "
                              "'Hello', 'Text', 0)"})
                  .rc,
              0);
    Result r = Satchel({"messages"});
    ASSERT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(std::atoi(r.out.c_str()), std::atoi(before.c_str()) + 1) << before << " / " << r.out;
    EXPECT_NE(r.out.find("new message(s)"), std::string::npos) << r.out;
}

TEST_F(SatchelEndToEnd, InterruptedCompleteUpdateIsRestoredAtTheNextStart)
{
    ASSERT_EQ(Satchel({"sql", "insert into ReadyOrder (AccountID, ReadyID, OrderType, DeliveryDate) values (1, 901, 1, "
                              "'03/08/2026')"})
                  .rc,
              0);
    std::string items = Local("select count(*) from Items");
    Fault("mode=delay&ms=300");
    ChildProcess run({Bin("satchel"), "--home", home, "--yes", "sync", "--complete"}, root + "/killed.out");
    // Kill it once it is fetching tables (the profile names the table).
    std::string profile = root + "/config/ZevSatchel Demo/Satchel.ini";
    bool fetching = false;
    for (int i = 0; i < 600 && !fetching && run.Running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::string p = ReadAll(profile);
        fetching = p.find("LastRenewTable=sz:Item") != std::string::npos;
    }
    ASSERT_TRUE(fetching) << ReadAll(root + "/killed.out");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    run.Kill();
    Fault("mode=none");
    Result st = Satchel({"status"});
    EXPECT_NE(st.out.find("an update was interrupted"), std::string::npos) << st.out;
    // The tables exist, but the download did not finish: the check says so.
    Result check = Satchel({"db", "check"});
    EXPECT_EQ(check.rc, 1) << check.out;
    EXPECT_NE(check.out.find("a complete update broke off at table Item"), std::string::npos) << check.out;
    // Next start: the user declines resuming, so the backup is restored.
    ChildProcess next({Bin("satchel"), "--home", home, "--no", "send-orders", "--order", "999"}, root + "/next.out");
    EXPECT_EQ(next.Wait(), 0) << ReadAll(root + "/next.out");
    EXPECT_NE(ReadAll(root + "/next.out").find("interruped"), std::string::npos);
    EXPECT_EQ(Local("select count(*) from Items"), items);
    EXPECT_EQ(Local("select count(*) from ReadyOrder where ReadyID = 901"), "1");
    EXPECT_EQ(Satchel({"sql", "delete from ReadyOrder where ReadyID = 901"}).rc, 0);
}

// Failure paths of the synchronisation, each against the reference server
// with one page answering as a refusing or broken server would.

TEST_F(SatchelEndToEnd, AcceptedUploadsAreNotSentAgainAfterAFailedRun)
{
    std::string invoice = Local("select min(InvoiceNo) from AR");
    ASSERT_FALSE(invoice.empty());
    std::string totalSql =
        "select cast(round(AmountCollectedTotal * 100) as int) from AR where InvoiceNo = '" + invoice + "'";
    int before = std::atoi(ServerValue(totalSql).c_str());
    ASSERT_EQ(Satchel({"sql", "update AR set AmountCollectedToday = 40, Updated = 1, PaymentType = 1 where "
                              "InvoiceNo = '" +
                                  invoice + "'"})
                  .rc,
              0);
    ASSERT_EQ(Satchel({"sql", "insert into NewAccounts (EntryID, CompanyName, City, AccountType) values "
                              "(77, 'Once Only Co', 'Town', 1)"})
                  .rc,
              0);
    std::string notesStamp = ProfileValue("DistributorRepNotesUD");
    ASSERT_FALSE(notesStamp.empty());
    // The last download fails after the uploads were taken and the stamped
    // tables were fetched.
    Reply("grabdata", "<ERROR>Down for maintenance</ERROR>", false, "Inventory");
    Result r = Satchel({"sync"});
    EXPECT_EQ(r.rc, 1) << r.out;
    EXPECT_EQ(ProfileValue("DistributorRepNotesUD"), notesStamp); // went back with the data
    Fault("mode=none");
    r = Satchel({"sync"});
    EXPECT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(std::atoi(ServerValue(totalSql).c_str()), before + 4000);
    EXPECT_EQ(ServerValue("select count(*) from Uploads where Page like 'newAccounts%' and Body like '%Once Only Co%'"),
              "1");
}

struct RefusalCase {
    const char* name;
    const char* page;
    const char* reply;
    const char* setup;   // makes one record wait ({i} = an invoice)
    const char* waiting; // counts it
    const char* named;   // how the run names it
};

class SatchelRefusals : public SatchelEndToEnd, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(SatchelRefusals, RefusedRecordStaysMarkedIsNamedAndGoesWithTheNextRun)
{
    const RefusalCase& c = GetParam();
    std::string setup = c.setup;
    size_t at = setup.find("{i}");
    if (at != std::string::npos)
        setup.replace(at, 3, Local("select min(InvoiceNo) from AR"));
    ASSERT_EQ(Satchel({"sql", setup}).rc, 0) << setup;
    Reply(c.page, c.reply);
    Result r = Satchel({"sync"});
    EXPECT_EQ(r.rc, 1) << r.out;
    EXPECT_NE(r.out.find(c.named), std::string::npos) << r.out;
    EXPECT_EQ(Local(c.waiting), "1");
    Fault("mode=none");
    r = Satchel({"sync"});
    EXPECT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(Local(c.waiting), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SatchelRefusals,
    ::testing::Values(
        RefusalCase{"Collection", "updateInvoice", "0\n",
                    "update AR set AmountCollectedToday = 125.5, Updated = 1, PaymentType = 1 where InvoiceNo = '{i}'",
                    "select count(*) from AR where Updated = 1", "collection on invoice"},
        RefusalCase{"MessageReply", "UpdateMessages", "<ERROR>Mailbox full</ERROR>\n",
                    "insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2026-03-07', 'Re', 'Yes', 1)",
                    "select count(*) from Messages where Updated = 1", "Mailbox full"},
        RefusalCase{"NoteErrorText", "updateNotes", "<ERROR>Not stored</ERROR>\n",
                    "insert into DistributorRepNotes values (100200, 1, '2026-03-07 16:05:09', 'a', 1)",
                    "select count(*) from DistributorRepNotes where Updated > 0", "note of account 1"},
        RefusalCase{"NoteHtmlPage", "updateNotes", "<html><body>Gateway</body></html>\n",
                    "insert into DistributorRepNotes values (100200, 2, '2026-03-07 16:05:09', 'b', 1)",
                    "select count(*) from DistributorRepNotes where Updated > 0", "note of account 2"},
        RefusalCase{"NoteEmptyReply", "updateNotes", "",
                    "insert into DistributorRepNotes values (100200, 3, '2026-03-07 16:05:09', 'c', 1)",
                    "select count(*) from DistributorRepNotes where Updated > 0", "note of account 3"}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(SatchelEndToEnd, AnOrderMessageReplyRefusedIsNotErasedAfterSendingOrders)
{
    ASSERT_EQ(Satchel({"sql", "insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2026-03-07', 'Re', "
                              "'Kept', 1)"})
                  .rc,
              0);
    std::string account = Local("select min(AccountID) from Accounts");
    ASSERT_EQ(Satchel({"sql", "insert into ReadyOrder (AccountID, ReadyID, OrderType, DeliveryDate, OrderNotes) "
                              "values (" +
                                  account + ", 811, 1, '03/08/2026', 'with message')"})
                  .rc,
              0);
    Reply("UpdateMessages", "<ERROR>Mailbox full</ERROR>\n");
    Result r = Satchel({"send-orders"});
    EXPECT_EQ(Local("select count(*) from Messages where Updated = 1 and Message = 'Kept'"), "1") << r.out;
    Fault("mode=none");
    EXPECT_EQ(Satchel({"sync"}).rc, 0);
    EXPECT_EQ(Local("select count(*) from Messages where Updated = 1"), "0");
}

TEST_F(SatchelEndToEnd, AnEditedNoteReplacesItsOldCopy)
{
    std::string id = Local("select min(DistRepID) from DistributorRepNotes where Updated = 0");
    ASSERT_FALSE(id.empty());
    ServerExec("update DistributorRepNotes set Comment = 'Edited on the server', zev_stamp = '2999-01-01 00:00:00' "
               "where DistRepID = " +
               id);
    Result r = Satchel({"sync"});
    ASSERT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(Local("select count(*) from DistributorRepNotes where DistRepID = " + id), "1");
    EXPECT_EQ(Local("select Comment from DistributorRepNotes where DistRepID = " + id), "Edited on the server");
}

struct InventoryCase {
    const char* name;
    const char* reply;
};

class SatchelInventory : public SatchelEndToEnd, public ::testing::WithParamInterface<InventoryCase> {};

TEST_P(SatchelInventory, AnUpdateNotAppliedFailsAndKeepsItemsUD)
{
    std::string stamp = ProfileValue("ItemsUD");
    Reply("grabdata", GetParam().reply, false, "Inventory");
    Result r = Satchel({"sync", "--inventory"});
    EXPECT_EQ(r.rc, 1) << r.out;
    EXPECT_EQ(r.out.find("Inventory Update Complete"), std::string::npos) << r.out;
    EXPECT_EQ(ProfileValue("ItemsUD"), stamp);
}

INSTANTIATE_TEST_SUITE_P(Replies, SatchelInventory,
                         ::testing::Values(InventoryCase{"ErrorText", "<ERROR>Busy</ERROR>\n"},
                                           InventoryCase{"HtmlPage", "<HTML><TABLE><TR><TD>x</TD></TR></TABLE>\n"},
                                           InventoryCase{"Truncated", "Inventory\nItemID,QtyOnHand\n3\n1^1\n"},
                                           InventoryCase{"Empty", ""}),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(SatchelEndToEnd, BlankNumbersAreStoredAsZero)
{
    std::string item = Local("select min(ItemID) from Items where QtyOnHand > 0");
    ASSERT_FALSE(item.empty());
    Reply("grabdata", "Inventory\nItemID,QtyOnHand\n1\n" + item + "^\n", false, "Inventory");
    Result r = Satchel({"sync", "--inventory"});
    ASSERT_EQ(r.rc, 0) << r.out;
    // 0, not the text ' ' that compares above every number (in stock).
    EXPECT_EQ(Local("select count(*) from Items where ItemID = " + item + " and QtyOnHand = 0"), "1");
    Reply("grabdata", "AccountSalesData\nAccountID,BalanceAmount\n1\n5^\n", false, "AccountSalesData");
    r = Satchel({"sync", "--table", "AccountSalesData"});
    ASSERT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(Local("select count(*) from AccountSalesData where BalanceAmount = 0"), "1");
    Fault("mode=none");
    EXPECT_EQ(Satchel({"sync", "--table", "AccountSalesData"}).rc, 0);
}

TEST_F(SatchelEndToEnd, AnOrderThatMayHaveArrivedIsNotSentBlind)
{
    std::string account = Local("select min(AccountID) from Accounts");
    std::string item = Local("select min(ItemID) from Items where DeletedFlag = 0");
    ASSERT_EQ(Satchel({"sql", "insert into ReadyOrder (AccountID, ReadyID, OrderType, DeliveryDate, OrderNotes, "
                              "CreateTime) values (" +
                                  account +
                                  ", 801, 1, '03/08/2026', 'unknown-801', "
                                  "'2026-03-08 09:00:00')"})
                  .rc,
              0);
    ASSERT_EQ(Satchel({"sql", "insert into ReadyOrderItems (AccountID, ReadyID, ItemID, CQty, SQty, CDistPrice, "
                              "SDistPrice, LineItemNumber) values (" +
                                  account + ", 801, " + item + ", 1, 0, 10, 1, 1)"})
                  .rc,
              0);
    // The server stores the order; its answer is lost.
    Reply("takeOrders", "", true);
    Result r = Satchel({"send-orders"});
    EXPECT_EQ(r.rc, 1) << r.out;
    EXPECT_NE(r.out.find("may have reached the distributor"), std::string::npos) << r.out;
    Fault("mode=none");
    EXPECT_NE(Satchel({"status"}).out.find("order 801"), std::string::npos);
    r = Satchel({"send-orders"});
    EXPECT_EQ(r.rc, 1) << r.out;
    EXPECT_EQ(ServerValue("select count(*) from ReceivedOrders where Notes = 'unknown-801'"), "1");
    EXPECT_EQ(Local("select count(*) from ReadyOrder where ReadyID = 801"), "1");
    // Sent again on purpose: the server knows it and does not store it twice.
    r = Satchel({"send-orders", "--resend-unknown"});
    EXPECT_EQ(r.rc, 0) << r.out;
    EXPECT_EQ(ServerValue("select count(*) from ReceivedOrders where Notes = 'unknown-801'"), "1");
    EXPECT_EQ(Local("select count(*) from ReadyOrder where ReadyID = 801"), "0");
}

TEST_F(SatchelEndToEnd, RestoreDatabaseAsksAndReportsTheRealResult)
{
    std::string backup = root + "/data/master.db.gz";
    ASSERT_EQ(Satchel({"db", "backup"}).rc, 0);
    ASSERT_TRUE(fs::is_regular_file(backup));
    std::string copy = ReadAll(backup);
    // No terminal and no --yes: the question stops the command.
    EXPECT_EQ(Satchel({"db", "restore"}).rc, 1);
    fs::remove(backup);
    Result r = Satchel({"--yes", "db", "restore"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("There is no backup of the database on this laptop"), std::string::npos) << r.out;
    fs::create_directory(backup);
    r = Satchel({"--yes", "db", "restore"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("is not a file"), std::string::npos) << r.out;
    fs::remove(backup);
    std::ofstream(backup, std::ios::binary) << copy.substr(0, copy.size() / 2);
    r = Satchel({"--yes", "db", "restore"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("damaged or incomplete"), std::string::npos) << r.out;
    EXPECT_EQ(Satchel({"db", "check"}).rc, 0);
    std::ofstream(backup, std::ios::binary | std::ios::trunc) << copy;
    r = Satchel({"--yes", "db", "restore"});
    EXPECT_EQ(r.rc, 0) << r.out;
    EXPECT_NE(r.out.find("was restored"), std::string::npos) << r.out;
    // The copy's stamps are not known, so they were cleared: the check asks
    // for a complete update until one has brought every table down again.
    r = Satchel({"db", "check"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_NE(r.out.find("never downloaded whole"), std::string::npos) << r.out;
    r = Satchel({"--yes", "sync", "--complete"});
    EXPECT_EQ(r.rc, 0) << r.out;
    r = Satchel({"db", "check"});
    EXPECT_EQ(r.rc, 0) << r.out;
}

} // namespace
