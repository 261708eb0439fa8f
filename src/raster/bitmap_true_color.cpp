#include "raster/bitmap_true_color.h"

#include "raster/bitmap_gray_core.h"
#include "raster/ring_geometry.h"
#include "raster/span_painter.h"
#include "raster/stroke_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// Anti-aliased lines are cut to the clip box widened by this many pixels,
// so their ends (and round caps) stay outside what is shown.
constexpr double kLineClipMargin = 256;

std::int64_t FloorSqrt(std::int64_t value)
{
    if (value <= 0)
        return 0;
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
    while (root * root > value)
        --root;
    while ((root + 1) * (root + 1) <= value)
        ++root;
    return root;
}

std::int64_t CeilSqrt(std::int64_t value)
{
    const std::int64_t root = FloorSqrt(value);
    return root * root == value ? root : root + 1;
}

// Fractions of a turn: tiny values count as 0, values near 1 as 1.
double SnapFraction(double fraction)
{
    if (!(fraction >= 0.0000001))
        return 0;
    if (fraction > 0.9999999)
        return 1;
    return fraction;
}

}  // namespace

RBitmapTrueColor::RBitmapTrueColor(int bytesPerPixel, int width, int height)
    : RBitmap(bytesPerPixel, width, height)
{
}

RBitmapTrueColor::~RBitmapTrueColor() = default;

void RBitmapTrueColor::FillRect(int x, int y, int width, int height, RColorWord color)
{
    const RClipBox& clip = util_.Clip();
    if (clip.Empty() || width < 1 || height < 1)
        return;
    const auto left = static_cast<int>(std::max<std::int64_t>(x, clip.left));
    const auto right = static_cast<int>(std::min<std::int64_t>(std::int64_t{x} + width, clip.right));
    const auto top = static_cast<int>(std::max<std::int64_t>(y, clip.top));
    const auto bottom = static_cast<int>(std::min<std::int64_t>(std::int64_t{y} + height, clip.bottom));
    if (right <= left || bottom <= top)
        return;
    const RColorWord word = color;
    WithFormat([&](auto format) {
        using Format = decltype(format);
        for (int row = top; row < bottom; ++row)
            Format::FillSpan(util_.Row(row), left, right - left, word);
    });
}

void RBitmapTrueColor::FrameRect(int x, int y, int width, int height, RColorWord color)
{
    const RClipBox& clip = util_.Clip();
    if (clip.Empty() || width < 1 || height < 1)
        return;
    const RColorWord word = color;
    const std::int64_t right = std::int64_t{x} + width - 1, bottom = std::int64_t{y} + height - 1;
    WithFormat([&](auto format) {
        using Format = decltype(format);
        const auto row = [&](std::int64_t rowY) {
            if (rowY < clip.top || rowY >= clip.bottom)
                return;
            const std::int64_t from = std::max<std::int64_t>(x, clip.left);
            const std::int64_t to = std::min<std::int64_t>(right + 1, clip.right);
            if (to > from)
                Format::FillSpan(util_.Row(static_cast<int>(rowY)), static_cast<int>(from),
                                 static_cast<int>(to - from), word);
        };
        const auto column = [&](std::int64_t columnX) {
            if (columnX < clip.left || columnX >= clip.right)
                return;
            const std::int64_t from = std::max<std::int64_t>(std::int64_t{y} + 1, clip.top);
            const std::int64_t to = std::min<std::int64_t>(bottom, clip.bottom);
            for (std::int64_t rowY = from; rowY < to; ++rowY)
                Format::SetPixel(util_.Row(static_cast<int>(rowY)), static_cast<int>(columnX), word);
        };
        row(y);
        if (height > 1)
            row(bottom);
        column(x);
        if (width > 1)
            column(right);
    });
}

void RBitmapTrueColor::DrawLine(int x, int y, int dx, int dy, RColorWord color, int width)
{
    const RClipBox& clip = util_.Clip();
    if (clip.Empty())
        return;
    if (lineDrawMethod_ == bldmSimple) {
        DrawLineSimple(x, y, dx, dy, color);
        return;
    }
    bool roundEnds = lineDrawMethod_ == bldmAntiAliasingRounds;
    if (roundEnds && width <= 7)
        roundEnds = false;
    if (!roundEnds && width < 2)
        width = 2;
    double x0 = x, y0 = y, x1 = double(x) + dx, y1 = double(y) + dy;
    if (!ClipSegment(x0, y0, x1, y1, clip.left - kLineClipMargin, clip.top - kLineClipMargin,
                     clip.right + kLineClipMargin, clip.bottom + kLineClipMargin))
        return;
    // Half-width in sixteenths equals the width in eighths.
    DrawStroke16(x0 * 16 + 8, y0 * 16 + 8, x1 * 16 + 8, y1 * 16 + 8, width, roundEnds, color);
}

