#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace satchel {

// The command-line companion: parses the command line, starts the same
// engine the program uses on the same profile and database, runs one command.
// Exit status: 0 success, 1 failure, 2 usage.
class SatchelApp {
public:
    SatchelApp(std::istream& in, std::ostream& out, std::ostream& err);
    int Run(const std::vector<std::string>& args);

    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;

private:
    std::istream& m_in;
    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace satchel
