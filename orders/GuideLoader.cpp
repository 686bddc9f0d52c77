#include "orders/GuideLoader.h"

#include "orders/OrderGuide.h"
#include "tabula/DBLib.h"
#include "tabula/QueryPool.h"

#include <atomic>
#include <exception>
#include <utility>

namespace zev {

namespace {

// Each read gets a pool key of its own, away from the program's key 0.
std::atomic<int> g_nextPoolKey{1000};

} // namespace

GuideLoader::~GuideLoader()
{
    Stop();
    ClosePool();
}

std::string GuideLoader::ConnectionOf(int poolKey)
{
    QueryPool* pool = QueryPool::GetInstance(poolKey);
    return pool && pool->getLibrary() ? pool->getLibrary()->getConString() : std::string();
}

bool GuideLoader::Start(Request request, Done done)
{
    Stop();
    ClosePool();
    m_result = Result{};
    if (request.connection.empty())
        return false;
    const int key = g_nextPoolKey.fetch_add(1);
    try {
        QueryPool::GetInstance(request.connection, key);
    } catch (const std::exception&) {
        return false;
    }
    m_poolKey = key;
    m_thread = std::jthread([this, key, request = std::move(request), done = std::move(done)](std::stop_token stop) {
        Result result;
        try {
            OrderGuide guide(request.accountId, request.workOrderId, request.settings, key);
            result.ok = guide.Load(
                request.sortIndex, request.familyPlanCatalog,
                [&result](const std::string& line) { result.log.push_back(line); }, stop);
            result.rows = std::move(guide.Rows());
        } catch (const std::exception& e) {
            result.ok = false;
            result.log.push_back(std::string("Order guide read failed: ") + e.what());
        }
        result.stopped = stop.stop_requested();
        if (result.stopped)
            result.ok = false;
        m_result = std::move(result);
        if (done)
            done();
    });
    return true;
}

void GuideLoader::RequestStop()
{
    if (m_thread.joinable())
        m_thread.request_stop();
}

void GuideLoader::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

GuideLoader::Result GuideLoader::Take()
{
    Wait();
    ClosePool();
    return std::exchange(m_result, Result{});
}

void GuideLoader::ClosePool()
{
    if (m_poolKey == 0)
        return;
    delete QueryPool::GetInstance(m_poolKey); // removes its own registry entry
    m_poolKey = 0;
}

} // namespace zev
