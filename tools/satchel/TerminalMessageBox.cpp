#include "TerminalMessageBox.h"

#include "app/core/StringTable.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <vector>

namespace satchel {

using zev::MbButtons;
using zev::MbResult;

TerminalMessageBox::TerminalMessageBox(std::istream& in, std::ostream& out, bool interactive, bool assumeYes,
                                       bool assumeNo)
    : m_in(in), m_out(out), m_interactive(interactive), m_yes(assumeYes), m_no(assumeNo)
{
}

MbResult TerminalMessageBox::Show(int textId, zev::Caption caption, MbButtons buttons, zev::MbIcon)
{
    m_lastText = textId;
    return Prompt(zev::StringTable::Text(textId), zev::CaptionNumber(caption), buttons, std::nullopt);
}

MbResult TerminalMessageBox::ShowText(const std::string& text, zev::Caption caption, MbButtons buttons, zev::MbIcon)
{
    return Prompt(text, zev::CaptionNumber(caption), buttons, std::nullopt);
}

MbResult TerminalMessageBox::Ask(int textId, zev::Caption caption, MbButtons buttons, zev::MbIcon,
                                 MbResult defaultButton)
{
    m_lastText = textId;
    return Prompt(zev::StringTable::Text(textId), zev::CaptionNumber(caption), buttons, defaultButton);
}

MbResult TerminalMessageBox::AskText(const std::string& text, zev::Caption caption, MbButtons buttons, zev::MbIcon,
                                     MbResult defaultButton)
{
    return Prompt(text, zev::CaptionNumber(caption), buttons, defaultButton);
}

namespace {

// "[y]es / [N]o? ": every choice with its key, the default one in capitals.
std::string PromptOf(MbButtons buttons, std::optional<MbResult> def)
{
    struct Choice {
        MbResult result;
        const char* word;
    };
    std::vector<Choice> choices;
    switch (buttons) {
    case MbButtons::YesNoCancel:
        choices = {{MbResult::Yes, "yes"}, {MbResult::No, "no"}, {MbResult::Cancel, "cancel"}};
        break;
    case MbButtons::YesNo:
        choices = {{MbResult::Yes, "yes"}, {MbResult::No, "no"}};
        break;
    case MbButtons::RetryCancel:
        choices = {{MbResult::Retry, "retry"}, {MbResult::Cancel, "cancel"}};
        break;
    case MbButtons::Ok:
    case MbButtons::OkCancel:
        choices = {{MbResult::Ok, "ok"}, {MbResult::Cancel, "cancel"}};
        break;
    }
    std::string prompt;
    for (const Choice& c : choices) {
        std::string word = c.word;
        if (def && *def == c.result)
            word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
        if (!prompt.empty())
            prompt += " / ";
        prompt += "[" + word.substr(0, 1) + "]" + word.substr(1);
    }
    return prompt + "? ";
}

} // namespace

MbResult TerminalMessageBox::Prompt(const std::string& text, int captionId, MbButtons buttons,
                                    std::optional<MbResult> defaultButton)
{
    ++m_shown;
    if (defaultButton && !zev::Offers(buttons, *defaultButton))
        defaultButton.reset();
    std::string caption = zev::StringTable::Has(captionId) ? zev::StringTable::Text(captionId) : std::string();
    m_out << "\n" << (caption.empty() ? "" : caption + " ") << text << "\n";
    if (buttons == MbButtons::Ok)
        return MbResult::Ok;
    const bool hasYes = buttons == MbButtons::YesNo || buttons == MbButtons::YesNoCancel;
    const MbResult yes = hasYes ? MbResult::Yes : (buttons == MbButtons::RetryCancel ? MbResult::Retry : MbResult::Ok);
    if (m_yes) {
        m_out << "(answered " << (hasYes ? "Yes" : "OK") << " by --yes)\n";
        return yes;
    }
    if (m_no) {
        m_out << "(answered " << (hasYes ? "No" : "Cancel") << " by --no)\n";
        return hasYes ? MbResult::No : MbResult::Cancel;
    }
    if (!m_interactive)
        throw NoAnswer("this needs an answer; run it on a terminal, or add --yes (or --no) to answer");
    const std::string prompt = PromptOf(buttons, defaultButton);
    for (;;) {
        m_out << prompt << std::flush;
        std::string line;
        if (!std::getline(m_in, line))
            throw NoAnswer("no answer was given");
        char c = line.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
        if (c == '\0' && defaultButton)
            return *defaultButton;
        if (hasYes && c == 'y')
            return MbResult::Yes;
        if (hasYes && c == 'n')
            return MbResult::No;
        if (!hasYes && buttons != MbButtons::RetryCancel && c == 'o')
            return MbResult::Ok;
        if (buttons == MbButtons::RetryCancel && c == 'r')
            return MbResult::Retry;
        if (buttons != MbButtons::YesNo && c == 'c')
            return MbResult::Cancel;
    }
}

} // namespace satchel
