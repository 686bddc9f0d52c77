#pragma once

#include <iosfwd>
#include <string>

namespace satchel {

// Reads a secret line. On a terminal (`fd` is one) the prompt is shown on
// `prompt` and the typed characters are not echoed; otherwise the line is
// read as it comes (a script's standard input). The line ending ("\n" or
// "\r\n") is dropped. False at end of input.
class PasswordPrompt {
public:
    PasswordPrompt(std::istream& in, std::ostream& prompt, int fd);

    [[nodiscard]] bool Read(const char* promptText, std::string& secret);

private:
    std::istream& m_in;
    std::ostream& m_prompt;
    int m_fd;
};

} // namespace satchel
