#pragma once

// The demo distributor end to end, for the demo reports' test and benchmark:
// the generator fills a reference server's data (the --scale size on
// request), the server runs on a free loopback port, and the command-line
// companion sets up a representative and runs the complete update, leaving
// the representative's local database as the program would have it.
#include "support/ChildProcess.h"
#include "support/ReferenceServer.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zev::test {

class DemoStage {
public:
    explicit DemoStage(bool scale) : m_temp("zevreportdemo"), m_root(m_temp.Path()) { Build(scale); }
    DemoStage(const DemoStage&) = delete;
    DemoStage& operator=(const DemoStage&) = delete;

    bool Ok() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }
    // The representative's local database after the complete update.
    std::string DatabasePath() const { return m_root + "/data/master.db"; }
    // The installation folder, holding the kit's Report.ini.
    std::string Home() const { return m_root + "/home"; }

private:
    bool RunToEnd(const std::vector<std::string>& argv, const std::string& what)
    {
        const std::string log = m_root + "/" + what + ".log";
        zevtest::ChildProcess child(argv, log);
        if (child.Wait() != 0) {
            m_error = what + " failed: " + zevtest::ReadFile(log);
            return false;
        }
        return true;
    }

    void Build(bool scale)
    {
        namespace fs = std::filesystem;
        const std::string data = m_root + "/srv";
        const std::string home = Home();
        fs::create_directories(data);
        fs::create_directories(home);
        if (!zevtest::ReferenceServer::MakeDemoData(data, m_root + "/zevdemo.log", m_error, scale)) {
            m_error = "zevdemo failed: " + m_error;
            return;
        }
        m_server = std::make_unique<zevtest::ReferenceServer>(data, m_root + "/server.log");
        if (!m_server->Started()) {
            m_error = "the server did not start: " + m_server->Log();
            return;
        }
        const std::string kit = std::string(ZEV_SOURCE_ROOT) + "/distributor/";
        for (const char* f : {"ZevConfig.dat", "ZevSchema.ini", "Report.ini"})
            fs::copy_file(kit + f, home + "/" + f);
        for (const char* f : {"Q9UTIL.so", "Q9CPRS.so", "Q9INET.so", "PRICING.so"})
            fs::create_symlink(zevtest::BuiltFile(f), home + "/" + f);
        std::string ini = zevtest::ReadFile(kit + "ZevSatchel.INI");
        auto set = [&ini](const std::string& key, const std::string& value) {
            const std::size_t p = ini.find("\n" + key + "=");
            if (p != std::string::npos)
                ini.replace(p + 1, ini.find('\n', p + 1) - p - 1, key + "=" + value);
        };
        set("PORT", std::to_string(m_server->Port()));
        set("DEFAULTHOST", "127.0.0.1");
        set("BACKUPHOST", "127.0.0.1");
        set("BBEFORERENEW", "0");
        zevtest::WriteFile(home + "/ZevSatchel.INI", ini);
        setenv("ZEV_DATA_DIR", (m_root + "/data").c_str(), 1);
        setenv("ZEV_CONFIG_DIR", (m_root + "/config").c_str(), 1);
        setenv("ZEV_NETWORK_USABLE", "1", 1);
        const std::string satchel = zevtest::BuiltFile("satchel");
        if (!RunToEnd({satchel, "--home", home, "setup", "--user", "100200", "--password", "demo1234"}, "setup"))
            return;
        RunToEnd({satchel, "--home", home, "--yes", "sync", "--complete"}, "sync");
    }

    zevtest::TempDir m_temp;
    std::string m_root;
    std::string m_error;
    std::unique_ptr<zevtest::ReferenceServer> m_server; // stopped before the folder goes
};

} // namespace zev::test
