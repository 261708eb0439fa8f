#include "las/logging.h"

namespace {
RLogSink* gSink = nullptr;
}

namespace Logging {

RLogSink* SetSink(RLogSink* sink)
{
    RLogSink* previous = gSink;
    gSink = sink;
    return previous;
}

RLogSink* Sink() { return gSink; }

}  // namespace Logging

void LogMessage(const std::string& text)
{
    if (gSink)
        gSink->Message(text);
}
