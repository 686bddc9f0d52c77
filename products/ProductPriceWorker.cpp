#include "products/ProductPriceWorker.h"

namespace zev {

void ProductPriceWorker::Start(std::vector<int> items, int catalog, PriceBinding::PriceFn price, Batch batch)
{
    Stop();
    if (!price || !batch)
        return;
    m_thread = std::jthread(
        [items = std::move(items), catalog, price = std::move(price), batch = std::move(batch)](std::stop_token stop) {
            std::vector<Price> done;
            for (int item : items) {
                if (stop.stop_requested())
                    return;
                Price p;
                p.itemId = item;
                // The price library is not guaranteed to leave its outputs alone on failure.
                p.priced = price(item, p.casePrice, p.singlePrice, 0, catalog, 0);
                if (!p.priced)
                    p.casePrice = p.singlePrice = 0;
                done.push_back(p);
                if (done.size() == kBatchSize) {
                    batch(std::move(done));
                    done.clear();
                }
            }
            if (!done.empty())
                batch(std::move(done));
        });
}

void ProductPriceWorker::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void ProductPriceWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    m_thread.request_stop();
    m_thread.join();
}

} // namespace zev
