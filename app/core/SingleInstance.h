#pragma once

#include <string>

// One running program per program file and user. The first instance holds an
// advisory lock (flock) on "<folder>/instance-<hash of program path>.lock" for
// the whole life of the process and listens on a Unix-domain socket beside it.
// A second start finds the lock taken, asks the first to come forward over
// the socket and ends when it answers; without an answer within about three
// seconds it starts normally.
namespace zev {

class SingleInstance {
public:
    enum class Outcome {
        First,     // we hold the lock; ListenFd() is valid
        Forwarded, // another instance answered and comes forward: end now
        NoAnswer,  // another instance holds the lock but did not answer: start normally
        Error,     // the lock could not be set up: start normally
    };

    // `programPath` keys the lock (normally /proc/self/exe resolved);
    // `folder` is the per-user runtime folder ($XDG_RUNTIME_DIR or the data
    // folder), which must exist and be private.
    SingleInstance(std::string programPath, std::string folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock or, when another instance has it, asks that one to come
    // forward: up to `attempts` tries, `intervalMs` apart.
    [[nodiscard]] Outcome Start(int attempts = 3, int intervalMs = 1000);

    // Only the lock, without talking to anyone.
    [[nodiscard]] bool TryAcquire();
    // Asks the holder to come forward; true when it answered.
    [[nodiscard]] bool AskFirstToComeForward(int attempts = 3, int intervalMs = 1000);

    bool IsFirst() const { return m_lockFd >= 0; }

    // The listening socket of the first instance (non-blocking), -1 otherwise.
    // The GUI watches it (QSocketNotifier, read) and calls HandleRequest().
    int ListenFd() const { return m_listenFd; }
    // Accepts waiting connections, answers each; true when at least one asked
    // to come forward (the GUI then raises its main window).
    [[nodiscard]] bool HandleRequest();
    // Blocks up to timeoutMs for a request (tests and the command-line companion).
    [[nodiscard]] bool WaitForRequest(int timeoutMs);

    const std::string& LockPath() const { return m_lockPath; }
    const std::string& SocketPath() const { return m_socketPath; }

    // Stable hash of the program path (FNV-1a, 64 bits, hex).
    static std::string PathHash(const std::string& programPath);

private:
    bool Listen();
    void Release();

    std::string m_programPath;
    std::string m_folder;
    std::string m_lockPath;
    std::string m_socketPath;
    int m_lockFd = -1;
    int m_listenFd = -1;
};

} // namespace zev
