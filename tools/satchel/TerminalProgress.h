#pragma once

#include "base/ProgressSink.h"

#include <iosfwd>
#include <string>

namespace satchel {

// A progress bar redrawn in place on a terminal; plain lines otherwise
// (a line only when the text or the percentage changes).
class TerminalProgress final : public zev::IProgressSink {
public:
    TerminalProgress(std::ostream& out, bool terminal);
    ~TerminalProgress() override;
    void Report(int percent, const std::string& text) override;
    // Ends the bar's line so the next output starts on its own.
    void Finish();

private:
    std::ostream& m_out;
    bool m_terminal;
    bool m_open = false;
    int m_lastPercent = -1;
    std::string m_lastText;
};

} // namespace satchel
