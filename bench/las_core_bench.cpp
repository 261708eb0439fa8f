// The document composer on files with very many curves (a LAS file may name
// up to 65,535), three samples each, so that only the per-curve work counts:
//
// - PrepareDuplicates/N: N curves all named GR, prepared after loading
//   (unique names GR, GR (2), ... GR (N), tracks, fills, thinning marks).
// - PrepareDistinct/N: N curves C0 ... C(N-1), likewise.
// - PrepareWithFills/N: distinct curves, each with a stored view that fills
//   against the curve before it in the same track.
// - PrepareWithMethods/N: distinct curves and 1,000 stored methods, each
//   reading one of the first curves, applied and listed after loading.
// - BuildChart/N: the log chart of N prepared distinct curves.
// - OpenDuplicates/N, OpenDistinct/N: RLasCore::Open of a generated LAS
//   file of N curves and two depths, reading and preparing.
//
// Goal: each case with 65,535 curves well under a second.

#include "chart/chart.h"
#include "view/las_core.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

std::unique_ptr<RLasData> CurvesNamed(std::int64_t count, bool duplicates)
{
    auto data = std::make_unique<RLasData>();
    for (std::int64_t c = 0; c < count; ++c) {
        auto curve = std::make_unique<RLasCurve>();
        curve->Mnemonic = duplicates ? std::string("GR") : "C" + std::to_string(c);
        curve->FirstDepth = 1000.0;
        curve->Data.Step = 0.5;
        curve->LastDepth = 1001.0;
        curve->NullValue = -999.25;
        curve->FromFile = true;
        curve->SetValues({1.0, 2.0 + static_cast<double>(c % 7), 3.0});
        data->AppendCurve(std::move(curve), "");
    }
    return data;
}

// Each curve fills against the one before it, both in track 1.
std::unique_ptr<RLasSettings> FillViews(std::int64_t count)
{
    auto settings = std::make_unique<RLasSettings>();
    for (std::int64_t c = 0; c < count; ++c) {
        auto view = std::make_unique<RCurveView>();
        view->Track = 1;
        if (c > 0) {
            view->FillType = RFillType::Curve;
            view->FillCurve = "C" + std::to_string(c - 1);
        }
        settings->SetView("C" + std::to_string(c), std::move(view));
    }
    return settings;
}

std::unique_ptr<RLasSettings> Methods(int count)
{
    auto settings = std::make_unique<RLasSettings>();
    for (int m = 0; m < count; ++m)
        settings->SetCalcMethod("M" + std::to_string(m), std::make_unique<RCurveCalcMethod>("C" + std::to_string(m % 10) + "*2"));
    return settings;
}

enum class Stored { None, Fills, Methods };

void Prepare(benchmark::State& state, bool duplicates, Stored stored = Stored::None)
{
    for (auto _ : state) {
        state.PauseTiming();
        RLasCore core;
        core.SetData(CurvesNamed(state.range(0), duplicates),
                     stored == Stored::Fills     ? FillViews(state.range(0))
                     : stored == Stored::Methods ? Methods(1000)
                                                 : nullptr);
        state.ResumeTiming();
        core.Prepare(RPrepareMode::Opened);
        benchmark::DoNotOptimize(core.Data->Curves().back()->Mnemonic.data());
        state.PauseTiming();
        core.SetData(nullptr);  // freeing the curves is not the composer's work
        state.ResumeTiming();
    }
}

void PrepareDuplicates(benchmark::State& state) { Prepare(state, true); }
void PrepareDistinct(benchmark::State& state) { Prepare(state, false); }
void PrepareWithFills(benchmark::State& state) { Prepare(state, false, Stored::Fills); }
void PrepareWithMethods(benchmark::State& state) { Prepare(state, false, Stored::Methods); }

void BuildChart(benchmark::State& state)
{
    RLasCore core;
    core.SetData(CurvesNamed(state.range(0), false));
    core.Prepare(RPrepareMode::Opened);
    RChart chart;
    for (auto _ : state) {
        core.BuildChart(chart);
        benchmark::DoNotOptimize(chart.Series().Count());
    }
    chart.Clear();
}

std::string GeneratedFile(std::int64_t count, bool duplicates)
{
    const std::string path = (std::filesystem::temp_directory_path()
                              / ("las_core_bench_" + std::to_string(count) + (duplicates ? "_dup.las" : "_distinct.las")))
                                 .string();
    std::string text = "~VERSION INFORMATION\r\n VERS. 2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\r\n"
                       " WRAP. NO : One line per depth step\r\n~WELL INFORMATION\r\n STRT.M 1000.0 : START\r\n"
                       " STOP.M 1000.5 : STOP\r\n STEP.M 0.5 : STEP\r\n NULL. -999.25 : NULL\r\n"
                       "~CURVE INFORMATION\r\n DEPT.M : DEPTH\r\n";
    for (std::int64_t c = 0; c < count; ++c)
        text += duplicates ? std::string(" GR. :\r\n") : " C" + std::to_string(c) + ". :\r\n";
    text += "~A\r\n";
    for (const char* depth : {"1000.0", "1000.5"}) {
        text += depth;
        for (std::int64_t c = 0; c < count; ++c)
            text += ' ' + std::to_string(c % 10);
        text += "\r\n";
    }
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void Open(benchmark::State& state, bool duplicates)
{
    const std::string path = GeneratedFile(state.range(0), duplicates);
    for (auto _ : state) {
        auto core = RLasCore::Open(path, "", {});
        if (core->Data->Curves().size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the generated file did not load whole");
            break;
        }
        state.PauseTiming();
        core.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}

void OpenDuplicates(benchmark::State& state) { Open(state, true); }
void OpenDistinct(benchmark::State& state) { Open(state, false); }

}  // namespace

#define LAS_CORE_BENCH(name) BENCHMARK(name)->Arg(1000)->Arg(4000)->Arg(65535)->Unit(benchmark::kMillisecond)

LAS_CORE_BENCH(PrepareDuplicates);
LAS_CORE_BENCH(PrepareDistinct);
LAS_CORE_BENCH(PrepareWithFills);
LAS_CORE_BENCH(PrepareWithMethods);
LAS_CORE_BENCH(BuildChart);
LAS_CORE_BENCH(OpenDuplicates);
LAS_CORE_BENCH(OpenDistinct);
