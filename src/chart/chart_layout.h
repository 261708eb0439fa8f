#pragma once
// RChartLayout: where everything of a chart stands, computed in phases
// before anything is drawn (README.md beside this file has the numbers):
//
// 1. Ranges: each axis's range (automatic ends from its series' data,
//    zero spans widened, logarithmic ends at powers of ten).
// 2. Measure: each axis's thickness (its Size, or ticks + labels + caption
//    measured with its fonts), the caption, the legend and the colour scale.
// 3. Margins: vertical axes left (right with TopRightAlignment), the
//    horizontal axes of each track stacked below (above) the graph area,
//    caption, colour scale and legend outside them; the graph area is what
//    is left.
// 4. Place: tracks side by side in TrackIndex order, the view window
//    applied, and each axis given its strip, its extent and its mapping
//    from values to pixels, and its ticks.

#include "chart/chart_output_driver.h"
#include "chart/chart_types.h"

#include <vector>

class RChart;
class RChartAxis;

struct RChartTrack {
    int trackIndex = 0;  // the TrackIndex value of its axes
    double left = 0, right = 0;  // pixel edges, before cutting to the graph area
};

struct RChartLayoutResult {
    RChartRect graph;    // the graph area
    RChartRect header;   // above the graph area: the top-aligned axes of all tracks
    RChartRect caption;  // the chart's caption, empty without one
    RChartRect legend;   // empty when no legend is shown
    RChartRect colorScale;  // the marker gradient's legend; empty when not shown
    std::vector<RChartTrack> tracks;
    double contentWidth = 0, contentHeight = 0;  // the full extent in pixels
};

class RChartLayout {
public:
    RChartLayout(RChart& chart, RChartOutputDriver& driver) : chart_(chart), driver_(driver) {}
    RChartLayoutResult Run();

    // Per horizontal axis, whether it draws its track's grid: the first
    // visible one with grid lines of each track does.
    static std::vector<bool> TrackGridAxes(const RChart& chart);

private:
    struct AxisMeasure {
        int thickness = 0;   // pixels across the axis
        int captionExtent = 0;
        int labelExtent = 0;  // label width (vertical axes) or height (horizontal)
        int labelHeight = 0;
        int headerWidth = 0, headerHeight = 0;  // the header cell's text, gaps included
    };

    void ResolveRanges(double lengthX, double lengthY);
    void Measure();
    void Margins();
    void Place();
    void PlaceVertical();
    void PlaceHorizontal();
    void ResolveRange(RChartAxis& axis, double lengthPixels, bool vertical, int index);

    RChart& chart_;
    RChartOutputDriver& driver_;
    RChartLayoutResult result_;
    std::vector<AxisMeasure> xMeasure_, yMeasure_;
    struct DataRange {
        bool any = false;
        double min = 0, max = 0, minPositive = 0;
    };
    std::vector<DataRange> xData_, yData_;
    int captionHeight_ = 0;
    int legendWidth_ = 0, legendHeight_ = 0;
    RChartTextSize colorScaleSize_;
};
