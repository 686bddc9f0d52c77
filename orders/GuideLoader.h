#pragma once

#include "orders/OrderGuideRow.h"
#include "orders/OrderSettings.h"

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zev {

// Reads an account's order guide on a worker thread, on a connection of its
// own to the same database (a query pool serves one thread only). The
// worker says through `done`, on its own thread, that the read ended; the
// caller then takes the rows on its thread. Stop asks the read to end after
// the row it is on and waits for it.
class GuideLoader {
public:
    struct Request {
        std::string connection; // connection string of the database
        int accountId = -1;
        int workOrderId = -1;
        OrderSettings settings;
        int sortIndex = 0;
        std::optional<int> familyPlanCatalog;
    };
    struct Result {
        bool ok = false;      // the lines were read (an empty guide is read too)
        bool stopped = false; // the read was asked to stop before it ended
        std::vector<OrderGuideRow> rows;
        std::vector<std::string> log;
    };
    using Done = std::function<void()>;

    GuideLoader() = default;
    ~GuideLoader();
    GuideLoader(const GuideLoader&) = delete;
    GuideLoader& operator=(const GuideLoader&) = delete;

    // The connection string of a registered pool ("" when there is none).
    static std::string ConnectionOf(int poolKey);

    // Opens the loader's connection here, on the calling thread (the pool
    // registry is not thread-safe), and starts the read. False when the
    // database cannot be opened; `done` is then not called.
    [[nodiscard]] bool Start(Request request, Done done = {});
    void RequestStop();
    void Wait();
    void Stop()
    {
        RequestStop();
        Wait();
    }
    // Waits for the read and hands over what it found; the loader's
    // connection is closed.
    Result Take();

private:
    void ClosePool();

    std::jthread m_thread;
    int m_poolKey = 0;
    Result m_result; // the worker's until it is joined
};

} // namespace zev
