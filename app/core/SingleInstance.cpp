#include "app/core/SingleInstance.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace zev {

namespace {

constexpr char kRequest[] = "RAISE\n";
constexpr char kAnswer[] = "OK\n";
constexpr int kAnswerTimeoutMs = 1000;

// Unix socket paths are short; a longer folder falls back to the abstract
// namespace, named after the user and the hash so it cannot clash.
bool FillAddress(const std::string& socketPath, const std::string& hash, sockaddr_un& addr, socklen_t& len)
{
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (socketPath.size() < sizeof addr.sun_path) {
        std::memcpy(addr.sun_path, socketPath.c_str(), socketPath.size() + 1);
        len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + socketPath.size() + 1);
        return false;
    }
    const std::string name = "zevsatchel-" + std::to_string(::geteuid()) + "-" + hash;
    std::memcpy(addr.sun_path + 1, name.c_str(), name.size());
    len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return true;
}

// Only processes of the same user may ask or answer (the abstract socket
// namespace has no file permissions to rely on).
bool PeerIsSameUser(int fd)
{
    ucred cred{};
    socklen_t len = sizeof cred;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && cred.uid == ::geteuid();
}

bool WaitFor(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int n = ::poll(&p, 1, timeoutMs);
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0 && (p.revents & events) != 0;
    }
}

} // namespace

std::string SingleInstance::PathHash(const std::string& programPath)
{
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : programPath) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

SingleInstance::SingleInstance(std::string programPath, std::string folder)
    : m_programPath(std::move(programPath)), m_folder(std::move(folder))
{
    const std::string hash = PathHash(m_programPath);
    m_lockPath = m_folder + "/instance-" + hash + ".lock";
    m_socketPath = m_folder + "/instance-" + hash + ".sock";
}

SingleInstance::~SingleInstance() { Release(); }

void SingleInstance::Release()
{
    if (m_listenFd >= 0) {
        ::close(m_listenFd);
        m_listenFd = -1;
        // Only the holder of the lock may remove the socket it made.
        if (m_lockFd >= 0)
            ::unlink(m_socketPath.c_str());
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

bool SingleInstance::TryAcquire()
{
    if (m_lockFd >= 0)
        return true;
    const int fd = ::open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool SingleInstance::Listen()
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    socklen_t len = 0;
    const bool abstract = FillAddress(m_socketPath, PathHash(m_programPath), addr, len);
    if (!abstract)
        ::unlink(m_socketPath.c_str()); // left by an instance that crashed; we hold the lock now
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    m_listenFd = fd;
    return true;
}

bool SingleInstance::AskFirstToComeForward(int attempts, int intervalMs)
{
    sockaddr_un addr{};
    socklen_t len = 0;
    FillAddress(m_socketPath, PathHash(m_programPath), addr, len);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(intervalMs));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        bool answered = false;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0 && PeerIsSameUser(fd) &&
            ::send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof kRequest - 1) &&
            WaitFor(fd, POLLIN, kAnswerTimeoutMs)) {
            char buf[8] = {};
            const ssize_t n = ::recv(fd, buf, sizeof buf - 1, 0);
            answered = n >= 2 && std::strncmp(buf, kAnswer, 2) == 0;
        }
        ::close(fd);
        if (answered)
            return true;
    }
    return false;
}

SingleInstance::Outcome SingleInstance::Start(int attempts, int intervalMs)
{
    if (TryAcquire()) {
        // The lock alone keeps the instance unique; without a listener a
        // second start simply waits out its tries and runs.
        Listen();
        return Outcome::First;
    }
    if (::access(m_folder.c_str(), W_OK) != 0)
        return Outcome::Error;
    return AskFirstToComeForward(attempts, intervalMs) ? Outcome::Forwarded : Outcome::NoAnswer;
}

bool SingleInstance::HandleRequest()
{
    if (m_listenFd < 0)
        return false;
    bool raise = false;
    for (;;) {
        const int client = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR)
                continue;
            break; // EAGAIN: nothing more waiting
        }
        char buf[16] = {};
        if (PeerIsSameUser(client) && WaitFor(client, POLLIN, kAnswerTimeoutMs)) {
            const ssize_t n = ::recv(client, buf, sizeof buf - 1, 0);
            if (n > 0 && std::strncmp(buf, kRequest, sizeof kRequest - 2) == 0) {
                raise = true;
                (void)!::send(client, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL);
            }
        }
        ::close(client);
    }
    return raise;
}

bool SingleInstance::WaitForRequest(int timeoutMs)
{
    if (m_listenFd < 0 || !WaitFor(m_listenFd, POLLIN, timeoutMs))
        return false;
    return HandleRequest();
}

} // namespace zev
