#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace zev {

// The delivery days an order may be given: the weekdays both the account and
// the distributor deliver on, offered from today (or tomorrow) onwards.
class DeliveryDays {
public:
    struct Day {
        std::string shown;  // "Sun, Mar 08 2026"
        std::string stored; // "03/08/2026"
    };

    // Position by position over the shorter string: "Y" where both hold "Y".
    static std::string Combine(const std::string& account, const std::string& distributor);
    // The message that stops the list, or nothing when the schedules meet.
    static std::optional<std::string> Problem(const std::string& account, const std::string& distributor);

    // `count` days (21 when 0 or less) from `today` (local time), tomorrow
    // first with `fromTomorrow`; a walk that starts today offers today in any
    // case.
    static std::vector<Day> Offer(const std::string& combined, std::time_t today, int count, bool fromTomorrow);
};

} // namespace zev
