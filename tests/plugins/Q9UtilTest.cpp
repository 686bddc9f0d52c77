#include "plugins/PluginApi.h"
#include "plugins/util/Q9Digest.h"
#include "tests/plugins/PluginLibrary.h"
#include "tests/plugins/TempFolder.h"

#include <cctype>
#include <cstring>
#include <ctime>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

class Q9UtilTest : public ::testing::Test {
protected:
    PluginLibrary lib{"Q9UTIL.so"};
    Q9HashFn hash = lib.Get<Q9HashFn>("Q9Hash");
    Q9HashFileFn hashFile = lib.Get<Q9HashFileFn>("Q9HashFile");
    Q9SetTimeFn setTime = lib.Get<Q9SetTimeFn>("Q9SetTime");
    Q9ConnectFn connect = lib.Get<Q9ConnectFn>("Q9Connect");
    Q9DisconnectFn disconnect = lib.Get<Q9DisconnectFn>("Q9Disconnect");
    Q9IsConnectedFn isConnected = lib.Get<Q9IsConnectedFn>("Q9IsConnected");
};

std::string Digest(Q9HashFn hash, const char* text)
{
    char out[Q9_DIGEST_LENGTH + 1] = {};
    EXPECT_EQ(hash(text, out, sizeof out), 1);
    return out;
}

TEST_F(Q9UtilTest, PasswordDigestIsStableHexAndSharedWithTheTools)
{
    const std::string a = Digest(hash, "demo1234");
    EXPECT_EQ(a.size(), 32u);
    for (char c : a)
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c)) && !std::isupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Digest(hash, "demo1234"), a);
    // The demo generator and the server store digests made by q9digest.
    EXPECT_EQ(q9::Q9Digest::Password("demo1234"), a);
    EXPECT_NE(Digest(hash, "demo1235"), a);
    EXPECT_NE(Digest(hash, "manager1"), a);
    EXPECT_EQ(Digest(hash, "").size(), 32u);
}

struct BufferCase {
    int size;
    int result;
    std::size_t digestBytes; // digest characters written
    bool terminated;
};

void PrintTo(const BufferCase& c, std::ostream* os) { *os << "size " << c.size; }

class HashBuffer : public Q9UtilTest, public ::testing::WithParamInterface<BufferCase> {};

// The settings screens pass 32: the digest must fill the field without a
// byte written past it.
TEST_P(HashBuffer, WritesNoMoreThanTheBufferSize)
{
    const auto& c = GetParam();
    std::vector<char> buf(80, '#');
    EXPECT_EQ(hash("demo1234", buf.data(), c.size), c.result);
    const std::string expected = q9::Q9Digest::Password("demo1234");
    EXPECT_EQ(std::string(buf.data(), c.digestBytes), expected.substr(0, c.digestBytes));
    std::size_t next = c.digestBytes;
    if (c.terminated) {
        EXPECT_EQ(buf[next++], '\0');
    }
    for (std::size_t i = std::max<std::size_t>(next, static_cast<std::size_t>(c.size)); i < buf.size(); ++i)
        ASSERT_EQ(buf[i], '#') << "byte " << i << " written past the buffer";
    if (c.result == 0 && c.size > 0) {
        EXPECT_EQ(buf[0], '\0');
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, HashBuffer,
                         ::testing::Values(BufferCase{33, 1, 32, true}, BufferCase{32, 1, 32, false},
                                           BufferCase{64, 1, 32, true}, BufferCase{31, 0, 0, false},
                                           BufferCase{0, 0, 0, false}));

TEST_F(Q9UtilTest, FileDigestFollowsTheContents)
{
    TempFolder dir;
    WriteBytes(dir / "a.txt", "abc");
    WriteBytes(dir / "b.txt", "abc");
    WriteBytes(dir / "c.txt", "abd");
    char a[33] = {}, b[33] = {}, c[33] = {};
    ASSERT_EQ(hashFile((dir / "a.txt").c_str(), a, sizeof a), 1);
    ASSERT_EQ(hashFile((dir / "b.txt").c_str(), b, sizeof b), 1);
    ASSERT_EQ(hashFile((dir / "c.txt").c_str(), c, sizeof c), 1);
    // First half of SHA-256("abc").
    EXPECT_STREQ(a, "ba7816bf8f01cfea414140de5dae2223");
    EXPECT_STREQ(a, b);
    EXPECT_STRNE(a, c);
    EXPECT_EQ(hashFile((dir / "missing").c_str(), a, sizeof a), 0);
    EXPECT_EQ(hash(nullptr, a, sizeof a), 0);
}

struct BadTime {
    int y, mo, d, h, mi, s;
};

void PrintTo(const BadTime& t, std::ostream* os)
{
    *os << t.y << "-" << t.mo << "-" << t.d << " " << t.h << ":" << t.mi << ":" << t.s;
}

class SetTimeRejects : public Q9UtilTest, public ::testing::WithParamInterface<BadTime> {};

// Refused before the clock is touched, whatever the process may do.
TEST_P(SetTimeRejects, ImpossibleValues)
{
    const auto& t = GetParam();
    EXPECT_EQ(setTime(t.y, t.mo, t.d, t.h, t.mi, t.s), 0);
}

INSTANTIATE_TEST_SUITE_P(Values, SetTimeRejects,
                         ::testing::Values(BadTime{2026, 2, 30, 10, 0, 0}, BadTime{2026, 13, 1, 0, 0, 0},
                                           BadTime{2026, 0, 1, 0, 0, 0}, BadTime{2026, 4, 31, 0, 0, 0},
                                           BadTime{1969, 12, 31, 0, 0, 0}, BadTime{2026, 1, 1, 24, 0, 0},
                                           BadTime{2026, 1, 1, 0, 60, 0}, BadTime{2026, 1, 1, 0, 0, -1}));

bool MaySetClock()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("CapEff:", 0) == 0) {
            const unsigned long long caps = std::stoull(line.substr(7), nullptr, 16);
            return (caps >> 25) & 1ULL; // CAP_SYS_TIME
        }
    }
    return true; // unknown: assume it may, and do not try
}

