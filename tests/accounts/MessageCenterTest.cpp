#include "TestDatabase.h"

#include "accounts/MessageCenter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using zev::MessageCenter;
using zev::MessageItem;
using zev::QuickReplies;
using zev::test::TestDatabase;

class MessageCenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(db.Exec("insert into Messages (MessageID, FromID, FromStatus, FromName, ToID, ToStatus, Subject, "
                            "Message, Updated) values (5, 900100, 0, 'Manager', 100200, 0, 'Price list', 'New prices "
                            "Monday', 0)"));
        ASSERT_TRUE(db.Exec("insert into Messages (MessageID, FromID, ToID, ToStatus, Subject, Message, Updated) "
                            "values (6, 900100, 100200, 9, 'Old', 'gone', 0)"));
        ASSERT_TRUE(db.Exec("insert into Messages (MessageID, FromID, ToID, ToStatus, Subject, Message, Updated) "
                            "values (7, 900100, 100300, 0, 'Other rep', 'x', 0)"));
    }

    MessageItem Inbox()
    {
        std::vector<MessageItem> items;
        EXPECT_TRUE(center.LoadInbox(100200, items));
        EXPECT_EQ(items.size(), 1u);
        return items.empty() ? MessageItem{} : items[0];
    }

    // A statement on a connection of its own: triggers, which the dialect
    // translator does not take, make a chosen write fail.
    bool RawExec(const std::string& sql)
    {
        sqlite3* raw = nullptr;
        const bool ok = sqlite3_open(db.Path().c_str(), &raw) == SQLITE_OK &&
                        sqlite3_exec(raw, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(raw);
        return ok;
    }

    TestDatabase db;
    MessageCenter center;
};

TEST_F(MessageCenterTest, ReadReplyAndDeleteFollowTheStatusSteps)
{
    MessageItem m = Inbox();
    EXPECT_EQ(m.senderName, "Manager");
    EXPECT_EQ(MessageCenter::StatusLetter(m.status), "N");

    ASSERT_TRUE(center.MarkRead(m));
    EXPECT_EQ(MessageCenter::StatusLetter(m.status), "R");
    EXPECT_EQ(db.Scalar("select ToStatus || '/' || Updated from Messages where MessageID = 5"), "1/1");

    ASSERT_TRUE(center.Reply(m, "I'll call you"));
    EXPECT_EQ(m.status, 2);
    EXPECT_EQ(db.Scalar("select Message from Messages where MessageID = 0"), "I'll call you");
    EXPECT_EQ(db.Scalar("select Subject from Messages where MessageID = 0"), "RE: Price list");
    EXPECT_EQ(db.Scalar("select ToID || '/' || FromID || '/' || Updated from Messages where MessageID = 0"),
              "900100/100200/1");

    // Selecting the replied message again keeps its status and letter.
    m = Inbox();
    ASSERT_TRUE(center.MarkRead(m));
    EXPECT_EQ(MessageCenter::StatusLetter(m.status), "<");
    EXPECT_EQ(db.Scalar("select ToStatus from Messages where MessageID = 5"), "2");

    ASSERT_TRUE(center.Delete(m));
    EXPECT_EQ(db.Scalar("select ToStatus from Messages where MessageID = 5"), "9");
    std::vector<MessageItem> items;
    ASSERT_TRUE(center.LoadInbox(100200, items));
    EXPECT_TRUE(items.empty());
}

TEST_F(MessageCenterTest, ANewMessageCannotBeDeletedUnread)
{
    MessageItem m = Inbox();
    ASSERT_TRUE(center.Delete(m));
    EXPECT_EQ(db.Scalar("select ToStatus from Messages where MessageID = 5"), "0");
}

TEST_F(MessageCenterTest, AFailedReplyMarksNothing)
{
    MessageItem m = Inbox();
    ASSERT_TRUE(center.MarkRead(m));
    ASSERT_TRUE(RawExec("create trigger refuse before insert on Messages begin select raise(abort, 'no'); end"));
    EXPECT_FALSE(center.Reply(m, "Yes"));
    EXPECT_EQ(m.status, 1);
    EXPECT_EQ(db.Scalar("select ToStatus from Messages where MessageID = 5"), "1");
}

class QuickRepliesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = temp.Dir();
        fs::create_directories(root / "data");
        fs::create_directories(root / "kit");
    }
    std::string FileText() { return zevtest::ReadFile(root / "data" / "replies.txt"); }

    zevtest::TempDir temp{"zevreplies"};
    fs::path root;
};

TEST_F(QuickRepliesTest, DefaultsWhenTheDistributorShipsNone)
{
    QuickReplies replies((root / "data").string(), (root / "kit").string());
    replies.Load();
    EXPECT_EQ(replies.Items(), (std::vector<std::string>{"Yes", "No", "Call Me", "I Will Call You"}));
    EXPECT_EQ(FileText(), "Yes\r\nNo\r\nCall Me\r\nI Will Call You\r\n");

    // Equal to an existing reply: nothing added; a new one is one CR LF line.
    EXPECT_FALSE(replies.Add("Call Me"));
    EXPECT_TRUE(replies.Add("On my way"));
    EXPECT_FALSE(replies.Add("two\r\nlines"));
    EXPECT_EQ(FileText(), "Yes\r\nNo\r\nCall Me\r\nI Will Call You\r\nOn my way\r\n");

    QuickReplies again((root / "data").string(), (root / "kit").string());
    again.Load();
    EXPECT_EQ(again.Items().back(), "On my way");
}

TEST_F(QuickRepliesTest, SeededFromTheDistributorsFileWhichStaysUntouched)
{
    {
        std::ofstream kit(root / "kit" / "replies.txt", std::ios::binary);
        kit << "Delivered\r\nBack Friday\r\n";
    }
    QuickReplies replies((root / "data").string(), (root / "kit").string());
    replies.Load();
    EXPECT_EQ(replies.Items(), (std::vector<std::string>{"Delivered", "Back Friday"}));
    EXPECT_TRUE(replies.Add("Thanks"));
    std::ifstream kit(root / "kit" / "replies.txt", std::ios::binary);
    std::stringstream s;
    s << kit.rdbuf();
    EXPECT_EQ(s.str(), "Delivered\r\nBack Friday\r\n");
}

TEST_F(QuickRepliesTest, AnUnwritableFolderStillOffersTheDefaults)
{
    QuickReplies replies((root / "missing" / "deeper").string(), (root / "kit").string());
    replies.Load();
    EXPECT_EQ(replies.Items().size(), 4u);
    EXPECT_FALSE(replies.Add("Thanks"));
}

} // namespace
