#include "SyncWorld.h"

#include "sync/AccountRules.h"
#include "sync/Maintenance.h"

namespace zev::sync::test {
namespace {

class MaintenanceTest : public SyncWorld {
protected:
    void SetUp() override
    {
        services.configByte = [this](int offset) { return offset == 23 ? messageCenter : 0; };
        SyncWorld::SetUp();
        maint = &stack->Maint();
    }

    std::vector<Row> Rows(const std::string& sql)
    {
        zev::sync::Rows rows;
        EXPECT_TRUE(db.Select(sql, rows)) << sql;
        return rows;
    }

    int messageCenter = 1;
    Maintenance* maint = nullptr;
};

TEST_F(MaintenanceTest, IssueIsFiledWithItsTextIntactAndTheNextKey)
{
    ASSERT_EQ(maint->ReportIssue("  Joe's van ", "It's 'broken'; -- drop table Items", true), 0);
    ASSERT_EQ(maint->ReportIssue("Printer", "jams", false), 0);
    auto rows = Rows("select IssueID, ShortDesc, LongDesc, UserID, WantResponse from Issues order by IssueID");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (Row{"1", "Joe's van", "It's 'broken'; -- drop table Items", "100200", "1"}));
    EXPECT_EQ(rows[1], (Row{"2", "Printer", "jams", "100200", "0"}));
    EXPECT_EQ(Count("select count(*) from Issues where ShortDesc like '%drop%' or LongDesc like '%drop%'"), 1);
}

TEST_F(MaintenanceTest, BlankIssueTextIsRefusedAndNothingStored)
{
    EXPECT_EQ(maint->ReportIssue("   ", "details", false), 65064);
    EXPECT_EQ(maint->ReportIssue("short", " \t ", false), 65064);
    EXPECT_EQ(Count("select count(*) from Issues"), 0);
}

TEST_F(MaintenanceTest, IssueThatCannotBeStoredSaysSo)
{
    ASSERT_TRUE(db.Exec("drop table Issues"));
    EXPECT_EQ(maint->ReportIssue("short", "details", false), 65065);
}

TEST_F(MaintenanceTest, ItemExportWritesLiveItemsTrimmedWithNaForMissingUpc)
{
    for (const char* values : {"(1001, 0, '0123', ' SKU1 ', '  Red wine  ')", "(1002, 0, '', 'SKU2', 'Water')",
                               "(1003, 1, '9999', 'GONE', 'Deleted')", "(1004, 0, '  ', 'SKU4', 'Cider')"})
        ASSERT_TRUE(db.Exec(std::string("insert into Items (ItemID, DeletedFlag, UPC, DistributorSKU, Description) "
                                        "values ") +
                            values));
    const std::string path = w.dir.File("Items.txt");
    EXPECT_EQ(maint->ExportItems(path, &w.sink), 3);
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("0123|SKU1|Red wine\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("NA|SKU2|Water\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("NA|SKU4|Cider\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("GONE"), std::string::npos) << text;
    EXPECT_EQ(w.sink.Count("Exporting Items"), 3);
    EXPECT_EQ(w.sink.steps.back().first, 100);
}

TEST_F(MaintenanceTest, ItemExportFailsCleanly)
{
    EXPECT_EQ(maint->ExportItems(w.dir.File("no/such/dir/Items.txt"), nullptr), -1);
    ASSERT_TRUE(db.Exec("drop table Items"));
    const std::string path = w.dir.File("Items.txt");
    EXPECT_EQ(maint->ExportItems(path, nullptr), -1);
    EXPECT_FALSE(std::filesystem::exists(path)) << "no file is left behind when the items cannot be read";
}

TEST_F(MaintenanceTest, NewMessagesCountOnlyTheUsersUnreadOnes)
{
    ASSERT_TRUE(db.Exec("insert into Messages (MessageID, ToID, ToStatus) values (1, 100200, 0)"));
    ASSERT_TRUE(db.Exec("insert into Messages (MessageID, ToID, ToStatus) values (2, 100200, 1)"));
    ASSERT_TRUE(db.Exec("insert into Messages (MessageID, ToID, ToStatus) values (3, 100300, 0)"));
    EXPECT_EQ(maint->CountNewMessages(), 1);
    EXPECT_TRUE(maint->NoticeNewMessages());
    EXPECT_EQ(w.box.TextIds(), std::vector<int>{65140});

    // A user ID that is not a number never reaches the statement.
    w.profile.values["UserID"] = "0 or 1=1";
    EXPECT_EQ(maint->CountNewMessages(), 0);
}

TEST_F(MaintenanceTest, NoNoticeWithoutTheMessageCenterOrWithoutNewMessages)
{
    EXPECT_FALSE(maint->NoticeNewMessages());
    ASSERT_TRUE(db.Exec("insert into Messages (MessageID, ToID, ToStatus) values (1, 100200, 0)"));
    messageCenter = 0;
    EXPECT_FALSE(maint->NoticeNewMessages());
    EXPECT_TRUE(w.box.TextIds().empty());
}

TEST_F(MaintenanceTest, ManagerRepsAreTrimmed)
{
    ASSERT_TRUE(db.Exec("insert into ManagerReps values (100300, 'Ann Smith  ', 'abcdef0123456789abcdef0123456789')"));
    auto reps = maint->ManagerReps();
    ASSERT_EQ(reps.size(), 1u);
    EXPECT_EQ(reps[0].id, "100300");
    EXPECT_EQ(reps[0].name, "Ann Smith");
    EXPECT_EQ(reps[0].digest, "abcdef0123456789abcdef0123456789");
}

TEST_F(MaintenanceTest, DeleteDatabaseEmptiesEveryTableAndForgetsAnInterruptedUpdate)
{
    ASSERT_TRUE(db.Exec("insert into Items (ItemID, DeletedFlag) values (1001, 0)"));
    ASSERT_TRUE(db.Exec("insert into Issues values (1, 'a', 'b', 100200, 0)"));
    w.profile.values["RestoreOnOpen"] = "1";
    w.profile.values["LastRenewTable"] = "Items";
    ASSERT_EQ(maint->DeleteDatabase(), 0);
    EXPECT_EQ(Count("select count(*) from Items"), 0);
    EXPECT_EQ(Count("select count(*) from Issues"), 0);
    EXPECT_EQ(w.profile.values["RestoreOnOpen"], "0");
    EXPECT_EQ(w.profile.values["LastRenewTable"], "");
}

TEST(AccountRules, SetupEntries)
{
    struct Case {
        const char *user, *password, *confirmation, *manager;
        bool managerMode;
        int message;
        SetupCheck::Field focus;
    };
    const Case cases[] = {
        {"123456", "pw", "pw", "", false, 0, SetupCheck::None},
        {"12345", "pw", "pw", "", false, 65011, SetupCheck::UserId},
        {"12345A", "pw", "pw", "", false, 65011, SetupCheck::UserId},
        {"", "pw", "pw", "", false, 65009, SetupCheck::UserId},
        {"123456", "pw", "", "", false, 65009, SetupCheck::Confirmation},
        {"123456", "pw", "pw", "", true, 65009, SetupCheck::ManagerId},
        {"123456", "one", "two", "", false, 65010, SetupCheck::Password},
    };
    for (const Case& c : cases) {
        const SetupCheck check = CheckSetupEntries(c.user, c.password, c.confirmation, c.manager, c.managerMode);
        EXPECT_EQ(check.messageId, c.message) << c.user << "/" << c.confirmation;
        EXPECT_EQ(check.focus, c.focus) << c.user << "/" << c.confirmation;
        EXPECT_EQ(Maintenance::CheckSetup(c.user, c.password, c.confirmation, c.manager, c.managerMode), c.message);
    }
}

TEST(AccountRules, NewPasswordIsUnchangedOrConfirmedAndFourLong)
{
    EXPECT_EQ(CheckNewPassword("", ""), 0);
    EXPECT_EQ(CheckNewPassword("abcd", "abcd"), 0);
    EXPECT_EQ(CheckNewPassword("abc", "abc"), 65010);
    EXPECT_EQ(CheckNewPassword("abcd", "abce"), 65010);
    EXPECT_EQ(CheckNewPassword("", "abcd"), 65010);
}

} // namespace
} // namespace zev::sync::test
