#include "plugins/inet/HttpPoster.h"

#include "base/Text.h"

#include "base/AtomicFile.h"
#include "base/ProgressSink.h"
#include "plugins/PluginApi.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <unistd.h>

namespace q9 {

using zev::AtomicFile;

namespace {

using zev::Trim;

using Clock = std::chrono::steady_clock;

// How one attempt on one host ended.
struct Attempt {
    int result = Q9POST_INTERNAL;
    bool reached = true; // false: nothing was delivered, the backup may be tried
};

struct Transfer {
    AtomicFile* reply = nullptr;
    bool writeFailed = false;
    zev::IProgressSink* sink = nullptr;
    int lastPercent = -1;
    const int* cancel = nullptr;
};

bool Cancelled(const int* cancel) { return cancel != nullptr && __atomic_load_n(cancel, __ATOMIC_ACQUIRE) != 0; }

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    const size_t bytes = size * count;
    if (!t->reply->Write(data, bytes)) {
        t->writeFailed = true;
        return 0;
    }
    return bytes;
}

// Sending is the first half of the bar, receiving the second.
int OnProgress(void* user, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal, curl_off_t ulNow)
{
    auto* t = static_cast<Transfer*>(user);
    // A non-zero answer makes libcurl stop the transfer.
    if (Cancelled(t->cancel))
        return 1;
    if (t->sink == nullptr)
        return 0;
    int percent = 0;
    if (dlTotal > 0)
        percent = 50 + static_cast<int>(std::min<curl_off_t>(dlNow, dlTotal) * 50 / dlTotal);
    else if (ulTotal > 0)
        percent = static_cast<int>(std::min<curl_off_t>(ulNow, ulTotal) * 50 / ulTotal);
    if (percent != t->lastPercent) {
        t->lastPercent = percent;
        // An exception must not unwind through libcurl's C frames.
        try {
            t->sink->Report(percent, std::string());
        } catch (...) {
        }
    }
    return 0;
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const std::size_t n = std::char_traits<char>::length(prefix);
    if (text.size() < n)
        return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    }
    return true;
}

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

Attempt PostOnce(const HttpPoster::Request& req, const std::string& host, long timeoutMs, long connectTimeoutMs,
                 AtomicFile& reply)
{
    Attempt attempt;
    bool https = false;
    const std::string url = HttpPoster::BuildUrl(host, req.path, req.port, &https);
    if (url.empty()) {
        attempt.result = Q9POST_UNREACHABLE;
        attempt.reached = false;
        return attempt;
    }
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return attempt;
    std::unique_ptr<curl_slist, void (*)(curl_slist*)> headers(nullptr, &curl_slist_free_all);
    headers.reset(curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded"));
    // No "100-continue" round trip: some servers never answer it.
    headers.reset(curl_slist_append(headers.release(), "Expect:"));
    if (!headers)
        return attempt;

    Transfer transfer;
    transfer.reply = &reply;
    transfer.sink = req.sink;
    transfer.cancel = req.cancel;

    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_POST, 1L);
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, req.body.c_str());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(req.body.size()));
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, std::max(1L, timeoutMs));
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, std::max(1L, connectTimeoutMs));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    if (const char* ca = std::getenv("ZEV_CA_FILE"); ca != nullptr && *ca != '\0')
        curl_easy_setopt(h, CURLOPT_CAINFO, ca);

    const CURLcode rc = curl_easy_perform(h);
    curl_off_t connectTime = 0;
    curl_easy_getinfo(h, CURLINFO_CONNECT_TIME_T, &connectTime);
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);

    attempt.reached = true;
    switch (rc) {
    case CURLE_OK:
        attempt.result = status >= 200 && status < 300 ? Q9POST_OK : Q9POST_HTTP_ERROR;
        break;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        attempt.result = Q9POST_BAD_ARGUMENTS;
        attempt.reached = false;
        break;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
        attempt.result = Q9POST_UNREACHABLE;
        attempt.reached = false;
        break;
    case CURLE_OPERATION_TIMEDOUT:
        attempt.result = Q9POST_TIMED_OUT;
        // A time-out before the connection stood means the host was never
        // reached; after it, the request may have arrived.
        attempt.reached = connectTime > 0;
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
        // The certificate was refused during the handshake, before the request.
        attempt.result = Q9POST_CERT_UNTRUSTED;
        attempt.reached = false;
        break;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
        // The handshake precedes the request, so nothing was delivered.
        attempt.result = Q9POST_TLS_FAILED;
        attempt.reached = false;
        break;
    case CURLE_WRITE_ERROR:
        attempt.result = transfer.writeFailed ? Q9POST_REPLY_FILE : Q9POST_TRANSFER_FAILED;
        break;
    case CURLE_OUT_OF_MEMORY:
    case CURLE_FAILED_INIT:
        attempt.result = Q9POST_INTERNAL;
        attempt.reached = false;
        break;
    default:
        attempt.result = Q9POST_TRANSFER_FAILED;
        break;
    }
    return attempt;
}

} // namespace

