#pragma once

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zevtest {

// A child process whose output (standard output and error together) goes to
// a file; waited for, or ended by the destructor (SIGTERM) or Kill (SIGKILL).
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::string& outputFile,
                 const std::string& inputFile = "/dev/null")
    {
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 0, inputFile.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&fa, 1, 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        if (posix_spawn(&m_pid, args[0], &fa, nullptr, args.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&fa);
    }
    ~ChildProcess()
    {
        if (m_pid > 0 && !m_done) {
            kill(m_pid, SIGTERM);
            Wait();
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    bool Running()
    {
        if (m_pid <= 0 || m_done)
            return false;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_done = true;
            m_status = status;
            return false;
        }
        return true;
    }
    int Wait()
    {
        if (m_pid <= 0)
            return -1;
        if (!m_done) {
            waitpid(m_pid, &m_status, 0);
            m_done = true;
        }
        return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : 128 + WTERMSIG(m_status);
    }
    void Kill()
    {
        if (m_pid > 0 && !m_done)
            kill(m_pid, SIGKILL);
        Wait();
    }

private:
    pid_t m_pid = -1;
    bool m_done = false;
    int m_status = 0;
};

} // namespace zevtest
