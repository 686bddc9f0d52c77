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
    };

    zev::MbResult Show(int textId, int captionId, zev::MbButtons buttons, zev::MbIcon) override
    {
        std::lock_guard lock(m_mutex);
        m_shown.push_back({textId, captionId, {}});
        return Answer(buttons);
    }

    zev::MbResult ShowText(const std::string& text, int captionId, zev::MbButtons buttons, zev::MbIcon) override
    {
        std::lock_guard lock(m_mutex);
        m_shown.push_back({0, captionId, text});
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
