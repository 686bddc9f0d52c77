#pragma once

#include "app/core/MessageBox.h"
#include "base/Clock.h"
#include "support/FixedClock.h"
#include "support/ScriptedMessageBox.h"

#include <ctime>
#include <deque>
#include <string>
#include <vector>

namespace zev::test {

using zevtest::FixedClock;

// Records every message and answers from a script (Ok when the script is empty).
class ScriptedMessageBox final : public zevtest::ScriptedMessageBox {
public:
    ScriptedMessageBox() : zevtest::ScriptedMessageBox(WhenEmpty::Ok) {}
};

// Local time of a date and time (tests run with TZ=UTC).
inline std::time_t At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

} // namespace zev::test
