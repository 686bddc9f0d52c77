#include "SyncWorld.h"

#include "sync/SyncText.h"
#include "tabula/Database.h"

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

class UploadsTest : public SyncWorld {};

TEST_F(UploadsTest, NoteIsSentWithSetAAndClearedOnAnyReplyButOne)
{
    ASSERT_TRUE(
        db.Exec("insert into DistributorRepNotes values (100200, 5001, '2006-03-07 16:05:09', 'Salt & pepper', 1)"));
    ASSERT_TRUE(db.Exec("insert into DistributorRepNotes values (100200, 5002, '2006-03-08 10:00:00', 'Keep', 1)"));
    w.transport.replies = {{0, "OK\n"}, {0, "1\n"}};
    ASSERT_TRUE(uploads->UploadNotes(&w.sink));
    ASSERT_EQ(w.transport.requests.size(), 2u);
    EXPECT_EQ(w.transport.requests[0].body,
              "AccountID=5001&DateEntered=2006-03-07 16:05:09&UpdatedFlag=1&Comment=Salt %26 pepper");
    EXPECT_EQ(Count("select count(*) from DistributorRepNotes where Updated = 0"), 1);
    EXPECT_EQ(Count("select Updated from DistributorRepNotes where AccountID = 5002"), 1);
}

TEST_F(UploadsTest, DeletedNoteTakenByTheServerIsGoneForGood)
{
    ASSERT_TRUE(db.Exec("insert into DistributorRepNotes values (7, 5001, '2006-03-07 16:05:09', 'gone', 2)"));
    ASSERT_TRUE(db.Exec("insert into DistributorRepNotes values (8, 5001, '2006-03-07 16:05:10', 'kept', 2)"));
    w.transport.replies = {{0, "SUCCESS\n"}, {0, "1\n"}};
    ASSERT_TRUE(uploads->UploadNotes(&w.sink));
    EXPECT_NE(w.transport.requests[0].body.find("UpdatedFlag=2"), std::string::npos);
    EXPECT_EQ(Count("select count(*) from DistributorRepNotes where Comment = 'gone'"), 0);
    EXPECT_EQ(Count("select Updated from DistributorRepNotes where Comment = 'kept'"), 2) << "refused: still waiting";
}

struct BadReplyCase {
    const char* name;
    const char* reply;
};

class NoteBadReplies : public UploadsTest, public ::testing::WithParamInterface<BadReplyCase> {};

