#pragma once

#include <ctime>

namespace zev {

// The time source the logic reads, so tests can fix "now".
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::time_t Now() const = 0;
};

class SystemClock final : public IClock {
public:
    std::time_t Now() const override { return std::time(nullptr); }
};

} // namespace zev
