#pragma once
// RCoverageRow: the coverage stage of the raster pipeline.
//
// How to drive it: Reset() with the clip box's columns, then for each of the
// 16 sub-rows of one pixel row call AddSpan() with every interval the shape
// covers on that sub-row, then Sweep() with a span painter. Sweep() hands
// the painter runs of equal coverage and clears the row for the next one.
// A row whose shape has one straight edge on each side can instead go
// whole through PaintRow(). RasterizeRows() below drives both for a geometry.
//
// Fixed point: x positions are in sixteenths of a pixel (pixel p spans
// 16p .. 16p + 16), sub-row s of pixel row y is 16y + s. A pixel's coverage
// is its covered area in 1/256 (16 x 16 units), 0..256: a pixel counts as
// fully covered only when all 16 sub-rows cover it, so a level stroke
// 1.25 px thick covers one row fully and an eighth of each neighbour, not
// three rows.
// Internally each interval adds its partial area to its first and last
// pixels and a +16 / -16 step to a running cover between them (as a scanline
// rasteriser's cells do), so a row costs its boundary pixels, not its length.

#include "raster/bitmap_util.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <vector>

class RCoverageRow {
public:
    static constexpr int kSubRows = 16;
    static constexpr int kFullCoverage = 256;

    // Columns [left, right) of the clip box.
    void Reset(int left, int right);

    // One sub-row's covered interval [a, b) in sixteenths. Any values are
    // safe: NaN, empty and reversed intervals are ignored, and the rest is
    // cut to the clip columns in double before it is rounded to an integer.
    void AddSpan(double a, double b);

    // The whole pixel row at once, straight to the painter, for a shape whose
    // left and right edges are each one straight segment over the row: the
    // left edge runs from leftTop to leftBottom (x in sixteenths at the row's
    // top and bottom), the right edge likewise. Each edge pixel gets the
    // exact area between the edges, the limit of the 16 sub-rows; the
    // pixels between the edges are one full run. Use on an empty row only.
    template <class Painter>
    void PaintRow(double leftTop, double leftBottom, double rightTop, double rightBottom, Painter& painter) const;

    // The leftmost column touched so far in this row, or -1.
    int FirstColumn() const
    {
        if (cells_.empty())
            return -1;
        return left_ + *std::min_element(cells_.begin(), cells_.end());
    }

    // Emits the row as painter.Cover(x, n, coverage) runs, left to right,
    // and clears it.
    template <class Painter>
    void Sweep(Painter& painter);

private:
    void Touch(int cell)
    {
        if (!touched_[static_cast<std::size_t>(cell)]) {
            touched_[static_cast<std::size_t>(cell)] = 1;
            cells_.push_back(cell);
        }
    }

    int left_ = 0, right_ = 0;
    std::vector<int> area_;   // partial coverage of a boundary pixel
    std::vector<int> cover_;  // step of the running full coverage from this pixel on
    std::vector<std::uint8_t> touched_;
    std::vector<int> cells_;  // touched pixels, relative to left_
};

// An edge crossing a pixel row with x running evenly from a to b (pixels,
// a <= b). AreaRightOf(u) is the mean over the row of max(x - u, 0): the
// area right of column u that the edge leaves, so the edge's share of pixel
// p is AreaRightOf(p) - AreaRightOf(p + 1).
struct RRowEdge {
    double a, b, inverse;  // inverse: 1 / (2 (b - a)), 0 for an upright edge

    RRowEdge(double from, double to) : a(std::min(from, to)), b(std::max(from, to))
    {
        inverse = b > a ? 0.5 / (b - a) : 0;
    }

    // Branch-free: u is clamped into [a, b], and what lies left of a adds
    // its full width (an upright edge has inverse 0 and only that term).
    double AreaRightOf(double u) const
    {
        const double t = b - std::min(std::max(u, a), b);
        return t * t * inverse + std::max(a - u, 0.0);
    }
};

