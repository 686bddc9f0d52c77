#include "orders/RepricingWorker.h"

#include "orders/Amount.h"
#include "orders/LinePricing.h"

namespace zev {

RepricingWorker::~RepricingWorker() { Stop(); }

void RepricingWorker::Start(std::vector<OrderGuideRow> rows, PriceBinding::PriceFn price, int overrideMode, Done done)
{
    Stop();
    {
        std::lock_guard lock(m_mutex);
        m_results.clear();
    }
    m_stop = std::stop_source();
    m_thread = std::jthread([this, rows = std::move(rows), price = std::move(price), overrideMode,
                             done = std::move(done), asked = m_stop.get_token()](std::stop_token own) mutable {
        auto stopRequested = [&] { return own.stop_requested() || asked.stop_requested(); };
        bool stopped = false;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (stopRequested()) {
                stopped = true;
                break;
            }
            OrderGuideRow& row = rows[i];
            float casePrice = row.casePrice;
            float singlePrice = row.singlePrice;
            Result result;
            result.row = i;
            if (price && price(row.itemId, casePrice, singlePrice, row.units, row.catalogId, 0)) {
                result.pricesChanged = Amount::Cents(casePrice) != Amount::Cents(row.casePrice) ||
                                       Amount::Cents(singlePrice) != Amount::Cents(row.singlePrice);
                row.casePrice = casePrice;
                row.singlePrice = singlePrice;
            }
            result.casePrice = row.casePrice;
            result.singlePrice = row.singlePrice;
            result.extendedPrice = LinePricing::AmountOf(row, overrideMode);
            {
                std::lock_guard lock(m_mutex);
                m_results.push_back(result);
            }
        }
        if (!stopped && stopRequested())
            stopped = true;
        if (done)
            done(stopped);
    });
}

void RepricingWorker::RequestStop() { m_stop.request_stop(); }

void RepricingWorker::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

std::vector<RepricingWorker::Result> RepricingWorker::TakeResults()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_results, {});
}

std::size_t RepricingWorker::Apply(std::vector<OrderGuideRow>& rows, const std::vector<Result>& results)
{
    std::size_t applied = 0;
    for (const Result& r : results) {
        if (r.row >= rows.size())
            continue;
        OrderGuideRow& row = rows[r.row];
        row.casePrice = r.casePrice;
        row.singlePrice = r.singlePrice;
        row.extendedPrice = r.extendedPrice;
        if (r.pricesChanged)
            row.changed = true;
        ++applied;
    }
    return applied;
}

} // namespace zev
