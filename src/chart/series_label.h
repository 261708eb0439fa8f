#pragma once
// RSeriesLabel: what a point's label says and how it looks. ShowX is the
// same flag as ShowCategoryName and ShowY the same as ShowValue.

#include "chart/chart_fill.h"
#include "raster/font.h"

#include <string>

struct RSeriesLabel {
    RColor Color = ChartColors::System(ChartColors::kWindowText);
    RChartFill Fill;
    bool UseFill = false;
    RFont Font{"Arial", 9};
    RSeriesLabelAlignment Alignment = slaCenter;
    bool ShowSeriesName = false;
    bool ShowCategoryName = false;
    bool ShowValue = false;
    bool ShowPercents = false;
    std::string Separator = ", ";

    bool ShowX() const { return ShowCategoryName; }
    void SetShowX(bool show) { ShowCategoryName = show; }
    bool ShowY() const { return ShowValue; }
    void SetShowY(bool show) { ShowValue = show; }
    bool AnyShown() const { return ShowSeriesName || ShowCategoryName || ShowValue; }
};
