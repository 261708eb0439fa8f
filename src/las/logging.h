#pragma once
// The diagnostic channel of the LAS code. Readers and writers raise every
// problem through Report (las_problem.h) and carry on or return a failure
// result; they never throw for a bad file. Plain texts still go through
// LogMessage.
//
// Nothing is printed unless a sink is installed: derive from RLogSink and
// pass it to Logging::SetSink, or put an RLogCollector on the stack, which
// installs itself for its lifetime and keeps the texts in order:
//
//     RLogCollector log;
//     data.LoadFromLas(path);
//     for (const std::string& text : log.Messages) ...
//
// The process-wide sink is meant to be installed and removed from one
// thread. One piece of work can have a sink of its own without touching it:
// an RLogScope installs a sink for the current thread only, and while it
// lives that thread's messages go there instead:
//
//     RLogScope scope(&loadSink);
//     data.LoadFromLas(path);  // messages go to loadSink, other threads' do not
//
// A sink is called on the thread that raised the problem.

#include <functional>
#include <string>
#include <utility>
#include <vector>

struct RLasProblem;

class RLogSink {
public:
    virtual ~RLogSink() = default;
    // Receives one message text (UTF-8 Russian, LAS bytes quoted as they are).
    virtual void Message(const std::string& text) = 0;
    // Receives one problem. Unless overridden, its Russian wording goes to
    // Message, so a sink that only takes texts sees every problem as text.
    virtual void Problem(const RLasProblem& problem);
};

namespace Logging {
// Installs the process-wide `sink` (none to drop messages again) and
// returns the one it replaced.
RLogSink* SetSink(RLogSink* sink);
RLogSink* Sink();
// Where this thread's messages go: the sink of its innermost RLogScope,
// else the process-wide sink; null when neither is there.
RLogSink* CurrentSink();
}  // namespace Logging

// Hands `text` to the current thread's sink; dropped when there is none.
void LogMessage(const std::string& text);

// Installs a sink for the current thread for its lifetime; the thread's
// previous scoped sink comes back at its end. A null sink changes nothing,
// so a caller can pass an optional sink straight through. Scopes nest and
// must end on the thread that made them, innermost first.
class RLogScope {
public:
    explicit RLogScope(RLogSink* sink);
    ~RLogScope();
    RLogScope(const RLogScope&) = delete;
    RLogScope& operator=(const RLogScope&) = delete;

private:
    RLogSink* previous_;
};

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
