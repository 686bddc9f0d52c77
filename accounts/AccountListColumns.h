#pragma once

#include "accounts/AccountListItem.h"

#include <ctime>
#include <string>

namespace zev {

// What each column of the account list shows and how two rows compare in it.
class AccountListColumns {
public:
    static constexpr int kCount = 16;
    static constexpr int kIcon = 0;
    static constexpr int kAccountNumber = 1;
    static constexpr int kCompany = 2;
    static constexpr int kContact = 3;
    static constexpr int kLastOrder = 4;
    static constexpr int kApptTime = 5;
    static constexpr int kBalance = 6;
    static constexpr int kComment = 7;
    static constexpr int kComment2 = 8;
    static constexpr int kPhone = 9;
    static constexpr int kCallbackDay = 10;
    static constexpr int kCallbackNotes = 11;
    static constexpr int kLastVisit = 12;
    static constexpr int kAltContact = 13;
    static constexpr int kEmail = 14;
    static constexpr int kLastPayment = 15;

    // The text of column `col`. `weekday` is false while "All" is shown (no
    // appointment times then); `companyWithCity` is switch 185.
    static std::string Text(const AccountListItem& item, int col, bool weekday, bool companyWithCity);

    // "%.2d/%.2d/%.2d" of month, day and year; empty for no date.
    static std::string DateText(std::time_t t);

    // The weekday name of a callback day, empty for -1.
    static std::string CallbackDayName(int dayIndex);

    // <0, 0, >0 before the direction factor is applied. `accountNumberAsText`
    // is switch 34.
    static int Compare(const AccountListItem& a, const AccountListItem& b, int col, bool weekday, bool companyWithCity,
                       bool accountNumberAsText);
};

} // namespace zev
