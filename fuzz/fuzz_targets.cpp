#include "fuzz_targets.h"

#include "calc/calc_method.h"
#include "chart/chart.h"
#include "container/data_container.h"
#include "container/error.h"
#include "las/las_curve.h"
#include "las/las_data.h"
#include "las/logging.h"
#include "view/las_core.h"
#include "view/las_settings.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// The readers take paths, so each input goes through a file of this
// process's own (several fuzzers and test runs may share the machine).
class ScratchFile {
public:
    explicit ScratchFile(const std::string& suffix)
        : path_((std::filesystem::temp_directory_path()
                 / ("loggard-fuzz-" + std::to_string(::getpid()) + "-" + suffix))
                    .string())
    {
    }
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return path_; }
    bool Write(const void* data, std::size_t size) const
    {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (!file)
            return false;
        const bool written = std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && written;
    }

private:
    std::string path_;
};

// Curves the test settings files and formula examples name (GR, RHOB, NPHI,
// RT), with a null sample in each of the first two. No exponents: the data
// section reader takes 1e9 as two numbers.
constexpr char kSmallLas[] =
    "~V\r\nVERS. 2.0 :\r\nWRAP. NO :\r\n~W\r\nSTRT.M 100 :\r\nSTOP.M 100.5 :\r\n"
    "STEP.M 0.1 :\r\nNULL. -999.25 :\r\n~C\r\nDEPT.M :\r\nGR.API :\r\nRHOB.G/C3 :\r\nNPHI.V/V :\r\nRT.OHMM :\r\n~A\r\n"
    "100 50 2.2 0.3 5\r\n100.1 -999.25 2.3 0.25 6\r\n100.2 70 -999.25 0.2 7\r\n"
    "100.3 0 0 0 0\r\n100.4 1000000000 -1 -0.1 0.001\r\n100.5 120 2.6 0.4 2000\r\n";

// A fresh copy of the small data set: the composer takes the data set over
// and adds calculated curves to it.
std::unique_ptr<RLasData> SmallDataSet()
{
    static const ScratchFile file("small.las");
    static const bool written = file.Write(kSmallLas, sizeof kSmallLas - 1);
    auto data = std::make_unique<RLasData>();
    if (!written || !data->LoadFromLas(file.Path()))
        std::abort();  // the harness itself is broken: every input would pass unseen
    return data;
}

// Draws a prepared document's log chart on a small bitmap.
void DrawLogChart(RLasCore& core)
{
    // Declared after the core, so destroyed first: it holds a handler into it.
    RChart chart(200, 150);
    chart.SetUseAntialiasing(true);
    core.BuildChart(chart);
    chart.Draw();
}

// What a load produced, byte for byte: the result, the messages, and every
// curve's name, range and samples and every column.
std::string LoadOutcome(const std::string& path, const RLasLoadOptions& options)
{
    std::string outcome;
    const auto add = [&outcome](const void* bytes, std::size_t size) {
        outcome.append(static_cast<const char*>(bytes), size);
    };
    RLasData data;
    RLogCollector log;
    outcome += data.LoadFromLas(path, options) ? "loaded\n" : "refused\n";
    for (const std::string& message : log.Messages)
        outcome += message + "\n";
    for (const auto& curve : data.Curves()) {
        outcome += curve->Mnemonic + "\n";
        const double range[] = {curve->MinValue, curve->MaxValue};
        add(range, sizeof range);
        add(curve->Data.Samples.data(), curve->Data.Samples.size() * sizeof(RLasSample));
    }
    for (const RLasColumn& column : data.Columns())
        for (std::size_t i = 0; i < column.size(); ++i) {
            const double value = column[i];
            add(&value, sizeof value);
        }
    for (std::size_t row = 0; row < data.Index.Count; ++row) {
        const double depth = data.Index.Depth(row);
        add(&depth, sizeof depth);
    }
    return outcome;
}

}  // namespace

