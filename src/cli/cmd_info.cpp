// loggard-cli info FILE.las [--encoding NAME]: the header, index and curves
// of a LAS file as one JSON object on stdout; the load's diagnostics go to
// stderr. --encoding names the code page of an 8-bit file when the guess
// is wrong.

#include "cli/commands.h"
#include "cli/las_loading.h"
#include "container/text_codec.h"
#include "las/las_data.h"
#include "las/logging.h"

#include <nlohmann/json.hpp>

#include <iostream>
#include <string>
#include <vector>

namespace {

// Diagnostics go to stderr as they come, one per line, in UTF-8.

std::string_view VersionText(RLasVersion version)
{
    switch (version) {
    case RLasVersion::V12: return "1.2";
    case RLasVersion::V30: return "3.0";
    default: return "2.0";
    }
}

// The JSON as printed: nlohmann escapes the C0 controls ("\u001b"); DEL and
// the C1 controls (U+0080..U+009F), which a terminal may also act on, get
// the same JSON escape here. The dump is valid UTF-8, so C2 80..C2 9F are
// exactly those characters.
std::string TerminalJson(const std::string& dump)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(dump.size());
    for (std::size_t i = 0; i < dump.size(); ++i) {
        const auto byte = static_cast<unsigned char>(dump[i]);
        unsigned code = 0;
        if (byte == 0x7F) {
            code = byte;
        } else if (byte == 0xC2 && i + 1 < dump.size() && static_cast<unsigned char>(dump[i + 1]) < 0xA0) {
            code = static_cast<unsigned char>(dump[++i]);
        } else {
            out += dump[i];
            continue;
        }
        out += "\\u00";
        out += kHex[code >> 4];
        out += kHex[code & 0xF];
    }
    return out;
}

}  // namespace

int RunInfo(const CliArgs& args)
{
    std::vector<std::string> files;
    RLasLoadOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--encoding" && i + 1 < args.size()) {
            if (!ReadEncodingOption(args[++i], options))
                return 2;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1) {
        std::cerr << "usage: loggard-cli info FILE.las [--encoding NAME]\n";
        return 2;
    }
    RLasData data;
    {
        RLogFunctionSink sink(PrintDiagnostic);
        LoadLasFile(data, files[0], options);
    }
    const auto Text = [&](const std::string& bytes) -> nlohmann::ordered_json { return data.DecodeText(bytes); };
    if (!data.LasHeader() || !data.LasHeader()->Parsed)
        return 1;

    const TLasHeaderNew& header = *data.LasHeader();
    const TLasWellSection& well = header.Well();
    nlohmann::ordered_json info;
    info["version"] = VersionText(header.Version().Version);
    info["wrap"] = header.Version().Wrap;
    info["encoding"] = TextCodec::EncodingName(data.FileEncoding);
    nlohmann::ordered_json wellJson;
    wellJson["STRT"] = {{"value", well.Strt}, {"unit", Text(well.StrtUnit)}};
    wellJson["STOP"] = {{"value", well.Stop}, {"unit", Text(well.StopUnit)}};
    wellJson["STEP"] = {{"value", well.Step}, {"unit", Text(well.StepUnit)}};
    wellJson["NULL"] = {{"value", well.NullValue}};
    const std::pair<const char*, const std::string*> items[] = {
        {"COMP", &well.Comp}, {"WELL", &well.Well}, {"FLD", &well.Fld},   {"LOC", &well.Loc},
        {"PROV", &well.Prov}, {"CNTY", &well.Cnty}, {"STAT", &well.Stat}, {"CTRY", &well.Ctry},
        {"SRVC", &well.Srvc}, {"DATE", &well.Date}, {"UWI", &well.Uwi},   {"API", &well.Api},
    };
    for (const auto& [name, text] : items)
        wellJson[name] = Text(*text);
    info["well"] = std::move(wellJson);
    const RLasIndex& index = data.Index;
    info["index"] = {{"mnemonic", Text(header.Curves().DepthLine.Mnem)},
                     {"unit", Text(header.Curves().DepthLine.Unit)},
                     {"first", index.Count ? index.First : 0.0},
                     {"last", index.Count ? index.Last() : 0.0},
                     {"step", index.Regular() ? index.Step : 0.0},
                     {"regular", index.Regular()}};
    info["samples"] = data.Header.SampleCount;
    nlohmann::ordered_json curves = nlohmann::ordered_json::array();
    for (const auto& curve : data.Curves()) {
        std::size_t nulls = 0;
        for (const RLasSample& sample : curve->Data.Samples)
            nulls += (sample.Flags & kSampleNull) ? 1 : 0;
        curves.push_back({{"mnemonic", Text(curve->Mnemonic)},
                          {"unit", Text(curve->Unit)},
                          {"samples", curve->SampleCount()},
                          {"nulls", nulls},
                          {"min", curve->MinValue},
                          {"max", curve->MaxValue}});
    }
    info["curves"] = std::move(curves);
    std::cout << TerminalJson(info.dump(2)) << '\n';
    return data.Curves().empty() ? 1 : 0;
}