template <class Painter>
void RCoverageRow::PaintRow(double leftTop, double leftBottom, double rightTop, double rightBottom,
                            Painter& painter) const
{
    const RRowEdge left(leftTop / 16, leftBottom / 16), right(rightTop / 16, rightBottom / 16);
    if (!(left.a <= right.b) || !std::isfinite(left.a) || !std::isfinite(left.b) || !std::isfinite(right.a)
        || !std::isfinite(right.b))
        return;
    // Columns cut to the clip box in double before conversion.
    // The clip columns are not negative, so once clamped, truncation is the
    // floor (std::floor and std::ceil are library code on plain x86-64).
    const auto columnFloor = [&](double x) {
        return static_cast<int>(std::clamp(x, double(left_), double(right_)));
    };
    const auto columnCeil = [&](double x) {
        const double clamped = std::clamp(x, double(left_), double(right_));
        const int whole = static_cast<int>(clamped);
        return whole + (whole < clamped);
    };
    // Pixels [from, to): the covered length is the right edge's share minus
    // the left's. Pixels left of the full run lie wholly left of the right
    // edge (its share is 1), pixels right of it wholly right of the left
    // edge (its share is 0), so those need one edge only. Coverage goes into
    // a small local buffer first and is painted after, so the arithmetic is
    // not held up by the pixel stores.
    constexpr int kBoth = 0, kLeftOnly = 1, kRightOnly = 2, kShortRow = 8;
    const auto partial = [&]<int Which>(std::integral_constant<int, Which>, int from, int to) {
        constexpr int kChunk = 64;
        int coverage[kChunk];
        while (from < to) {
            const int n = std::min(to - from, kChunk);
            double leftArea = left.AreaRightOf(from), rightArea = right.AreaRightOf(from);
            for (int i = 0; i < n; ++i) {
                const double u = from + i + 1;
                double share;
                if constexpr (Which == kLeftOnly) {
                    const double next = left.AreaRightOf(u);
                    share = 1 - (leftArea - next);
                    leftArea = next;
                } else if constexpr (Which == kRightOnly) {
                    const double next = right.AreaRightOf(u);
                    share = rightArea - next;
                    rightArea = next;
                } else {
                    const double nextLeft = left.AreaRightOf(u), nextRight = right.AreaRightOf(u);
                    share = (rightArea - nextRight) - (leftArea - nextLeft);
                    leftArea = nextLeft;
                    rightArea = nextRight;
                }
                coverage[i] = std::min(std::max(static_cast<int>(share * 256 + 0.5), 0), kFullCoverage);
            }
            painter.CoverEach(from, coverage, n);
            from += n;
        }
    };
    const int from = columnFloor(left.a), to = columnCeil(right.b);
    if (to - from <= kShortRow) {
        // Most rows of a thin stroke: a few pixels, one pass over both edges
        // without the splitting branches.
        partial(std::integral_constant<int, kBoth>{}, from, to);
        return;
    }
    const int fullFrom = columnCeil(left.b), fullTo = columnFloor(right.a);
    if (fullFrom < fullTo) {
        partial(std::integral_constant<int, kLeftOnly>{}, columnFloor(left.a), fullFrom);
        painter.Cover(fullFrom, fullTo - fullFrom, kFullCoverage);
        partial(std::integral_constant<int, kRightOnly>{}, fullTo, columnCeil(right.b));
    } else {
        partial(std::integral_constant<int, kBoth>{}, columnFloor(left.a), columnCeil(right.b));
    }
}