// The notes page's rule ("anything but 1") never counts an error, a page
// or nothing as stored.
TEST_P(NoteBadReplies, KeepTheNoteMarkedAndNameIt)
{
    ASSERT_TRUE(db.Exec("insert into DistributorRepNotes values (100200, 5001, '2006-03-07 16:05:09', 'n', 1)"));
    w.transport.replies = {{0, GetParam().reply}};
    ASSERT_TRUE(uploads->UploadNotes(&w.sink));
    EXPECT_EQ(Count("select Updated from DistributorRepNotes"), 1);
    ASSERT_EQ(uploads->Refused().size(), 1u);
    EXPECT_EQ(uploads->Refused()[0].table, "DistributorRepNotes");
    EXPECT_NE(uploads->RefusedText().find("note of account 5001 dated 2006-03-07 16:05:09"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Replies, NoteBadReplies,
                         ::testing::Values(BadReplyCase{"One", "1\n"}, BadReplyCase{"Error", "<ERROR>No</ERROR>\n"},
                                           BadReplyCase{"Html", "<html><body>Gateway</body></html>\n"},
                                           BadReplyCase{"Empty", ""}, BadReplyCase{"Blank", "  \r\n"}),
                         [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(UploadsTest, WaitingRowsAreCountedPerTable)
{
    EXPECT_EQ(uploads->WaitingIn("AR"), 0);
    ASSERT_TRUE(db.Exec("insert into AR (AccountID, InvoiceNo, Updated, Deposited) values (5001, 'I', 0, 1)"));
    ASSERT_TRUE(db.Exec("insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2006-03-07', 'S', 'M', 0)"));
    EXPECT_EQ(uploads->WaitingIn("ar"), 1);
    EXPECT_EQ(uploads->WaitingIn("Messages"), 0);
    EXPECT_EQ(uploads->WaitingIn("OpenOrders"), 0); // never waits
}

TEST_F(UploadsTest, IssuesAreDeletedOnlyOnOneAndTransportFailureStops)
{
    ASSERT_TRUE(db.Exec("insert into Issues values (1, 'Short & sweet', 'Long', 5001, 1)"));
    ASSERT_TRUE(db.Exec("insert into Issues values (2, 'b', 'c', 5001, 0)"));
    ASSERT_TRUE(db.Exec("insert into Issues values (3, 'd', 'e', 5001, 0)"));
    w.transport.replies = {{0, " 1 \r\n"}, {0, "0\n"}, {2, ""}};
    EXPECT_FALSE(uploads->UploadIssues(&w.sink));
    EXPECT_EQ(w.transport.requests[0].body, "AccountID=5001&ShortDesc=Short %26 sweet&LongDesc=Long&WantResponse=1");
    EXPECT_EQ(Count("select count(*) from Issues"), 2);
}

TEST_F(UploadsTest, OrderGuideSendsCasesAndSinglesOfTheLastQuantity)
{
    std::string items = "ItemID,QtyPerCase,DeletedFlag\n1\n1001^12^0\n";
    WriteFile(w.dir.File("i.txt"), "Items\n" + items);
    ASSERT_EQ(builder->ApplyTableFile(w.dir.File("i.txt"), kModeInsert, true), 1);
    ASSERT_TRUE(db.Exec("insert into WorkOrder values (5001, 7, 1, 1)"));
    ASSERT_TRUE(db.Exec("insert into WorkOrderItems (AccountID, WorkOrderID, ItemID, CaseQTY, SingleQTY, LastQty, "
                        "LineItemNumber, SpecialFlag, RetailPrice) values (5001, 7, 1001, 1, 0, 30, 1, 'A&B', 9.99)"));
    ASSERT_TRUE(uploads->UploadOrderGuides(&w.sink));
    const auto* r = FindRequest("UpdateWo.cfm");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->timeout, 360000);
    EXPECT_EQ(r->body.rfind("A=5001&B=7&C1=1001&D1=1&E1=0&", 0), 0u) << r->body;
    EXPECT_NE(r->body.find("&H1=2&I1=6&"), std::string::npos);
    EXPECT_NE(r->body.find("&L1=A%26B&"), std::string::npos);
    EXPECT_NE(r->body.find("&N=1"), std::string::npos);
    EXPECT_EQ(Count("select Updated from WorkOrder"), 0);
}

TEST_F(UploadsTest, OrderGuideRefusedShows65122AndStaysMarked)
{
    ASSERT_TRUE(db.Exec("insert into WorkOrder values (5001, 7, 1, 1)"));
    w.transport.replies = {{0, "FAIL\n"}};
    ASSERT_TRUE(uploads->UploadOrderGuides(&w.sink));
    EXPECT_TRUE(w.box.Saw(65122));
    EXPECT_EQ(w.transport.requests[0].body, "A=5001&B=7&N=-1");
    EXPECT_EQ(Count("select Updated from WorkOrder"), 1);
}

TEST_F(UploadsTest, MessagesWithNothingWaitingPostOnlyTheCount)
{
    ASSERT_TRUE(uploads->UploadMessages(&w.sink));
    EXPECT_EQ(w.transport.requests[0].body, "&T=0");
    ASSERT_TRUE(db.Exec("insert into Messages values (0, 100200, 0, 'Rep', 900100, 0, '2006-03-07', 'Fish & chips', "
                        "'Bob''s', 1)"));
    w.transport.replies = {{0, "<ERROR>Mailbox full</ERROR>\n"}};
    EXPECT_FALSE(uploads->UploadMessages(&w.sink));
    EXPECT_EQ(w.transport.requests[1].body, "&M1=0^900100^0^100200^0^Fish ~|A chips^Bob''s&T=1");
    EXPECT_EQ(w.box.Texts().back(), "Mailbox full");
    EXPECT_EQ(Count("select Updated from Messages"), 1);
}

TEST_F(UploadsTest, InvoicesGoTogetherWithSetD)
{
    ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName) values (5001, 'Bar')"));
    ASSERT_TRUE(
        db.Exec("insert into AR (AccountID, InvoiceNo, AmountCollectedToday, Updated, PaymentType, CheckNumber, "
                "Deposited) values (5001, '10 45+A', 12.5, 1, 2, '88', 0)"));
    ASSERT_TRUE(uploads->UploadInvoices(&w.sink));
    EXPECT_EQ(w.transport.requests[0].body, "A1=5001&B1=10%2045%2BA&C1=12.50&D1=2&E1=88&F1=&G1=&total=1");
    EXPECT_EQ(Count("select count(*) from AR where Updated = 0 and AmountCollectedToday = 0"), 1);
}

TEST_F(UploadsTest, SurveyAnswerPercentIsEscaped)
{
    ASSERT_TRUE(db.Exec("insert into Surveys (SurveyID, SurveyType) values (3, 0)"));
    ASSERT_TRUE(
        db.Exec("insert into DoneSurveys values (11, 3, 5001, 1, '2006-03-07 10:00:00', '2006-03-07 10:05:00')"));
    ASSERT_TRUE(db.Exec("insert into Answers values (11, 1, 2, '100%', '')"));
    ASSERT_TRUE(uploads->UploadSurveys(&w.sink));
    const std::string& b = w.transport.requests[0].body;
    EXPECT_EQ(b.rfind("A=5001&B=3&C=1&D=", 0), 0u) << b;
    EXPECT_NE(b.find("&R1=1^2^100%25^ &T=1"), std::string::npos) << b;
    EXPECT_EQ(Count("select count(*) from DoneSurveys"), 0);
    EXPECT_EQ(Count("select count(*) from Answers"), 0);
}

TEST_F(UploadsTest, FormsAndAccountsAndNewAccounts)
{
    ASSERT_TRUE(db.Exec("insert into FormsFilled values (2, 5001, 1, 3, 'A&B')"));
    ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber, Updated, ApptDays) values "
                        "(5001, 'Bar & Grill', 'A-1', 1, 'NYNYNYN')"));
    ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName, AccountNumber, Updated) values (5002, 'Temp', "
                        "'T-1', 1)"));
    ASSERT_TRUE(db.Exec("insert into NewAccounts (EntryID, CompanyName, City, AccountType) values (4, 'New & Co', "
                        "'Town', 0)"));
    ASSERT_TRUE(uploads->UploadForms(&w.sink));
    ASSERT_TRUE(uploads->UploadAccounts(&w.sink));
    ASSERT_TRUE(uploads->UploadNewAccounts(&w.sink));
    ASSERT_EQ(w.transport.requests.size(), 3u);
    EXPECT_EQ(w.transport.requests[0].body, "FormID=2 &AccountID=5001 &QuestionID=3 &Answer=A~|AB");
    EXPECT_EQ(w.transport.requests[1].body.rfind("&CompanyName=Bar %26 Grill&AccountID=5001&", 0), 0u);
    EXPECT_NE(w.transport.requests[1].body.find("&ApptDays=NYNYNYN&"), std::string::npos);
    EXPECT_EQ(w.transport.requests[2].body, "&CompanyName=New %26 Co&City=Town&AccountType=Off");
    EXPECT_EQ(Count("select count(*) from FormsFilled where Updated = 0"), 1);
    EXPECT_EQ(Count("select count(*) from Accounts where Updated = 1"), 1);
    EXPECT_EQ(Count("select count(*) from NewAccounts"), 0);
}

