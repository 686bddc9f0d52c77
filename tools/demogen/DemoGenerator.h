#pragma once

#include "server/ServerStore.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zev::demo {

struct DemoOptions {
    bool scale = false; // performance size: 30,000 items, 2,000 accounts, 300,000 history lines
    std::uint64_t seed = 20061;
    int year = 2026, month = 1, day = 1; // "today": the itinerary, open invoices and history hang on it
    std::string stamp;                   // change stamp of every generated row ("YYYY-MM-DD HH:MM:SS")
};

// A user the demo creates, with the password the demo documents.
struct DemoUser {
    const char* id;
    const char* password;
    const char* name;
    bool manager;
};

const std::vector<DemoUser>& DemoUsers();

// Fills the master tables of server.db with a beverage distributor's data: catalogue and prices, two
// representatives' accounts with their guides, history, receivables and messages, and the users.
// The tables must exist (created from the schema file); tables the schema lacks are skipped.
// Deterministic for a seed and a "today".
class DemoGenerator {
public:
    using DigestFn = std::function<std::string(const std::string& password)>;
    DemoGenerator(server::ServerStore& store, DemoOptions options, DigestFn digest);

    // Replaces the master rows and users in one transaction; returns the rows written per table.
    std::map<std::string, long long> Generate();

private:
    server::ServerStore& m_store;
    DemoOptions m_options;
    DigestFn m_digest;
};

} // namespace zev::demo
