#pragma once

#include <fstream>
#include <mutex>
#include <string>

namespace zev::server {

// Appends one line per request to request.log. Password digests never reach it: the values of
// P, p and cp in a logged target are replaced by "*", and bodies are logged by size only.
class RequestLog {
public:
    explicit RequestLog(const std::string& path);
    void Write(const std::string& line);
    static std::string MaskSecrets(const std::string& target);

private:
    std::mutex m_mutex;
    std::ofstream m_out;
};

} // namespace zev::server