void RBitmapTrueColor::DrawStroke16(double x0, double y0, double x1, double y1, double halfWidth,
                                    bool roundEnds, RColorWord color)
{
    const RClipBox& clip = util_.Clip();
    if (clip.Empty() || !(halfWidth > 0))
        return;
    const RStrokeGeometry stroke(x0, y0, x1, y1, halfWidth, roundEnds);
    const RColorWord word = color;
    WithFormat([&](auto format) {
        RSpanPainter<decltype(format)> painter(util_, word);
        RasterizeRows(stroke, clip, coverage_, painter);
    });
}

void RBitmapTrueColor::DrawLineSimple(int x, int y, int dx, int dy, RColorWord word)
{
    const RClipBox& clip = util_.Clip();
    // Cut in double to the last column and row inside the box; the other
    // coordinate moves by the rounded proportional amount.
    double x0 = x, y0 = y, x1 = double(x) + dx, y1 = double(y) + dy;
    const double xMin = clip.left, xMax = clip.right - 1, yMin = clip.top, yMax = clip.bottom - 1;
    const auto cut = [](double& a, double& b, double otherA, double otherB, double bound) {
        b += std::round((bound - a) * (otherB - b) / (otherA - a));
        a = bound;
    };
    if (x0 < xMin && x1 < xMin)
        return;
    if (x0 < xMin)
        cut(x0, y0, x1, y1, xMin);
    if (x1 < xMin)
        cut(x1, y1, x0, y0, xMin);
    if (x0 > xMax && x1 > xMax)
        return;
    if (x0 > xMax)
        cut(x0, y0, x1, y1, xMax);
    if (x1 > xMax)
        cut(x1, y1, x0, y0, xMax);
    if (y0 < yMin && y1 < yMin)
        return;
    if (y0 < yMin)
        cut(y0, x0, y1, x1, yMin);
    if (y1 < yMin)
        cut(y1, x1, y0, x0, yMin);
    if (y0 > yMax && y1 > yMax)
        return;
    if (y0 > yMax)
        cut(y0, x0, y1, x1, yMax);
    if (y1 > yMax)
        cut(y1, x1, y0, x0, yMax);
    for (const double v : {x0, x1})
        if (!(v >= xMin && v <= xMax))
            return;  // passes outside a corner of the box
    for (const double v : {y0, y1})
        if (!(v >= yMin && v <= yMax))
            return;

    int ax = static_cast<int>(x0), ay = static_cast<int>(y0);
    int bx = static_cast<int>(x1), by = static_cast<int>(y1);
    if (ax > bx) {
        std::swap(ax, bx);
        std::swap(ay, by);
    }
    const int major = bx - ax, minor = std::abs(by - ay), stepY = by >= ay ? 1 : -1;
    WithFormat([&](auto format) {
        using Format = decltype(format);
        if (major >= minor) {
            int error = major / 2, row = ay;
            for (int column = ax; column <= bx; ++column) {
                Format::SetPixel(util_.Row(row), column, word);
                error += minor;
                if (error >= major && major > 0) {
                    row += stepY;
                    error -= major;
                }
            }
        } else {
            int error = minor / 2, column = ax;
            for (int row = ay;; row += stepY) {
                Format::SetPixel(util_.Row(row), column, word);
                if (row == by)
                    break;
                error += major;
                if (error >= minor) {
                    ++column;
                    error -= minor;
                }
            }
        }
    });
}

void RBitmapTrueColor::DrawRing(int cx, int cy, RColorWord color, int outer, int inner)
{
    const RClipBox& clip = util_.Clip();
    if (clip.Empty() || inner < 0 || inner > outer)
        return;
    const RColorWord word = color;
    if (ringDrawMethod_ == brdmSimple) {
        DrawRingSimple(cx, cy, word, outer, inner, nullptr);
        return;
    }
    const RRingGeometry ring(cx * 16.0 + 8, cy * 16.0 + 8, outer * 16.0, inner * 16.0);
    WithFormat([&](auto format) {
        RSpanPainter<decltype(format)> painter(util_, word);
        RasterizeRows(ring, clip, coverage_, painter);
    });
}

