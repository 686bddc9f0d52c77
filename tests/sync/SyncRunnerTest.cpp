#include "SyncWorld.h"

#include "base/SchemaFile.h"
#include "sync/SyncText.h"

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

class SyncRunnerTest : public SyncWorld {
protected:
    void AddReadyOrder(int readyId, const std::string& notes = "")
    {
        ASSERT_TRUE(db.Exec(Format("insert into ReadyOrder (AccountID, ReadyID, OrderType, DeliveryDate, OrderNotes, "
                                   "Option1,Option2,Option3,Option4,Option5,Option6,Option7,Option8,Option9,Option10) "
                                   "values (5001, %d, 1, '03/08/2006', '%s',0,0,0,0,0,0,0,0,0,0)",
                                   readyId, FixApost(notes).c_str())));
        ASSERT_TRUE(db.Exec(Format("insert into ReadyOrderItems (AccountID, ReadyID, ItemID, CQty, SQty, CDistPrice, "
                                   "SDistPrice, LineItemNumber, Warehouse, LineComment) values (5001, %d, 1001, 2, 3, "
                                   "120, 10, 1, 1, 'a^b')",
                                   readyId)));
    }
    std::vector<std::string> Downloaded() const
    {
        std::vector<std::string> out;
        for (const std::string& p : Pages())
            if (p.rfind("grabdata.cfm:", 0) == 0)
                out.push_back(p.substr(13));
        return out;
    }
};

TEST_F(SyncRunnerTest, CompleteUpdateBuildsEveryTableButTheLocalOnes)
{
    w.profile.values["DBVersion"] = "0.9";
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    SchemaFile schema(w.dir.File("ZevSchema.ini"));
    std::vector<std::string> expected;
    std::vector<std::string> local = SplitList(schema.Value("Database", "LocalOnly"));
    for (const std::string& t : SplitList(schema.Value("Database", "TableNames")))
        if (std::find(local.begin(), local.end(), t) == local.end())
            expected.push_back(t);
    EXPECT_EQ(Downloaded(), expected);
    EXPECT_EQ(w.profile.values["DBVersion"], "1.0");
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "0");
    EXPECT_EQ(w.profile.values["LastRenewTable"], "");
    EXPECT_FALSE(w.profile.values["LastRenewUD"].empty());
    EXPECT_EQ(w.profile.values["InventoryUD"], w.profile.values["LastRenewUD"]);
    EXPECT_EQ(compresses, 1);
    EXPECT_EQ(clockYear, 2030);
    EXPECT_EQ(Count("select count(*) from Items"), 2);
    EXPECT_EQ(builder->CheckDatabase(), 0);
    EXPECT_EQ(w.box.TextIds(), (std::vector<int>{65096}));
    EXPECT_EQ(w.sink.steps.back().second, "Update Complete");
}

// The marks that guard a renew reach the disk before the work they guard;
// the stamps in between are batched; every way out ends durable.
TEST_F(SyncRunnerTest, RenewMarksAreDurableStampsAreBatchedAndEveryWayOutEndsDurable)
{
    auto durablyWritten = [&](const std::string& entry) {
        const auto& d = w.profile.durableWrites;
        return std::find(d.begin(), d.end(), entry) != d.end();
    };
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_TRUE(durablyWritten("RestoreOnOpen=1"));
    EXPECT_TRUE(durablyWritten("LastRenewTable=DistributorInfo"));
    EXPECT_FALSE(durablyWritten("LastRenewTable=Items"));
    EXPECT_FALSE(durablyWritten("ItemsUD=" + w.profile.values["ItemsUD"]));
    EXPECT_TRUE(durablyWritten("RestoreOnOpen=0"));
    EXPECT_TRUE(w.profile.durable);
    EXPECT_EQ(Count("select count(*) from Items"), 2);

    // Failing part-way, and then failing to apply in renew mode 2 (which
    // leaves its marks for the next sign-in): durable again either way.
    for (const char* mode : {"1", "2"}) {
        w.settings.values["SETTINGS/RENEWMODE"] = mode;
        w.profile.durableWrites.clear();
        tables["Items"] = "ItemID,Description\n50\n1^x\n"; // 49 rows short
        EXPECT_FALSE(runner->SyncRun(kCompleteUpdate, &w.sink)) << mode;
        EXPECT_TRUE(durablyWritten("RestoreOnOpen=1")) << mode;
        EXPECT_TRUE(w.profile.durable) << mode;
    }
}

