#include "SyncFakes.h"

#include "sync/SyncEngine.h"

#include <gtest/gtest.h>

using namespace zev;
using namespace zev::sync;
using namespace zev::sync::test;

class SyncEngineTest : public ::testing::Test {
protected:
    FakeWorld w;
    SyncEngine engine{w.Services(nullptr)};
};

TEST_F(SyncEngineTest, PostsWithBothHostsAndDefaultPort)
{
    w.settings.values["GENERAL/BACKUPHOST"] = "";
    w.transport.replies.push_back({0, "1\r\n"});
    ASSERT_TRUE(engine.ServerRequest("/MobileServer/v1/x.cfm", "a=1"));
    ASSERT_EQ(w.transport.requests.size(), 1u);
    const auto& r = w.transport.requests[0];
    EXPECT_EQ(r.host, "primary.example");
    EXPECT_EQ(r.backup, "");
    EXPECT_EQ(r.port, 80);
    EXPECT_EQ(r.timeout, 180000);
    EXPECT_TRUE(r.window);
    EXPECT_EQ(engine.ReadReplyLine(), "1");
}

TEST_F(SyncEngineTest, SettingsAreReadAfreshAtEveryExchange)
{
    w.transport.replies = {{0, ""}, {0, ""}};
    ASSERT_TRUE(engine.ServerRequest("/p", ""));
    w.settings.values["GENERAL/PORT"] = "8080";
    w.settings.values["GENERAL/DEFAULTHOST"] = "other.example";
    ASSERT_TRUE(engine.ServerRequest("/p", ""));
    EXPECT_EQ(w.transport.requests[1].port, 8080);
    EXPECT_EQ(w.transport.requests[1].host, "other.example");
}

TEST_F(SyncEngineTest, TransportFailureIsReported)
{
    w.transport.replies.push_back({2, ""});
    EXPECT_FALSE(engine.ServerRequest("/p", ""));
}

TEST_F(SyncEngineTest, ReplyLineDropsLineEndsAndMissingFileGivesEmpty)
{
    WriteFile(w.transport.replyFile, " 1 \r\nsecond\n");
    EXPECT_EQ(engine.ReadReplyLine(), " 1 ");
    std::filesystem::remove(w.transport.replyFile);
    EXPECT_EQ(engine.ReadReplyLine(), "");
}

TEST_F(SyncEngineTest, ServerErrorShowsTextOrTheUnspecifiedMessage)
{
    engine.ShowServerError("<ERROR>Bad password</ERROR>");
    ASSERT_EQ(w.box.Texts().size(), 1u);
    EXPECT_EQ(w.box.Texts()[0], "Bad password");
    EXPECT_EQ(w.box.Captions()[0], 65099);
    engine.ShowServerError("<ERROR></ERROR>");
    engine.ShowServerError("<ERROR>no close");
    EXPECT_EQ(w.box.TextIds(), (std::vector<int>{0, 65094, 65094}));
}

TEST_F(SyncEngineTest, ProgressFormatsPlaceholdersAndPercent)
{
    engine.ReportProgress("%d of %d", 50, 5);
    ASSERT_EQ(w.sink.steps.size(), 1u);
    EXPECT_EQ(w.sink.steps[0], std::make_pair(10, std::string("5 of 50")));
}

TEST_F(SyncEngineTest, EnsureConnectedAsksOnlyWhenNothingAnswers)
{
    EXPECT_EQ(engine.EnsureConnected(), 1);
    EXPECT_TRUE(w.box.TextIds().empty());
    w.isConnected = 0; // no dial-up, no route, empty PINGHOST
    w.box.answers = {MbResult::Cancel, MbResult::No, MbResult::Yes};
    EXPECT_EQ(engine.EnsureConnected(), 0);
    EXPECT_EQ(engine.EnsureConnected(), 1);
    EXPECT_EQ(engine.EnsureConnected(), 2);
    EXPECT_EQ(w.box.TextIds(), (std::vector<int>{65095, 65095, 65095}));
    EXPECT_EQ(w.connects, 1);
    EXPECT_EQ(w.sink.steps.back().second, "Connected");
}

TEST_F(SyncEngineTest, PasswordChangeComparesDigestWithoutCaseAndClosesDialUp)
{
    w.isConnected = 0;
    w.box.answers = {MbResult::Yes, MbResult::Yes};
    w.transport.replies = {{0, "ABCDEF\r\n"}, {0, "nope"}};
    EXPECT_EQ(engine.ChangeServerPassword("abcdef"), 1);
    EXPECT_EQ(engine.ChangeServerPassword("abcdef"), 0);
    EXPECT_EQ(w.disconnects, 2);
    EXPECT_EQ(w.transport.requests[0].path,
              "/MobileServer/v1/UpdatePassword.cfm?P=0123456789abcdef0123456789abcdef&cp=abcdef&ID=100200");
    EXPECT_FALSE(w.transport.requests[0].window);
}

TEST_F(SyncEngineTest, ErrorLogAppendsLinesWithCrLf)
{
    engine.LogSyncError("one");
    engine.LogSyncError("two");
    EXPECT_EQ(ReadFile(w.dir.File("Temp/$q9err.txt")), "one\r\ntwo\r\n");
}

TEST(PingHost, UnresolvableOrEmptyHostGivesZero)
{
    std::string name = "x";
    EXPECT_EQ(SyncEngine::PingHost("", 32, 100, &name, nullptr), 0);
    EXPECT_EQ(name, "");
    EXPECT_EQ(SyncEngine::PingHost("no-such-host.invalid", 32, 100, nullptr, nullptr), 0);
}
