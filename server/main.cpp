// zevserver: the distributor's reference server.
//   zevserver [--port N] [--data DIR] [--host ADDR] [--cert FILE --key FILE] [--schema FILE]
#include "app/core/ZevFolders.h"
#include "server/ZevServer.h"

#include "ZevVersion.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <pthread.h>

namespace {

constexpr const char* kUsage =
    "usage: zevserver [--port N] [--data DIR] [--host ADDR] [--cert FILE --key FILE] [--schema FILE]\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

int Help()
{
    std::fputs(kUsage, stdout);
    std::fputs("\nThe distributor's reference server for ZevSatchel: answers the program's requests\n"
               "under /MobileServer/ from DIR/server.db.\n"
               "\n"
               "  --port N        port to listen on (default 0: a free port, printed at start)\n"
               "  --data DIR      folder of server.db and the request log (default: .)\n"
               "  --host ADDR     address to listen on (default 127.0.0.1)\n"
               "  --cert FILE     PEM certificate; with --key, serve HTTPS\n"
               "  --key FILE      PEM private key of the certificate\n"
               "  --schema FILE   schema file creating the master tables (default: the kit's)\n"
               "  --help          show this help and exit\n"
               "  --version       show the version and exit\n",
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
    zev::server::ServerOptions options;
    options.dataDir = ".";
    options.schemaPath = DefaultSchema();
    bool schemaGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help")
            return Help();
        if (arg == "--version") {
            std::puts("zevserver (ZevSatchel) " ZEV_VERSION);
            return 0;
        }
        if (i + 1 >= argc)
            return Usage();
        std::string value = argv[++i];
        if (arg == "--port") {
            char* end = nullptr;
            long port = std::strtol(value.c_str(), &end, 10);
            if (*end || port < 0 || port > 65535)
                return Usage();
            options.port = static_cast<int>(port);
        } else if (arg == "--data") {
            options.dataDir = value;
        } else if (arg == "--host") {
            options.host = value;
        } else if (arg == "--cert") {
            options.certFile = value;
        } else if (arg == "--key") {
            options.keyFile = value;
        } else if (arg == "--schema") {
            options.schemaPath = value;
            schemaGiven = true;
        } else {
            return Usage();
        }
    }
    if (options.certFile.empty() != options.keyFile.empty()) {
        std::fprintf(stderr, "zevserver: --cert and --key go together\n");
        return 2;
    }
    // The kit's schema is optional when server.db already holds the tables; a named one must exist.
    if (!schemaGiven && !std::filesystem::exists(options.schemaPath))
        options.schemaPath.clear();

    // SIGINT and SIGTERM are taken by one thread that stops the server; every other thread blocks them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    zev::SystemClock clock;
    std::unique_ptr<zev::server::ZevServer> server;
    try {
        server = std::make_unique<zev::server::ZevServer>(options, clock);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zevserver: %s\n", e.what());
        return 1;
    }
    for (const std::string& problem : server->SchemaProblems())
        std::fprintf(stderr, "zevserver: schema: %s\n", problem.c_str());
    if (!server->Bind()) {
        std::fprintf(stderr, "zevserver: cannot listen on %s:%d%s\n", options.host.c_str(), options.port,
                     options.certFile.empty() ? "" : " (or cannot use the certificate and key)");
        return 1;
    }
    std::printf("listening on %s:%d\n", options.host.c_str(), server->Port());
    std::fflush(stdout);

    std::atomic<bool> signalled{false};
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        signalled = true;
        server->Stop();
    });
    server->Run();
    // Run also ends when the listening socket fails; then the stopper still waits and is woken here.
    if (!signalled)
        pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    server.reset();
    return 0;
}
