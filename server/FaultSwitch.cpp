#include "server/FaultSwitch.h"

#include "server/FormBody.h"

namespace zev::server {

const char* FaultSwitch::Name(FaultMode mode)
{
    switch (mode) {
    case FaultMode::None:
        return "none";
    case FaultMode::Refuse:
        return "refuse";
    case FaultMode::Delay:
        return "delay";
    case FaultMode::Error:
        return "error";
    case FaultMode::Html:
        return "html";
    case FaultMode::Truncate:
        return "truncate";
    case FaultMode::Reply:
        return "reply";
    }
    return "none";
}

bool FaultSwitch::Set(const std::string& body, std::string* error)
{
    Fault fault;
    std::string query = "?";
    query += TrimBlanks(body);
    std::vector<FormField> fields = SplitQuery(query);
    auto mode = FindField(fields, "mode");
    if (!mode) {
        if (error)
            *error = "mode missing";
        return false;
    }
    bool known = false;
    for (FaultMode m : {FaultMode::None, FaultMode::Refuse, FaultMode::Delay, FaultMode::Error, FaultMode::Html,
                        FaultMode::Truncate, FaultMode::Reply}) {
        if (*mode == Name(m)) {
            fault.mode = m;
            known = true;
        }
    }
    if (!known) {
        if (error)
            *error = "unknown mode " + *mode;
        return false;
    }
    for (auto [name, target] : {std::pair{"ms", &fault.delayMs}, std::pair{"rows", &fault.rows}}) {
        if (auto text = FindField(fields, name)) {
            auto n = ParseInteger(*text);
            if (!n || *n < 0 || *n > 24LL * 3600 * 1000) {
                if (error)
                    *error = std::string("bad ") + name;
                return false;
            }
            *target = static_cast<int>(*n);
        }
    }
    if (fault.mode == FaultMode::Reply) {
        auto page = FindField(fields, "page");
        if (!page || TrimBlanks(*page).empty()) {
            if (error)
                *error = "page missing";
            return false;
        }
        fault.page = TrimBlanks(*page);
        if (fault.page.size() > 4 && fault.page.compare(fault.page.size() - 4, 4, ".cfm") == 0)
            fault.page.resize(fault.page.size() - 4);
        fault.text = FindField(fields, "text").value_or("");
        fault.table = TrimBlanks(FindField(fields, "table").value_or(""));
        fault.store = FindField(fields, "store").value_or("0") == "1";
    }
    Set(fault);
    return true;
}

void FaultSwitch::Set(const Fault& fault)
{
    std::lock_guard lock(m_mutex);
    m_fault = fault;
}

Fault FaultSwitch::Current() const
{
    std::lock_guard lock(m_mutex);
    return m_fault;
}

void FaultSwitch::Sleep(int ms)
{
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stopping; });
}

void FaultSwitch::Wake()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
}

} // namespace zev::server
