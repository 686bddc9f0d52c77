#pragma once

#include "app/core/MessageBox.h"

#include <string>
#include <vector>

// Records every message and answers with a preset button.
class FakeMessageBox final : public zev::IMessageBox {
public:
    struct Shown {
        int textId;
        int captionId;
        zev::MbIcon icon;
        std::string text;
    };

    zev::MbResult Show(int textId, int captionId, zev::MbButtons, zev::MbIcon icon) override
    {
        shown.push_back({textId, captionId, icon, {}});
        return answer;
    }
    zev::MbResult ShowText(const std::string& text, int captionId, zev::MbButtons, zev::MbIcon icon) override
    {
        shown.push_back({0, captionId, icon, text});
        return answer;
    }

    std::vector<Shown> shown;
    zev::MbResult answer = zev::MbResult::Ok;
};
