#include "base/ProgressSink.h"
#include "plugins/PluginApi.h"
#include "plugins/inet/HttpPoster.h"
#include "plugins/inet/RouteTable.h"
#include "tests/plugins/PluginLibrary.h"
#include "tests/plugins/TempFolder.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <httplib.h>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A loopback port nobody listens on: bound, read, released.
int ClosedPort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    const bool bound = ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
                       ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0;
    ::close(s);
    // Port 0 (no port found) makes the caller's connection fail as well.
    return bound ? ntohs(a.sin_port) : 0;
}

// A test server on 127.0.0.1 and a free port, running until destroyed.
class TestServer {
public:
    explicit TestServer(std::unique_ptr<httplib::Server> server = std::make_unique<httplib::Server>())
        : m_server(std::move(server))
    {
    }
    ~TestServer() { Stop(); }
    httplib::Server& operator*() { return *m_server; }
    httplib::Server* operator->() { return m_server.get(); }

    int Start()
    {
        m_port = m_server->bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server->listen_after_bind(); });
        while (!m_server->is_running())
            std::this_thread::yield();
        return m_port;
    }
    void Stop()
    {
        if (m_thread.joinable()) {
            m_server->stop();
            m_thread.join();
        }
    }
    int Port() const { return m_port; }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
};

class RecordingSink final : public zev::IProgressSink {
public:
    void Report(int percent, const std::string& text) override
    {
        percents.push_back(percent);
        texts.push_back(text);
    }
    std::vector<int> percents;
    std::vector<std::string> texts;
};

class Q9InetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setDataDir(data.Path().c_str());
        ::unsetenv("ZEV_CA_FILE");
    }
    void TearDown() override
    {
        setDataDir("");
        ::unsetenv("ZEV_CA_FILE");
    }
    std::string ReplyFile() const { return data / "Temp/$dltemp.txt"; }
    int Post(const std::string& host, const std::string& backup, const char* path, const char* body, int timeoutMs,
             int port, zev::IProgressSink* sink = nullptr)
    {
        return post(host.c_str(), backup.c_str(), path, body, timeoutMs, sink, port);
    }

    PluginLibrary lib{"Q9INET.so"};
    PostDataT2Fn post = lib.Get<PostDataT2Fn>("PostDataT2");
    Q9TestConnectionFn testConnection = lib.Get<Q9TestConnectionFn>("Q9TestConnection");
    Q9SetDataDirFn setDataDir = lib.Get<Q9SetDataDirFn>("Q9SetDataDir");
    TempFolder data;
};

TEST_F(Q9InetTest, PostsTheFormBodyAsGivenAndLeavesTheReplyInTheReplyFile)
{
    TestServer server;
    std::string seenBody, seenType, seenId, seenPath;
    server->Post("/MobileServer/v1/goodmorning.cfm", [&](const httplib::Request& req, httplib::Response& res) {
        seenBody = req.body;
        seenType = req.get_header_value("Content-Type");
        seenId = req.get_param_value("ID");
        seenPath = req.path;
        res.set_content("<OK>\r\n2026-12-08 05:00:00\r\n", "text/plain");
    });
    const int port = server.Start();

    const char* body = "A=100200&B=O%27Brien+%26+Sons&C=caf\xc3\xa9";
    ASSERT_EQ(Post("127.0.0.1", "", "/MobileServer/v1/goodmorning.cfm?ID=100200&P=abc", body, 5000, port), Q9POST_OK);
    EXPECT_EQ(seenBody, body);
    EXPECT_EQ(seenType, "application/x-www-form-urlencoded");
    EXPECT_EQ(seenId, "100200");
    EXPECT_EQ(ReadBytes(ReplyFile()), "<OK>\r\n2026-12-08 05:00:00\r\n");
    // An empty body (the password change) is a valid request too.
    ASSERT_EQ(post("http://127.0.0.1", nullptr, "/MobileServer/v1/goodmorning.cfm", nullptr, 5000, nullptr, port),
              Q9POST_OK);
    EXPECT_EQ(seenBody, "");
}