TEST_F(SyncRunnerTest, CancelledCompleteUpdateChangesNothing)
{
    w.box.answers = {MbResult::Cancel};
    EXPECT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_TRUE(w.transport.requests.empty());
    EXPECT_EQ(compresses, 0);
}

TEST_F(SyncRunnerTest, UnsentOrdersWithTheSameVersionAreKept)
{
    AddReadyOrder(1);
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_FALSE(w.box.Saw(65100));
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 1);
    EXPECT_EQ(Count("select count(*) from ReadyOrderItems"), 1);
}

TEST_F(SyncRunnerTest, UnsentOrdersAreLostOnlyWhenTheUserAgrees)
{
    AddReadyOrder(1);
    w.profile.values["DBVersion"] = "0.9";
    w.box.answers = {MbResult::Ok, MbResult::No};
    EXPECT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_TRUE(w.box.Saw(65100));
    EXPECT_TRUE(w.transport.requests.empty());
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 1);

    w.box.answers = {MbResult::Ok, MbResult::Yes};
    EXPECT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 0);
}

TEST_F(SyncRunnerTest, ServerDownFailsTheRunBeforeAnythingIsCopiedOrReplaced)
{
    AddReadyOrder(1);
    w.transport.handler = [](const ScriptedTransport::Request&) { return ScriptedTransport::Reply{2, ""}; };
    EXPECT_FALSE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_EQ(compresses, 0);
    EXPECT_EQ(uncompresses, 0);
    EXPECT_TRUE(w.box.Saw(65063));
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "0");
    EXPECT_EQ(w.sink.steps.back(), std::make_pair(0, std::string("Update Failed")));
    EXPECT_EQ(Count("select count(*) from ReadyOrder"), 1);
}

TEST_F(SyncRunnerTest, BadPasswordReplyShowsTheServerTextThenTheRunMessage)
{
    failTable = "Items";
    EXPECT_FALSE(runner->SyncRun(kCompleteUpdate, &w.sink));
    ASSERT_FALSE(w.box.Texts().empty());
    EXPECT_EQ(w.box.Texts()[0], "Bad password");
    EXPECT_EQ(w.box.TextIds().back(), 65063);
}

// A failed run says what happened when that is known, instead of the
// generic communications text; the backup is restored all the same.
struct FailureCase {
    const char* name;
    int transportCode; // for the Accounts download
    const char* accountsReply;
    const char* expected;
};

class RunFailureTexts : public SyncRunnerTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailureTexts, NameTheCause)
{
    const FailureCase c = GetParam();
    w.transport.handler = [this, c](const ScriptedTransport::Request& r) {
        if (Param(r.path, "Tablenames") == "Accounts")
            return ScriptedTransport::Reply{c.transportCode, c.accountsReply};
        return Answer(r);
    };
    EXPECT_FALSE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_EQ(uncompresses, 1);
    EXPECT_FALSE(w.box.Saw(65063));
    ASSERT_FALSE(w.box.Texts().empty());
    EXPECT_EQ(w.box.Texts().back(), c.expected);
    EXPECT_EQ(w.box.Captions().back(), 65099);
}

// 49 of 60 announced rows: more than the tolerated ten short.
const char* ShortAccounts()
{
    static const std::string text = [] {
        std::string s = "Accounts\nAccountID,CompanyName\n60\n";
        for (int i = 1; i <= 49; ++i)
            s += std::to_string(i) + "^Bar " + std::to_string(i) + "\n";
        return s;
    }();
    return text.c_str();
}

