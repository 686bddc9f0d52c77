#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace zev::server {

// Faults the server can be told to show, so tests can drive the program's failure paths.
enum class FaultMode { None, Refuse, Delay, Error, Html, Truncate, Reply };

struct Fault {
    FaultMode mode = FaultMode::None;
    int delayMs = 190000; // past the program's three-minute time-out unless told otherwise
    int rows = 11;        // rows left off a truncated table: one more than the reader tolerates
    // Reply mode: the one page answered with `text` (URL-decoded) instead of its own reply; every
    // other page answers as usual. With `store` the page first does its work (stores the upload or
    // order), so the program sees a lost or garbled answer to a request that took effect.
    std::string page;
    std::string table; // grabdata only: answer just this table's request
    std::string text;
    bool store = false;
};

// The current fault, shared by all request threads. Set through POST /admin/fault with
// "mode=none|refuse|delay|error|html|truncate[&ms=N][&rows=N]" or
// "mode=reply&page=NAME&text=REPLY[&store=1][&table=NAME]".
class FaultSwitch {
public:
    // Parses an admin body; false (and nothing changed) when the mode or a number is not understood.
    bool Set(const std::string& body, std::string* error = nullptr);
    void Set(const Fault& fault);
    Fault Current() const;
    // Sleeps up to ms; returns early when Wake is called (the server stops).
    void Sleep(int ms);
    void Wake();

    static const char* Name(FaultMode mode);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    Fault m_fault;
};

} // namespace zev::server
