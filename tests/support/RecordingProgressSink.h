#pragma once

#include "base/ProgressSink.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace zevtest {

// Keeps every step reported; safe to report from a worker thread.
class RecordingProgressSink final : public zev::IProgressSink {
public:
    void Report(int percent, const std::string& text) override
    {
        std::lock_guard lock(m_mutex);
        steps.emplace_back(percent, text);
    }

    // How many steps carried exactly `text`.
    int Count(const std::string& text) const
    {
        std::lock_guard lock(m_mutex);
        int n = 0;
        for (const auto& step : steps)
            n += step.second == text ? 1 : 0;
        return n;
    }

    int LastPercent() const
    {
        std::lock_guard lock(m_mutex);
        return steps.empty() ? -1 : steps.back().first;
    }

    // Read directly only once the reporting work has finished.
    std::vector<std::pair<int, std::string>> steps;

private:
    mutable std::mutex m_mutex;
};

} // namespace zevtest