INSTANTIATE_TEST_SUITE_P(
    Causes, RunFailureTexts,
    ::testing::Values(
        FailureCase{"CertificateNotTrusted", 9, "",
                    "The server's certificate is not trusted for host primary.example or backup.example. Nothing "
                    "was sent."},
        FailureCase{"HandshakeFailed", 4, "",
                    "The secure connection to host primary.example or backup.example could not be set up (the TLS "
                    "handshake failed). Nothing was sent."},
        FailureCase{"ShortTable", 0, ShortAccounts(), "The server sent 49 of 60 rows of Accounts."},
        FailureCase{"AnotherTable", 0, "ReadyOrder\nReadyID\n1\n9\n",
                    "The server sent the table ReadyOrder instead of Accounts."}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(SyncRunnerTest, TheNextRunForgetsAnEarlierCause)
{
    w.transport.handler = [this](const ScriptedTransport::Request& r) {
        if (Param(r.path, "Tablenames") == "Accounts")
            return ScriptedTransport::Reply{9, ""};
        return Answer(r);
    };
    EXPECT_FALSE(runner->SyncRun(kCompleteUpdate, &w.sink));
    w.transport.handler = [](const ScriptedTransport::Request&) { return ScriptedTransport::Reply{2, ""}; };
    EXPECT_FALSE(runner->SyncRun(kSynchronise, &w.sink));
    EXPECT_EQ(w.box.TextIds().back(), 65063);
}

TEST_F(SyncRunnerTest, RenewingOneTableBacksUpFirstAndRestoresOnFailure)
{
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    const int accountsAt = [&] {
        std::vector<std::string> names = SplitList(builder->Schema().Value("Database", "TableNames"));
        return static_cast<int>(std::find(names.begin(), names.end(), "Accounts") - names.begin());
    }();
    compresses = uncompresses = 0;
    ASSERT_TRUE(runner->SyncRun(kRenewTableBase + accountsAt, &w.sink));
    EXPECT_EQ(compresses, 1);
    EXPECT_EQ(uncompresses, 0);
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "0");

    tables["Accounts"] = "AccountID,CompanyName,AccountNumber\n30\n5001^Bar^A-1\n";
    EXPECT_FALSE(runner->SyncRun(kRenewTableBase + accountsAt, &w.sink));
    EXPECT_EQ(compresses, 2);
    EXPECT_EQ(uncompresses, 1);
    EXPECT_EQ(Count("select count(*) from Accounts where CompanyName = 'Bar & Grill'"), 1);
    EXPECT_EQ(w.box.Texts().back(), "The server sent 1 of 30 rows of Accounts.");
}

TEST_F(SyncRunnerTest, DownloadsAreCompleteOnlyAfterAFinishedUpdate)
{
    std::vector<std::string> problems;
    EXPECT_FALSE(builder->DownloadsComplete(problems));
    EXPECT_NE(std::find(problems.begin(), problems.end(), "table Accounts was never downloaded whole"), problems.end());
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    problems.clear();
    EXPECT_TRUE(builder->DownloadsComplete(problems)) << (problems.empty() ? "" : problems[0]);
    // A run that broke off leaves its markers.
    w.profile.values["RestoreOnOpen"] = "1";
    w.profile.values["LastRenewTable"] = "Items";
    EXPECT_FALSE(builder->DownloadsComplete(problems));
    EXPECT_EQ(problems.at(0), "a complete update broke off at table Items");
    w.profile.values["LastRenewTable"] = "";
    problems.clear();
    EXPECT_FALSE(builder->DownloadsComplete(problems));
    w.profile.values["RestoreOnOpen"] = "0";
    problems.clear();
    EXPECT_TRUE(builder->DownloadsComplete(problems));
}

TEST_F(SyncRunnerTest, RenewModeTwoKeepsFilesThenAppliesThem)
{
    w.settings.values["SETTINGS/RENEWMODE"] = "2";
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_EQ(w.disconnects, 1);
    EXPECT_EQ(Count("select count(*) from Accounts"), 1);
    EXPECT_FALSE(std::filesystem::exists(builder->KeptTableFile("Accounts")));
    EXPECT_FALSE(w.profile.values["AccountsUD"].empty());
}

TEST_F(SyncRunnerTest, RenewModeTwoApplyFailureLeavesTheMarkersForTheNextSignIn)
{
    w.settings.values["SETTINGS/RENEWMODE"] = "2";
    tables["Accounts"] = "AccountID,CompanyName\n50\n1^x\n"; // 49 rows short
    EXPECT_FALSE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "1");
    EXPECT_EQ(w.profile.values["LastRenewTable"], "Accounts");
    EXPECT_FALSE(w.box.Saw(65063));
}

