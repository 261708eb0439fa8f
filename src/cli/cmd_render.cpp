// loggard-cli render and crossplot: a LAS file drawn as the viewer draws it,
// saved as PNG, with the chart's content as JSON on request (--model).
// --encoding names the code page of an 8-bit file when the guess is wrong.

#include "chart/chart.h"
#include "cli/commands.h"
#include "cli/chart_model.h"
#include "cli/las_loading.h"
#include "container/atomic_file.h"
#include "container/error.h"
#include "las/logging.h"
#include "raster/bitmap32.h"
#include "raster/png_codec.h"
#include "view/las_core.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>

namespace {

// Pixels per depth unit at 1:1.
constexpr double kPixelsPerUnit = 3500.0;
constexpr int kTrackWidth = 250;

// Options after the positional arguments: "--name value" or "--flag".
class Options {
public:
    Options(const CliArgs& args, std::size_t positional, const std::vector<std::string>& flags)
    {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string& arg = args[i];
            if (arg.rfind("--", 0) != 0) {
                positional_.push_back(arg);
                continue;
            }
            if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
                values_.emplace_back(arg, "");
            } else if (i + 1 < args.size()) {
                values_.emplace_back(arg, args[++i]);
            } else {
                error_ = "missing value after " + arg;
            }
        }
        if (error_.empty() && positional_.size() != positional)
            error_ = "wrong number of arguments";
    }
    const std::string& Error() const { return error_; }
    const std::vector<std::string>& Positional() const { return positional_; }
    bool Has(const std::string& name) const { return Value(name).has_value(); }
    std::optional<std::string> Value(const std::string& name) const
    {
        for (const auto& [key, value] : values_)
            if (key == name)
                return value;
        return std::nullopt;
    }
    // A whole number in [low, high]; false with a message otherwise.
    bool Int(const std::string& name, int low, int high, int& out)
    {
        const auto text = Value(name);
        if (!text)
            return true;
        try {
            std::size_t used = 0;
            const long value = std::stol(*text, &used);
            if (used == text->size() && value >= low && value <= high) {
                out = static_cast<int>(value);
                return true;
            }
        } catch (const std::exception&) {
        }
        error_ = name + " needs a whole number from " + std::to_string(low) + " to " + std::to_string(high);
        return false;
    }
    bool Double(const std::string& name, std::optional<double>& out)
    {
        const auto text = Value(name);
        if (!text)
            return true;
        try {
            std::size_t used = 0;
            const double value = std::stod(*text, &used);
            if (used == text->size() && std::isfinite(value)) {
                out = value;
                return true;
            }
        } catch (const std::exception&) {
        }
        error_ = name + " needs a number";
        return false;
    }

private:
    std::vector<std::string> positional_;
    std::vector<std::pair<std::string, std::string>> values_;
    std::string error_;
};

