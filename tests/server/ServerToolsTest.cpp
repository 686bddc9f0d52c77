// Runs zevserver and zevdemo as the other engineers' tests do: separate processes on a loopback port.
#include "TableReader.h"
#include "server/DigestLibrary.h"
#include "server/SqlDatabase.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <httplib.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

unsigned Mode(const std::filesystem::path& p)
{
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0xFFFF;
}

int RunCommand(const std::string& command)
{
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A zevserver child process; stopped with SIGTERM.
class ServerProcess {
public:
    explicit ServerProcess(const std::vector<std::string>& args)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv;
            std::string exe = std::string(ZEV_BINARY_DIR) + "/zevserver";
            argv.push_back(exe.data());
            std::vector<std::string> copy = args;
            for (std::string& a : copy)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(exe.c_str(), argv.data());
            _exit(127);
        }
        close(out[1]);
        // The first line tells the port; nothing else is read, so no timing is involved.
        FILE* in = fdopen(out[0], "r");
        char line[256] = {};
        if (in && std::fgets(line, sizeof line, in))
            m_firstLine = line;
        if (in)
            std::fclose(in);
        unsigned port = 0;
        if (std::sscanf(m_firstLine.c_str(), "listening on 127.0.0.1:%u", &port) == 1)
            m_port = static_cast<int>(port);
    }
    ~ServerProcess() { Stop(); }
    int Port() const { return m_port; }
    const std::string& FirstLine() const { return m_firstLine; }
    // Exit code after SIGTERM, or -1 when the process did not end normally.
    int Stop()
    {
        if (m_pid <= 0)
            return m_exit;
        kill(m_pid, SIGTERM);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        m_exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return m_exit;
    }

private:
    pid_t m_pid = -1;
    int m_port = 0;
    int m_exit = -1;
    std::string m_firstLine;
};

std::string Q9Util() { return std::string(ZEV_BINARY_DIR) + "/Q9UTIL.so"; }

} // namespace

TEST(ServerTools, ServerPrintsItsPortServesAndStopsOnSigterm)
{
    const zevtest::TempDir temp("zevtools-plain");
    const std::filesystem::path dir = temp.Dir();
    ServerProcess server(
        {"--port", "0", "--data", dir.string(), "--schema", ZEV_TEST_SOURCE_DIR "/data/TestSchema.ini"});
    ASSERT_GT(server.Port(), 0) << server.FirstLine();
    httplib::Client client("127.0.0.1", server.Port());
    auto result = client.Post("/MobileServer/v1/goodmorning.cfm?ID=1&P=2", "", "text/plain");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->body.rfind("<ERROR>", 0), 0u);
    EXPECT_EQ(server.Stop(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "server.db"));
    EXPECT_TRUE(std::filesystem::exists(dir / "request.log"));
}

// server.db holds the password digests: the data folder and its files are
// owner-only, whether the server makes them or finds them too open.
TEST(ServerTools, DataFolderAndFilesAreOwnerOnly)
{
    const zevtest::TempDir temp("zevtools-private");
    const std::filesystem::path top = temp.Dir();
    for (const std::filesystem::path& data : {top / "new" / "data", top / "old"}) {
        if (data == top / "old") {
            std::filesystem::create_directories(data);
            ::chmod(data.c_str(), 0755);
            std::ofstream(data / "request.log") << "earlier\n";
            ::chmod((data / "request.log").c_str(), 0644);
        }
        ServerProcess server({"--port", "0", "--data", data.string()});
        ASSERT_GT(server.Port(), 0) << server.FirstLine();
        EXPECT_EQ(server.Stop(), 0);
        EXPECT_EQ(Mode(data), 0700u) << data;
        EXPECT_EQ(Mode(data / "server.db"), 0600u) << data;
        EXPECT_EQ(Mode(data / "request.log"), 0600u) << data;
    }
}

TEST(ServerTools, BadOptionsAreRefused)
{
    std::string exe = std::string(ZEV_BINARY_DIR) + "/zevserver";
    EXPECT_EQ(RunCommand(exe + " --port 99999 >/dev/null 2>&1"), 2);
    EXPECT_EQ(RunCommand(exe + " --cert only.pem >/dev/null 2>&1"), 2);
    EXPECT_EQ(RunCommand(exe + " --bogus 1 >/dev/null 2>&1"), 2);
    EXPECT_EQ(RunCommand(std::string(ZEV_BINARY_DIR) + "/zevdemo >/dev/null 2>&1"), 2);
}

