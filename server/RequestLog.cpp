#include "server/RequestLog.h"

#include "server/FormBody.h"

namespace zev::server {

RequestLog::RequestLog(const std::string& path) : m_out(path, std::ios::app) {}

void RequestLog::Write(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    if (m_out) {
        m_out << line << '\n';
        m_out.flush();
    }
}

std::string RequestLog::MaskSecrets(const std::string& target)
{
    size_t q = target.find('?');
    if (q == std::string::npos)
        return target;
    std::string out = target.substr(0, q + 1);
    bool first = true;
    for (const std::string& part : SplitAt(target.substr(q + 1), '&')) {
        if (!first)
            out += '&';
        first = false;
        size_t eq = part.find('=');
        std::string name = part.substr(0, eq);
        if (eq != std::string::npos && (name == "P" || name == "p" || name == "cp"))
            out += name + "=*";
        else
            out += part;
    }
    return out;
}

} // namespace zev::server