TEST_F(UploadsTest, InventoryImportsOnlyWhenTheFeatureIsOn)
{
    ASSERT_TRUE(uploads->UploadInvImports(&w.sink));
    EXPECT_TRUE(w.transport.requests.empty());
}

// Nothing an upload leaves unsent goes unrecorded: the error log names the
// record the exchange stopped at and how many more stay behind it.
TEST_F(UploadsTest, WhatWasNotSentIsLogged)
{
    for (int id : {1, 2, 3})
        ASSERT_TRUE(db.Exec(Format("insert into NewAccounts (EntryID, CompanyName, City, AccountType) values (%d, "
                                   "'Shop %d', 'Town', 0)",
                                   id, id)));
    w.transport.replies = {{0, "1\n"}, {2, ""}};
    EXPECT_FALSE(uploads->UploadNewAccounts(&w.sink));
    EXPECT_EQ(Count("select count(*) from NewAccounts"), 2);
    const std::string log = ReadFile(w.dir.File("Temp/$q9err.txt"));
    EXPECT_NE(log.find("NOT SENT (the exchange failed): new account 2 (Shop 2) and 1 later record(s) of NewAccounts"),
              std::string::npos)
        << log;

    // A table that cannot be read is named too; nothing is posted for it.
    ASSERT_TRUE(db.Exec("drop table Issues"));
    const size_t posts = w.transport.requests.size();
    EXPECT_TRUE(uploads->UploadIssues(&w.sink));
    EXPECT_EQ(w.transport.requests.size(), posts);
    EXPECT_NE(ReadFile(w.dir.File("Temp/$q9err.txt")).find("NOT SENT: the waiting rows of Issues cannot be read"),
              std::string::npos);
}

