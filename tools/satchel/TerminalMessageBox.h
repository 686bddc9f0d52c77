#pragma once

#include "app/core/MessageBox.h"

#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

namespace satchel {

// Raised when a question needs an answer and nobody can give one.
class NoAnswer : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Messages on the terminal: texts from the string table, questions answered
// on the terminal, by --yes or --no, or not at all (NoAnswer) when there is
// no terminal.
class TerminalMessageBox final : public zev::IMessageBox {
public:
    TerminalMessageBox(std::istream& in, std::ostream& out, bool interactive, bool assumeYes, bool assumeNo = false);

    zev::MbResult Show(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon) override;
    zev::MbResult ShowText(const std::string& text, zev::Caption caption, zev::MbButtons buttons,
                           zev::MbIcon icon) override;
    // An empty reply gives `defaultButton`; the prompt names it in capitals.
    zev::MbResult Ask(int textId, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                      zev::MbResult defaultButton) override;
    zev::MbResult AskText(const std::string& text, zev::Caption caption, zev::MbButtons buttons, zev::MbIcon icon,
                          zev::MbResult defaultButton) override;

    int Shown() const { return m_shown; }
    int LastText() const { return m_lastText; }

private:
    zev::MbResult Prompt(const std::string& text, int captionId, zev::MbButtons buttons,
                         std::optional<zev::MbResult> defaultButton);

    std::istream& m_in;
    std::ostream& m_out;
    bool m_interactive;
    bool m_yes;
    bool m_no;
    int m_shown = 0;
    int m_lastText = 0;
};

} // namespace satchel
