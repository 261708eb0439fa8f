#pragma once
// The colours of gradient markers and the legend that explains them.
//
// RMarkerGradient: the colour of each marker of a series whose markers
// have UseGradient. With a colour value per point (RChartDataSeries::
// SetColorValues) the colour follows the value, linearly over the range
// of the finite values: Color at the end where the first point's value
// lies (the least, unless the first point's value is greater than the
// last's), GradientColor at the other; a point whose value is not finite
// takes Color. Without colour values the colour follows the position:
// Color at the first point, GradientColor at the last (one point: Color).
//
// RChartColorScale (the chart's ColorScale): a bar running through the
// gradient's colours from the least colour value (left) to the greatest
// (right), the two values beside its ends and, before them, what the
// colours stand for ("Depth", a curve's name). It stands above the graph
// area at the chart's right, under the caption, and is shown when Show is
// set and series SeriesIndex is drawn with gradient markers and has a
// colour value per point.
//
//     chart.ColorScale.Show = true;
//     chart.ColorScale.SeriesIndex = 0;
//     chart.ColorScale.Caption = "Depth";   // Windows-1251 like every chart text
//     series.Data().SetColorValues(depths);

#include "chart/chart_colors.h"
#include "chart/chart_output_driver.h"
#include "chart/chart_types.h"
#include "raster/font.h"

#include <optional>
#include <string>
#include <vector>

class RChart;
class RChartSeries;

class RMarkerGradient {
public:
    explicit RMarkerGradient(const RChartSeries& series);

    // True when the colours follow colour values (one per point, some finite).
    bool ByValue() const { return byValue_; }
    // The least and greatest finite colour values (when ByValue).
    double Least() const { return least_; }
    double Greatest() const { return greatest_; }

    // The colour of marker `point`; Markers.Color without UseGradient.
    RColor PointColor(int point) const;
    // The colour a colour value stands for (when ByValue).
    RColor ValueColor(double value) const;

private:
    const RChartMarkers* markers_;
    const std::vector<double>* values_;
    int count_ = 0;
    bool byValue_ = false;
    bool reversed_ = false;  // Color at the greatest value
    double least_ = 0, greatest_ = 0;
};

struct RChartColorScale {
    bool Show = false;
    int SeriesIndex = 0;
    std::string Caption;
    RFont Font{"Arial", 8};
    RColor Color = ChartColors::System(ChartColors::kWindowText);  // texts and the bar's frame
    // The end values: every digit the script shows of either, both with
    // the same number of decimals, more while they would read the same.
    std::string FormatNumberScript = "#,##0.0##";
    int BarWidth = 100, BarHeight = 10;  // pixels
};

// What a chart's colour scale shows; nothing when it is not shown.
struct RColorScaleContent {
    const RChartSeries* series = nullptr;
    RMarkerGradient gradient;
    std::string least, greatest;  // texts of the end values; greatest empty when both read the same
};
std::optional<RColorScaleContent> ColorScaleContent(const RChart& chart);

// The size of the scale's strip as `driver` measures it.
RChartTextSize MeasureColorScale(const RChart& chart, const RColorScaleContent& content, RChartOutputDriver& driver);
// Draws the scale into `box`, the strip the layout gave it.
void DrawColorScale(const RChart& chart, const RColorScaleContent& content, RChartOutputDriver& driver,
                    const RChartRect& box);
