#pragma once

#include "base/SchemaFile.h"
#include "server/ServerStore.h"
#include "tools/demogen/DemoGenerator.h"

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace zev::test {

// The demo distributor generated into a fresh folder (server.db), with
// "today" the real day so dated price rows apply. Every password digest is
// kDigest. Removed with the object.
class DemoData {
public:
    static constexpr const char* kDigest = "0123456789abcdef0123456789abcdef";
    // What a representative types to sign in against kDigest.
    static constexpr const char* kPassword = "demo1234";

    explicit DemoData(const std::string& tag, bool scale = false)
    {
        m_dir = std::filesystem::temp_directory_path() / ("zevorders-" + tag + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        m_store = std::make_unique<server::ServerStore>((m_dir / "server.db").string());
        m_store->CreateMasterTables(SchemaFile::Load(ZEV_SOURCE_ROOT "/distributor/ZevSchema.ini"));
        demo::DemoOptions options;
        options.scale = scale;
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char stamp[32];
        std::strftime(stamp, sizeof stamp, server::ServerStore::kStampFormat, &local);
        options.stamp = stamp;
        options.year = local.tm_year + 1900;
        options.month = local.tm_mon + 1;
        options.day = local.tm_mday;
        demo::DemoGenerator generator(*m_store, options, [](const std::string&) { return std::string(kDigest); });
        generator.Generate();
    }
    ~DemoData()
    {
        m_store.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    DemoData(const DemoData&) = delete;
    DemoData& operator=(const DemoData&) = delete;

    std::string Database() const { return (m_dir / "server.db").string(); }
    const std::filesystem::path& Dir() const { return m_dir; }
    server::ServerStore& Store() { return *m_store; }

private:
    std::filesystem::path m_dir;
    std::unique_ptr<server::ServerStore> m_store;
};

} // namespace zev::test
