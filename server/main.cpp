// zevserver: the distributor's reference server.
//   zevserver [--port N] [--data DIR] [--host ADDR] [--cert FILE --key FILE] [--schema FILE]
#include "server/ZevServer.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <pthread.h>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: zevserver [--port N] [--data DIR] [--host ADDR] [--cert FILE --key FILE] "
                         "[--schema FILE]\n");
    return 2;
}

std::string DefaultSchema() {
#ifdef ZEV_DEFAULT_SCHEMA
    return ZEV_DEFAULT_SCHEMA;
#else
    return {};
#endif
}

} // namespace

int main(int argc, char** argv) {
    zev::server::ServerOptions options;
    options.dataDir = ".";
    options.schemaPath = DefaultSchema();
    bool schemaGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
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
