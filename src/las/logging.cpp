#include "las/logging.h"

#include "las/las_problem.h"

#include <atomic>

namespace {
std::atomic<RLogSink*> gSink{nullptr};
thread_local RLogSink* tScopedSink = nullptr;
}  // namespace

void RLogSink::Problem(const RLasProblem& problem) { Message(ProblemText(problem, RLasLanguage::Russian)); }

namespace Logging {

RLogSink* SetSink(RLogSink* sink) { return gSink.exchange(sink); }

RLogSink* Sink() { return gSink.load(); }

RLogSink* CurrentSink() { return tScopedSink ? tScopedSink : gSink.load(); }

}  // namespace Logging

void LogMessage(const std::string& text)
{
    if (RLogSink* sink = Logging::CurrentSink())
        sink->Message(text);
}

RLogScope::RLogScope(RLogSink* sink) : previous_(tScopedSink)
{
    if (sink)
        tScopedSink = sink;
}

RLogScope::~RLogScope() { tScopedSink = previous_; }
