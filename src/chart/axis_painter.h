#pragma once
// RAxisPainter: draws grid lines, track lines and the axes (line, ticks,
// labels, caption) of a laid-out chart through its output driver.
//
// A horizontal axis above the graph area is a track header band: caption
// on top, the range's two ends labelled at the band's ends, ticks between,
// all kept inside the band. Other axes label every major tick that does
// not overlap its neighbour. An axis line lies on the graph area's edge.

class RChart;
class RChartAxis;
class RColor;
class RChartOutputDriver;

class RAxisPainter {
public:
    RAxisPainter(RChart& chart, RChartOutputDriver& driver) : chart_(chart), driver_(driver) {}

    // Grid lines of the vertical axes across the graph area, and of the
    // first gridded horizontal axis of each track across its track; zero
    // levels of axes that show them.
    void DrawGrid();
    // Lines between tracks, through the header and the graph area.
    void DrawTrackLines();
    void DrawAxes();

private:
    // An axis-parallel line from (x, y) to (x + dx, y + dy), both ends
    // included, one pixel wide.
    void Rule(int x, int y, int dx, int dy, const RColor& color);
    void DrawHorizontal(const RChartAxis& axis);
    void DrawVertical(const RChartAxis& axis);

    RChart& chart_;
    RChartOutputDriver& driver_;
};
