// zevdemo: fills DIR/server.db with the demo distributor's data for the reference server.
//   zevdemo --data DIR [--schema FILE] [--scale] [--seed N] [--today YYYY-MM-DD] [--hashlib FILE]
#include "app/core/ZevFolders.h"
#include "base/SchemaFile.h"
#include "server/DigestLibrary.h"
#include "server/ServerStore.h"
#include "tools/demogen/DemoGenerator.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "ZevVersion.h"

namespace {

constexpr const char* kUsage =
    "usage: zevdemo --data DIR [--schema FILE] [--scale] [--seed N] [--today YYYY-MM-DD] [--hashlib FILE]\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int Help()
{
    std::fputs(kUsage, stdout);
    std::fputs("\nFills DIR/server.db with the demo distributor's data for the reference server:\n"
               "items, accounts, representatives and a year of history, the same for the same seed.\n"
               "\n"
               "  --data DIR          folder of server.db (created when missing)\n"
               "  --schema FILE       schema file (default: the kit's)\n"
               "  --scale             the large data set for measurements\n"
               "  --seed N            random seed (default: fixed)\n"
               "  --today YYYY-MM-DD  the day the history ends (default: today)\n"
               "  --hashlib FILE      the digest library Q9UTIL.so (default: the program's)\n"
               "  --help              show this help and exit\n"
               "  --version           show the version and exit\n",
               stdout);
    return 0;
}

// The installed kit's schema file, else the source tree's.
std::string DefaultSchema()
{
    const std::string installed = zev::ZevFolders::DefaultProgramDir() + "/ZevSchema.ini";
    if (std::filesystem::exists(installed))
        return installed;
#ifdef ZEV_DEFAULT_SCHEMA
    return ZEV_DEFAULT_SCHEMA;
#else
    return {};
#endif
}

} // namespace

int main(int argc, char** argv)
{
    std::string data;
    std::string schema = DefaultSchema();
    std::string hashlib = zev::server::DigestLibrary::DefaultPath();
    zev::demo::DemoOptions options;
    std::string today;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help")
            return Help();
        if (arg == "--version") {
            std::puts("zevdemo (ZevSatchel) " ZEV_VERSION);
            return 0;
        }
        if (arg == "--scale") {
            options.scale = true;
            continue;
        }
        if (i + 1 >= argc)
            return Usage();
        std::string value = argv[++i];
        if (arg == "--data") {
            data = value;
        } else if (arg == "--schema") {
            schema = value;
        } else if (arg == "--seed") {
            char* end = nullptr;
            options.seed = std::strtoull(value.c_str(), &end, 10);
            if (*end)
                return Usage();
        } else if (arg == "--today") {
            today = value;
        } else if (arg == "--hashlib") {
            hashlib = value;
        } else {
            return Usage();
        }
    }
    if (data.empty())
        return Usage();

    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, zev::server::ServerStore::kStampFormat, &local);
    options.stamp = stamp;
    options.year = local.tm_year + 1900;
    options.month = local.tm_mon + 1;
    options.day = local.tm_mday;
    if (!today.empty() && std::sscanf(today.c_str(), "%d-%d-%d", &options.year, &options.month, &options.day) != 3) {
        std::fprintf(stderr, "zevdemo: --today takes YYYY-MM-DD\n");
        return 2;
    }

    std::string error;
    auto digests = zev::server::DigestLibrary::Load(hashlib, error);
    if (!digests) {
        std::fprintf(stderr, "zevdemo: cannot make password digests: %s\n", error.c_str());
        return 1;
    }
    try {
        auto started = std::chrono::steady_clock::now();
        std::filesystem::create_directories(data);
        zev::server::ServerStore store(data + "/server.db");
        std::vector<std::string> problems;
        store.CreateMasterTables(zev::SchemaFile::Load(schema), &problems);
        for (const std::string& p : problems)
            std::fprintf(stderr, "zevdemo: schema: %s\n", p.c_str());
        zev::demo::DemoGenerator generator(store, options,
                                           [&](const std::string& password) { return digests->Digest(password); });
        auto counts = generator.Generate();
        long long total = 0;
        for (const auto& [table, rows] : counts) {
            std::printf("%-20s %lld\n", table.c_str(), rows);
            total += rows;
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::printf("%lld rows in %s/server.db (%.1f s)\n", total, data.c_str(), seconds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zevdemo: %s\n", e.what());
        return 1;
    }
    return 0;
}
