// loggard-cli info FILE.las: the header and curves of a LAS file as one JSON
// object on stdout; the load's diagnostics go to stderr.

#include "cli/commands.h"
#include "container/text_codec.h"
#include "las/las_data.h"
#include "las/logging.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace {

// Diagnostics go to stderr as they come, one per line, in UTF-8.

nlohmann::ordered_json Text(const std::string& bytes) { return TextCodec::DecodeForDisplay(bytes); }

}  // namespace

int RunInfo(const CliArgs& args)
{
    if (args.size() != 1) {
        std::cerr << "usage: loggard-cli info FILE.las\n";
        return 2;
    }
    RLasData data;
    {
        RLogFunctionSink sink(PrintDiagnostic);
        data.LoadFromLas(args[0]);
    }
    if (!data.LasHeader() || !data.LasHeader()->Parsed)
        return 1;

    const TLasHeaderNew& header = *data.LasHeader();
    const TLasWellSection& well = header.Well();
    nlohmann::ordered_json info;
    info["version"] = header.Version().Version == RLasVersion::V12 ? "1.2" : "2.0";
    info["wrap"] = header.Version().Wrap;
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
    std::cout << info.dump(2) << '\n';
    return data.Curves().empty() ? 1 : 0;
}
