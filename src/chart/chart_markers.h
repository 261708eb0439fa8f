#pragma once
// RChartMarkers: the marker drawn at each point of a series. Size is the
// marker's side (or diameter) in pixels. With UseGradient the colour runs
// from Color to GradientColor over the points' colour values, or from the
// first point to the last (RMarkerGradient, chart_color_scale.h).

#include "chart/chart_colors.h"
#include "chart/chart_types.h"

struct RChartMarkers {
    int Size = 5;
    RChartMarkersStyle Style = cmsNone;
    RColor Color = ChartColors::System(ChartColors::kWindowText);
    bool UseGradient = false;
    RColor GradientColor = ChartColors::System(ChartColors::kWindow);
};
