#include "cli/las_loading.h"

#include "container/text_codec.h"
#include "las/las_data.h"
#include "las/las_problem.h"
#include "las/logging.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// How QuoteForMessage ends a quote it has cut short: program text after
// the file's bytes.
constexpr std::string_view kQuoteCutMark = "... (";
constexpr std::string_view kQuoteCutEnd = " байт)";

// A quoted line or name of a problem in UTF-8: the file's bytes read in the
// data set's encoding, the mark of a cut-short quote kept as it is.
std::string DecodeQuoted(const std::string& quoted, const RLasData& data)
{
    const std::size_t mark = quoted.rfind(kQuoteCutMark);
    if (mark != std::string::npos && quoted.ends_with(kQuoteCutEnd)) {
        const std::size_t digits = mark + kQuoteCutMark.size();
        const std::size_t digitsEnd = quoted.size() - kQuoteCutEnd.size();
        if (digitsEnd > digits
            && std::all_of(quoted.begin() + std::ptrdiff_t(digits), quoted.begin() + std::ptrdiff_t(digitsEnd),
                           [](char c) { return c >= '0' && c <= '9'; }))
            return data.DecodeText(std::string_view(quoted).substr(0, mark)) + quoted.substr(mark);
    }
    return data.DecodeText(quoted);
}

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
            held.problem->Line = DecodeQuoted(held.problem->Line, data);
            held.problem->Name = DecodeQuoted(held.problem->Name, data);
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
