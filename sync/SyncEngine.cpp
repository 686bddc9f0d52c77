#include "sync/SyncEngine.h"

#include "sync/SyncText.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <unistd.h>

namespace zev::sync {

SyncEngine::SyncEngine(SyncServices services) : m_s(std::move(services)), m_progress(m_s.progress) {}

void SyncEngine::SetProgressWindow(IProgressSink* sink)
{
    if (sink)
        m_progress = sink;
}

std::string SyncEngine::Ini(const std::string& section, const std::string& key, const std::string& def) const
{
    return m_s.settings ? m_s.settings->Value(section, key, def) : def;
}

std::string SyncEngine::UserId() const { return m_s.profile->GetString("UserID"); }
std::string SyncEngine::Password() const { return m_s.profile->GetString("Password"); }

std::string SyncEngine::MapPath(const std::string& winPath) const
{
    return m_s.mapPath ? m_s.mapPath(winPath) : winPath;
}

PostTarget SyncEngine::Target(const std::string& path, int timeoutMs) const
{
    PostTarget t;
    t.host = Ini("GENERAL", "DEFAULTHOST").substr(0, 254);
    t.backup = Ini("GENERAL", "BACKUPHOST").substr(0, 254);
    std::string portText = TrimBlanks(Ini("GENERAL", "PORT", "80"));
    t.port = portText.empty() ? 80 : ToInt(portText);
    // Values go into the path as they are; only the blank of a stamp
    // ("2006-03-07 16:05:09") cannot travel in a request line.
    t.path = ReplaceAll(path, " ", "%20");
    t.timeoutMs = timeoutMs;
    return t;
}

void SyncEngine::NotePostResult(int code, const PostTarget& t)
{
    m_lastPost = code;
    // The posting library's codes for the secure connection (see PluginApi.h).
    constexpr int kTlsFailed = 4;
    constexpr int kCertificateUntrusted = 9;
    std::string hosts =
        TrimBlanks(t.backup).empty() ? TrimBlanks(t.host) : TrimBlanks(t.host) + " or " + TrimBlanks(t.backup);
    if (code == kCertificateUntrusted)
        m_failure = Format("The server's certificate is not trusted for host %s. Nothing was sent.", hosts.c_str());
    else if (code == kTlsFailed)
        m_failure = Format("The secure connection to host %s could not be set up (the TLS handshake failed). "
                           "Nothing was sent.",
                           hosts.c_str());
}

bool SyncEngine::ServerRequest(const std::string& path, const std::string& body, int timeoutMs, bool withWindow)
{
    std::unique_lock lock(m_exchange, std::try_to_lock);
    m_lastPost = -1;
    if (!lock.owns_lock() || !m_s.postData)
        return false;
    const PostTarget t = Target(path, timeoutMs);
    IProgressSink* window = withWindow ? m_progress : nullptr;
    NotePostResult(
        m_s.postData(t.host.c_str(), t.backup.c_str(), t.path.c_str(), body.c_str(), timeoutMs, window, t.port), t);
    return m_lastPost == 0;
}

std::string SyncEngine::ReadReplyLine() const { return ReadReplyLine(m_s.paths.replyFile); }

std::string SyncEngine::ReadReplyLine(const std::string& file) const
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string line;
    std::getline(in, line);
    if (line.size() > 9023)
        line.resize(9023);
    std::string out;
    out.reserve(line.size());
    for (char c : line)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

std::string SyncEngine::ReadReplyFile() const
{
    std::ifstream in(m_s.paths.replyFile, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int SyncEngine::EnsureConnected()
{
    const HelperFunctions& h = m_s.helpers;
    if (h.isConnected && h.isConnected() != 0)
        return 1;
    if (h.testConnection && h.testConnection(0) != 0)
        return 1;
    if (PingHost(Ini("GENERAL", "PINGHOST").substr(0, 259), 32, 5000, nullptr, nullptr) >= 1)
        return 1;
    MbResult r = m_s.messageBox->Show(65095, zev::Caption::Question, MbButtons::YesNoCancel, MbIcon::Question);
    if (r == MbResult::Cancel)
        return 0;
    if (r == MbResult::No)
        return 1;
    ReportProgress("Opening Internet Connection", 100, 40);
    std::string name = m_s.profile->GetString("ConnectionName");
    if (h.connect && h.connect(name.c_str(), nullptr) == 0) {
        ReportProgress("Connected", 100, 100);
        return 2;
    }
    ReportProgress("Failed Connection", 100, 100);
    return 0;
}

int SyncEngine::PingHost(const std::string& host, int ttl, int timeoutMs, std::string* resolvedName, int* echoMs)
{
    if (resolvedName)
        resolvedName->clear();
    if (echoMs)
        *echoMs = 0;
    std::string h = TrimBlanks(host);
    if (h.empty())
        return 0;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* res = nullptr;
    if (getaddrinfo(h.c_str(), nullptr, &hints, &res) != 0 || !res)
        return 0;
    sockaddr_in addr{};
    std::memcpy(&addr, res->ai_addr, sizeof addr);
    freeaddrinfo(res);
    if (resolvedName) {
        in_addr probe{};
        if (inet_pton(AF_INET, h.c_str(), &probe) == 1) {
            char name[NI_MAXHOST] = {};
            if (getnameinfo(reinterpret_cast<sockaddr*>(&addr), sizeof addr, name, sizeof name, nullptr, 0, 0) == 0)
                *resolvedName = name;
        } else {
            char dotted[INET_ADDRSTRLEN] = {};
            inet_ntop(AF_INET, &addr.sin_addr, dotted, sizeof dotted);
            *resolvedName = dotted;
        }
    }
    // Unprivileged ICMP datagram socket; where the system forbids it the
    // check simply answers "no echo".
    int fd = socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
    if (fd < 0)
        return 0;
    setsockopt(fd, IPPROTO_IP, IP_TTL, &ttl, sizeof ttl);
    icmphdr req{};
    req.type = ICMP_ECHO;
    req.un.echo.sequence = htons(1);
    auto start = std::chrono::steady_clock::now();
    int ok = 0;
    if (sendto(fd, &req, sizeof req, 0, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == sizeof req) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) == 1) {
            unsigned char buf[128];
            ssize_t n = recv(fd, buf, sizeof buf, 0);
            if (n >= static_cast<ssize_t>(sizeof(icmphdr)) && reinterpret_cast<icmphdr*>(buf)->type == ICMP_ECHOREPLY) {
                ok = 1;
                if (echoMs)
                    *echoMs = static_cast<int>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
                            .count());
            }
        }
    }
    close(fd);
    return ok;
}

