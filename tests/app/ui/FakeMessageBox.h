#pragma once

#include "app/core/MessageBox.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

// Records every box asked for and answers from a script; safe to call from
// a worker thread.
class FakeMessageBox final : public zev::IMessageBox {
public:
    struct Shown {
        int textId;
        int captionId;
        std::string text;
        zev::MbResult defaultButton = zev::MbResult::Ok;
    };

    zev::MbResult Show(int textId, int captionId, zev::MbButtons buttons, zev::MbIcon icon) override
    {
        return Ask(textId, captionId, buttons, icon, zev::FirstButton(buttons));
    }

    zev::MbResult ShowText(const std::string& text, int captionId, zev::MbButtons buttons, zev::MbIcon icon) override
    {
        return AskText(text, captionId, buttons, icon, zev::FirstButton(buttons));
    }

    zev::MbResult Ask(int textId, int captionId, zev::MbButtons buttons, zev::MbIcon,
                      zev::MbResult defaultButton) override
    {
        std::lock_guard lock(m_mutex);
        m_shown.push_back({textId, captionId, {}, defaultButton});
        return Answer(buttons);
    }

    zev::MbResult AskText(const std::string& text, int captionId, zev::MbButtons buttons, zev::MbIcon,
                          zev::MbResult defaultButton) override
    {
        std::lock_guard lock(m_mutex);
        m_shown.push_back({0, captionId, text, defaultButton});
        return Answer(buttons);
    }

    void Queue(zev::MbResult answer)
    {
        std::lock_guard lock(m_mutex);
        m_answers.push_back(answer);
    }

    std::vector<Shown> Boxes() const
    {
        std::lock_guard lock(m_mutex);
        return m_shown;
    }

    std::vector<int> TextIds() const
    {
        std::lock_guard lock(m_mutex);
        std::vector<int> ids;
        for (const auto& s : m_shown)
            ids.push_back(s.textId);
        return ids;
    }

    void Clear()
    {
        std::lock_guard lock(m_mutex);
        m_shown.clear();
    }

private:
    zev::MbResult Answer(zev::MbButtons buttons)
    {
        if (!m_answers.empty()) {
            const zev::MbResult a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        return buttons == zev::MbButtons::YesNo || buttons == zev::MbButtons::YesNoCancel ? zev::MbResult::Yes
                                                                                          : zev::MbResult::Ok;
    }

    mutable std::mutex m_mutex;
    std::vector<Shown> m_shown;
    std::deque<zev::MbResult> m_answers;
};
