#include "chart/bitmap_output_driver.h"

#include "raster/bitmap32.h"
#include "raster/bitmap_copy.h"
#include "raster/glyph_rasterizer.h"
#include "raster/raster_lock.h"
#include "raster/stroke_geometry.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

// How far outside the clip box a sub-pixel line may start: enough for the
// widest stroke's round end.
constexpr double kLineClipMargin = 64;

}  // namespace

RBitmapOutputDriver::RBitmapOutputDriver(RChart* chart, RBitmap32& bitmap) : RChartOutputDriver(chart), bitmap_(bitmap)
{
    bitmap_.SetLineDrawMethod(bldmSimple);
}

RBitmapOutputDriverAntiAliasing::RBitmapOutputDriverAntiAliasing(RChart* chart, RBitmap32& bitmap)
    : RBitmapOutputDriver(chart, bitmap)
{
    bitmap_.SetLineDrawMethod(bldmAntiAliasingRounds);
}

RColorWord RBitmapOutputDriver::PixelColor(const RColor& color) { return color.Word(); }

void RBitmapOutputDriver::SetSize(int width, int height) { bitmap_.SetSize(width, height); }
int RBitmapOutputDriver::Width() const { return bitmap_.Width(); }
int RBitmapOutputDriver::Height() const { return bitmap_.Height(); }

void RBitmapOutputDriver::DrawMarker(const RChartMarkers& markers, int x, int y, int size, const RColor& color)
{
    if (size < 1)
        return;
    size = std::min(size, 4096);
    const RColorWord value = PixelColor(color);
    const int half = size / 2;
    switch (markers.Style) {
    case cmsSquare:
        bitmap_.FillRect(x - half, y - half, size, size, value);
        break;
    case cmsDiamond:
        for (int dy = -half; dy <= half; ++dy) {
            const int reach = half - std::abs(dy);
            bitmap_.FillRect(x - reach, y + dy, 2 * reach + 1, 1, value);
        }
        break;
    case cmsTriangle: {
        // Point up; rows widen towards the base, centred on (x, y).
        const int rows = std::max(size, 1);
        for (int r = 0; r < rows; ++r) {
            const int reach = rows > 1 ? r * half / (rows - 1) : 0;
            bitmap_.FillRect(x - reach, y - half + r, 2 * reach + 1, 1, value);
        }
        break;
    }
    case cmsRound:
        bitmap_.DrawRing(x, y, value, (size + 1) / 2, 0);
        break;
    case cmsNone:
        break;
    }
}

void RBitmapOutputDriver::FillRectangle(const RChartFill& fill, int x, int y, int width, int height)
{
    if (width < 1 || height < 1)
        return;
    const bool horizontal = fill.GradientDirection == cfgdLeft || fill.GradientDirection == cfgdRight;
    const bool vertical = fill.GradientDirection == cfgdUp || fill.GradientDirection == cfgdDown;
    const int steps = horizontal ? width : vertical ? height : 1;
    if (steps <= 1) {
        bitmap_.FillRect(x, y, width, height, PixelColor(fill.Color));
    } else {
        // Only the part inside the clip box is painted, one band at a time.
        const RClipBox& clip = bitmap_.Util().Clip();
        const int first = horizontal ? std::max(0, clip.left - x) : std::max(0, clip.top - y);
        const int last = std::min(steps, horizontal ? clip.right - x : clip.bottom - y);
        const bool reversed = fill.GradientDirection == cfgdLeft || fill.GradientDirection == cfgdUp;
        for (int i = first; i < last; ++i) {
            const double t = double(reversed ? steps - 1 - i : i) / (steps - 1);
            const RColorWord value = PixelColor(ChartColors::Blend(fill.Color, fill.ColorAdditional, t));
            if (horizontal)
                bitmap_.FillRect(x + i, y, 1, height, value);
            else
                bitmap_.FillRect(x, y + i, width, 1, value);
        }
    }
    if (fill.ShowBorder) {
        const int rings = std::clamp(fill.Border.Width / 8, 1, std::max(1, std::min(width, height) / 2));
        for (int k = 0; k < rings; ++k)
            FrameRectangle(x + k, y + k, width - 2 * k, height - 2 * k, fill.Border.Color);
    }
}

void RBitmapOutputDriver::SelectFont(const RFont& font)
{
    if (!(bitmap_.Font() == font))
        bitmap_.SetFont(font);
}