inline void RCoverageRow::AddSpan(double a, double b)
{
    if (!(a < b))
        return;
    const double low = left_ * 16.0, high = right_ * 16.0;
    a = std::clamp(a, low, high) - low;
    b = std::clamp(b, low, high) - low;
    // Both are now non-negative: truncation rounds half up.
    const int from = static_cast<int>(a + 0.5), to = static_cast<int>(b + 0.5);
    if (to <= from)
        return;
    const int first = from >> 4, last = to >> 4;
    if (first == last) {
        area_[static_cast<std::size_t>(first)] += to - from;
        Touch(first);
        return;
    }
    // Partial first pixel, full pixels between (through the running cover),
    // partial last pixel.
    area_[static_cast<std::size_t>(first)] += 16 - (from & 15);
    Touch(first);
    cover_[static_cast<std::size_t>(first) + 1] += 16;
    Touch(first + 1);
    cover_[static_cast<std::size_t>(last)] -= 16;
    area_[static_cast<std::size_t>(last)] += to & 15;
    Touch(last);
}

template <class Painter>
void RCoverageRow::Sweep(Painter& painter)
{
    // Few cells, mostly in order already: insertion sort.
    for (std::size_t i = 1; i < cells_.size(); ++i) {
        const int cell = cells_[i];
        std::size_t k = i;
        for (; k > 0 && cells_[k - 1] > cell; --k)
            cells_[k] = cells_[k - 1];
        cells_[k] = cell;
    }
    const int width = right_ - left_;
    int running = 0;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const int cell = cells_[i];
        const auto index = static_cast<std::size_t>(cell);
        running += cover_[index];
        if (cell < width)
            painter.Cover(left_ + cell, 1, std::clamp(running + area_[index], 0, kFullCoverage));
        const int next = i + 1 < cells_.size() ? cells_[i + 1] : width;
        if (next > cell + 1 && running > 0)
            painter.Cover(left_ + cell + 1, std::min(next, width) - cell - 1,
                          std::clamp(running, 0, kFullCoverage));
        area_[index] = 0;
        cover_[index] = 0;
        touched_[index] = 0;
    }
    cells_.clear();
}

// Rasterises `geometry` into the clip box through `painter`, one pixel row
// at a time, only over rows that both the shape and the clip box reach.
// A geometry provides Top16() and Bottom16() (its extent in sixteenths),
// SubRow(yCentre, row), which adds the intervals it covers on the sub-row
// whose centre is yCentre (in sixteenths) to `row`, and RowEdges(yTop,
// yBottom, edges[4]), which gives true with the edges for PaintRow() when
// the row between yTop and yBottom has one straight edge on each side.
template <class Geometry, class Painter>
void RasterizeRows(const Geometry& geometry, const RClipBox& clip, RCoverageRow& row,
                   Painter& painter)
{
    if (clip.Empty())
        return;
    const double top16 = geometry.Top16(), bottom16 = geometry.Bottom16();
    if (!(top16 < bottom16))
        return;
    // Cut to the clip rows in double first: nothing outside int range is converted.
    const double top = std::max(std::floor(top16 / 16), double(clip.top));
    const double bottom = std::min(std::ceil(bottom16 / 16), double(clip.bottom));
    if (!(top < bottom))
        return;
    row.Reset(clip.left, clip.right);
    double edges[4];
    for (int y = static_cast<int>(top); y < static_cast<int>(bottom); ++y) {
        // Strokes move little from row to row: fetching the pixels two rows
        // ahead hides most of the memory latency of a large bitmap.
        const bool straight = geometry.RowEdges(y * 16.0, y * 16.0 + 16, edges);
        if (!straight)
            for (int s = 0; s < RCoverageRow::kSubRows; ++s)
                geometry.SubRow(y * 16.0 + s + 0.5, row);
        const int first = straight ? static_cast<int>(std::clamp(std::min(edges[0], edges[1]) / 16,
                                                                 double(clip.left), double(clip.right - 1)))
                                   : row.FirstColumn();
        if (first >= 0 && y + 2 < clip.bottom)
            painter.Prefetch(y + 2, first);
        painter.SetRow(y);
        if (straight)
            row.PaintRow(edges[0], edges[1], edges[2], edges[3], painter);
        else
            row.Sweep(painter);
    }
}
