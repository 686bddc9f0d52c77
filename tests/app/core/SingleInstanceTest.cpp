#include "app/core/SingleInstance.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <sys/stat.h>

using namespace zev;

namespace {

TEST(SingleInstance, SecondAcquirerFailsWhileTheFirstHolds)
{
    TempDir dir;
    SingleInstance first("/opt/zev/ZevSatchel", dir.Path());
    SingleInstance second("/opt/zev/ZevSatchel", dir.Path());
    SingleInstance other("/opt/other/ZevSatchel", dir.Path());
    ASSERT_TRUE(first.TryAcquire());
    EXPECT_FALSE(second.TryAcquire());
    EXPECT_TRUE(other.TryAcquire()); // keyed by the program's path
    struct stat st {};
    ASSERT_EQ(::stat(first.LockPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST(SingleInstance, LockIsFreedWhenTheFirstEnds)
{
    TempDir dir;
    {
        SingleInstance first("/opt/zev/ZevSatchel", dir.Path());
        ASSERT_EQ(first.Start(), SingleInstance::Outcome::First);
    }
    SingleInstance next("/opt/zev/ZevSatchel", dir.Path());
    EXPECT_EQ(next.Start(), SingleInstance::Outcome::First);
}

TEST(SingleInstance, SecondStartAsksTheFirstToComeForward)
{
    TempDir dir;
    SingleInstance first("/opt/zev/ZevSatchel", dir.Path());
    ASSERT_EQ(first.Start(), SingleInstance::Outcome::First);
    ASSERT_GE(first.ListenFd(), 0);

    auto raised = std::async(std::launch::async, [&] { return first.WaitForRequest(5000); });
    SingleInstance second("/opt/zev/ZevSatchel", dir.Path());
    EXPECT_EQ(second.Start(3, 50), SingleInstance::Outcome::Forwarded);
    EXPECT_TRUE(raised.get());
    EXPECT_FALSE(second.IsFirst());
}

TEST(SingleInstance, NoAnswerWithinTheTriesStartsNormally)
{
    TempDir dir;
    SingleInstance first("/opt/zev/ZevSatchel", dir.Path());
    ASSERT_EQ(first.Start(), SingleInstance::Outcome::First);
    // The first never looks at its socket.
    SingleInstance second("/opt/zev/ZevSatchel", dir.Path());
    EXPECT_EQ(second.Start(2, 10), SingleInstance::Outcome::NoAnswer);
    EXPECT_TRUE(first.IsFirst());
}

TEST(SingleInstance, LongFolderNamesStillWork)
{
    TempDir dir;
    const std::string deep = dir.Path() + "/" + std::string(60, 'd') + "/" + std::string(60, 'e');
    std::filesystem::create_directories(deep);
    SingleInstance first("/opt/zev/ZevSatchel", deep);
    ASSERT_EQ(first.Start(), SingleInstance::Outcome::First);
    auto raised = std::async(std::launch::async, [&] { return first.WaitForRequest(5000); });
    SingleInstance second("/opt/zev/ZevSatchel", deep);
    EXPECT_EQ(second.Start(3, 50), SingleInstance::Outcome::Forwarded);
    EXPECT_TRUE(raised.get());
}

} // namespace
