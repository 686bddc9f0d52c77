#pragma once

#include "orders/PriceBinding.h"

#include <functional>
#include <thread>
#include <vector>

namespace zev {

// Prices a product list in the background: one unit of each item in one
// catalogue, handed back in batches so a long list fills as it goes. The
// batches are delivered on the worker thread; the caller moves them to its
// own thread. Stopping is checked after every item.
class ProductPriceWorker {
public:
    struct Price {
        int itemId = 0;
        bool priced = false;
        float casePrice = 0;
        float singlePrice = 0;
    };
    using Batch = std::function<void(std::vector<Price>)>;

    static constexpr std::size_t kBatchSize = 250;

    ProductPriceWorker() = default;
    ~ProductPriceWorker() { Stop(); }
    ProductPriceWorker(const ProductPriceWorker&) = delete;
    ProductPriceWorker& operator=(const ProductPriceWorker&) = delete;

    // Stops any earlier run first.
    void Start(std::vector<int> items, int catalog, PriceBinding::PriceFn price, Batch batch);
    // Asks the run to stop after the item it is on and waits for it.
    void Stop();
    // Waits for the run to price every item.
    void Wait();

private:
    std::jthread m_thread;
};

} // namespace zev
