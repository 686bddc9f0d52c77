#pragma once

#include "base/Clock.h"

#include <ctime>

namespace zevtest {

// "Now" as the test sets it.
class FixedClock final : public zev::IClock {
public:
    explicit FixedClock(std::time_t at = 1700000000) : now(at) {} // 2023-11-14 22:13:20 UTC
    std::time_t Now() const override { return now; }
    void Set(std::time_t at) { now = at; }

    std::time_t now;
};

} // namespace zevtest