// The post into a file of the caller's: two at once on two threads (the
// server answers each only once both are in), each reply in its own file, an
// old file at either name gone, and the one reply file left alone.
TEST_F(Q9InetTest, PostsIntoTheCallersFileBesideAnotherPost)
{
    auto postToFile = lib.Get<Q9PostToFileFn>("Q9PostToFile");
    ASSERT_NE(postToFile, nullptr);
    TestServer server;
    std::mutex m;
    std::condition_variable cv;
    int arrived = 0;
    server->Post("/t", [&](const httplib::Request& req, httplib::Response& res) {
        std::unique_lock lock(m);
        ++arrived;
        cv.notify_all();
        bool both = cv.wait_for(lock, std::chrono::seconds(10), [&] { return arrived == 2; });
        res.set_content(req.get_param_value("n") + (both ? " together" : " alone"), "text/plain");
    });
    const int port = server.Start();
    fs::create_directories(data / "Temp");
    WriteBytes(ReplyFile(), "an older exchange");
    const std::string a = data / "a.txt";
    const std::string b = data / "b.txt";
    WriteBytes(b, "stale");
    int ra = -1;
    std::thread other(
        [&] { ra = postToFile("127.0.0.1", "", "/t?n=a", "", 15000, nullptr, port, a.c_str(), nullptr); });
    const int rb = postToFile("127.0.0.1", "", "/t?n=b", "x=1", 15000, nullptr, port, b.c_str(), nullptr);
    other.join();
    EXPECT_EQ(ra, Q9POST_OK);
    EXPECT_EQ(rb, Q9POST_OK);
    EXPECT_EQ(ReadBytes(a), "a together");
    EXPECT_EQ(ReadBytes(b), "b together");
    EXPECT_EQ(ReadBytes(ReplyFile()), "an older exchange");
    // Without a file to post into nothing is sent.
    EXPECT_EQ(postToFile("127.0.0.1", "", "/t?n=c", "", 1000, nullptr, port, "", nullptr), Q9POST_BAD_ARGUMENTS);
    EXPECT_EQ(postToFile("127.0.0.1", "", "/t?n=c", "", 1000, nullptr, port, nullptr, nullptr), Q9POST_BAD_ARGUMENTS);
    EXPECT_EQ(arrived, 2);
}

// A post told to stop ends as a broken exchange and leaves no file, while
// the server is still sending.
TEST_F(Q9InetTest, APostIntoAFileStopsWhenAskedAndLeavesNoFile)
{
    auto postToFile = lib.Get<Q9PostToFileFn>("Q9PostToFile");
    ASSERT_NE(postToFile, nullptr);
    TestServer server;
    std::atomic<bool> release{false};
    std::atomic<bool> started{false};
    server->Post("/slow", [&](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain", [&](size_t offset, httplib::DataSink& sink) {
            if (offset == 0) {
                started = true;
                return sink.write("part", 4);
            }
            // Holds the rest back until the caller has given up (10 s at most).
            for (int i = 0; i < 1000 && !release; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            sink.done();
            return true;
        });
    });
    const int port = server.Start();
    const std::string file = data / "c.txt";
    WriteBytes(file, "stale");
    int cancel = 0;
    std::thread stopper([&] {
        while (!started)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        __atomic_store_n(&cancel, 1, __ATOMIC_RELEASE);
    });
    const int result = postToFile("127.0.0.1", "", "/slow", "", 30000, nullptr, port, file.c_str(), &cancel);
    release = true;
    stopper.join();
    EXPECT_EQ(result, Q9POST_TRANSFER_FAILED);
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(Q9InetTest, TheBackupHostIsUsedWhenTheDefaultRefuses)
{
    TestServer backup;
    int hits = 0;
    backup->Post("/p", [&](const httplib::Request&, httplib::Response& res) {
        ++hits;
        res.set_content("from backup", "text/plain");
    });
    const int port = backup.Start();
    const std::string refusing = "127.0.0.1:" + std::to_string(ClosedPort());

    ASSERT_EQ(Post(refusing, "127.0.0.1", "/p", "x=1", 5000, port), Q9POST_OK);
    EXPECT_EQ(hits, 1);
    EXPECT_EQ(ReadBytes(ReplyFile()), "from backup");
    // An empty default host goes straight to the backup.
    ASSERT_EQ(Post("", "127.0.0.1", "/p", "x=1", 5000, port), Q9POST_OK);
    EXPECT_EQ(hits, 2);
}

TEST_F(Q9InetTest, NeitherHostReachableIsReportedAndNoOldReplyRemains)
{
    fs::create_directories(data / "Temp");
    WriteBytes(ReplyFile(), "<OK>\r\nan older exchange\r\n");
    const int port = ClosedPort();
    EXPECT_EQ(Post("127.0.0.1", "127.0.0.1", "/p", "x=1", 5000, port), Q9POST_UNREACHABLE);
    EXPECT_FALSE(fs::exists(ReplyFile()));
}

