#include "PasswordPrompt.h"

#include <istream>
#include <ostream>
#include <termios.h>
#include <unistd.h>

namespace satchel {

namespace {

// Echo off for as long as it lives; the terminal's settings come back even
// when reading throws.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        if (tcgetattr(m_fd, &m_saved) != 0)
            return;
        termios quiet = m_saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        quiet.c_lflag |= ECHONL;
        m_active = tcsetattr(m_fd, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff()
    {
        if (m_active)
            tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_saved{};
    bool m_active = false;
};

} // namespace

PasswordPrompt::PasswordPrompt(std::istream& in, std::ostream& prompt, int fd) : m_in(in), m_prompt(prompt), m_fd(fd) {}

bool PasswordPrompt::Read(const char* promptText, std::string& secret)
{
    secret.clear();
    std::string line;
    if (m_fd >= 0 && isatty(m_fd)) {
        m_prompt << promptText << std::flush;
        EchoOff quiet(m_fd);
        if (!std::getline(m_in, line))
            return false;
    } else if (!std::getline(m_in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    secret = std::move(line);
    return true;
}

} // namespace satchel
