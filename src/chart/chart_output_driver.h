#pragma once
// RChartOutputDriver: every drawing request of a chart goes through one of
// these; the chart never touches pixels itself. Coordinates are pixels of
// the chart's bitmap (whole numbers at pixel centres); colours are chart
// colours (platform values, system colours resolved by the driver).
//
// The virtual operations stand in a fixed order (slots 0 to 17); the ones
// after them serve the chart's fast drawing of dense series.

#include "chart/chart_fill.h"
#include "chart/chart_markers.h"
#include "raster/font.h"

#include <string_view>

class RChart;
class RBitmap32;

struct RChartTextSize {
    int width = 0, height = 0;
};

class RChartOutputDriver {
public:
    explicit RChartOutputDriver(RChart* chart) : chart_(chart) {}
    virtual ~RChartOutputDriver() = default;
    RChartOutputDriver(const RChartOutputDriver&) = delete;
    RChartOutputDriver& operator=(const RChartOutputDriver&) = delete;

    RChart* Chart() const { return chart_; }

    virtual void SetSize(int width, int height) = 0;                                        // 0
    virtual void BeginDraw() {}                                                             // 1
    virtual int Width() const = 0;                                                          // 2
    virtual int Height() const = 0;                                                         // 3
    virtual void DrawMarker(const RChartMarkers& markers, int x, int y, int size, const RColor& color) = 0;  // 4
    virtual void FillRectangle(const RChartFill& fill, int x, int y, int width, int height) = 0;          // 5
    virtual void SelectFont(const RFont& font) = 0;                                         // 6
    virtual RChartTextSize MeasureText(std::string_view text) = 0;                          // 7
    // Centred on (x, y).
    virtual void DrawText(int x, int y, std::string_view text, const RColor& color) = 0;   // 8
    virtual void FrameRectangle(int x, int y, int width, int height, const RColor& color) = 0;  // 9
    // From (x, y) to (x + dx, y + dy); width in eighths of a pixel.
    virtual void DrawLine(int x, int y, int dx, int dy, const RColor& color, int width) = 0;  // 10
    // Radii in pixels; fractions of a turn clockwise from twelve o'clock.
    virtual void DrawArc(int cx, int cy, int outerRadius, int innerRadius, double startFraction,
                         double endFraction, const RColor& color) = 0;                      // 11
    // Right and bottom exclusive.
    virtual void SetClipRect(int left, int top, int right, int bottom) = 0;                 // 12
    virtual void ResetClip() = 0;                                                           // 13
    virtual void Reserved14(int a, int b) = 0;                                              // 14
    virtual void Reserved15(int a, int b) = 0;                                              // 15
    virtual void Reserved16() = 0;                                                          // 16
    virtual int PixelsPerInch() const { return 96; }                                        // 17

    // A line between points in sub-pixel precision (whole numbers at pixel
    // centres), ends already cut near the clip box. The base rounds to
    // DrawLine.
    virtual void DrawLineF(double x0, double y0, double x1, double y1, const RColor& color, int width);
    // Row y covered from `left` to `right` (pixel centres at whole numbers,
    // so pixel k spans k - 0.5 .. k + 0.5): with anti-aliasing the end
    // pixels are painted by the part of them covered. The base draws a
    // one-pixel line.
    virtual void FillRowRun(int y, double left, double right, const RColor& color, bool antiAliased);
    // The picture's pixels copied with its top-left at (x, y). The base
    // does nothing.
    virtual void DrawPicture(const RBitmap32& picture, int x, int y);

private:
    RChart* chart_;
};
