#pragma once

#include "app/core/Clock.h"
#include "app/core/MessageBox.h"

#include <ctime>
#include <deque>
#include <string>
#include <vector>

namespace zev::test {

class FixedClock final : public IClock {
public:
    explicit FixedClock(std::time_t now) : m_now(now) {}
    std::time_t Now() const override { return m_now; }
    void Set(std::time_t now) { m_now = now; }

private:
    std::time_t m_now;
};

// Records every message and answers from a script (Ok when the script is empty).
class ScriptedMessageBox final : public IMessageBox {
public:
    struct Shown {
        int textId = 0;
        std::string text;
        int captionId = 0;
        MbButtons buttons = MbButtons::Ok;
        MbIcon icon = MbIcon::None;
        MbResult defaultButton = MbResult::Ok;
    };

    MbResult Show(int textId, int captionId, MbButtons buttons, MbIcon icon) override
    {
        shown.push_back({textId, {}, captionId, buttons, icon, FirstButton(buttons)});
        return Next();
    }
    MbResult Ask(int textId, int captionId, MbButtons buttons, MbIcon icon, MbResult defaultButton) override
    {
        shown.push_back({textId, {}, captionId, buttons, icon, defaultButton});
        return Next();
    }
    MbResult AskText(const std::string& text, int captionId, MbButtons buttons, MbIcon icon,
                     MbResult defaultButton) override
    {
        shown.push_back({0, text, captionId, buttons, icon, defaultButton});
        return Next();
    }
    MbResult ShowText(const std::string& text, int captionId, MbButtons buttons, MbIcon icon) override
    {
        shown.push_back({0, text, captionId, buttons, icon, FirstButton(buttons)});
        return Next();
    }

    std::deque<MbResult> answers;
    std::vector<Shown> shown;

private:
    MbResult Next()
    {
        if (answers.empty())
            return MbResult::Ok;
        const MbResult r = answers.front();
        answers.pop_front();
        return r;
    }
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
