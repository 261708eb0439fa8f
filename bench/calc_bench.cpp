// Curve calculator throughput: formulas computed over 1,000,000-sample
// curves. The "nodes" counter is node evaluations per second (the goal is
// at least 20 million); run build/bin/calc_bench.

#include "calc/calc_method.h"
#include "las/las_curve.h"
#include "las/las_data.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr std::size_t kSamples = 1'000'000;

void AddCurve(RLasData& data, const char* name, double offset)
{
    auto curve = std::make_unique<RLasCurve>();
    curve->Mnemonic = name;
    curve->FirstDepth = 1000.0;
    curve->Data.Step = 0.1;
    curve->LastDepth = 1000.0 + 0.1 * static_cast<double>(kSamples - 1);
    curve->NullValue = -999.25;
    curve->FromFile = true;
    TDoubleArray values(kSamples);
    for (std::size_t i = 0; i < kSamples; ++i)
        values[i] = i % 997 == 0 ? -999.25 : offset + 50.0 * std::sin(static_cast<double>(i) * 0.001);
    curve->SetValues(values);
    data.AppendCurve(std::move(curve), "");
}

const RLasData& Sample()
{
    static const RLasData data = [] {
        RLasData made;
        AddCurve(made, "GR", 70.0);
        AddCurve(made, "GRMIN", 10.0);
        AddCurve(made, "GRMAX", 150.0);
        return made;
    }();
    return data;
}

void ComputeFormula(benchmark::State& state, const char* formula)
{
    const RLasData& data = Sample();
    RCurveCalcMethod method(formula);
    method.Parse(data);
    RLasCurve curve;
    for (auto _ : state) {
        method.Compute(data, curve);
        benchmark::DoNotOptimize(curve.Data.Samples.data());
    }
    const double evaluations = static_cast<double>(method.Nodes.size()) * static_cast<double>(curve.SampleCount());
    state.counters["nodes"] = benchmark::Counter(evaluations, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["samples"] =
        benchmark::Counter(static_cast<double>(curve.SampleCount()), benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK_CAPTURE(ComputeFormula, normalise, "(GR-GRMIN)/(GRMAX-GRMIN)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeFormula, functions, "IF(ISNULL(GR),NULL,SQRT(ABS(GR*2+1))+LG(GRMAX))")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComputeFormula, shifted_read, "AVG(GR(D-0.05),GR,GR(D+0.05))")->Unit(benchmark::kMillisecond);
