#include "ChildProcess.h"

#include <arpa/inet.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sqlite3.h>
#include <sstream>
#include <sys/socket.h>
#include <thread>

using satchel::test::ChildProcess;
namespace fs = std::filesystem;

namespace {

std::string Bin(const std::string& name) { return std::string(ZEV_BINARY_DIR) + "/" + name; }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

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
    static inline std::string root, home, srvData, ini;
    static inline int port = 0;
    static inline std::unique_ptr<ChildProcess> server;
    static inline std::string missing;
    static inline bool ready = false;

    void SetUp() override
    {
        if (!missing.empty()) GTEST_SKIP() << missing << " is not built";
        // A failed suite set-up must fail every test, not pass them as skipped.
        ASSERT_TRUE(ready) << "the server, demo data or first complete update could not be set up";
    }

    static void SetUpTestSuite()
    {
        for (const char* b : {"zevserver", "zevdemo", "satchel", "Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            if (!fs::exists(Bin(b))) missing = b;
        if (!missing.empty()) return;
        char tmpl[] = "/tmp/satchele2eXXXXXX";
        root = mkdtemp(tmpl);
        home = root + "/home";
        srvData = root + "/srv";
        fs::create_directories(home);
        fs::create_directories(srvData);
        ChildProcess demo({Bin("zevdemo"), "--data", srvData}, root + "/demo.log");
        ASSERT_EQ(demo.Wait(), 0) << ReadAll(root + "/demo.log");
        server = std::make_unique<ChildProcess>(
            std::vector<std::string> {Bin("zevserver"), "--port", "0", "--data", srvData}, root + "/server.log");
        for (int i = 0; i < 200 && port == 0; ++i) {
            std::string log = ReadAll(root + "/server.log");
            size_t p = log.find("listening on 127.0.0.1:");
            if (p != std::string::npos && log.find('\n', p) != std::string::npos)
                port = std::atoi(log.c_str() + p + 23);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        ASSERT_GT(port, 0) << ReadAll(root + "/server.log");
        const std::string kit = std::string(ZEV_SOURCE_ROOT) + "/distributor/";
        for (const char* f : {"ZevConfig.dat", "ZevSchema.ini"}) fs::copy_file(kit + f, home + "/" + f);
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
        std::error_code ec;
        if (!root.empty()) fs::remove_all(root, ec);
    }
    void TearDown() override
    {
        if (!missing.empty()) return;
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
        sockaddr_in a {};
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
    for (const std::string& sql : std::vector<std::string> {
             "insert into DistributorRepNotes values (100200, " + account + ", '2026-03-07 16:05:09', 'Salt & pepper', 1)",
          "insert into Issues values (1, 'Short & sweet', 'Long', " + account + ", 1)",
          "insert into NewAccounts (EntryID, CompanyName, City, AccountType) values (1, 'New & Co', 'Town', 1)",
          "insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2026-03-07', 'Fish & chips', 'Bob''s', 1)",
          "insert into AR (AccountID, InvoiceNo, AmountCollectedToday, Updated, PaymentType, CheckNumber, Deposited) "
          "values (" + account + ", '10 45+A', 12.5, 1, 1, '77', 0)",
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
                                  "values (" + account + ", " + std::to_string(id) +
                                      ", 1, '03/08/2026', '50% & more',0,0,0,0,0,0,0,0,0,0)"})
                      .rc,
                  0);
        ASSERT_EQ(Satchel({"sql", "insert into ReadyOrderItems (AccountID, ReadyID, ItemID, CQty, SQty, CDistPrice, "
                                  "SDistPrice, LineItemNumber, SpecialFlag, DiscountAmount, PriceOverride, Warehouse, "
                                  "LineComment) values (" + account + ", " + std::to_string(id) + ", " + item +
                                      ", 1, 2, 100, 9, 1, '0', '0.00', '0.00', 0, 'x^y')"})
                      .rc,
                  0);
    }
    Fault("mode=refuse");
    Result r = Satchel({"send-orders"});
    EXPECT_EQ(r.rc, 1) << r.out;
    EXPECT_EQ(std::atoi(Local("select QtyOnHand from Items where ItemID = " + item).c_str()), stock);
    Fault("mode=none");
    r = Satchel({"send-orders", "--order", "701"});
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

} // namespace
