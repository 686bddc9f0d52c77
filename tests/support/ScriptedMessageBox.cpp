#include "support/ScriptedMessageBox.h"

namespace zevtest {

using zev::MbButtons;
using zev::MbIcon;
using zev::MbResult;

MbResult ScriptedMessageBox::Show(int textId, zev::Caption caption, MbButtons buttons, MbIcon icon)
{
    return Record({textId, {}, zev::CaptionNumber(caption), buttons, icon, zev::FirstButton(buttons)});
}

MbResult ScriptedMessageBox::ShowText(const std::string& text, zev::Caption caption, MbButtons buttons, MbIcon icon)
{
    return Record({0, text, zev::CaptionNumber(caption), buttons, icon, zev::FirstButton(buttons)});
}

MbResult ScriptedMessageBox::Ask(int textId, zev::Caption caption, MbButtons buttons, MbIcon icon,
                                 MbResult defaultButton)
{
    return Record({textId, {}, zev::CaptionNumber(caption), buttons, icon, defaultButton});
}

MbResult ScriptedMessageBox::AskText(const std::string& text, zev::Caption caption, MbButtons buttons, MbIcon icon,
                                     MbResult defaultButton)
{
    return Record({0, text, zev::CaptionNumber(caption), buttons, icon, defaultButton});
}

MbResult ScriptedMessageBox::Record(Shown box)
{
    std::lock_guard lock(m_mutex);
    const MbButtons buttons = box.buttons;
    shown.push_back(std::move(box));
    if (buttons == MbButtons::Ok && m_questionsOnly)
        return MbResult::Ok;
    if (!answers.empty()) {
        const MbResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (m_whenEmpty == WhenEmpty::Ok)
        return MbResult::Ok;
    // Never Retry: a test whose script ran out must not loop.
    return buttons == MbButtons::YesNo || buttons == MbButtons::YesNoCancel ? MbResult::Yes : MbResult::Ok;
}

void ScriptedMessageBox::Queue(MbResult answer)
{
    std::lock_guard lock(m_mutex);
    answers.push_back(answer);
}

void ScriptedMessageBox::Clear()
{
    std::lock_guard lock(m_mutex);
    shown.clear();
}

std::vector<ScriptedMessageBox::Shown> ScriptedMessageBox::Boxes() const
{
    std::lock_guard lock(m_mutex);
    return shown;
}

std::vector<int> ScriptedMessageBox::TextIds() const
{
    std::lock_guard lock(m_mutex);
    std::vector<int> ids;
    for (const auto& box : shown)
        ids.push_back(box.textId);
    return ids;
}

std::vector<std::string> ScriptedMessageBox::Texts() const
{
    std::lock_guard lock(m_mutex);
    std::vector<std::string> texts;
    for (const auto& box : shown)
        if (box.textId == 0)
            texts.push_back(box.text);
    return texts;
}

std::vector<int> ScriptedMessageBox::Captions() const
{
    std::lock_guard lock(m_mutex);
    std::vector<int> captions;
    for (const auto& box : shown)
        captions.push_back(box.captionId);
    return captions;
}

bool ScriptedMessageBox::Saw(int textId) const
{
    std::lock_guard lock(m_mutex);
    for (const auto& box : shown)
        if (box.textId == textId)
            return true;
    return false;
}

std::size_t ScriptedMessageBox::Count() const
{
    std::lock_guard lock(m_mutex);
    return shown.size();
}

} // namespace zevtest