// Gives up CAP_SYS_TIME for the rest of this process.
void DropClockCapability()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return;
    data[0].effective &= ~(1u << CAP_SYS_TIME);
    data[0].permitted &= ~(1u << CAP_SYS_TIME);
    ::syscall(SYS_capset, &header, data);
}

// The refusal is checked in a child that has given up the capability first,
// so even a privileged test run never moves the clock: the child only calls
// Q9SetTime once it has confirmed it no longer may.
TEST_F(Q9UtilTest, SetTimeWithoutPermissionChangesNothing)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DropClockCapability();
        if (MaySetClock())
            ::_exit(77);
        const int result = setTime(2001, 1, 1, 0, 0, 0);
        ::_exit(result == 0 && std::time(nullptr) > 1700000000 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "could not give up CAP_SYS_TIME; the clock is left alone";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "Q9SetTime did not report the refusal";
}

// A stand-in nmcli that records its arguments, one per line, and keeps the
// connection state in a file.
class FakeNmcli : public Q9UtilTest {
protected:
    void SetUp() override
    {
        m_oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        ::setenv("FAKE_NMCLI_DIR", m_dir.Path().c_str(), 1);
    }
    void TearDown() override
    {
        disconnect();
        ::setenv("PATH", m_oldPath.c_str(), 1);
        ::unsetenv("FAKE_NMCLI_DIR");
    }
    void Install(int upStatus)
    {
        const std::string bin = m_dir / "bin";
        std::filesystem::create_directories(bin);
        const std::string script = bin + "/nmcli";
        WriteBytes(script, "#!/bin/sh\n"
                           "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$FAKE_NMCLI_DIR/args\"; done\n"
                           "echo -- >> \"$FAKE_NMCLI_DIR/args\"\n"
                           "case \"$*\" in\n"
                           "*'connection up'*) [ " +
                               std::to_string(upStatus) + " = 0 ] && touch \"$FAKE_NMCLI_DIR/up\"; exit " +
                               std::to_string(upStatus) +
                               " ;;\n"
                               "*'connection down'*) rm -f \"$FAKE_NMCLI_DIR/up\"; exit 0 ;;\n"
                               "*GENERAL.STATE*) [ -f \"$FAKE_NMCLI_DIR/up\" ] && echo activated; exit 0 ;;\n"
                               "esac\nexit 1\n");
        ::chmod(script.c_str(), 0755);
        ::setenv("PATH", (bin + ":" + m_oldPath).c_str(), 1);
    }
    std::string Args() const { return ReadBytes(m_dir / "args"); }

    TempFolder m_dir;
    std::string m_oldPath;
};

TEST_F(FakeNmcli, WithoutNetworkManagerConnectFailsCleanly)
{
    ::setenv("PATH", m_dir.Path().c_str(), 1); // an empty folder: no nmcli
    EXPECT_EQ(connect("Office", nullptr), 2);
    EXPECT_EQ(isConnected(), 0);
    EXPECT_EQ(disconnect(), 1);
    EXPECT_EQ(connect("", nullptr), 1);
    EXPECT_EQ(connect(nullptr, nullptr), 1);
}

TEST_F(FakeNmcli, TheNameReachesNmcliAsOneArgumentUntouchedByAnyShell)
{
    Install(0);
    const char* name = "Dial-up; touch /tmp/zev-pwned 'x' $(id)";
    ASSERT_EQ(connect(name, nullptr), 0);
    EXPECT_EQ(isConnected(), 1) << Args();
    EXPECT_NE(Args().find("connection\nup\nid\n" + std::string(name) + "\n--\n"), std::string::npos) << Args();
    EXPECT_EQ(disconnect(), 1);
    EXPECT_EQ(isConnected(), 0);
    EXPECT_NE(Args().find("connection\ndown\nid\n" + std::string(name) + "\n"), std::string::npos);
}

TEST_F(FakeNmcli, ARefusedConnectionIsReportedAndNotConsideredOpen)
{
    Install(4);
    EXPECT_EQ(connect("Office", nullptr), 3);
    EXPECT_EQ(isConnected(), 0);
}

} // namespace
