#pragma once
// RChartLegend: the box naming the series, at one side of the chart.

#include "chart/chart_fill.h"
#include "raster/font.h"

struct RChartLegend {
    RChartLegend()
    {
        Fill.Color = ChartColors::Rgb(0xFFFFFF);
        Fill.ShowBorder = true;
        Fill.Border.Color = ChartColors::System(ChartColors::kGrayText);
    }

    int ColCount = 1;
    RChartFill Fill;
    RFont Font{"Arial", 8};
    RChartLegendAlignment Align = claBottom;
    RAlignment AlignMinor = alCenter;
    bool Show = false;
    int SignWidthLineWidth = 40;  // length of the line sample, pixels
    int SignSize = 8;             // side of the marker sample, pixels
    RColor Color = ChartColors::System(ChartColors::kWindowText);
};
