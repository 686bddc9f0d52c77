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

// The access key of a caption: the letter after a single "&" ("&Save" gives
// 's', lower case); 0 when there is none ("&&" is a literal ampersand).
char AccessKeyOf(std::string_view caption);

// `caption` with an access key. One that has a key is returned as it is;
// otherwise the first letter starting a word that is not in `taken` (lower
// case keys) gets the "&", then any free letter, and when every letter is
// taken the first one (a shared key still reaches the control).
std::string WithAccessKey(std::string_view caption, std::string_view taken);

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
