#pragma once
// The diagnostic channel of the LAS code. Readers and writers report every
// problem as a Russian text through LogMessage and carry on or return a
// failure result; they never throw for a bad file.
//
// Nothing is printed unless a sink is installed: derive from RLogSink and
// pass it to Logging::SetSink, or put an RLogCollector on the stack, which
// installs itself for its lifetime and keeps the texts in order:
//
//     RLogCollector log;
//     data.LoadFromLas(path);
//     for (const std::string& text : log.Messages) ...
//
// The sink pointer is process-wide and not synchronised: install and remove
// sinks from the one thread that runs the LAS code.

#include <functional>
#include <string>
#include <utility>
#include <vector>

class RLogSink {
public:
    virtual ~RLogSink() = default;
    // Receives one message text (UTF-8 Russian, LAS bytes quoted as they are).
    virtual void Message(const std::string& text) = 0;
};

namespace Logging {
// Installs `sink` (none to drop messages again) and returns the one it replaced.
RLogSink* SetSink(RLogSink* sink);
RLogSink* Sink();
}  // namespace Logging

// Hands `text` to the installed sink; dropped when there is none.
void LogMessage(const std::string& text);

// A sink that collects the messages; installed by its constructor, and the
// previous sink is put back by its destructor.
class RLogCollector : public RLogSink {
public:
    RLogCollector() : previous_(Logging::SetSink(this)) {}
    ~RLogCollector() override { Logging::SetSink(previous_); }
    RLogCollector(const RLogCollector&) = delete;
    RLogCollector& operator=(const RLogCollector&) = delete;

    void Message(const std::string& text) override { Messages.push_back(text); }

    std::vector<std::string> Messages;

private:
    RLogSink* previous_;
};

// A sink that hands each message to a function, for as long as it lives
// (the previous sink is put back by its destructor).
class RLogFunctionSink : public RLogSink {
public:
    explicit RLogFunctionSink(std::function<void(const std::string&)> receiver)
        : receiver_(std::move(receiver)), previous_(Logging::SetSink(this))
    {
    }
    ~RLogFunctionSink() override { Logging::SetSink(previous_); }
    RLogFunctionSink(const RLogFunctionSink&) = delete;
    RLogFunctionSink& operator=(const RLogFunctionSink&) = delete;

    void Message(const std::string& text) override { receiver_(text); }

private:
    std::function<void(const std::string&)> receiver_;
    RLogSink* previous_;
};