TEST_F(Q9InetTest, TheTimeOutIsHonouredAndADeliveredRequestIsNotRepeated)
{
    std::mutex m;
    std::condition_variable cv;
    bool release = false;
    std::atomic<bool> handlerDone{false};
    TestServer slow;
    slow->Post("/p", [&](const httplib::Request&, httplib::Response& res) {
        std::unique_lock<std::mutex> lock(m);
        cv.wait_for(lock, std::chrono::seconds(20), [&] { return release; });
        res.set_content("late", "text/plain");
        handlerDone = true;
    });
    const int port = slow.Start();
    TestServer backup;
    int backupHits = 0;
    backup->Post("/p", [&](const httplib::Request&, httplib::Response& res) {
        ++backupHits;
        res.set_content("backup", "text/plain");
    });
    const int backupPort = backup.Start();

    const int rc = Post("127.0.0.1:" + std::to_string(port), "127.0.0.1", "/p", "x=1", 300, backupPort);
    // The call came back while the server was still holding the request.
    EXPECT_FALSE(handlerDone);
    {
        std::lock_guard<std::mutex> lock(m);
        release = true;
    }
    cv.notify_all();
    EXPECT_EQ(rc, Q9POST_TIMED_OUT);
    EXPECT_EQ(backupHits, 0);
    EXPECT_FALSE(fs::exists(ReplyFile()));
}

TEST_F(Q9InetTest, AnHttpErrorIsAFailureWithoutAReplyFile)
{
    TestServer server;
    server->Post("/p", [](const httplib::Request&, httplib::Response& res) {
        res.status = 500;
        res.set_content("<html>Internal error</html>", "text/html");
    });
    const int port = server.Start();
    EXPECT_EQ(Post("127.0.0.1", "127.0.0.1", "/p", "", 5000, port), Q9POST_HTTP_ERROR);
    EXPECT_FALSE(fs::exists(ReplyFile()));
    EXPECT_EQ(Post("127.0.0.1", "", "/missing", "", 5000, port), Q9POST_HTTP_ERROR);
}

TEST_F(Q9InetTest, ProgressReachesTheSinkInOrder)
{
    TestServer server;
    const std::string big(300000, 'r');
    server->Post("/p", [&](const httplib::Request&, httplib::Response& res) { res.set_content(big, "text/plain"); });
    const int port = server.Start();
    RecordingSink sink;
    ASSERT_EQ(Post("127.0.0.1", "", "/p", "x=1", 5000, port, &sink), Q9POST_OK);
    ASSERT_FALSE(sink.percents.empty());
    EXPECT_EQ(sink.percents.back(), 100);
    for (std::size_t i = 0; i < sink.percents.size(); ++i) {
        EXPECT_GE(sink.percents[i], 0);
        EXPECT_LE(sink.percents[i], 100);
        if (i > 0) {
            EXPECT_GE(sink.percents[i], sink.percents[i - 1]);
        }
    }
    EXPECT_EQ(ReadBytes(ReplyFile()).size(), big.size());
}

struct BadCall {
    const char* name;
    const char* host;
    const char* backup;
    const char* path;
    int port;
};

void PrintTo(const BadCall& c, std::ostream* os) { *os << c.name; }

class BadArguments : public Q9InetTest, public ::testing::WithParamInterface<BadCall> {};

TEST_P(BadArguments, AreRefusedWithoutAnyRequest)
{
    const auto& c = GetParam();
    EXPECT_EQ(post(c.host, c.backup, c.path, "", 1000, nullptr, c.port), Q9POST_BAD_ARGUMENTS);
}

INSTANTIATE_TEST_SUITE_P(Calls, BadArguments,
                         ::testing::Values(BadCall{"NoHosts", "", "", "/p", 80},
                                           BadCall{"NullHosts", nullptr, nullptr, "/p", 80},
                                           BadCall{"NullPath", "127.0.0.1", "", nullptr, 80},
                                           BadCall{"PortTooLarge", "127.0.0.1", "", "/p", 70000},
                                           BadCall{"NegativePort", "127.0.0.1", "", "/p", -1}),
                         [](const auto& p) { return std::string(p.param.name); });

// https with a certificate made for this run: trusted through ZEV_CA_FILE,
// refused without it.
TEST_F(Q9InetTest, HttpsIsVerifiedAgainstTheConfiguredAuthority)
{
    const std::string cert = data / "cert.pem";
    const std::string key = data / "key.pem";
    const std::string cmd = "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1"
                            " -addext subjectAltName=IP:127.0.0.1 -keyout '" +
                            key + "' -out '" + cert + "' >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0)
        GTEST_SKIP() << "openssl command not available";

    TestServer server(std::make_unique<httplib::SSLServer>(cert.c_str(), key.c_str()));
    std::string seenBody;
    server->Post("/p", [&](const httplib::Request& req, httplib::Response& res) {
        seenBody = req.body;
        res.set_content("secure", "text/plain");
    });
    const int port = server.Start();

    EXPECT_EQ(Post("https://127.0.0.1", "", "/p", "P=secret", 5000, port), Q9POST_CERT_UNTRUSTED);
    EXPECT_EQ(seenBody, "");
    ::setenv("ZEV_CA_FILE", cert.c_str(), 1);
    ASSERT_EQ(Post("https://127.0.0.1", "", "/p", "P=secret", 5000, port), Q9POST_OK);
    EXPECT_EQ(seenBody, "P=secret");
    EXPECT_EQ(ReadBytes(ReplyFile()), "secure");
}

