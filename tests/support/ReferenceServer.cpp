#include "support/ReferenceServer.h"

#include "support/TempDir.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

namespace zevtest {

std::string BuiltFile(const std::string& name) { return std::string(ZEV_BINARY_DIR) + "/" + name; }

bool ReferenceServer::MakeDemoData(const std::string& dataDir, const std::string& logFile, std::string& error,
                                   bool scale)
{
    std::vector<std::string> argv{BuiltFile("zevdemo"), "--data", dataDir};
    if (scale)
        argv.push_back("--scale");
    ChildProcess demo(argv, logFile);
    if (demo.Wait() == 0)
        return true;
    error = ReadFile(logFile);
    return false;
}

ReferenceServer::ReferenceServer(const std::string& dataDir, const std::string& logFile) : m_logFile(logFile)
{
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string>{BuiltFile("zevserver"), "--host", "127.0.0.1", "--port", "0", "--data", dataDir},
        logFile);
    // The server prints its port once it listens; a slow machine under a
    // sanitizer may take a few seconds.
    const std::string marker = "listening on 127.0.0.1:";
    for (int i = 0; i < 400 && m_port == 0 && m_process->Running(); ++i) {
        const std::string log = ReadFile(logFile);
        const auto at = log.find(marker);
        if (at != std::string::npos && log.find('\n', at) != std::string::npos)
            m_port = std::atoi(log.c_str() + at + marker.size());
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

ReferenceServer::~ReferenceServer() { Stop(); }

std::string ReferenceServer::Log() const { return ReadFile(m_logFile); }

void ReferenceServer::Stop()
{
    m_process.reset();
    m_port = 0;
}

} // namespace zevtest
