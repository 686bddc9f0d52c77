#include "sync/TablePrefetch.h"

#include <atomic>
#include <filesystem>

namespace zev::sync {

namespace {

// PluginApi.h's code for a library that failed inside: nothing was sent.
constexpr int kPostInternal = 8;

} // namespace

TablePrefetch::TablePrefetch(PostToFileFn post, PostTarget target, std::string file)
    : m_post(std::move(post)), m_target(std::move(target)), m_file(std::move(file))
{
    m_thread = std::thread([this] {
        int result = kPostInternal;
        try {
            if (m_post)
                result = m_post(m_target.host.c_str(), m_target.backup.c_str(), m_target.path.c_str(), "",
                                m_target.timeoutMs, nullptr, m_target.port, m_file.c_str(), &m_cancel);
        } catch (...) {
            result = kPostInternal;
        }
        // Read by Wait only after the join, which orders it.
        m_result = result;
    });
}

TablePrefetch::~TablePrefetch()
{
    if (m_thread.joinable()) {
        std::atomic_ref<int>(m_cancel).store(1, std::memory_order_release);
        m_thread.join();
    }
    std::error_code ec;
    std::filesystem::remove(m_file, ec);
}

int TablePrefetch::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_result;
}

} // namespace zev::sync
