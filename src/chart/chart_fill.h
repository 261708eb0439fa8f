#pragma once
// RChartFill: a rectangle's fill, plain or a gradient from Color to
// ColorAdditional in GradientDirection (cfgdRight: Color at the left edge),
// with an optional border.

#include "chart/chart_line.h"
#include "chart/chart_types.h"

struct RChartFill {
    RColor Color = ChartColors::System(ChartColors::kWindow);
    RColor ColorAdditional = ChartColors::System(ChartColors::kWindow);
    RChartFillGradientDirection GradientDirection = cfgdNone;
    bool ShowBorder = false;
    RChartLine Border;
};