TEST_F(SyncRunnerTest, SynchronisationSendsChangesThenDownloads)
{
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    w.transport.requests.clear();
    w.clock.now += 86400;
    ASSERT_TRUE(runner->SyncRun(kSynchronise, &w.sink));
    std::vector<std::string> pages = Pages();
    std::vector<std::string> expected{"goodmorning.cfm",
                                      "UpdateMessages.cfm",
                                      "updateInvoice.cfm",
                                      "grabdata.cfm:Messages",
                                      "grabdata.cfm:AR",
                                      "grabdata.cfm:OpenOrders",
                                      "grabdata.cfm:OpenOrderItems",
                                      "grabdata.cfm:AccountSalesData",
                                      "grabdata.cfm:ItemHistory",
                                      "grabdata.cfm:DistributorRepNotes",
                                      "grabdata.cfm:OrderHistory",
                                      "grabdata.cfm:OrderHistoryItems",
                                      "grabdata.cfm:Inventory"};
    EXPECT_EQ(pages, expected);
    EXPECT_NE(FindRequest("Tablenames=DistributorRepNotes&UD=")->path.find("&UD=20"), std::string::npos);
    EXPECT_EQ(Count("select QtyOnHand from Items where ItemID = 1001"), 77);
    EXPECT_FALSE(w.profile.values["LastSyncUD"].empty());
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "0");
}

TEST_F(SyncRunnerTest, InvoiceUploadFailureFailsTheSynchronisation)
{
    w.transport.handler = [this](const ScriptedTransport::Request& r) {
        if (r.path.find("updateInvoice.cfm") != std::string::npos)
            return ScriptedTransport::Reply{3, ""};
        return Answer(r);
    };
    EXPECT_FALSE(runner->SyncRun(kSynchronise, &w.sink));
    EXPECT_EQ(compresses, 0);
    EXPECT_EQ(uncompresses, 0);
    EXPECT_EQ(FindRequest("grabdata.cfm"), nullptr);
}

TEST_F(SyncRunnerTest, ClockIsUpdatedOnceADay)
{
    runner->UpdateClock();
    runner->UpdateClock();
    EXPECT_EQ(w.transport.requests.size(), 1u);
    EXPECT_EQ(w.profile.values["SyncTimeUD"], FormatDay(w.clock.now));
}

TEST_F(SyncRunnerTest, InventoryUpdateSetsBothStamps)
{
    ASSERT_TRUE(runner->SyncRun(kInventoryUpdate, &w.sink));
    EXPECT_EQ(w.profile.values["ItemsUD"], w.profile.values["InventoryUD"]);
    EXPECT_EQ(w.sink.steps.back().second, "Inventory Update Complete");
}

TEST_F(SyncRunnerTest, RenewOneTableByPosition)
{
    ASSERT_TRUE(runner->SyncRun(kRenewTableBase + 19, &w.sink)); // Accounts
    EXPECT_EQ(Downloaded(), (std::vector<std::string>{"Accounts"}));
    EXPECT_EQ(Count("select count(*) from Accounts"), 1);
}

TEST_F(SyncRunnerTest, InterruptedCompleteUpdateIsRestoredAtSignInWithoutLosingOrders)
{
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    ASSERT_EQ(runner->BackupDatabase(nullptr), 1);
    // An order taken after the backup, then a complete update that dies while
    // fetching Accounts (the markers stay as the killed process left them).
    AddReadyOrder(9);
    ASSERT_TRUE(db.Exec("delete from Items"));
    w.profile.values["BackupStamps"] = "DBVersion=1.0|";
    w.profile.values["RestoreOnOpen"] = "1";
    w.profile.values["LastRenewTable"] = "Accounts";

    w.box.answers = {MbResult::No};
    EXPECT_EQ(runner->ContinueSignIn(), SignInScreen::RecentOrders);
    EXPECT_TRUE(w.box.Saw(65104));
    EXPECT_EQ(Count("select count(*) from Items"), 2);
    EXPECT_EQ(Count("select count(*) from ReadyOrder where ReadyID = 9"), 1);
    EXPECT_EQ(Count("select count(*) from ReadyOrderItems where ReadyID = 9"), 1);
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "0");
    EXPECT_EQ(w.profile.values["LastRenewTable"], "");
}

