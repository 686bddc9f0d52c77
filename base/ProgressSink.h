#pragma once

#include <string>

namespace zev {

// Where long operations report how far they are. Stands where the window
// handle went: the GUI drives a progress bar and keeps repainting, the
// command-line companion draws a bar, tests record the steps.
class IProgressSink {
public:
    virtual ~IProgressSink() = default;

    // percent is 0..100; text may be empty when only the bar moves.
    virtual void Report(int percent, const std::string& text) = 0;
};

// A sink that discards everything, for callers that have no one to tell.
class NullProgressSink final : public IProgressSink {
public:
    void Report(int, const std::string&) override {}
};

} // namespace zev
