#pragma once
// What the render and crossplot commands built, as JSON for scripts and
// checks (--model). Colours are the "RRGGBB" actually painted; names and
// captions are decoded as `info` decodes text.

#include <nlohmann/json.hpp>

class RChart;
class RLasCore;
struct RLasCrossPlotSettings;

nlohmann::ordered_json LogChartModel(const RLasCore& core, const RChart& chart);
nlohmann::ordered_json CrossPlotModel(const RChart& chart, const RLasCrossPlotSettings& settings);