TEST_F(SyncRunnerTest, SignInOffersToResumeAnInterruptedRenew)
{
    w.profile.values["RestoreOnOpen"] = "1";
    w.profile.values["LastRenewTable"] = "Accounts";
    w.box.answers = {MbResult::Yes};
    EXPECT_EQ(runner->ContinueSignIn(), SignInScreen::Maintenance);
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "1");
    EXPECT_EQ(uncompresses, 0);
}

TEST_F(SyncRunnerTest, SignInAfterBrokenSynchronisationRestoresWithNotice)
{
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    ASSERT_EQ(runner->BackupDatabase(nullptr), 1);
    w.profile.values["BackupStamps"] = "DBVersion=1.0|AccountsUD=2001-01-01 00:00:00|";
    w.profile.values["RestoreOnOpen"] = "1";
    EXPECT_EQ(runner->ContinueSignIn(), SignInScreen::Accounts);
    EXPECT_TRUE(w.box.Saw(65061));
    EXPECT_EQ(uncompresses, 1);
    EXPECT_EQ(w.profile.values["AccountsUD"], "2001-01-01 00:00:00");
}

TEST_F(SyncRunnerTest, SignInNeverRestoresACopyTheBrokenRunDidNotMake)
{
    // An old copy (no stamps kept with it) would bring back records sent since.
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    ASSERT_EQ(runner->BackupDatabase(nullptr), 1);
    AddReadyOrder(4);
    w.profile.values["BackupStamps"] = "";
    w.profile.values["RestoreOnOpen"] = "1";
    runner->ContinueSignIn();
    EXPECT_EQ(uncompresses, 0);
    EXPECT_EQ(Count("select count(*) from ReadyOrder where ReadyID = 4"), 1);
}

TEST_F(SyncRunnerTest, AcceptedUploadsAreNotMarkedAgainWhenALaterDownloadFails)
{
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    ASSERT_TRUE(db.Exec("insert into AR (AccountID, InvoiceNo, AmountCollectedToday, Updated, Deposited) values "
                        "(5001, 'INV1', 40, 1, 0)"));
    ASSERT_TRUE(db.Exec("insert into DistributorRepNotes values (100200, 5001, '2006-03-07 16:05:09', 'n', 1)"));
    ASSERT_TRUE(db.Exec("insert into NewAccounts (EntryID, CompanyName) values (1, 'New Co')"));
    w.profile.values["OrderHistoryUD"] = "2001-01-01 00:00:00";
    tables["AR"] = "AccountID,InvoiceNo,AmountCollectedToday,Updated,Deposited\n1\n5001^INV1^0^0^0\n";
    failTable = "Inventory";
    w.transport.requests.clear();
    EXPECT_FALSE(runner->SyncRun(kSynchronise, &w.sink));
    EXPECT_EQ(uncompresses, 1);
    // The restored copy was made after the server took the uploads ...
    EXPECT_EQ(Count("select count(*) from AR where Updated = 1 or AmountCollectedToday <> 0"), 0);
    EXPECT_EQ(Count("select count(*) from DistributorRepNotes where Updated > 0"), 0);
    EXPECT_EQ(Count("select count(*) from NewAccounts"), 0);
    // ... and the stamps went back with it, so the rows are asked for again.
    EXPECT_EQ(w.profile.values["OrderHistoryUD"], "2001-01-01 00:00:00");
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "0");

    failTable.clear();
    w.transport.requests.clear();
    ASSERT_TRUE(runner->SyncRun(kSynchronise, &w.sink));
    EXPECT_EQ(FindRequest("updateNotes.cfm"), nullptr);
    EXPECT_EQ(FindRequest("newAccounts.cfm"), nullptr);
    EXPECT_EQ(FindRequest("updateInvoice.cfm")->body, "&total=0");
}

