#pragma once

#include "base/SchemaFile.h"
#include "server/ServerStore.h"
#include "tools/demogen/DemoGenerator.h"

#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace zev::bench {

// The --scale demo distributor's database for a benchmark, in a folder of
// its own in memory (/dev/shm where there is one). Generating it takes about
// half a minute, so the day's set is kept in the build's bench-data folder
// and copied from there by every benchmark of that day.
class ScaleDemo {
public:
    explicit ScaleDemo(const std::string& name)
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
        m_dir = base / (name + "-" + std::to_string(::getpid()));
        fs::remove_all(m_dir, ec);
        fs::create_directories(m_dir);
        m_database = (m_dir / "server.db").string();
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &m_today);
        char day[16];
        std::strftime(day, sizeof day, "%Y%m%d", &m_today);
        const fs::path cache =
            fs::path(ZEV_BINARY_DIR) / ".." / "bench-data" / ("products-scale-" + std::string(day) + ".db");
        if (fs::exists(cache, ec)) {
            fs::copy_file(cache, m_database, fs::copy_options::overwrite_existing, ec);
            return;
        }
        {
            server::ServerStore store(m_database);
            store.CreateMasterTables(SchemaFile::Load(ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini"));
            demo::DemoOptions options;
            options.scale = true;
            options.year = m_today.tm_year + 1900;
            options.month = m_today.tm_mon + 1;
            options.day = m_today.tm_mday;
            options.stamp = "2026-01-01 00:00:00";
            demo::DemoGenerator(store, options, [](const std::string&) { return std::string(32, '0'); }).Generate();
        }
        fs::create_directories(cache.parent_path(), ec);
        fs::copy_file(m_database, cache, fs::copy_options::overwrite_existing, ec);
    }
    ~ScaleDemo()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    ScaleDemo(const ScaleDemo&) = delete;
    ScaleDemo& operator=(const ScaleDemo&) = delete;

    const std::string& Database() const { return m_database; }
    const std::filesystem::path& Dir() const { return m_dir; }
    const std::tm& Today() const { return m_today; }

private:
    std::filesystem::path m_dir;
    std::string m_database;
    std::tm m_today{};
};

} // namespace zev::bench