// A server that does not speak TLS at all fails the handshake; that is told
// apart from a certificate that is not trusted.
TEST_F(Q9InetTest, AHandshakeWithAPlainServerFailsAsTls)
{
    TestServer server;
    bool seen = false;
    server->Post("/p", [&](const httplib::Request&, httplib::Response& res) {
        seen = true;
        res.set_content("plain", "text/plain");
    });
    const int port = server.Start();
    EXPECT_EQ(Post("https://127.0.0.1", "", "/p", "P=secret", 5000, port), Q9POST_TLS_FAILED);
    EXPECT_FALSE(seen);
}

TEST_F(Q9InetTest, TheNetworkTestCanBeForced)
{
    ::setenv("ZEV_NETWORK_USABLE", "0", 1);
    EXPECT_EQ(testConnection(0), 0);
    ::setenv("ZEV_NETWORK_USABLE", "1", 1);
    EXPECT_NE(testConnection(0), 0);
    ::unsetenv("ZEV_NETWORK_USABLE");
}

struct RouteCase {
    const char* name;
    const char* v4;
    const char* v6;
    bool usable;
};

void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }

class Routes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(Routes, ADefaultRouteOffLoopbackMeansUsable)
{
    const auto& c = GetParam();
    EXPECT_EQ(q9::RouteTable::HasDefaultRouteV4(c.v4) || q9::RouteTable::HasDefaultRouteV6(c.v6), c.usable);
}

constexpr const char* kHeader = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
const std::string kDefaultEth = std::string(kHeader) + "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                                                       "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
const std::string kLocalOnly = std::string(kHeader) + "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n";
const std::string kDefaultDown =
    std::string(kHeader) + "eth0\t00000000\t0101A8C0\t0002\t0\t0\t100\t00000000\t0\t0\t0\n";
const std::string kV6Default = "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                               "fe800000000000000000000000000001 "
                               "00000400 00000001 00000000 00000003 wlan0\n";
const std::string kV6LoopbackReject = "00000000000000000000000000000000 00 00000000000000000000000000000000 "
                                      "00 00000000000000000000000000000000 "
                                      "ffffffff 00000001 00000000 00200200       lo\n";

INSTANTIATE_TEST_SUITE_P(Tables, Routes,
                         ::testing::Values(RouteCase{"DefaultViaEthernet", kDefaultEth.c_str(), "", true},
                                           RouteCase{"OnlyTheLocalSubnet", kLocalOnly.c_str(), "", false},
                                           RouteCase{"DefaultRouteDown", kDefaultDown.c_str(), "", false},
                                           RouteCase{"Ipv6Default", kHeader, kV6Default.c_str(), true},
                                           RouteCase{"Ipv6RejectOnLoopback", kHeader, kV6LoopbackReject.c_str(), false},
                                           RouteCase{"Nothing", "", "", false}),
                         [](const auto& p) { return std::string(p.param.name); });

struct UrlCase {
    const char* host;
    const char* path;
    int port;
    const char* url; // empty: the host is refused
};

void PrintTo(const UrlCase& c, std::ostream* os) { *os << c.host; }

class Urls : public ::testing::TestWithParam<UrlCase> {};

TEST_P(Urls, AreBuiltFromHostPathAndPort)
{
    const auto& c = GetParam();
    EXPECT_EQ(q9::HttpPoster::BuildUrl(c.host, c.path, c.port, nullptr), c.url);
}

INSTANTIATE_TEST_SUITE_P(Hosts, Urls,
                         ::testing::Values(UrlCase{"example.com", "/MobileServer/v1/x.cfm?ID=1", 80,
                                                   "http://example.com:80/MobileServer/v1/x.cfm?ID=1"},
                                           UrlCase{" HTTPS://example.com/ ", "/p", 0, "https://example.com/p"},
                                           UrlCase{"https://example.com", "/p", 8443, "https://example.com:8443/p"},
                                           UrlCase{"https://example.com", "/p", 80, "https://example.com/p"},
                                           UrlCase{"example.com:8080", "/p", 80, "http://example.com:8080/p"},
                                           UrlCase{"[::1]:8080", "/p", 80, "http://[::1]:8080/p"},
                                           UrlCase{"[::1]", "/p", 81, "http://[::1]:81/p"},
                                           UrlCase{"::1", "/p", 81, "http://[::1]:81/p"},
                                           UrlCase{"example.com", "p", 80, "http://example.com:80/p"},
                                           UrlCase{"user@evil.example", "/p", 80, ""},
                                           UrlCase{"exa mple.com", "/p", 80, ""}, UrlCase{"", "/p", 80, ""}));

} // namespace