TEST_F(SyncRunnerTest, RefusedRecordsStayMarkedTheirTablesAreNotReplacedAndTheRunFails)
{
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    ASSERT_TRUE(db.Exec("insert into AR (AccountID, InvoiceNo, AmountCollectedToday, Updated, Deposited) values "
                        "(5001, 'INV7', 125.5, 1, 0)"));
    ASSERT_TRUE(db.Exec("insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2006-03-07', 'S', 'M', 1)"));
    w.transport.handler = [this](const ScriptedTransport::Request& r) {
        if (r.path.find("updateInvoice.cfm") != std::string::npos)
            return ScriptedTransport::Reply{0, "0\n"};
        if (r.path.find("UpdateMessages.cfm") != std::string::npos)
            return ScriptedTransport::Reply{0, "<ERROR>Mailbox full</ERROR>\n"};
        return Answer(r);
    };
    w.transport.requests.clear();
    w.box.Clear();
    EXPECT_FALSE(runner->SyncRun(kSynchronise, &w.sink));
    EXPECT_EQ(Count("select count(*) from AR where InvoiceNo = 'INV7' and Updated = 1"), 1);
    EXPECT_EQ(Count("select count(*) from Messages where Updated = 1"), 1);
    std::vector<std::string> down = Downloaded();
    EXPECT_EQ(std::count(down.begin(), down.end(), "AR"), 0);
    EXPECT_EQ(std::count(down.begin(), down.end(), "Messages"), 0);
    EXPECT_EQ(std::count(down.begin(), down.end(), "OpenOrders"), 1);
    EXPECT_EQ(uncompresses, 0);
    ASSERT_FALSE(w.box.Texts().empty());
    EXPECT_NE(w.box.Texts().back().find("collection on invoice INV7 of account 5001: \"0\""), std::string::npos)
        << w.box.Texts().back();
    EXPECT_NE(w.box.Texts().back().find("1 message(s): \"Mailbox full\""), std::string::npos);
    EXPECT_EQ(runner->Notice(), w.box.Texts().back());

    // A complete update replaces every table: with a record still refused it
    // stops before replacing any.
    int items = Count("select count(*) from Items");
    tables["Items"] = "ItemID\n0\n";
    w.transport.requests.clear();
    EXPECT_FALSE(runner->SyncRun(kCompleteUpdate, &w.sink));
    EXPECT_TRUE(Downloaded().empty());
    EXPECT_EQ(Count("select count(*) from Items"), items);
    EXPECT_EQ(Count("select count(*) from AR where Updated = 1"), 1);
}

TEST_F(SyncRunnerTest, StampedDownloadReplacesTheRowWithTheSameKey)
{
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    ASSERT_TRUE(db.Exec("insert into DistributorRepNotes values (7, 5001, '2006-03-07 16:05:09', 'old text', 0)"));
    tables["DistributorRepNotes"] = "DistRepID,AccountID,DateEntered,Comment,Updated\n2\n"
                                    "7^5001^3/7/2006 4:05:09 PM^edited text^0\n8^5001^2006-03-08 09:00:00^new^0\n";
    ASSERT_TRUE(runner->SyncRun(kSynchronise, &w.sink));
    Rows r;
    ASSERT_TRUE(db.Select("select DistRepID, Comment from DistributorRepNotes order by DistRepID", r));
    EXPECT_EQ(r, (Rows{{"7", "edited text"}, {"8", "new"}}));
}

struct InventoryReplyCase {
    const char* name;
    const char* reply;
};

class InventoryReplies : public SyncRunnerTest, public ::testing::WithParamInterface<InventoryReplyCase> {};

TEST_P(InventoryReplies, AnUpdateNotAppliedFailsAndKeepsItsStamp)
{
    w.profile.values["ItemsUD"] = "2001-01-01 00:00:00";
    std::string reply = GetParam().reply;
    w.transport.handler = [this, reply](const ScriptedTransport::Request& r) {
        if (r.path.find("Tablenames=Inventory") != std::string::npos)
            return ScriptedTransport::Reply{0, reply};
        return Answer(r);
    };
    EXPECT_FALSE(runner->SyncRun(kInventoryUpdate, &w.sink));
    EXPECT_EQ(w.profile.values["ItemsUD"], "2001-01-01 00:00:00");
    EXPECT_NE(w.sink.steps.back().second, "Inventory Update Complete");
    // A short table is named with its counts; the other replies get the
    // general failure text.
    const bool named = !w.box.Texts().empty() && w.box.Texts().back().find("The server sent") != std::string::npos;
    EXPECT_TRUE(w.box.Saw(65063) || named) << (w.box.Texts().empty() ? "" : w.box.Texts().back());
}

