#pragma once

// The demo distributor end to end, for the demo reports' test and benchmark:
// the generator fills a reference server's data (the --scale size on
// request), the server runs on a free loopback port, and the command-line
// companion sets up a representative and runs the complete update, leaving
// the representative's local database as the program would have it.
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace zev::test {

class DemoStage {
public:
    explicit DemoStage(bool scale)
    {
        char tmpl[] = "/tmp/zevreportdemoXXXXXX";
        if (!mkdtemp(tmpl)) {
            m_error = "no temporary folder";
            return;
        }
        m_root = tmpl;
        Build(scale);
    }
    ~DemoStage()
    {
        if (m_server > 0) {
            kill(m_server, SIGTERM);
            waitpid(m_server, nullptr, 0);
        }
        std::error_code ec;
        if (!m_root.empty())
            std::filesystem::remove_all(m_root, ec);
    }
    DemoStage(const DemoStage&) = delete;
    DemoStage& operator=(const DemoStage&) = delete;

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    // The representative's local database after the complete update.
    std::string DatabasePath() const { return m_root + "/data/master.db"; }
    // The installation folder, holding the kit's Report.ini.
    std::string Home() const { return m_root + "/home"; }

private:
    static std::string Bin(const std::string& name) { return std::string(ZEV_BINARY_DIR) + "/" + name; }

    static std::string ReadAll(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static pid_t Spawn(const std::vector<std::string>& argv, const std::string& output)
    {
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&fa, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&fa, 1, 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        pid_t pid = -1;
        if (posix_spawn(&pid, args[0], &fa, nullptr, args.data(), environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&fa);
        return pid;
    }

    bool RunToEnd(const std::vector<std::string>& argv, const std::string& what)
    {
        const std::string log = m_root + "/" + what + ".log";
        const pid_t pid = Spawn(argv, log);
        int status = 0;
        if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            m_error = what + " failed: " + ReadAll(log);
            return false;
        }
        return true;
    }

    void Build(bool scale)
    {
        namespace fs = std::filesystem;
        const std::string server = m_root + "/srv";
        const std::string home = Home();
        fs::create_directories(server);
        fs::create_directories(home);
        std::vector<std::string> demo{Bin("zevdemo"), "--data", server};
        if (scale)
            demo.push_back("--scale");
        if (!RunToEnd(demo, "zevdemo"))
            return;
        m_server = Spawn({Bin("zevserver"), "--port", "0", "--data", server}, m_root + "/server.log");
        int port = 0;
        for (int i = 0; i < 400 && port == 0 && m_server > 0; ++i) {
            const std::string log = ReadAll(m_root + "/server.log");
            const std::size_t p = log.find("listening on 127.0.0.1:");
            if (p != std::string::npos && log.find('\n', p) != std::string::npos)
                port = std::atoi(log.c_str() + p + 23);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (port == 0) {
            m_error = "the server did not start: " + ReadAll(m_root + "/server.log");
            return;
        }
        const std::string kit = std::string(ZEV_SOURCE_ROOT) + "/distributor/";
        for (const char* f : {"ZevConfig.dat", "ZevSchema.ini", "Report.ini"})
            fs::copy_file(kit + f, home + "/" + f);
        for (const char* f : {"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            fs::create_symlink(Bin(f), home + "/" + f);
        std::string ini = ReadAll(kit + "ZevSatchel.INI");
        auto set = [&ini](const std::string& key, const std::string& value) {
            const std::size_t p = ini.find("\n" + key + "=");
            if (p != std::string::npos)
                ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, key + "=" + value);
        };
        set("PORT", std::to_string(port));
        set("DEFAULTHOST", "127.0.0.1");
        set("BACKUPHOST", "127.0.0.1");
        set("BBEFORERENEW", "0");
        std::ofstream(home + "/ZevSatchel.INI", std::ios::binary) << ini;
        setenv("ZEV_DATA_DIR", (m_root + "/data").c_str(), 1);
        setenv("ZEV_CONFIG_DIR", (m_root + "/config").c_str(), 1);
        setenv("ZEV_NETWORK_USABLE", "1", 1);
        if (!RunToEnd({Bin("satchel"), "--home", home, "setup", "--user", "100200", "--password", "demo1234"}, "setup"))
            return;
        RunToEnd({Bin("satchel"), "--home", home, "--yes", "sync", "--complete"}, "sync");
    }

    std::string m_root;
    std::string m_error;
    pid_t m_server = -1;
};

} // namespace zev::test
