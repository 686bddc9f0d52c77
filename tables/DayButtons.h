#pragma once

// The day buttons of the account list and the three weekday numberings that
// meet in the call plan: the day index 0 (Sunday) ... 6 (Saturday) of
// AccountCalled, Callback and DayString; the ApptTime column number 1 ... 7;
// and the button identifiers 1029 (Sunday) ... 1035 (Saturday), 1036 "All".
namespace zev::DayButtons {

inline constexpr int kSunday = 1029;
inline constexpr int kSaturday = 1035;
inline constexpr int kAll = 1036;

constexpr bool IsWeekday(int button) { return button >= kSunday && button <= kSaturday; }
// "All" gives 7, which is no weekday.
constexpr int DayIndex(int button) { return button - 1029; }
constexpr int ApptTimeNumber(int button) { return button - 1028; }
// Column of the account select holding that day's appointment time (24 ... 30).
constexpr int ApptTimeColumn(int button) { return button - 1005; }
constexpr int FromDayIndex(int dayIndex) { return dayIndex + 1029; }

} // namespace zev::DayButtons
