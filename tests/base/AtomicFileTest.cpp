#include "base/AtomicFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

int Entries(const std::string& folder)
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder))
        ++n;
    return n;
}

TEST(AtomicFileTest, ReplacesWholeOrLeavesTheOldFile)
{
    zevtest::TempDir dir;
    const std::string target = dir.File("profile.ini");
    zevtest::WriteFile(target, "old");

    // Written and committed: the new contents, no temporary file left.
    ASSERT_TRUE(zev::WriteFileAtomically(target, "new contents", 0640));
    EXPECT_EQ(zevtest::ReadFile(target), "new contents");
    EXPECT_EQ(Entries(dir.Path()), 1);
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A writer that never commits (killed, or failed half-way) leaves the
    // target as it was and its temporary file goes with it.
    {
        zev::AtomicFile writer(target);
        ASSERT_TRUE(writer.Open());
        ASSERT_TRUE(writer.Write("partial", 7));
        EXPECT_EQ(Entries(dir.Path()), 2);
    }
    EXPECT_EQ(zevtest::ReadFile(target), "new contents");
    EXPECT_EQ(Entries(dir.Path()), 1);
}

TEST(AtomicFileTest, StaleTemporaryFilesOfAKilledWriterAreRemoved)
{
    zevtest::TempDir dir;
    const std::string target = dir.File("reply.txt");
    zevtest::WriteFile(target + ".tmpAbC123", "left by a killed writer");
    zevtest::WriteFile(target + ".tmp-x", "not ours: the name does not fit");
    zevtest::WriteFile(dir.File("other.txt.tmpAbC123"), "another target's");
    zev::AtomicFile::RemoveStale(target);
    EXPECT_FALSE(fs::exists(target + ".tmpAbC123"));
    EXPECT_TRUE(fs::exists(target + ".tmp-x"));
    EXPECT_TRUE(fs::exists(dir.File("other.txt.tmpAbC123")));
}

TEST(AtomicFileTest, FailuresAreReportedWithWhatFailed)
{
    std::string error;
    EXPECT_FALSE(zev::WriteFileAtomically("/nonexistent-folder/x.ini", "data", 0600, &error));
    EXPECT_NE(error.find("/nonexistent-folder/x.ini"), std::string::npos) << error;

    zev::AtomicFile unopened("/tmp/never-opened");
    EXPECT_FALSE(unopened.Write("x", 1));
    EXPECT_FALSE(unopened.Commit());

    std::string contents = "unchanged";
    EXPECT_FALSE(zev::ReadWholeFile("/nonexistent-folder/x.ini", contents));
    EXPECT_EQ(contents, "unchanged");
}

} // namespace
