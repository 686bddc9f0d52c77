#include "accounts/ItineraryReport.h"

#include "accounts/AccountRecord.h"
#include "app/core/MessageBox.h"
#include "app/core/StringIds.h"
#include "app/core/TextHelpers.h"
#include "tables/Accounts.h"
#include "tables/DayButtons.h"
#include "tables/OrderHistory.h"
#include "tables/ReadyOrder.h"
#include "tables/SqlText.h"

#include <cctype>
#include <cstdio>

namespace zev {

namespace {

// The first three numbers of a creation time ("{ts '2026-3-4 9:5:7'}" or
// "2026-3-4 9:5:7"): year, month, day.
bool DateOfCreationText(const std::string& text, int& year, int& month, int& day)
{
    int parts[3] = {0, 0, 0};
    int found = 0;
    std::size_t i = 0;
    while (i < text.size() && found < 3) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        long value = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && value < 100000)
            value = value * 10 + (text[i++] - '0');
        parts[found++] = static_cast<int>(value);
    }
    year = parts[0];
    month = parts[1];
    day = parts[2];
    return found == 3;
}

} // namespace

std::string ItineraryReport::Accomplishments::TotalLine() const
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "Total - $%7.2f", total);
    return buf;
}

ItineraryReport::ItineraryReport(int poolKey) : m_poolKey(poolKey) {}

ItineraryReport::Itinerary ItineraryReport::BuildItinerary(int dayButton) const
{
    Itinerary it;
    if (!DayButtons::IsWeekday(dayButton))
        return it;
    // "%A" of a date on that weekday: 4 January 1970 was a Sunday.
    std::tm tm{};
    tm.tm_year = 70;
    tm.tm_mday = 4 + DayButtons::DayIndex(dayButton);
    tm.tm_isdst = -1;
    std::mktime(&tm);
    char name[64];
    std::strftime(name, sizeof name, "%A", &tm);
    it.heading = name;

    Accounts accounts(m_poolKey);
    if (!accounts.getScheduled(DayString::SingleDay(DayButtons::DayIndex(dayButton))))
        return it;
    for (; !accounts.IsEOF(); accounts.MoveNext()) {
        const AccountRecord r = AccountRecord::Read(accounts);
        ItineraryRow row{r.companyName, r.accountNumber, r.city + ", " + r.state, r.contactName, r.phone};
        ProperCase(row.company);
        it.rows.push_back(std::move(row));
    }
    return it;
}

ItineraryReport::Accomplishments ItineraryReport::BuildAccomplishments(std::time_t now) const
{
    Accomplishments acc;
    std::tm today{};
    localtime_r(&now, &today);

    Accounts accounts(m_poolKey);
    auto add = [&](int accountId, double amount) {
        AccomplishmentRow row;
        row.amount = amount;
        if (accounts.getAccount(accountId)) {
            const AccountRecord r = AccountRecord::Read(accounts);
            row.accountNumber = r.accountNumber;
            row.company = r.companyName;
            ProperCase(row.company);
        }
        acc.total += amount;
        acc.rows.push_back(std::move(row));
    };

    ReadyOrder ready(m_poolKey);
    if (ready.getAllByNumber()) {
        for (; !ready.IsEOF(); ready.MoveNext()) {
            if (ready.GetFieldValueInt(2) != 0)
                continue; // No Visit/No Sale and cancellations are no orders
            int y = 0, m = 0, d = 0;
            if (!DateOfCreationText(ready.GetFieldValueString(8), y, m, d))
                continue;
            if (y == today.tm_year + 1900 && m == today.tm_mon + 1 && d == today.tm_mday)
                add(ready.GetFieldValueInt(0), ready.GetFieldValueDouble(6));
        }
    }

    OrderHistory history(m_poolKey);
    const std::string date = SqlText::Format("%.2d/%.2d/%d", today.tm_mon + 1, today.tm_mday, today.tm_year + 1900);
    if (history.getOfDay(date)) {
        for (; !history.IsEOF(); history.MoveNext())
            add(history.GetFieldValueInt(1), history.GetFieldValueDouble(7));
    }
    return acc;
}

bool ItineraryReport::CheckPrintable(bool empty, IMessageBox& messages)
{
    if (!empty)
        return true;
    messages.ShowText("You have nothing to be printed.", ids::kCaptionInformation, MbButtons::Ok, MbIcon::Information);
    return false;
}

std::string ItineraryReport::FileTitle(bool itinerary, int dayIndex, std::time_t now)
{
    static const char* const kDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::tm local{};
    localtime_r(&now, &local);
    char date[40];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    if (!itinerary)
        return std::string("Accomplishments ") + date;
    std::string title = "Itinerary ";
    if (dayIndex >= 0 && dayIndex < 7)
        title += std::string(kDays[dayIndex]) + " ";
    return title + date;
}

} // namespace zev