int SyncEngine::ReportProgress(const std::string& text, int total, int done)
{
    if (!m_progress)
        return 0;
    m_progress->Report(ProgressPercent(total, done), FormatProgressText(text, total, done));
    return 1;
}

void SyncEngine::LogSyncError(const std::string& line)
{
    if (FILE* f = std::fopen(m_s.paths.errorLog.c_str(), "ab")) {
        std::fprintf(f, "%s\r\n", line.c_str());
        std::fclose(f);
    }
}

void SyncEngine::ShowServerError(const std::string& reply)
{
    std::string text = ServerErrorText(reply);
    if (text.empty())
        m_s.messageBox->Show(65094, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
    else
        m_s.messageBox->ShowText(text, zev::Caption::Error, MbButtons::Ok, MbIcon::Stop);
}

int SyncEngine::ChangeServerPassword(const std::string& newDigest)
{
    int conn = EnsureConnected();
    if (conn == 0)
        return 0;
    std::string path = Format("/MobileServer/%s/UpdatePassword.cfm?P=%s&cp=%s&ID=%s", MobileVersion().c_str(),
                              Password().c_str(), newDigest.c_str(), UserId().c_str());
    if (path.size() > 511)
        path.resize(511);
    if (!ServerRequest(path, "", kTimeout, false)) {
        if (conn == 2)
            Disconnect();
        return 0;
    }
    std::string reply = TrimBlanks(ReadReplyLine());
    if (conn == 2)
        Disconnect();
    return EqualsNoCase(reply, newDigest) ? 1 : 0;
}

void SyncEngine::Disconnect()
{
    if (m_s.helpers.disconnect)
        m_s.helpers.disconnect();
}

std::string SyncEngine::Now() const { return FormatStamp(m_s.clock ? m_s.clock->Now() : std::time(nullptr)); }
std::string SyncEngine::Today() const { return FormatDay(m_s.clock ? m_s.clock->Now() : std::time(nullptr)); }

} // namespace zev::sync
