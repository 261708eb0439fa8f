#pragma once
// RChartLine: a stroke's colour and width in eighths of a pixel (8 = one).

#include "chart/chart_colors.h"

struct RChartLine {
    RColor Color = ChartColors::System(ChartColors::kWindowText);
    int Width = 8;
};
