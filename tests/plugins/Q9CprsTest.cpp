#include "plugins/PluginApi.h"
#include "tests/plugins/PluginLibrary.h"
#include "tests/plugins/TempFolder.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string RandomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    // Half random, half repetitive, like a database file.
    for (std::size_t i = 0; i < n; ++i)
        s[i] = (i / 4096) % 2 ? static_cast<char>(gen()) : static_cast<char>(i % 7);
    return s;
}

// Files left behind by an interrupted write (named "<target>.tmpXXXXXX").
int TemporaryFiles(const fs::path& dir)
{
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.path().filename().string().find(".tmp") != std::string::npos;
    return n;
}

class Q9CprsTest : public ::testing::Test {
protected:
    void SetUp() override { setDataDir(data.Path().c_str()); }
    void TearDown() override { setDataDir(""); }

    std::string Db() const { return data / "master.db"; }
    std::string Backup() const { return data / "master.db.gz"; }

    PluginLibrary lib{"Q9CPRS.so"};
    Q9CompressFn compress = lib.Get<Q9CompressFn>("Q9Compress");
    Q9UncompressFn uncompress = lib.Get<Q9UncompressFn>("Q9Uncompress");
    Q9SetDataDirFn setDataDir = lib.Get<Q9SetDataDirFn>("Q9SetDataDir");
    TempFolder data;
};

TEST_F(Q9CprsTest, BackupAndRestoreRoundTripByteForByte)
{
    const std::string original = RandomBytes(3 * 1024 * 1024 + 17, 1);
    WriteBytes(Db(), original);

    ASSERT_EQ(compress("master", 0), 1);
    ASSERT_TRUE(fs::exists(Backup()));
    EXPECT_LT(fs::file_size(Backup()), original.size());
    // gzip magic: the backup is a plain .gz any tool can open.
    EXPECT_EQ(ReadBytes(Backup()).substr(0, 2), "\x1f\x8b");

    WriteBytes(Db(), "damaged");
    ASSERT_EQ(uncompress("master", 0), 1);
    EXPECT_TRUE(ReadBytes(Db()) == original);
    EXPECT_EQ(TemporaryFiles(data.Path()), 0);
}

TEST_F(Q9CprsTest, APathIsUsedAsGivenAndAnEmptyFileRoundTrips)
{
    const std::string db = data / "other.sqlite";
    WriteBytes(db, "");
    ASSERT_EQ(compress(db.c_str(), 0), 1);
    EXPECT_TRUE(fs::exists(db + ".gz"));
    WriteBytes(db, "x");
    ASSERT_EQ(uncompress(db.c_str(), 0), 1);
    EXPECT_EQ(ReadBytes(db), "");
}

TEST_F(Q9CprsTest, AWriteAheadLogIsFoldedInBeforeTheBackup)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Db().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "pragma journal_mode=wal; pragma wal_autocheckpoint=0;"
                           "create table t(x); insert into t values (42);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_TRUE(fs::exists(Db() + "-wal"));
    // The row lives only in the log until the checkpoint.
    ASSERT_EQ(compress("master", 0), 1);
    sqlite3_close(db);

    fs::remove(Db());
    fs::remove(Db() + "-wal");
    fs::remove(Db() + "-shm");
    ASSERT_EQ(uncompress("master", 0), 1);
    ASSERT_EQ(sqlite3_open(Db().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "select x from t", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), 42);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

