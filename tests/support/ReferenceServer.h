#pragma once

#include "support/ChildProcess.h"

#include <memory>
#include <string>

namespace zevtest {

// The reference distributor server as its own process on a free loopback
// port (127.0.0.1 only), serving `dataDir`; stopped by the destructor.
class ReferenceServer {
public:
    // Fills `dataDir` with the demo distributor (zevdemo; its --scale size
    // with `scale`); false, with the tool's output in `error`, when that fails.
    static bool MakeDemoData(const std::string& dataDir, const std::string& logFile, std::string& error,
                             bool scale = false);

    ReferenceServer(const std::string& dataDir, const std::string& logFile);
    ~ReferenceServer();
    ReferenceServer(const ReferenceServer&) = delete;
    ReferenceServer& operator=(const ReferenceServer&) = delete;

    // The port it listens on; 0 when it did not start (see Log()).
    int Port() const { return m_port; }
    bool Started() const { return m_port > 0; }
    std::string Log() const;
    void Stop();

private:
    std::string m_logFile;
    std::unique_ptr<ChildProcess> m_process;
    int m_port = 0;
};

// The path of a program or helper library the build put beside the tests.
std::string BuiltFile(const std::string& name);

} // namespace zevtest
