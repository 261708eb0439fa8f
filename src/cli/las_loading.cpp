#include "cli/las_loading.h"

#include "container/text_codec.h"
#include "las/las_data.h"
#include "las/las_problem.h"
#include "las/logging.h"
#include "view/las_core.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Keeps a load's diagnostics, problems unworded, in order.
class HeldDiagnostics final : public RLogSink {
public:
    void Message(const std::string& text) override { held_.push_back({std::nullopt, text}); }
    void Problem(const RLasProblem& problem) override { held_.push_back({problem, {}}); }

    // Hands every one on to `sink` (none: dropped), quotes decoded for `data`.
    void HandOn(RLogSink* sink, const RLasData& data)
    {
        if (!sink)
            return;
        for (Held& held : held_) {
            if (!held.problem) {
                sink->Message(held.text);
                continue;
            }
            DecodeQuotes(*held.problem, [&](std::string_view bytes) { return data.DecodeText(bytes); });
            sink->Problem(*held.problem);
        }
        held_.clear();
    }

private:
    struct Held {
        std::optional<RLasProblem> problem;
        std::string text;  // a plain message, when there is no problem
    };
    std::vector<Held> held_;
};

}  // namespace

bool LoadLasFile(RLasData& data, const std::string& path, const RLasLoadOptions& options)
{
    RLogSink* const onward = Logging::CurrentSink();
    HeldDiagnostics held;
    RLasLoadOptions own = options;
    own.Sink = &held;
    const bool loaded = data.LoadFromLas(path, own);
    held.HandOn(onward, data);
    return loaded;
}

std::unique_ptr<RLasCore> OpenLasDocument(const std::string& lasPath, const std::string& settingsPath,
                                          const RLasLoadOptions& options)
{
    RLogSink* const onward = Logging::CurrentSink();
    HeldDiagnostics held;
    RLasLoadOptions own = options;
    own.Sink = &held;
    std::unique_ptr<RLasCore> core;
    try {
        core = RLasCore::Open(lasPath, settingsPath, own);
    } catch (...) {
        held.HandOn(onward, RLasData());
        throw;
    }
    held.HandOn(onward, *core->Data);
    return core;
}

bool ReadEncodingOption(const std::string& name, RLasLoadOptions& options)
{
    TextCodec::Encoding encoding{};
    if (!TextCodec::ParseEncodingName(name, encoding)) {
        std::cerr << "loggard-cli: unknown encoding " << name
                  << " (UTF-8, windows-1251, CP866, KOI8-R, UTF-16LE, UTF-16BE)\n";
        return false;
    }
    options.Encoding = encoding;
    return true;
}
