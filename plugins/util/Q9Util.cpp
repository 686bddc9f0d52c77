// Q9UTIL.so: password and file digests, the system clock, and the named
// network connection the program may bring up before a server exchange.

#include "plugins/PluginApi.h"
#include "plugins/common/DataFolder.h"
#include "plugins/util/NetworkManager.h"
#include "plugins/util/Q9Digest.h"

#include <ctime>
#include <mutex>
#include <string>

namespace {

std::mutex g_connectionLock;
std::string g_openedConnection; // the one Q9Connect brought up, if any

} // namespace

extern "C" {

int Q9Hash(const char* text, char* out, int size)
{
    if (text == nullptr) {
        if (out != nullptr && size > 0)
            out[0] = '\0';
        return 0;
    }
    if (out == nullptr || size < q9::Q9Digest::kLength) {
        if (out != nullptr && size > 0)
            out[0] = '\0';
        return 0;
    }
    return q9::Q9Digest::CopyOut(q9::Q9Digest::Password(text), out, size) ? 1 : 0;
}

int Q9HashFile(const char* path, char* out, int size)
{
    if (path == nullptr || out == nullptr || size < q9::Q9Digest::kLength) {
        if (out != nullptr && size > 0)
            out[0] = '\0';
        return 0;
    }
    return q9::Q9Digest::CopyOut(q9::Q9Digest::File(path), out, size) ? 1 : 0;
}

int Q9SetTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return 0;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const std::time_t when = std::mktime(&tm);
    // mktime rolls 30 February over into March; such a date is refused.
    if (when == static_cast<std::time_t>(-1) || tm.tm_mday != day || tm.tm_mon != month - 1 ||
        tm.tm_year != year - 1900)
        return 0;
    const timespec ts{when, 0};
    // Without CAP_SYS_TIME the kernel refuses (EPERM) and nothing changes.
    return ::clock_settime(CLOCK_REALTIME, &ts) == 0 ? 1 : 0;
}

int Q9Connect(const char* name, void* /*owner*/)
{
    if (name == nullptr || *name == '\0')
        return 1;
    std::lock_guard<std::mutex> guard(g_connectionLock);
    switch (q9::NetworkManager::Up(name)) {
    case q9::NetworkManager::Outcome::Ok:
        g_openedConnection = name;
        return 0;
    case q9::NetworkManager::Outcome::NotInstalled:
        return 2;
    case q9::NetworkManager::Outcome::Failed:
        break;
    }
    return 3;
}

int Q9Disconnect(void)
{
    std::lock_guard<std::mutex> guard(g_connectionLock);
    if (g_openedConnection.empty())
        return 1;
    if (q9::NetworkManager::Down(g_openedConnection) != q9::NetworkManager::Outcome::Ok)
        return 0;
    g_openedConnection.clear();
    return 1;
}

int Q9IsConnected(void)
{
    std::lock_guard<std::mutex> guard(g_connectionLock);
    if (g_openedConnection.empty())
        return 0;
    return q9::NetworkManager::IsActive(g_openedConnection) ? 1 : 0;
}

void Q9SetDataDir(const char* dir) { q9::DataFolder::Set(dir); }

} // extern "C"
