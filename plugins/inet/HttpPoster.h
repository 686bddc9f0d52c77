#pragma once

#include <string>

namespace zev {
class IProgressSink;
}

namespace q9 {

// One POST of a form body to the server with libcurl, falling back to a
// backup host only when the first could not be reached at all (so a request
// that may have been delivered is never sent twice). The reply body goes to
// `replyFile` through a temporary file renamed into place.
class HttpPoster {
public:
    struct Request {
        std::string host;
        std::string backupHost;
        std::string path;
        std::string body;
        long timeoutMs = 180000;
        int port = 80;
        zev::IProgressSink* sink = nullptr;
        std::string replyFile;
        // Read atomically while the post runs; non-zero ends it early.
        const int* cancel = nullptr;
    };

    // Returns a Q9PostResult code.
    static int Post(const Request& request);

    // "https://name" -> https, "http://name" or "name" -> http; the URL for
    // one attempt (port 0 picks the scheme's default). Public for tests.
    static std::string BuildUrl(const std::string& host, const std::string& path, int port, bool* https);
};

} // namespace q9
