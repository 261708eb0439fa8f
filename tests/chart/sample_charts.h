#pragma once
// Small charts set up the way the log view and the cross-plot set them up,
// for golden pictures and layout checks.

#include "chart/chart.h"

#include <cmath>
#include <string>

namespace SampleCharts {

inline constexpr std::int32_t kWhite = 0xFFFFFF;

// The depth axis of a log chart: depth grows downwards.
inline RChartAxis& AddDepthAxis(RChart& chart, double top, double bottom)
{
    RChartAxis& depth = chart.YAxis().Add();
    depth.SetMinValue(top);
    depth.SetMaxValue(bottom);
    depth.ReverseOrder = true;
    depth.EdgeInsideAlign = 1;
    depth.SetSize(50);
    depth.GridLinesColor = ChartColors::Rgb(0xBFBFBF);
    return depth;
}

// A curve's axis in the header band of track `track`, and its line series.
inline RChartSeries& AddCurve(RChart& chart, const std::string& caption, std::int32_t color, int track, double min,
                              double max, bool log = false)
{
    RChartAxis& axis = chart.XAxis().Add();
    axis.Caption = caption;
    axis.TopRightAlignment = true;
    axis.EdgeInsideAlign = 3;
    axis.CaptionAlign = alCenter;
    axis.CaptionFont.Size = 8;
    axis.CaptionFont.Weight = 7;
    axis.Font.Size = 8;
    axis.TicksSize = 4;
    axis.ShowGridLines = true;
    axis.SetSize(34);
    axis.CaptionSize = 16;
    axis.TrackIndex = track;
    axis.Color = ChartColors::Rgb(color);
    axis.CaptionColor = ChartColors::Rgb(color);
    axis.GridLinesColor = ChartColors::Rgb(0xDFDFDF);
    axis.AxisType = log ? atLogarithmic : atNumeric;
    axis.SetMinValue(min);
    axis.SetMaxValue(max);
    RChartSeries& series = chart.Series().Add();
    series.ChartType = ctScatterLine;
    series.Line.Color = ChartColors::Rgb(color);
    series.Line.Width = 10;
    series.XAxisIndex = chart.XAxis().Count() - 1;
    series.YAxisIndex = 0;
    series.SetName(caption);
    return series;
}

inline void LogChartLook(RChart& chart)
{
    chart.Legend.Show = false;
    chart.BackGroundFill.ShowBorder = false;
    chart.BackGroundFill.Color = ChartColors::Rgb(kWhite);
    chart.OverSizeX = 0;
    chart.OverSizeY = 5;
    chart.SetUseAntialiasing(true);
}

// Samples of a smooth synthetic curve every `step` from `top` to `bottom`.
template <class F>
void FillCurve(RChartSeries& series, double top, double bottom, double step, F value)
{
    const int count = int(std::lround((bottom - top) / step)) + 1;
    for (int i = 0; i < count; ++i) {
        const double depth = top + i * step;
        series.Data().AppendPoint(0, value(depth), depth);
    }
}

// Two tracks: GR alone, RHOB and NPHI sharing the second.
inline void TwoTrackLogChart(RChart& chart)
{
    chart.SetSize(420, 320);
    LogChartLook(chart);
    AddDepthAxis(chart, 1000, 1100);
    RChartSeries& gr = AddCurve(chart, "GR, API", 0x008000, 0, 0, 150);
    FillCurve(gr, 1000, 1100, 0.5, [](double d) { return 70 + 40 * std::sin(d / 6.0) + 15 * std::sin(d * 1.7); });
    RChartSeries& rhob = AddCurve(chart, "RHOB, G/C3", 0x0000FF, 1, 1.95, 2.95);
    FillCurve(rhob, 1000, 1100, 0.5, [](double d) { return 2.45 + 0.25 * std::cos(d / 9.0); });
    RChartSeries& nphi = AddCurve(chart, "NPHI, V/V", 0xFF0000, 1, 0, 0.45);
    FillCurve(nphi, 1000, 1100, 0.5, [](double d) { return 0.22 + 0.12 * std::sin(d / 7.0 + 1); });
}

}  // namespace SampleCharts
