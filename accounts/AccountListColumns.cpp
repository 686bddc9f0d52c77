#include "accounts/AccountListColumns.h"

#include "base/Text.h"

#include "accounts/AppointmentTime.h"
#include "app/core/StringIds.h"
#include "app/core/StringTable.h"

#include <cctype>
#include <cstdio>
#include <strings.h>

namespace zev {

namespace {

template <typename T> int ThreeWay(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

} // namespace

std::string AccountListColumns::DateText(std::time_t t)
{
    std::tm tm{};
    if (t == 0 || localtime_r(&t, &tm) == nullptr)
        return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2d/%.2d/%.2d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900);
    return buf;
}

std::string AccountListColumns::CallbackDayName(int dayIndex)
{
    if (dayIndex < 0 || dayIndex > 6)
        return {};
    return StringTable::Text(ids::kSunday + dayIndex);
}

std::string AccountListColumns::Text(const AccountListItem& item, int col, bool weekday, bool companyWithCity)
{
    switch (col) {
    case kAccountNumber:
        return item.accountNumber;
    case kCompany:
        if (companyWithCity)
            return item.companyName + " (" + item.city + ", " + item.state + ")";
        return item.companyName;
    case kContact:
        return item.contact;
    case kLastOrder:
        return DateText(item.lastOrder);
    case kApptTime:
        return weekday ? AppointmentTime::ColumnText(item.apptTime) : std::string();
    case kBalance: {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%5.2lf", item.balanceDue);
        return buf;
    }
    case kComment:
        return item.comment;
    case kComment2:
        return item.comment2;
    case kPhone:
        return item.phone;
    case kCallbackDay:
        return CallbackDayName(item.callbackDay);
    case kCallbackNotes:
        return item.callbackNotes;
    case kLastVisit:
        return DateText(item.lastVisit);
    case kAltContact:
        return item.altContact;
    case kEmail:
        return item.email;
    case kLastPayment:
        return DateText(item.lastPayment);
    default:
        return {};
    }
}

int AccountListColumns::Compare(const AccountListItem& a, const AccountListItem& b, int col, bool weekday,
                                bool companyWithCity, bool accountNumberAsText)
{
    switch (col) {
    case kIcon:
        return ThreeWay(a.statusIcon, b.statusIcon);
    case kAccountNumber:
        if (accountNumberAsText)
            return CompareNoCase(a.accountNumber, b.accountNumber);
        // Numbers of different lengths: the shorter is the smaller number.
        if (a.accountNumber.size() != b.accountNumber.size())
            return ThreeWay(a.accountNumber.size(), b.accountNumber.size());
        return CompareNoCase(a.accountNumber, b.accountNumber);
    case kCompany:
    case kContact:
    case kComment:
    case kComment2:
    case kPhone:
    case kCallbackNotes:
    case kAltContact:
        return CompareNoCase(Text(a, col, weekday, companyWithCity), Text(b, col, weekday, companyWithCity));
    case kLastOrder:
        return ThreeWay(a.lastOrder, b.lastOrder);
    case kApptTime:
        return ThreeWay(a.apptTime, b.apptTime);
    case kLastVisit:
        return ThreeWay(a.lastVisit, b.lastVisit);
    case kBalance:
        return ThreeWay(a.balanceDue, b.balanceDue);
    case kCallbackDay:
        return ThreeWay(a.callbackDay, b.callbackDay);
    default:
        return 0;
    }
}

} // namespace zev