using Clock = std::chrono::steady_clock;
double Milliseconds(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

// The load options --encoding asks for; false (reported) for a name that
// is no encoding.
bool ReadLoadOptions(const Options& options, RLasLoadOptions& load)
{
    const auto encoding = options.Value("--encoding");
    return !encoding || ReadEncodingOption(*encoding, load);
}

// The file and its settings opened as the viewer opens them, with the
// time it took. None (reported) when the settings file named is not there
// or no curve loaded; a damaged settings file is reported and gives no views.
std::unique_ptr<RLasCore> LoadDocument(const std::string& lasPath, const std::optional<std::string>& settingsPath,
                                       const RLasLoadOptions& loadOptions, double& openMs)
{
    const auto start = Clock::now();
    if (settingsPath && !std::filesystem::is_regular_file(*settingsPath)) {
        std::cerr << "cannot read settings " << *settingsPath << "\n";
        return nullptr;
    }
    std::unique_ptr<RLasCore> core = OpenLasDocument(lasPath, settingsPath.value_or(std::string()), loadOptions);
    openMs = Milliseconds(start);
    if (core->Data->Curves().empty()) {
        std::cerr << "no curves in " << lasPath << "\n";
        return nullptr;
    }
    return core;
}

// Through the atomic save like every other file: a full disk or a missing
// folder keeps the old model whole and is reported, not passed over.
bool WriteModel(const std::string& path, const nlohmann::ordered_json& model)
{
    const std::string text = model.dump(2) + '\n';
    try {
        RAtomicFile file(path);
        file.Write(text.data(), text.size());
        file.Commit();
    } catch (const RError& error) {
        std::fprintf(stderr, "%s\n", ErrorMessage(error).c_str());
        return false;
    }
    return true;
}

RPlatformColor ParseRgb(const std::string& text, bool& ok)
{
    ok = text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (!ok)
        return {};
    const unsigned long rgb = std::stoul(text, nullptr, 16);
    return RPlatformColor::FromRgb(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
}

}  // namespace

int RunRender(const CliArgs& args)
{
    Options options(args, 2, {"--fit", "--timings"});
    int width = 1600, height = 1000, scale = 0;
    std::optional<double> top;
    options.Int("--width", 64, 16384, width);
    options.Int("--height", 64, 16384, height);
    options.Int("--scale", 1, 10000000, scale);
    options.Double("--top", top);
    if (!options.Error().empty() || (scale > 0 && options.Has("--fit"))) {
        std::cerr << "loggard-cli render: " << (options.Error().empty() ? "--scale and --fit exclude each other" : options.Error())
                  << "\nusage: loggard-cli render IN.las OUT.png [--settings settings.dat] [--width W] [--height H]"
                     " [--scale N | --fit] [--top DEPTH] [--model FILE.json] [--timings] [--encoding NAME]\n";
        return 2;
    }
    RLasLoadOptions loadOptions;
    if (!ReadLoadOptions(options, loadOptions))
        return 2;
    RLogFunctionSink sink(PrintDiagnostic);
    const auto start = Clock::now();
    double openMs = 0;
    const std::unique_ptr<RLasCore> document =
        LoadDocument(options.Positional()[0], options.Value("--settings"), loadOptions, openMs);
    if (!document)
        return 1;
    RLasCore& core = *document;
    auto stage = Clock::now();
    RChart chart(width, height);
    chart.SetUseAntialiasing(true);
    core.BuildChart(chart);
    chart.Layout();
    if (scale > 0) {
        // 1:N from the chosen top: the view window's height in fractions of
        // the whole range, tracks at their fixed width.
        chart.FixedXAxisLength = kTrackWidth;
        const double span = core.Settings->MaxDepth - core.Settings->MinDepth;
        const double graphHeight = chart.GraphRect().Height();
        if (span > 0 && graphHeight > 0) {
            chart.SetViewSizeY(std::min(1.0, graphHeight * scale / (span * kPixelsPerUnit)));
            const double from = top.value_or(core.Settings->MinDepth);
            chart.SetOffsetY((from - core.Settings->MinDepth) / span);
        }
    }
    const double buildMs = Milliseconds(stage);
    stage = Clock::now();
    chart.Draw();
    const double drawMs = Milliseconds(stage);
    PngCodec::WriteFile(chart.Bitmap(), options.Positional()[1]);
    if (const auto modelPath = options.Value("--model"); modelPath && !WriteModel(*modelPath, LogChartModel(core, chart)))
        return 1;
    if (options.Has("--timings"))
        std::fprintf(stderr, "open %.1f ms, build %.1f ms, draw %.1f ms, total %.1f ms\n", openMs, buildMs, drawMs,
                     Milliseconds(start));
    return 0;
}

int RunCrossPlot(const CliArgs& args)
{
    Options options(args, 4, {"--no-gradient"});
    int width = 800, height = 800, size = 5;
    options.Int("--width", 64, 16384, width);
    options.Int("--height", 64, 16384, height);
    options.Int("--size", 1, 100, size);
    RLasCrossPlotSettings plot;
    plot.Color = RPlatformColor::FromRgb(0x00, 0xFF, 0x00);
    plot.GradientColor = RPlatformColor::FromRgb(0xFF, 0x00, 0x00);
    plot.UseGradient = !options.Has("--no-gradient");
    plot.MarkerStyle = cmsRound;
    std::string error = options.Error();
    if (const auto marker = options.Value("--marker"); error.empty() && marker) {
        const std::pair<const char*, RChartMarkersStyle> styles[] = {
            {"circle", cmsRound}, {"square", cmsSquare}, {"diamond", cmsDiamond}, {"triangle", cmsTriangle}};
        const auto found = std::find_if(std::begin(styles), std::end(styles), [&](const auto& style) { return *marker == style.first; });
        if (found == std::end(styles))
            error = "--marker is one of circle, square, diamond, triangle";
        else
            plot.MarkerStyle = found->second;
    }
    if (const auto colors = options.Value("--colors"); error.empty() && colors) {
        bool okFirst = false, okSecond = false;
        const std::size_t comma = colors->find(',');
        if (comma != std::string::npos) {
            plot.Color = ParseRgb(colors->substr(0, comma), okFirst);
            plot.GradientColor = ParseRgb(colors->substr(comma + 1), okSecond);
        }
        if (!okFirst || !okSecond)
            error = "--colors takes two colours RRGGBB,RRGGBB";
    }
    if (!error.empty()) {
        std::cerr << "loggard-cli crossplot: " << error
                  << "\nusage: loggard-cli crossplot IN.las XCURVE YCURVE OUT.png [--settings settings.dat]"
                     " [--marker circle|square|diamond|triangle] [--size N] [--colors RRGGBB,RRGGBB] [--no-gradient]"
                     " [--width W] [--height H] [--model FILE.json] [--encoding NAME]\n";
        return 2;
    }
    plot.MarkerSize = size;
    // The viewer's word for depth in the --lang language.
    plot.DepthName = CliLanguage() == RLasLanguage::English ? "Depth" : "Глубина";
    RLasLoadOptions loadOptions;
    if (!ReadLoadOptions(options, loadOptions))
        return 2;

    RLogFunctionSink sink(PrintDiagnostic);
    const std::vector<std::string>& positional = options.Positional();
    double openMs = 0;
    const std::unique_ptr<RLasCore> document = LoadDocument(positional[0], options.Value("--settings"), loadOptions, openMs);
    if (!document)
        return 1;
    RLasCore& core = *document;
    // A curve by its bytes in the file or by its name as shown (UTF-8).
    const auto indexOf = [&](const std::string& mnemonic) -> std::int32_t {
        const auto& curves = core.Data->Curves();
        for (std::size_t i = 0; i < curves.size(); ++i)
            if (curves[i]->Mnemonic == mnemonic || core.Data->DecodeText(curves[i]->Mnemonic) == mnemonic)
                return static_cast<std::int32_t>(i);
        return -1;
    };
    plot.XCurve = indexOf(positional[1]);
    plot.YCurve = indexOf(positional[2]);
    for (const auto& [index, name] : {std::pair{plot.XCurve, positional[1]}, std::pair{plot.YCurve, positional[2]}}) {
        if (index < 0) {
            std::cerr << "loggard-cli crossplot: no curve " << name << " in " << positional[0] << "\n";
            return 2;
        }
    }
    RChart chart(width, height);
    chart.SetUseAntialiasing(true);
    core.BuildCrossPlot(chart, plot);
    chart.Draw();
    PngCodec::WriteFile(chart.Bitmap(), positional[3]);
    if (const auto modelPath = options.Value("--model"); modelPath && !WriteModel(*modelPath, CrossPlotModel(chart, plot)))
        return 1;
    return 0;
}
