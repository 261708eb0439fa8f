#pragma once
// RBitmapOutputDriver: performs a chart's drawing on its RBitmap32 with the
// raster primitives and fonts; lines one pixel wide (bldmSimple).
// RBitmapOutputDriverAntiAliasing: the same with anti-aliased round-ended
// lines (bldmAntiAliasingRounds).
//
// The bitmap belongs to the chart; a driver only draws on it. Making a
// driver sets the bitmap's line method and leaves everything else (ring
// method, font container, current font) as it was, so swapping drivers
// hands the same bitmap over.
//
// Chart colours become raster colours in one place, PixelColor(): system
// colours resolve to their fixed desktop values there.

#include "chart/chart_output_driver.h"


class RBitmap32;

class RBitmapOutputDriver : public RChartOutputDriver {
public:
    RBitmapOutputDriver(RChart* chart, RBitmap32& bitmap);

    RBitmap32& Bitmap() const { return bitmap_; }
    // The colour word the raster primitives take for a chart colour.
    static RColorWord PixelColor(const RColor& color);

    void SetSize(int width, int height) override;
    int Width() const override;
    int Height() const override;
    // Centred on (x, y): squares of side `size`, diamonds and triangles
    // (point up) of one-pixel rows, discs of radius (size + 1) / 2.
    void DrawMarker(const RChartMarkers& markers, int x, int y, int size, const RColor& color) override;
    // Gradients run from Color to ColorAdditional: cfgdRight from the left
    // edge, cfgdLeft from the right, cfgdDown from the top, cfgdUp from the
    // bottom. A border of Width w eighths is w / 8 (at least one) pixels
    // inside the rectangle.
    void FillRectangle(const RChartFill& fill, int x, int y, int width, int height) override;
    void SelectFont(const RFont& font) override;
    RChartTextSize MeasureText(std::string_view text) override;
    void DrawText(int x, int y, std::string_view text, const RColor& color) override;
    void FrameRectangle(int x, int y, int width, int height, const RColor& color) override;
    void DrawLine(int x, int y, int dx, int dy, const RColor& color, int width) override;
    void DrawArc(int cx, int cy, int outerRadius, int innerRadius, double startFraction, double endFraction,
                 const RColor& color) override;
    void SetClipRect(int left, int top, int right, int bottom) override;
    void ResetClip() override;
    void Reserved14(int, int) override {}
    void Reserved15(int, int) override {}
    void Reserved16() override {}
    int PixelsPerInch() const override;

    void DrawLineF(double x0, double y0, double x1, double y1, const RColor& color, int width) override;
    void FillRowRun(int y, double left, double right, const RColor& color, bool antiAliased) override;
    void DrawPicture(const RBitmap32& picture, int x, int y) override;

protected:
    RBitmap32& bitmap_;
};

class RBitmapOutputDriverAntiAliasing : public RBitmapOutputDriver {
public:
    RBitmapOutputDriverAntiAliasing(RChart* chart, RBitmap32& bitmap);
};
