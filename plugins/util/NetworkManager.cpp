#include "plugins/util/NetworkManager.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace q9 {

NetworkManager::Outcome NetworkManager::Run(const std::vector<std::string>& args, std::string* output)
{
    std::vector<std::string> argvStore;
    argvStore.reserve(args.size() + 1);
    argvStore.emplace_back("nmcli");
    argvStore.insert(argvStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeFd[2] = {-1, -1};
    if (::pipe2(pipeFd, O_CLOEXEC) != 0)
        return Outcome::Failed;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFd[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);

    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, "nmcli", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFd[1]);
    if (rc != 0) {
        ::close(pipeFd[0]);
        return rc == ENOENT ? Outcome::NotInstalled : Outcome::Failed;
    }

    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(pipeFd[0], buf, sizeof buf);
        if (n > 0)
            out.append(buf, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    ::close(pipeFd[0]);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return Outcome::Failed;
    }
    if (output != nullptr)
        *output = out;
    // posix_spawnp may report a missing program only through exit status 127.
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        return Outcome::NotInstalled;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Outcome::Ok : Outcome::Failed;
}

NetworkManager::Outcome NetworkManager::Up(const std::string& name)
{
    return Run({"--wait", "90", "connection", "up", "id", name});
}

NetworkManager::Outcome NetworkManager::Down(const std::string& name)
{
    return Run({"connection", "down", "id", name});
}

bool NetworkManager::IsActive(const std::string& name)
{
    std::string out;
    if (Run({"-g", "GENERAL.STATE", "connection", "show", "id", name}, &out) != Outcome::Ok)
        return false;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
        out.pop_back();
    return out == "activated";
}

} // namespace q9