// One demo database for the suite: generating it is the slow part.
class DemoData : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!std::filesystem::exists(Q9Util()))
            return;
        m_temp = new zevtest::TempDir("zevtools-demo");
        m_dir = m_temp->Dir();
        m_generated = RunCommand(Demo() + m_dir.string() + " >/dev/null") == 0;
    }
    static void TearDownTestSuite()
    {
        delete m_temp;
        m_temp = nullptr;
    }
    void SetUp() override
    {
        if (!std::filesystem::exists(Q9Util()))
            GTEST_SKIP() << "Q9UTIL.so not built";
        ASSERT_TRUE(m_generated);
    }
    static std::string Demo() { return std::string(ZEV_BINARY_DIR) + "/zevdemo --today 2026-03-04 --seed 7 --data "; }

    static zevtest::TempDir* m_temp;
    static std::filesystem::path m_dir;
    static bool m_generated;
};

zevtest::TempDir* DemoData::m_temp = nullptr;
std::filesystem::path DemoData::m_dir;
bool DemoData::m_generated = false;

TEST_F(DemoData, ServesTheDemoRepresentatives)
{
    std::string error;
    auto digests = zev::server::DigestLibrary::Load(Q9Util(), error);
    ASSERT_TRUE(digests) << error;
    std::string digest = digests->Digest("demo1234");
    ASSERT_EQ(digest.size(), 32u);

    ServerProcess server({"--port", "0", "--data", m_dir.string()});
    ASSERT_GT(server.Port(), 0) << server.FirstLine();
    httplib::Client client("127.0.0.1", server.Port());
    auto grab = [&](const std::string& id, const std::string& p, const std::string& table) {
        auto r = client.Post(("/MobileServer/v1/grabdata.cfm?ID=" + id + "&P=" + p + "&Tablenames=" + table).c_str(),
                             "", "text/plain");
        return r ? ReadTableText(r->body) : ReadTable{};
    };
    ReadTable accounts = grab("100200", digest, "Accounts");
    EXPECT_EQ(accounts.name, "Accounts");
    EXPECT_EQ(static_cast<long>(accounts.rows.size()), accounts.announced);
    EXPECT_EQ(accounts.rows.size(), 60u);
    // Accounts on the itinerary every day exist, so any day's list has calls.
    size_t appt = 0;
    while (appt < accounts.columns.size() && accounts.columns[appt] != "ApptDays")
        ++appt;
    ASSERT_LT(appt, accounts.columns.size());
    EXPECT_TRUE(std::any_of(accounts.rows.begin(), accounts.rows.end(),
                            [&](const auto& row) { return row[appt] == "YYYYYYY"; }));
    ReadTable items = grab("100200", digest, "Items");
    EXPECT_EQ(items.rows.size(), 2400u);
    EXPECT_EQ(items.skipped, 0);
    EXPECT_GT(grab("100200", digest, "PricingScheme").rows.size(), 2400u);
    EXPECT_EQ(grab("100300", digest, "Accounts").rows.size(), 60u);
    std::string manager = digests->Digest("manager1");
    EXPECT_EQ(grab("900100", manager, "Accounts").rows.size(), 120u);
    EXPECT_EQ(grab("900100", manager, "ManagerReps").rows.size(), 2u);
    EXPECT_EQ(grab("100200", digest, "ManagerReps").rows.size(), 0u);
    EXPECT_EQ(grab("100200", digests->Digest("wrong"), "Accounts").name.rfind("<ERROR>", 0), 0u);
    EXPECT_EQ(server.Stop(), 0);
}

TEST_F(DemoData, IsTheSameForTheSameSeedAndDay)
{
    const zevtest::TempDir temp("zevtools-seed-again");
    const std::filesystem::path again = temp.Dir();
    ASSERT_EQ(RunCommand(Demo() + again.string() + " >/dev/null"), 0);
    auto dump = [](const std::filesystem::path& dir, const char* table, const char* key) {
        std::string out;
        zev::server::SqlDatabase db((dir / "server.db").string());
        auto stmt = db.Prepare(std::string("select * from ") + table + " order by " + key);
        while (stmt.Step())
            for (int i = 0; i < stmt.ColumnCount(); ++i)
                if (stmt.ColumnName(i) != "zev_stamp")
                    out += stmt.Text(i) + "|";
        return out;
    };
    for (auto [table, key] : {std::pair{"Items", "ItemID"}, std::pair{"Accounts", "AccountID"},
                              std::pair{"OrderHistoryItems", "OrderNumber, LineNumber"}}) {
        std::string first = dump(m_dir, table, key);
        EXPECT_FALSE(first.empty()) << table;
        EXPECT_TRUE(first == dump(again, table, key)) << table << " differs";
    }
}
