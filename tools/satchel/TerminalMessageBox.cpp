#include "TerminalMessageBox.h"

#include "app/core/StringTable.h"

#include <cctype>
#include <istream>
#include <ostream>

namespace satchel {

using zev::MbButtons;
using zev::MbResult;

TerminalMessageBox::TerminalMessageBox(std::istream& in, std::ostream& out, bool interactive, bool assumeYes,
                                       bool assumeNo)
    : m_in(in)
    , m_out(out)
    , m_interactive(interactive)
    , m_yes(assumeYes)
    , m_no(assumeNo)
{
}

MbResult TerminalMessageBox::Show(int textId, int captionId, MbButtons buttons, zev::MbIcon icon)
{
    m_lastText = textId;
    return ShowText(zev::StringTable::Text(textId), captionId, buttons, icon);
}

MbResult TerminalMessageBox::ShowText(const std::string& text, int captionId, MbButtons buttons, zev::MbIcon)
{
    ++m_shown;
    std::string caption = zev::StringTable::Has(captionId) ? zev::StringTable::Text(captionId) : std::string();
    m_out << "\n" << (caption.empty() ? "" : caption + " ") << text << "\n";
    if (buttons == MbButtons::Ok) return MbResult::Ok;
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
    const char* prompt = buttons == MbButtons::YesNoCancel ? "[y]es / [n]o / [c]ancel? "
        : hasYes                                            ? "[y]es / [n]o? "
        : buttons == MbButtons::RetryCancel                  ? "[r]etry / [c]ancel? "
                                                             : "[o]k / [c]ancel? ";
    for (;;) {
        m_out << prompt << std::flush;
        std::string line;
        if (!std::getline(m_in, line)) throw NoAnswer("no answer was given");
        char c = line.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
        if (hasYes && c == 'y') return MbResult::Yes;
        if (hasYes && c == 'n') return MbResult::No;
        if (!hasYes && buttons != MbButtons::RetryCancel && c == 'o') return MbResult::Ok;
        if (buttons == MbButtons::RetryCancel && c == 'r') return MbResult::Retry;
        if (buttons != MbButtons::YesNo && c == 'c') return MbResult::Cancel;
    }
}

} // namespace satchel
