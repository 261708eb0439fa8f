#pragma once
// RBitmapTrueColor: the drawing primitives shared by the 32-bit and the grey
// bitmaps. Coordinates are pixels, y down; colours are colour words
// 0xTTRRGGBB (TT a transparency, see color.h). Line widths are in eighths of
// a pixel (8 = one pixel). Every primitive draws only inside the clip box
// and returns at once when it is empty.
//
// Anti-aliased shapes go through the raster pipeline: geometry
// (stroke_geometry.h, ring_geometry.h) -> coverage per pixel row in
// sixteenths (coverage_row.h) -> span painter (span_painter.h) -> pixel
// format (pixel_format.h). README.md beside this file gives the numbers.

#include "raster/bitmap.h"
#include "raster/coverage_row.h"

#include <memory>

class RBitmapGrayCore;
class RRingGeometry;

enum RBitmapLineDrawMethod { bldmSimple, bldmAntiAliasingSquares, bldmAntiAliasingRounds };
enum RBitmapRingDrawMethod { brdmSimple, brdmAntiAliasing };

class RBitmapTrueColor : public RBitmap {
public:
    ~RBitmapTrueColor() override;

    RBitmapLineDrawMethod LineDrawMethod() const { return lineDrawMethod_; }
    void SetLineDrawMethod(RBitmapLineDrawMethod method) { lineDrawMethod_ = method; }
    RBitmapRingDrawMethod RingDrawMethod() const { return ringDrawMethod_; }
    void SetRingDrawMethod(RBitmapRingDrawMethod method) { ringDrawMethod_ = method; }

    // Nothing when width or height is below 1.
    void FillRect(int x, int y, int width, int height, RColorWord color);
    // One-pixel outline, each pixel written once: top and bottom rows in
    // full, the side columns between them.
    void FrameRect(int x, int y, int width, int height, RColorWord color);
    // From (x, y) to (x + dx, y + dy) with the current line method.
    // bldmSimple is one pixel wide and ignores `width`; the anti-aliased
    // methods draw a stroke width / 8 pixels thick (squares: at least 2,
    // rounds: 7 or less falls back to squares).
    void DrawLine(int x, int y, int dx, int dy, RColorWord color, int width);
    // The annulus between the radii (pixels); nothing unless
    // 0 <= inner <= outer. Inner 0 gives a disc.
    void DrawRing(int cx, int cy, RColorWord color, int outer, int inner);
    // The part of the annulus from `start` to `end`, fractions of a full
    // turn counted clockwise from twelve o'clock. 0 and 1 (either order)
    // give the whole ring; equal directions give a radial stroke.
    void DrawArc(int cx, int cy, RColorWord color, int outer, int inner, double start, double end);

    // An anti-aliased stroke between points given in sixteenths of a pixel,
    // half-width in sixteenths; for callers that work at sub-pixel precision.
    void DrawStroke16(double x0, double y0, double x1, double y1, double halfWidth, bool roundEnds,
                      RColorWord color);

    // The grey coverage layer, made on first use, sized to this bitmap and
    // filled with 255. Draw shapes into it (dark marks coverage), then
    // ApplyLayer() paints a colour through it: a byte v paints with
    // transparency v. ApplyLayer() does nothing unless the layer has this
    // bitmap's size. Grey bitmaps have no layer.
    virtual RBitmapGrayCore* CreateLayer();
    virtual void ApplyLayer(RColorWord color);
    RBitmapGrayCore* Layer() const { return layer_.get(); }

protected:
    RBitmapTrueColor(int bytesPerPixel, int width, int height);
    RFontMode FontMode() const override { return RFontMode::Grey; }

private:
    void DrawLineSimple(int x, int y, int dx, int dy, RColorWord word);
    void DrawRingSimple(int cx, int cy, RColorWord word, int outer, int inner, const RRingGeometry* sector);

    RBitmapLineDrawMethod lineDrawMethod_ = bldmAntiAliasingRounds;
    RBitmapRingDrawMethod ringDrawMethod_ = brdmAntiAliasing;
    RCoverageRow coverage_;
    std::unique_ptr<RBitmapGrayCore> layer_;
};