std::string HttpPoster::BuildUrl(const std::string& hostText, const std::string& path, int port, bool* https)
{
    std::string host = Trim(hostText);
    bool secure = false;
    if (StartsWithNoCase(host, "https://")) {
        secure = true;
        host.erase(0, 8);
    } else if (StartsWithNoCase(host, "http://")) {
        host.erase(0, 7);
    }
    while (!host.empty() && host.back() == '/')
        host.pop_back();
    if (https != nullptr)
        *https = secure;
    if (host.empty() || host.find_first_of("/?#@ \t") != std::string::npos)
        return {};
    // A port written into the host ("name:8080", "[::1]:8080") wins; a bare
    // IPv6 address (more than one colon, no brackets) gets its brackets.
    const auto bracket = host.rfind(']');
    const auto colon = host.rfind(':');
    bool hasPort = false;
    if (bracket != std::string::npos)
        hasPort = colon != std::string::npos && colon > bracket;
    else if (colon != std::string::npos && host.find(':') != colon)
        host = "[" + host + "]";
    else
        hasPort = colon != std::string::npos;
    std::string url = (secure ? "https://" : "http://") + host;
    // PORT defaults to 80 in the settings; with an https host that default
    // can only mean the https port.
    if (!hasPort && port > 0 && !(secure && port == 80))
        url += ":" + std::to_string(port);
    if (path.empty() || path.front() != '/')
        url += '/';
    url += path;
    return url;
}

int HttpPoster::Post(const Request& req)
{
    if (req.port < 0 || req.port > 65535)
        return Q9POST_BAD_ARGUMENTS;
    if (Trim(req.host).empty() && Trim(req.backupHost).empty())
        return Q9POST_BAD_ARGUMENTS;
    GlobalInit();

    // A previous exchange's reply must never pass for this one's. The reply
    // is read at once and asked for again after a crash: it is replaced
    // atomically but not forced to the disk.
    ::unlink(req.replyFile.c_str());
    AtomicFile::RemoveStale(req.replyFile);

    const long total = req.timeoutMs > 0 ? req.timeoutMs : 180000;
    const auto deadline = Clock::now() + std::chrono::milliseconds(total);
    auto remaining = [&] {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    };
    const bool haveBackup = !Trim(req.backupHost).empty();

    Attempt first;
    first.result = Q9POST_UNREACHABLE;
    first.reached = false;
    if (!Trim(req.host).empty()) {
        AtomicFile reply(req.replyFile);
        if (!reply.Open())
            return Q9POST_REPLY_FILE;
        // Leave the backup host part of the time when the first host hangs
        // in connecting.
        const long left = remaining();
        const long connectLimit = haveBackup ? std::max(1L, std::min(left / 2, 30000L)) : left;
        first = PostOnce(req, req.host, left, connectLimit, reply);
        if (first.result == Q9POST_OK)
            return reply.Commit(false) ? Q9POST_OK : Q9POST_REPLY_FILE;
        if (first.reached || !haveBackup || first.result == Q9POST_BAD_ARGUMENTS)
            return first.result;
    }
    if (!haveBackup)
        return first.result;
    if (Cancelled(req.cancel))
        return Q9POST_TRANSFER_FAILED;
    const long left = remaining();
    if (left <= 0)
        return Q9POST_TIMED_OUT;
    AtomicFile reply(req.replyFile);
    if (!reply.Open())
        return Q9POST_REPLY_FILE;
    const Attempt second = PostOnce(req, req.backupHost, left, left, reply);
    if (second.result == Q9POST_OK)
        return reply.Commit(false) ? Q9POST_OK : Q9POST_REPLY_FILE;
    return second.result;
}

} // namespace q9