void RBitmapTrueColor::DrawArc(int cx, int cy, RColorWord color, int outer, int inner, double start,
                               double end)
{
    const RClipBox& clip = util_.Clip();
    if (clip.Empty() || inner < 0 || inner > outer)
        return;
    start = SnapFraction(start);
    end = SnapFraction(end);
    if ((start == 1 && end == 0) || (start == 0 && end == 1)) {
        DrawRing(cx, cy, color, outer, inner);
        return;
    }
    if (start == 1)
        start = 0;
    if (end == 1)
        end = 0;
    const RColorWord word = color;
    if (start == end) {
        // A radial stroke from the inner to the outer radius.
        if (start == 0 || start == 0.5) {
            // Upright: a one-pixel column, rows counted in 64 bits.
            const std::int64_t top = start == 0 ? std::int64_t{cy} - outer : std::int64_t{cy} + inner + 1;
            const std::int64_t from = std::max<std::int64_t>(top, clip.top);
            const std::int64_t to = std::min<std::int64_t>(top + (outer - inner), clip.bottom);
            if (to > from)
                FillRect(cx, static_cast<int>(from), 1, static_cast<int>(to - from), color);
        } else {
            const double angle = start * 2 * std::numbers::pi;
            const double dirX = std::sin(angle), dirY = -std::cos(angle);
            const double centreX = cx * 16.0 + 8, centreY = cy * 16.0 + 8;
            DrawStroke16(centreX + dirX * inner * 16, centreY + dirY * inner * 16, centreX + dirX * outer * 16,
                         centreY + dirY * outer * 16, 8, false, color);
        }
        return;
    }
    RRingGeometry ring(cx * 16.0 + 8, cy * 16.0 + 8, outer * 16.0, inner * 16.0);
    ring.SetSector(start, end);
    if (ringDrawMethod_ == brdmSimple) {
        DrawRingSimple(cx, cy, word, outer, inner, &ring);
        return;
    }
    WithFormat([&](auto format) {
        RSpanPainter<decltype(format)> painter(util_, word);
        RasterizeRows(ring, clip, coverage_, painter);
    });
}

// Sets every pixel whose centre lies in the annulus (and in `sector`'s
// sector when given): inner radius <= distance < outer radius. The outer
// bound is strict, so a disc has no one-pixel nubs at its four extremes.
void RBitmapTrueColor::DrawRingSimple(int cx, int cy, RColorWord word, int outer, int inner,
                                      const RRingGeometry* sector)
{
    const RClipBox& clip = util_.Clip();
    const std::int64_t outer2 = std::int64_t{outer} * outer, inner2 = std::int64_t{inner} * inner;
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{cy} - outer, clip.top);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{cy} + outer, clip.bottom - 1);
    WithFormat([&](auto format) {
        using Format = decltype(format);
        const auto span = [&](std::uint8_t* pixels, std::int64_t from, std::int64_t to, std::int64_t dy) {
            from = std::max<std::int64_t>(from, clip.left);
            to = std::min<std::int64_t>(to, clip.right - 1);
            if (to < from)
                return;
            if (!sector) {
                Format::FillSpan(pixels, static_cast<int>(from), static_cast<int>(to - from + 1), word);
                return;
            }
            for (std::int64_t column = from; column <= to; ++column)
                if (sector->InSector(RRingGeometry::TurnOf(double(column - cx), double(dy))))
                    Format::SetPixel(pixels, static_cast<int>(column), word);
        };
        for (std::int64_t row = top; row <= bottom; ++row) {
            const std::int64_t dy = row - cy, dy2 = dy * dy;
            if (dy2 >= outer2)
                continue;
            const std::int64_t outerX = FloorSqrt(outer2 - dy2 - 1);
            std::uint8_t* pixels = util_.Row(static_cast<int>(row));
            if (inner > 0 && dy2 < inner2) {
                const std::int64_t innerX = CeilSqrt(inner2 - dy2);
                if (innerX > outerX)
                    continue;
                span(pixels, cx - outerX, cx - innerX, dy);
                span(pixels, cx + innerX, cx + outerX, dy);
            } else {
                span(pixels, cx - outerX, cx + outerX, dy);
            }
        }
    });
}

RBitmapGrayCore* RBitmapTrueColor::CreateLayer()
{
    if (!layer_)
        layer_ = std::make_unique<RBitmapGrayCore>(Width(), Height());
    layer_->SetSize(Width(), Height());
    RBitmapUtil& pixels = layer_->Util();
    std::memset(pixels.Bits(), 255, static_cast<std::size_t>(pixels.Stride()) * pixels.Height());
    return layer_.get();
}

void RBitmapTrueColor::ApplyLayer(RColorWord color)
{
    const RClipBox& clip = util_.Clip();
    if (!layer_ || clip.Empty() || layer_->Width() != Width() || layer_->Height() != Height())
        return;
    const RColorWord rgb = color.WithTransparency(0);
    WithFormat([&](auto format) {
        using Format = decltype(format);
        for (int row = clip.top; row < clip.bottom; ++row) {
            const std::uint8_t* mask = layer_->Util().Row(row);
            std::uint8_t* pixels = util_.Row(row);
            for (int column = clip.left; column < clip.right;) {
                const std::uint8_t value = mask[column];
                int end = column + 1;
                while (end < clip.right && mask[end] == value)
                    ++end;
                if (value != 255) {
                    const RColorWord word = rgb.WithTransparency(value);
                    if (end - column == 1)
                        Format::SetPixel(pixels, column, word);
                    else
                        Format::FillSpan(pixels, column, end - column, word);
                }
                column = end;
            }
        }
    });
}