RChartTextSize RBitmapOutputDriver::MeasureText(std::string_view text)
{
    const RTextExtent extent = bitmap_.MeasureText(text);
    return {extent.width, extent.height};
}

void RBitmapOutputDriver::DrawText(int x, int y, std::string_view text, const RColor& color)
{
    bitmap_.DrawText(x, y, text, PixelColor(color), true);
}

void RBitmapOutputDriver::FrameRectangle(int x, int y, int width, int height, const RColor& color)
{
    bitmap_.FrameRect(x, y, width, height, PixelColor(color));
}

void RBitmapOutputDriver::DrawLine(int x, int y, int dx, int dy, const RColor& color, int width)
{
    bitmap_.DrawLine(x, y, dx, dy, PixelColor(color), width);
}

void RBitmapOutputDriver::DrawArc(int cx, int cy, int outerRadius, int innerRadius, double startFraction,
                                  double endFraction, const RColor& color)
{
    bitmap_.DrawArc(cx, cy, PixelColor(color), outerRadius, innerRadius, startFraction, endFraction);
}

void RBitmapOutputDriver::SetClipRect(int left, int top, int right, int bottom)
{
    bitmap_.Util().SetClip(left, top, right - left, bottom - top);
}

void RBitmapOutputDriver::ResetClip() { bitmap_.Util().ResetClip(); }

int RBitmapOutputDriver::PixelsPerInch() const
{
    std::lock_guard guard(RasterLock());
    return RasterDpi();
}

void RBitmapOutputDriver::DrawLineF(double x0, double y0, double x1, double y1, const RColor& color, int width)
{
    const RClipBox& clip = bitmap_.Util().Clip();
    if (clip.Empty()
        || !ClipSegment(x0, y0, x1, y1, clip.left - kLineClipMargin, clip.top - kLineClipMargin,
                              clip.right + kLineClipMargin, clip.bottom + kLineClipMargin))
        return;
    const RBitmapLineDrawMethod method = bitmap_.LineDrawMethod();
    if (method == bldmSimple) {
        RChartOutputDriver::DrawLineF(x0, y0, x1, y1, color, width);
        return;
    }
    bool roundEnds = method == bldmAntiAliasingRounds && width > 7;
    if (!roundEnds)
        width = std::max(width, 2);
    // Sixteenths of a pixel, pixel centres at 16p + 8; the half-width in
    // sixteenths equals the width in eighths.
    bitmap_.DrawStroke16(x0 * 16 + 8, y0 * 16 + 8, x1 * 16 + 8, y1 * 16 + 8, width, roundEnds, PixelColor(color));
}

void RBitmapOutputDriver::FillRowRun(int y, double left, double right, const RColor& color, bool antiAliased)
{
    const RClipBox& clip = bitmap_.Util().Clip();
    if (y < clip.top || y >= clip.bottom || !(right >= left) || !std::isfinite(left) || !std::isfinite(right))
        return;
    left = std::max(left, clip.left - 1.0);
    right = std::min(right, clip.right + 0.0);
    if (right < left)
        return;
    const RColorWord value = PixelColor(color);
    if (!antiAliased) {
        const int first = int(std::lround(left)), last = int(std::lround(right));
        bitmap_.FillRect(first, y, last - first + 1, 1, value);
        return;
    }
    // Pixel k spans k - 0.5 .. k + 0.5; an end pixel is painted by its covered part.
    const int opacity = 255 - value.Transparency();
    const int first = int(std::floor(left + 0.5)), last = int(std::floor(right + 0.5));
    auto paintPart = [&](int x, double covered) {
        const int coverage = int(std::lround(std::clamp(covered, 0.0, 1.0) * 256));
        if (coverage <= 1)
            return;
        bitmap_.FillRect(x, y, 1, 1, value.WithTransparency(255 - ((opacity * coverage) >> 8)));
    };
    if (first == last) {
        paintPart(first, right - left);
        return;
    }
    paintPart(first, first + 0.5 - left);
    if (last - first > 1)
        bitmap_.FillRect(first + 1, y, last - first - 1, 1, value);
    paintPart(last, right - (last - 0.5));
}

void RBitmapOutputDriver::DrawPicture(const RBitmap32& picture, int x, int y) { CopyBitmap(picture, bitmap_, x, y); }