TEST_F(UploadsTest, OnlyTheCollectionsFailTheRunButEveryFailureIsLogged)
{
    ASSERT_TRUE(db.Exec("insert into Issues values (1, 'a', 'b', 5001, 0)"));
    ASSERT_TRUE(db.Exec("insert into Accounts (AccountID, CompanyName) values (5001, 'Bar')"));
    ASSERT_TRUE(db.Exec("insert into AR (AccountID, InvoiceNo, AmountCollectedToday, Updated, PaymentType, Deposited) "
                        "values (5001, '1045', 40, 1, 1, 0)"));
    // Issues: the exchange fails; then every page answers until the invoices refuse.
    w.transport.replies = {{2, ""}};
    w.transport.handler = [this](const ScriptedTransport::Request& r) -> ScriptedTransport::Reply {
        if (r.path.find("updateInvoice.cfm") != std::string::npos)
            return {0, "0\n"};
        return Answer(r);
    };
    EXPECT_TRUE(uploads->SendChanges(&w.sink)) << "a refused collection is reported by Refused(), not here";
    EXPECT_EQ(Count("select count(*) from Issues"), 1);
    ASSERT_EQ(uploads->Refused().size(), 1u);
    EXPECT_EQ(uploads->Refused()[0].what, "collection on invoice 1045 of account 5001");
    EXPECT_EQ(Count("select Updated from AR"), 1);
    const std::string log = ReadFile(w.dir.File("Temp/$q9err.txt"));
    EXPECT_NE(log.find("NOT SENT (the exchange failed): issue 1 and 0 later record(s) of Issues"), std::string::npos)
        << log;
    EXPECT_NE(log.find("REFUSED BY THE SERVER: collection on invoice 1045 of account 5001"), std::string::npos) << log;

    // The exchange of the collections itself failing ends the changes as failed.
    w.transport.handler = [this](const ScriptedTransport::Request& r) -> ScriptedTransport::Reply {
        if (r.path.find("updateInvoice.cfm") != std::string::npos)
            return {2, ""};
        return Answer(r);
    };
    EXPECT_FALSE(uploads->SendChanges(&w.sink));
    EXPECT_EQ(Count("select Updated from AR"), 1);
}

TEST_F(UploadsTest, AnAcceptedRecordThatCannotBeClearedIsLoggedAndKept)
{
    ASSERT_TRUE(db.Exec("insert into Issues values (1, 'a', 'b', 5001, 0)"));
    {
        tabula::Database raw(w.dir.File("master.db"), tabula::Database::Mode::ReadWrite, 1000);
        std::string error;
        ASSERT_TRUE(raw.Exec("create trigger KeepIssues before delete on Issues begin select raise(abort, 'kept'); end",
                             &error))
            << error;
    }
    w.transport.replies = {{0, "1\n"}};
    EXPECT_TRUE(uploads->UploadIssues(&w.sink));
    EXPECT_EQ(Count("select count(*) from Issues"), 1);
    EXPECT_NE(ReadFile(w.dir.File("Temp/$q9err.txt"))
                  .find("ACCEPTED BUT NOT CLEARED (goes again with the next run): issue 1 (Issues)"),
              std::string::npos);
}
