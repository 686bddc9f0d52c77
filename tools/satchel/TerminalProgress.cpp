#include "TerminalProgress.h"

#include <algorithm>
#include <ostream>

namespace satchel {

TerminalProgress::TerminalProgress(std::ostream& out, bool terminal) : m_out(out), m_terminal(terminal) {}

TerminalProgress::~TerminalProgress() { Finish(); }

void TerminalProgress::Report(int percent, const std::string& text)
{
    percent = std::clamp(percent, 0, 100);
    const std::string shown = text.empty() ? m_lastText : text;
    if (percent == m_lastPercent && shown == m_lastText)
        return;
    // Without a terminal a line is written when the text changes or the bar
    // passes another tenth, so logs stay readable.
    const bool newLine = shown != m_lastText || percent / 10 != m_lastPercent / 10 || percent == 100;
    m_lastPercent = percent;
    m_lastText = shown;
    if (!m_terminal && !newLine)
        return;
    if (m_terminal) {
        constexpr int width = 30;
        int filled = percent * width / 100;
        std::string bar(static_cast<size_t>(filled), '#');
        bar.append(static_cast<size_t>(width - filled), ' ');
        std::string line = "\r[" + bar + "] " + std::to_string(percent) + "% " + shown.substr(0, 60);
        m_out << line << "\x1b[K" << std::flush;
        m_open = true;
    } else {
        m_out << percent << "% " << shown << "\n";
    }
}

void TerminalProgress::Finish()
{
    if (m_open)
        m_out << "\n" << std::flush;
    m_open = false;
}

} // namespace satchel
