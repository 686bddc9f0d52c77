#include "orders/DeliveryDays.h"

#include <algorithm>

namespace zev {

std::string DeliveryDays::Combine(const std::string& account, const std::string& distributor)
{
    const std::size_t n = std::min(account.size(), distributor.size());
    std::string combined(n, 'N');
    for (std::size_t i = 0; i < n; ++i)
        if (account[i] == 'Y' && distributor[i] == 'Y')
            combined[i] = 'Y';
    return combined;
}

std::optional<std::string> DeliveryDays::Problem(const std::string& account, const std::string& distributor)
{
    if (account.empty() || account == "NNNNNNN")
        return std::string("It appears that this account does not have a delivery schedule set up.\n\nEither set up "
                           "a delivery schedule or contact your distributor.");
    if (distributor.empty() || distributor == "NNNNNNN")
        return std::string("It appears that your distributor does not have a delivery schedule set up.\n\nPlease "
                           "contact your distributor.");
    if (Combine(account, distributor).find('Y') == std::string::npos)
        return std::string("There are no days in which your delivery schedule and the accounts delivery schedule "
                           "match.\n\nEither change the delivery schedule for the account or contact your "
                           "distributor.");
    return std::nullopt;
}

std::vector<DeliveryDays::Day> DeliveryDays::Offer(const std::string& combined, std::time_t today, int count,
                                                   bool fromTomorrow)
{
    if (count <= 0)
        count = 21;
    std::vector<Day> days;
    if (combined.find('Y') == std::string::npos)
        return days;
    std::tm day{};
    localtime_r(&today, &day);
    day.tm_hour = 12; // noon keeps daylight-saving changes from skipping a date
    day.tm_min = day.tm_sec = 0;
    day.tm_isdst = -1;
    if (fromTomorrow)
        ++day.tm_mday;
    bool first = !fromTomorrow;
    for (int guard = 0; static_cast<int>(days.size()) < count && guard < 7 * 400; ++guard) {
        std::tm probe = day;
        std::mktime(&probe);
        const auto weekday = static_cast<std::size_t>(probe.tm_wday);
        if (first || (weekday < combined.size() && combined[weekday] == 'Y')) {
            char shown[40];
            char stored[16];
            std::strftime(shown, sizeof shown, "%a, %b %d %Y", &probe);
            std::strftime(stored, sizeof stored, "%m/%d/%Y", &probe);
            days.push_back({shown, stored});
        }
        first = false;
        ++day.tm_mday;
    }
    return days;
}

} // namespace zev
