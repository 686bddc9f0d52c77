#pragma once

#include "app/core/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

namespace zev::test {

// Records every message and answers from a script (Ok, or Yes for a Yes/No
// question, when the script is empty).
class ScriptedBox final : public IMessageBox {
public:
    struct Shown {
        std::string text;
        int captionId = 0;
        MbButtons buttons = MbButtons::Ok;
        MbIcon icon = MbIcon::None;
    };

    MbResult Show(int textId, int captionId, MbButtons buttons, MbIcon icon) override
    {
        return ShowText("#" + std::to_string(textId), captionId, buttons, icon);
    }
    MbResult ShowText(const std::string& text, int captionId, MbButtons buttons, MbIcon icon) override
    {
        shown.push_back({text, captionId, buttons, icon});
        if (answers.empty())
            return buttons == MbButtons::YesNo ? MbResult::Yes : MbResult::Ok;
        const MbResult r = answers.front();
        answers.pop_front();
        return r;
    }

    std::deque<MbResult> answers;
    std::vector<Shown> shown;
};

} // namespace zev::test