INSTANTIATE_TEST_SUITE_P(Replies, InventoryReplies,
                         ::testing::Values(InventoryReplyCase{"ServerError", "<ERROR>Busy</ERROR>\n"},
                                           InventoryReplyCase{"HtmlPage", "<HTML><TD>Proxy</TD></HTML>\n"},
                                           InventoryReplyCase{"OneRowShort",
                                                              "Inventory\nItemID,QtyOnHand\n3\n1001^5\n1002^6\n"},
                                           InventoryReplyCase{"Empty", ""}),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(SyncRunnerTest, SignInWithAnEmptyDatabaseLeadsToMaintenance)
{
    EXPECT_EQ(runner->ContinueSignIn(), SignInScreen::Maintenance);
    EXPECT_TRUE(w.box.Saw(65027));
}

TEST_F(SyncRunnerTest, PasswordIsComparedByDigestWithoutCase)
{
    w.profile.values["Password"] = "SECRET00000000000000000000000000";
    EXPECT_TRUE(runner->PasswordMatches("  secret "));
    EXPECT_FALSE(runner->PasswordMatches("other"));
    EXPECT_FALSE(runner->PasswordMatches("   "));
}

struct RestoreCase {
    const char* name;
    const char* backup; // "file", "missing", "directory", "damaged"
    MbResult answer;
    SyncRunner::RestoreOutcome outcome;
    const char* says; // part of the message shown, empty for none
};

class RestoreCommand : public SyncRunnerTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreCommand, AsksFirstKeepsWaitingOrdersAndReportsTheRealResult)
{
    const RestoreCase& c = GetParam();
    ASSERT_TRUE(runner->SyncRun(kCompleteUpdate, nullptr));
    ASSERT_EQ(runner->BackupDatabase(nullptr), 1);
    std::string backup = w.dir.File("master.db.gz");
    std::string b = c.backup;
    if (b == "missing")
        std::filesystem::remove(backup);
    if (b == "directory") {
        std::filesystem::remove(backup);
        std::filesystem::create_directory(backup);
    }
    if (b == "damaged")
        engine->Services().helpers.uncompress = [](const char*, int) { return 0; };
    AddReadyOrder(5);
    ASSERT_TRUE(db.Exec("delete from Accounts"));
    w.profile.values["AccountsUD"] = "2030-01-01 00:00:00";
    w.box.answers = {c.answer};
    w.box.Clear();

    EXPECT_EQ(runner->RestoreDatabaseCommand(nullptr), c.outcome);
    ASSERT_FALSE(w.box.Texts().empty());
    EXPECT_NE(w.box.Texts().front().find("on this laptop"), std::string::npos); // the question
    if (*c.says) {
        ASSERT_EQ(w.box.Texts().size(), 2u);
        EXPECT_NE(w.box.Texts().back().find(c.says), std::string::npos) << w.box.Texts().back();
    } else {
        EXPECT_EQ(w.box.Texts().size(), 1u);
    }
    bool restored = c.outcome == SyncRunner::RestoreOutcome::Restored;
    EXPECT_EQ(Count("select count(*) from Accounts"), restored ? 1 : 0);
    EXPECT_EQ(w.profile.values["AccountsUD"], restored ? "" : "2030-01-01 00:00:00");
    EXPECT_EQ(Count("select count(*) from ReadyOrder where ReadyID = 5"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Backups, RestoreCommand,
    ::testing::Values(
        RestoreCase{"Restored", "file", MbResult::Yes, SyncRunner::RestoreOutcome::Restored, "was restored"},
        RestoreCase{"Declined", "file", MbResult::No, SyncRunner::RestoreOutcome::Declined, ""},
        RestoreCase{"Missing", "missing", MbResult::Yes, SyncRunner::RestoreOutcome::Missing, "no backup"},
        RestoreCase{"Directory", "directory", MbResult::Yes, SyncRunner::RestoreOutcome::NotAFile, "not a file"},
        RestoreCase{"Damaged", "damaged", MbResult::Yes, SyncRunner::RestoreOutcome::Damaged, "damaged"}),
    [](const auto& tc) { return std::string(tc.param.name); });
