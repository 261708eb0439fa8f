#pragma once
// RSeriesPainter: draws a laid-out chart's series through its output driver,
// clipped to the series' X-axis extent within the graph area.
//
// Line series draw only the points inside the visible window plus one on
// each side, found by bisection when the points are sorted by Y (a log
// curve in depth) or by X. A break flag of 1, a value that is not finite,
// or a value at or below 0 on a log axis starts a new piece of line; a
// point standing alone between breaks is drawn as a dot.
//
// Dense lines (on average two or more points per pixel row of a curve
// sorted by Y) are drawn as a row envelope: per pixel row, the span from
// the leftmost to the rightmost x the polyline's centre line reaches inside
// that row, widened by half the stroke, with anti-aliased ends. A polyline with many
// points per row covers exactly that span, so the picture is the same to
// the eye and costs one span per row. Sparser lines are drawn segment by
// segment with the driver's sub-pixel lines.
//
// Scatter markers take Markers.Color, or with UseGradient the colour
// RMarkerGradient gives each point (by its colour value, or from Color at
// the first point to GradientColor at the last).

#include "chart/chart_types.h"

#include <vector>

class RChart;
class RChartAxis;
class RChartOutputDriver;
class RChartDataSeries;
class RChartDataSeries;
class RChartSeries;
class RColor;
class RColor;

class RSeriesPainter {
public:
    RSeriesPainter(RChart& chart, RChartOutputDriver& driver, bool antiAliased)
        : chart_(chart), driver_(driver), antiAliased_(antiAliased)
    {
    }

    // Draws one series; leaves the clip box reset.
    void Draw(const RChartSeries& series);

    // Points per pixel row from which lines are drawn as row envelopes.
    static constexpr double kEnvelopeDensity = 2.0;

private:
    struct AxisMap {
        bool log = false;
        double start = 0, scale = 0, origin = 0;
        explicit AxisMap(const RChartAxis& axis);
        double operator()(double value) const;
    };
    struct Window {
        int first = 0, last = 0;  // points [first, last)
    };

    Window VisibleWindow(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis,
                         const RChartRect& clip, double margin) const;
    void DrawLine(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis, const RChartRect& clip);
    void DrawMarkers(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis, const RChartRect& clip);
    void DrawColumns(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis, bool horizontal);
    void DrawPie(const RChartSeries& series, const RChartRect& clip);
    void DrawLabels(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis, const RChartRect& clip);
    template <class MapX, class MapY>
    void DrawEnvelope(const RChartDataSeries& data, const Window& window, MapX mapX, MapY mapY,
                      const RChartRect& clip, double halfWidth, const RColor& color);
    // Widens the rows [top, bottom) that the segment's centre line crosses
    // to the x it reaches in each.
    void AddToEnvelope(double x0, double y0, double x1, double y1, int top, int bottom);

    RChart& chart_;
    RChartOutputDriver& driver_;
    bool antiAliased_;
    std::vector<double> rowLeft_, rowRight_;
};