namespace FuzzTargets {

void Container(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile in("in.dat");
    static const ScratchFile out("out.dat");
    if (!in.Write(data, size))
        return;
    RLogCollector quiet;
    RDataContainer container;
    try {
        if (!container.LoadFromFile(in.Path())) {
            if (container.ChildCount() != 0)
                std::abort();  // a refused file must leave nothing behind
            return;
        }
    } catch (const RError&) {
        if (container.ChildCount() != 0)
            std::abort();  // never half a tree
        return;
    }

    auto settings = std::make_unique<RLasSettings>();
    settings->LoadFromNode(container);
    RLasCore core;
    core.SetData(SmallDataSet(), std::move(settings));
    core.Prepare(RPrepareMode::Opened);
    DrawLogChart(core);

    // What the program writes after showing the document must load again.
    RDataContainer saved;
    core.Settings->SaveToNode(saved);
    saved.SaveToFile(out.Path());
    RLasSettings reloaded;
    if (!reloaded.LoadFromFile(out.Path()))
        std::abort();
}

void Las(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFile in("in.las");
    static const ScratchFile out("out.las");
    if (!in.Write(data, size))
        return;
    RLogCollector quiet;
    // A header of a few bytes may declare a billion samples: the program
    // takes files up to half the memory, but a fuzzer's run must stay small
    // and quick, so the ceiling is lower here.
    RLasLoadOptions options;
    options.MaxDataBytes = 8 << 20;
    options.Threads = 1;
    // Scanned in pieces by several threads, the data land exactly where one
    // scan puts them (inputs are far below the size that is split by itself).
    RLasLoadOptions pieces = options;
    pieces.Threads = 3;
    pieces.ParallelFrom = 0;
    if (LoadOutcome(in.Path(), options) != LoadOutcome(in.Path(), pieces))
        std::abort();

    RLasLoadProgress progress;
    options.Progress = &progress;
    // Opened as every front end opens a document, without settings.
    const std::unique_ptr<RLasCore> core = RLasCore::Open(in.Path(), std::string(), options);
    const RLasData* las = core->Data.get();
    const bool loaded = !las->Curves().empty();
    if (progress.BytesRead > progress.FileSize)
        std::abort();  // no byte is counted twice
    if (las->SaveToLas(out.Path())) {
        // A file the program wrote itself loads back with every curve and
        // sample, bit for bit (values no data line can hold are written as
        // NULL), at the same depths.
        RLasData again;
        const bool reloaded = again.LoadFromLas(out.Path(), options);
        if (loaded) {
            if (!reloaded || again.Curves().size() != las->Curves().size() || again.Index.Count != las->Index.Count)
                std::abort();
            for (std::size_t row = 0; row < las->Index.Count; ++row)
                if (std::bit_cast<std::uint64_t>(again.Index.Depth(row)) != std::bit_cast<std::uint64_t>(las->Index.Depth(row)))
                    std::abort();
            for (std::size_t i = 0; i < las->Curves().size(); ++i) {
                const RLasCurve& before = *las->Curves()[i];
                const RLasCurve& after = *again.Curves()[i];
                if (after.SampleCount() != before.SampleCount())
                    std::abort();
                for (std::size_t k = 0; k < before.SampleCount(); ++k) {
                    const RLasSample x = before.Data.Samples[k], y = after.Data.Samples[k];
                    if (std::isfinite(x.Value)
                        && (std::bit_cast<std::uint64_t>(x.Value) != std::bit_cast<std::uint64_t>(y.Value)
                            || (x.Flags & kSampleNull) != (y.Flags & kSampleNull)))
                        std::abort();
                }
            }
        }
    }
    DrawLogChart(*core);
}

void Formula(const std::uint8_t* data, std::size_t size)
{
    static const std::unique_ptr<RLasData> sample = SmallDataSet();
    RCurveCalcMethod method;
    method.Formula.assign(reinterpret_cast<const char*>(data), size);
    try {
        method.Parse(*sample);
    } catch (const RError&) {
        return;  // the parser's message for a formula it cannot take
    }
    RLasCurve curve;
    method.Compute(*sample, curve);
}

}  // namespace FuzzTargets
