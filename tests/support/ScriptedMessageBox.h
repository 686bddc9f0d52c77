#pragma once

#include "app/core/MessageBox.h"

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace zevtest {

// The message box of every test: records each box shown and answers from a
// script. Safe to call from a worker thread; the public members may be read
// directly once the work that shows boxes has finished.
class ScriptedMessageBox : public zev::IMessageBox {
public:
    // What an empty script answers.
    enum class WhenEmpty {
        Agree, // Yes to a Yes/No question, Ok otherwise (never Retry)
        Ok,    // always Ok (a test that must see every question scripted)
    };

    struct Shown {
        int textId = 0;   // 0 for a literal text
        std::string text; // the literal text
        int captionId = 0;
        zev::MbButtons buttons = zev::MbButtons::Ok;
        zev::MbIcon icon = zev::MbIcon::None;
        zev::MbResult defaultButton = zev::MbResult::Ok;
    };

    explicit ScriptedMessageBox(WhenEmpty whenEmpty = WhenEmpty::Agree) : m_whenEmpty(whenEmpty) {}

    // With true, a box that offers only OK never takes a scripted answer, so a
    // script holds the answers to questions alone.
    void ScriptQuestionsOnly(bool on) { m_questionsOnly = on; }

    zev::MbResult Show(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon) override;
    zev::MbResult ShowText(const std::string& text, zev::Caption caption, zev::MbButtons buttons,
                           zev::MbIcon icon) override;
    zev::MbResult Ask(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                      zev::MbResult defaultButton) override;
    zev::MbResult AskText(const std::string& text, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                          zev::MbResult defaultButton) override;

    void Queue(zev::MbResult answer);
    void Clear();

    std::vector<Shown> Boxes() const;
    std::vector<int> TextIds() const;       // 0 for literal texts
    std::vector<std::string> Texts() const; // literal texts only
    std::vector<int> Captions() const;
    bool Saw(int textId) const;
    std::size_t Count() const;

    std::deque<zev::MbResult> answers;
    std::vector<Shown> shown;

private:
    zev::MbResult Record(Shown box);

    WhenEmpty m_whenEmpty;
    bool m_questionsOnly = false;
    mutable std::mutex m_mutex;
};

} // namespace zevtest
