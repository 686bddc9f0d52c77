#pragma once

#include <ctime>
#include <string>
#include <string_view>

// Text helpers shared by the account and order screens.
namespace zev {

// Names typed or delivered in capitals become proper case: JOHN SMITH & SONS
// -> John Smith & Sons, JOE'S -> Joe's, O'NEIL -> O'Neil, MCDONALD -> McDonald.
// A text holding any lower-case letter is left as it is.
void ProperCase(std::string& text);

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Reads "1/5/04", "12-31-1999", "2004/02/29", "20040105", "010504" and the
// like. Only dates of 1970 to 2037 succeed. On success `date` holds the date
// and, in the second form, `result` that day at local midnight.
[[nodiscard]] bool ParseDate(std::string_view text, CalendarDate& date);
[[nodiscard]] bool ParseDate(std::string_view text, std::time_t& result);

} // namespace zev