TEST_F(Q9CprsTest, ALogThatCannotBeFoldedInRefusesTheBackup)
{
    WriteBytes(Backup(), "previous backup");
    sqlite3* writer = nullptr;
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(Db().c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "pragma journal_mode=wal; pragma wal_autocheckpoint=0; create table t(x);", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_open(Db().c_str(), &reader), SQLITE_OK);
    // A reader holding a snapshot pins the log.
    ASSERT_EQ(sqlite3_exec(reader, "begin; select count(*) from t;", nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "insert into t values (1);", nullptr, nullptr, nullptr), SQLITE_OK);

    EXPECT_EQ(compress("master", 0), 0);
    EXPECT_EQ(ReadBytes(Backup()), "previous backup");

    sqlite3_exec(reader, "commit;", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
    sqlite3_close(writer);
}

// The database is a pipe the test feeds by hand, so the compression is
// killed while it is certainly half-way: the previous backup must survive.
TEST_F(Q9CprsTest, AKilledBackupLeavesThePreviousBackupIntact)
{
    const std::string previous = RandomBytes(100000, 2);
    WriteBytes(Db(), previous);
    ASSERT_EQ(compress("master", 0), 1);
    const std::string previousBackup = ReadBytes(Backup());

    fs::remove(Db());
    ASSERT_EQ(::mkfifo(Db().c_str(), 0600), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(compress("master", 0) == 1 ? 0 : 1);

    const int fd = ::open(Db().c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const std::string half = RandomBytes(2 * 1024 * 1024, 3);
    ASSERT_EQ(::write(fd, half.data(), half.size()), static_cast<ssize_t>(half.size()));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(fd);
    ASSERT_TRUE(WIFSIGNALED(status));

    EXPECT_TRUE(ReadBytes(Backup()) == previousBackup);
    fs::remove(Db());
    ASSERT_EQ(uncompress("master", 0), 1);
    EXPECT_TRUE(ReadBytes(Db()) == previous);
    // The next backup clears what the killed one left behind.
    EXPECT_EQ(TemporaryFiles(data.Path()), 1);
    ASSERT_EQ(compress("master", 0), 1);
    EXPECT_EQ(TemporaryFiles(data.Path()), 0);
}

struct Damage {
    const char* name;
    void (*apply)(const std::string& backup);
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class DamagedBackup : public Q9CprsTest, public ::testing::WithParamInterface<Damage> {};

// A restore from a bad copy must not replace a database that still works.
TEST_P(DamagedBackup, IsRefusedAndTheDatabaseKept)
{
    WriteBytes(Db(), RandomBytes(300000, 4));
    ASSERT_EQ(compress("master", 0), 1);
    GetParam().apply(Backup());
    WriteBytes(Db(), "current database");

    EXPECT_EQ(uncompress("master", 0), 0);
    EXPECT_EQ(ReadBytes(Db()), "current database");
    EXPECT_EQ(TemporaryFiles(data.Path()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamagedBackup,
    ::testing::Values(Damage{"Truncated", [](const std::string& b) { fs::resize_file(b, fs::file_size(b) / 2); }},
                      Damage{"TrailerCut", [](const std::string& b) { fs::resize_file(b, fs::file_size(b) - 4); }},
                      Damage{"FlippedByte",
                             [](const std::string& b) {
                                 std::string s = ReadBytes(b);
                                 s[s.size() / 2] = static_cast<char>(s[s.size() / 2] ^ 0x5a);
                                 WriteBytes(b, s);
                             }},
                      Damage{"NotGzip",
                             [](const std::string& b) { WriteBytes(b, "SQLite format 3 but not compressed"); }},
                      Damage{"Missing", [](const std::string& b) { fs::remove(b); }}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Q9CprsTest, RestoreRemovesStaleLogsBesideTheDatabase)
{
    WriteBytes(Db(), "good");
    ASSERT_EQ(compress("master", 0), 1);
    for (const char* side : {"-wal", "-shm", "-journal"})
        WriteBytes(Db() + side, "stale");
    ASSERT_EQ(uncompress("master", 0), 1);
    EXPECT_EQ(ReadBytes(Db()), "good");
    for (const char* side : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(fs::exists(Db() + side)) << side;
}

TEST_F(Q9CprsTest, AMissingDatabaseLeavesThePreviousBackup)
{
    WriteBytes(Backup(), "previous backup");
    EXPECT_EQ(compress("master", 0), 0);
    EXPECT_EQ(compress(nullptr, 0), 0);
    EXPECT_EQ(ReadBytes(Backup()), "previous backup");
}

} // namespace
