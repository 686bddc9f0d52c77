#pragma once

#include "orders/OrderGuideRow.h"
#include "orders/PriceBinding.h"

#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>
#include <vector>

namespace zev {

// The background re-pricing pass of a loaded guide. It works on a copy of the
// rows, asks the price operation for each item (quantity in units, the line's
// catalogue, deal code 0), computes the amount with the same rule as the
// guide's lines, and checks its stop flag after every row. What it hands back
// touches only price fields, one whole row at a time; the caller applies it
// on its own thread, never the worker.
class RepricingWorker {
public:
    struct Result {
        std::size_t row = 0;
        float casePrice = 0;
        float singlePrice = 0;
        float extendedPrice = 0;
        bool pricesChanged = false;
    };
    // Called on the worker thread once, when the pass ends (done or stopped).
    using Done = std::function<void(bool stopped)>;

    RepricingWorker() = default;
    ~RepricingWorker();
    RepricingWorker(const RepricingWorker&) = delete;
    RepricingWorker& operator=(const RepricingWorker&) = delete;

    void Start(std::vector<OrderGuideRow> rows, PriceBinding::PriceFn price, int overrideMode, Done done = {});
    // Asks the pass to stop after the row it is on; returns at once.
    void RequestStop();
    // Waits for the pass to end (the screen does before placing or saving).
    void Wait();
    void Stop()
    {
        RequestStop();
        Wait();
    }

    // The rows finished so far (all of them after a complete pass).
    std::vector<Result> TakeResults();

    // Writes results into the guide's rows: case and single price and the
    // extended price; a row whose prices changed is marked to be written.
    // Results for rows that no longer exist are ignored.
    static std::size_t Apply(std::vector<OrderGuideRow>& rows, const std::vector<Result>& results);

private:
    // Made before the thread starts, so a stop asked from the pass itself
    // (or any thread) never races with the thread's assignment.
    std::stop_source m_stop;
    std::jthread m_thread;
    std::mutex m_mutex;
    std::vector<Result> m_results;
};

} // namespace zev
