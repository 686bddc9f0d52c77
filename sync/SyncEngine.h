#pragma once

#include "app/core/MessageBox.h"
#include "base/Clock.h"
#include "base/ProgressSink.h"
#include "sync/SyncPorts.h"

#include <cstddef>
#include <functional>
#include <mutex>
#include <string>

namespace zev::sync {

// Every collaborator of the exchanges, wired once by the program or the
// command-line companion.
struct SyncServices {
    PostDataFn postData;
    PostToFileFn postToFile; // optional
    HelperFunctions helpers;
    IMessageBox* messageBox = nullptr;
    IProgressSink* progress = nullptr; // default progress window, may be null
    IClock* clock = nullptr;
    ISyncSettings* settings = nullptr;
    ISyncProfile* profile = nullptr;
    ISyncDb* db = nullptr;
    SyncPaths paths;
    // Byte of the distributor configuration record at an offset (0 when unknown).
    std::function<int(int)> configByte;
    // Maps a Windows-style path of the settings ("\Temp") to this machine.
    std::function<std::string(const std::string&)> mapPath;
    // GENERAL/MOBILEVERSION, read once at start-up, trailing blanks removed.
    std::string mobileVersion;
};

// The request procedure every server exchange follows, and the small
// services around it: connection check, progress, error log, error box.
class SyncEngine {
public:
    static constexpr int kTimeout = 180000;
    static constexpr int kLongTimeout = 360000;

    explicit SyncEngine(SyncServices services);

    SyncServices& Services() { return m_s; }
    ISyncDb& Db() { return *m_s.db; }
    ISyncProfile& Profile() { return *m_s.profile; }
    IMessageBox& Box() { return *m_s.messageBox; }
    IClock& Clock() { return *m_s.clock; }

    // The progress window of the current exchange; null leaves the previous one.
    void SetProgressWindow(IProgressSink* sink);
    IProgressSink* ProgressWindow() const { return m_progress; }

    std::string Ini(const std::string& section, const std::string& key, const std::string& def = {}) const;
    std::string UserId() const;
    std::string Password() const;
    const std::string& MobileVersion() const { return m_s.mobileVersion; }
    // A byte of the distributor record, by its name in ZevConfigLayout.h.
    int ConfigByte(std::size_t offset) const { return m_s.configByte ? m_s.configByte(static_cast<int>(offset)) : 0; }
    std::string MapPath(const std::string& winPath) const;

    // Posts a body to a page; true when the library reports the server answered.
    [[nodiscard]] bool ServerRequest(const std::string& path, const std::string& body, int timeoutMs = kTimeout,
                                     bool withWindow = true);
    // The request ServerRequest would post for `path` now (settings read afresh).
    PostTarget Target(const std::string& path, int timeoutMs = kTimeout) const;
    // Whether the network library can post into a file of the caller's.
    bool CanPostToFile() const { return static_cast<bool>(m_s.postToFile); }
    const PostToFileFn& PostToFile() const { return m_s.postToFile; }
    // Takes the result of a post made elsewhere (a table fetched ahead) as
    // the last post's, with the failure texts ServerRequest gives.
    void NotePostResult(int code, const PostTarget& target);
    // Codes that say the request was never delivered (bad arguments, no host
    // reached, secure connection refused, the library failing inside).
    static bool NothingSent(int code) { return code == 1 || code == 2 || code == 4 || code == 8 || code == 9; }

    // Result code of the last post (0 answered; see Q9PostResult), -1 when
    // nothing was posted.
    int LastPostResult() const { return m_lastPost; }
    // True when the last post failed in a way that may have delivered the
    // body (time-out, broken transfer, an error status, an unwritable reply).
    bool LastPostMayHaveArrived() const
    {
        return m_lastPost == 3 || m_lastPost == 5 || m_lastPost == 6 || m_lastPost == 7;
    }
    // First line of the reply, line ends removed, at most 9023 characters.
    std::string ReadReplyLine() const;
    // The same from another reply file.
    std::string ReadReplyLine(const std::string& file) const;
    std::string ReadReplyFile() const;

    // 0 = no connection, 1 = connected or the user chose the network,
    // 2 = a dial-up connection was opened here and must be closed by the caller.
    int EnsureConnected();
    // One ICMP echo; 1 when a reply arrived, else 0.
    static int PingHost(const std::string& host, int ttl, int timeoutMs, std::string* resolvedName, int* echoMs);

    int ReportProgress(const std::string& text, int total, int done);
    void LogSyncError(const std::string& line);
    void ShowServerError(const std::string& reply);
    // 1 when the server accepted the new password digest.
    int ChangeServerPassword(const std::string& newDigest);

    // What made the last exchange or table fail, in words, when more is known
    // than "a communications error": a certificate not trusted, a failed
    // secure handshake, a short or refused table. Empty otherwise; a run
    // clears it when it starts.
    const std::string& FailureText() const { return m_failure; }
    void SetFailureText(const std::string& text) { m_failure = text; }
    void ClearFailure() { m_failure.clear(); }

    void Disconnect();
    std::string Now() const;   // stamp of the clock's current time
    std::string Today() const; // day text of the clock's current time

private:
    SyncServices m_s;
    IProgressSink* m_progress = nullptr;
    int m_lastPost = -1;
    std::mutex m_exchange; // one reply file, so one exchange at a time
    std::string m_failure;
};

} // namespace zev::sync
