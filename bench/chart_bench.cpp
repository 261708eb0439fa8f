// Frames of a large log chart: 1920 x 1080, 8 tracks, 20 curves of 100,000
// points each, drawn with anti-aliasing over the whole depth range and
// zoomed to 1:200 on 5% of it (the scale at which 3,500 pixels show one
// depth unit at 1:1). Goals: the zoomed frame under 8 ms, the full-range
// frame under 40 ms.

#include "chart/chart.h"

#include "raster/bitmap32.h"
#include "raster/png_codec.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <memory>
#include <random>

namespace {

constexpr int kTracks = 8;
constexpr int kCurves = 20;
constexpr int kPoints = 100000;
constexpr double kTop = 1000;
// 1:200 shows the graph area's ~1,000 rows as 1000 * 200 / 3500 = 57 depth
// units; the range is chosen so that this is 5% of it.
constexpr double kBottom = kTop + 1140;

std::unique_ptr<RChart> MakeChart()
{
    auto chart = std::make_unique<RChart>(1920, 1080);
    chart->SetUseAntialiasing(true);
    chart->Legend.Show = false;
    chart->BackGroundFill.ShowBorder = false;
    chart->OverSizeX = 0;
    chart->OverSizeY = 5;
    RChartAxis& depth = chart->YAxis().Add();
    depth.SetMinValue(kTop);
    depth.SetMaxValue(kBottom);
    depth.ReverseOrder = true;
    depth.EdgeInsideAlign = 1;
    depth.SetSize(50);
    depth.GridLinesColor = ChartColors::Rgb(0xBFBFBF);

    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 1);
    const std::int32_t colors[] = {0x008000, 0x0000FF, 0xFF0000, 0x800080, 0x008080, 0x000080, 0x808000, 0x000000};
    for (int c = 0; c < kCurves; ++c) {
        RChartAxis& axis = chart->XAxis().Add();
        axis.Caption = "CURVE" + std::to_string(c) + ", UNIT";
        axis.TopRightAlignment = true;
        axis.EdgeInsideAlign = 3;
        axis.CaptionAlign = alCenter;
        axis.CaptionFont.Size = 8;
        axis.CaptionFont.Weight = 7;
        axis.Font.Size = 8;
        axis.TicksSize = 4;
        axis.SetSize(34);
        axis.CaptionSize = 16;
        axis.TrackIndex = c % kTracks;
        axis.SetMinValue(0);
        axis.SetMaxValue(150);
        axis.Color = axis.CaptionColor = ChartColors::Rgb(colors[c % 8]);
        axis.GridLinesColor = ChartColors::Rgb(0xDFDFDF);
        RChartSeries& series = chart->Series().Add();
        series.ChartType = ctScatterLine;
        series.Line.Color = ChartColors::Rgb(colors[c % 8]);
        series.Line.Width = 10;
        series.XAxisIndex = c;
        series.SetName(axis.Caption);
        RChartDataSeries& data = series.Data();
        data.SetCapacity(kPoints);
        double value = 75;
        for (int i = 0; i < kPoints; ++i) {
            value = std::clamp(value + noise(random) * 3, 5.0, 145.0);
            const double depthValue = kTop + (kBottom - kTop) * i / (kPoints - 1);
            // A null gap now and then breaks the line.
            data.AppendPoint(i % 9973 == 5000 ? 1 : 0, value, depthValue);
        }
    }
    return chart;
}

RChart& Chart()
{
    static std::unique_ptr<RChart> chart = MakeChart();
    return *chart;
}

// With LOGGARD_CHART_BENCH_PNG=DIR the last frame of each run is saved
// there, to look at what was timed.
void SavePicture(RChart& chart, const char* name)
{
    if (const char* folder = std::getenv("LOGGARD_CHART_BENCH_PNG"))
        PngCodec::WriteFile(chart.Bitmap(), std::string(folder) + "/" + name);
}

void FullRange(benchmark::State& state)
{
    RChart& chart = Chart();
    chart.FixedXAxisLength = 0;
    chart.SetOffsetX(0);
    chart.SetViewSizeX(1);
    chart.SetOffsetY(0);
    chart.SetViewSizeY(1);
    if (state.range(0))
        chart.BeginInteractiveChange();
    for (auto _ : state)
        chart.Draw();
    SavePicture(chart, state.range(0) ? "full_fast.png" : "full.png");
    chart.EndInteractiveChange();
}
BENCHMARK(FullRange)->Arg(0)->Arg(1)->ArgName("interactive")->Unit(benchmark::kMillisecond);

void Zoomed(benchmark::State& state)
{
    RChart& chart = Chart();
    chart.FixedXAxisLength = 250;
    chart.SetOffsetX(0);
    chart.SetViewSizeY(0.05);
    chart.SetOffsetY(0.5);
    if (state.range(0))
        chart.BeginInteractiveChange();
    for (auto _ : state)
        chart.Draw();
    SavePicture(chart, state.range(0) ? "zoomed_fast.png" : "zoomed.png");
    chart.EndInteractiveChange();
}
BENCHMARK(Zoomed)->Arg(0)->Arg(1)->ArgName("interactive")->Unit(benchmark::kMillisecond);

}  // namespace
