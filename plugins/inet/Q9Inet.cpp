// Q9INET.so: the network test and the one request procedure of the program.

#include "plugins/PluginApi.h"
#include "plugins/common/DataFolder.h"
#include "plugins/inet/HttpPoster.h"
#include "plugins/inet/RouteTable.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// There is one reply file; two exchanges at once would mix their replies.
std::mutex g_postLock;

// The request both posting entries make of their arguments (a null text is empty).
q9::HttpPoster::Request MakeRequest(const char* host, const char* backupHost, const char* path, const char* body,
                                    int timeoutMs, Q9ProgressSink* sink, int port)
{
    q9::HttpPoster::Request req;
    req.host = host != nullptr ? host : "";
    req.backupHost = backupHost != nullptr ? backupHost : "";
    req.path = path;
    req.body = body != nullptr ? body : "";
    req.timeoutMs = timeoutMs;
    req.port = port;
    req.sink = sink;
    return req;
}

} // namespace

extern "C" {

int Q9TestConnection(int /*reserved*/)
{
    if (const char* forced = std::getenv("ZEV_NETWORK_USABLE"); forced != nullptr && *forced != '\0')
        return std::strcmp(forced, "0") != 0 ? 1 : 0;
    return q9::RouteTable::HasDefaultRoute() ? 1 : 0;
}

int PostDataT2(const char* host, const char* backupHost, const char* path, const char* body, int timeoutMs,
               Q9ProgressSink* sink, int port)
{
    if (path == nullptr)
        return Q9POST_BAD_ARGUMENTS;
    q9::HttpPoster::Request req = MakeRequest(host, backupHost, path, body, timeoutMs, sink, port);
    const std::string temp = q9::DataFolder::TempDir();
    if (temp.empty())
        return Q9POST_REPLY_FILE;
    req.replyFile = temp + "/$dltemp.txt";
    try {
        std::lock_guard<std::mutex> guard(g_postLock);
        return q9::HttpPoster::Post(req);
    } catch (...) {
        return Q9POST_INTERNAL;
    }
}

int Q9PostToFile(const char* host, const char* backupHost, const char* path, const char* body, int timeoutMs,
                 Q9ProgressSink* sink, int port, const char* replyFile, const int* cancel)
{
    if (path == nullptr || replyFile == nullptr || *replyFile == '\0')
        return Q9POST_BAD_ARGUMENTS;
    q9::HttpPoster::Request req = MakeRequest(host, backupHost, path, body, timeoutMs, sink, port);
    req.replyFile = replyFile;
    req.cancel = cancel;
    // No lock: the reply file is the caller's own.
    try {
        return q9::HttpPoster::Post(req);
    } catch (...) {
        return Q9POST_INTERNAL;
    }
}

void Q9SetDataDir(const char* dir) { q9::DataFolder::Set(dir); }

} // extern "C"
