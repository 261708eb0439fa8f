#include "raster/coverage_row.h"

#include <cmath>

void RCoverageRow::Reset(int left, int right)
{
    left_ = left;
    right_ = std::max(left, right);
    const auto cells = static_cast<std::size_t>(right_ - left_) + 1;
    area_.assign(cells, 0);
    cover_.assign(cells, 0);
    touched_.assign(cells, 0);
    cells_.clear();
}


namespace {

// An edge crossing the row with x running evenly from a to b (pixels,
// a <= b). AreaRightOf(u) is the mean over the row of max(x - u, 0): the
// area right of column u that the edge leaves, so the edge's share of pixel
// p is AreaRightOf(p) - AreaRightOf(p + 1).
struct RowEdge {
    double a, b, inverse;  // inverse: 1 / (2 (b - a)), 0 for an upright edge

    RowEdge(double from, double to) : a(std::min(from, to)), b(std::max(from, to))
    {
        inverse = b > a ? 0.5 / (b - a) : 0;
    }

    double AreaRightOf(double u) const
    {
        if (u <= a)
            return (a + b) / 2 - u;
        if (u >= b)
            return 0;
        return (b - u) * (b - u) * inverse;
    }
};

}  // namespace

void RCoverageRow::AddRow(double leftTop, double leftBottom, double rightTop, double rightBottom)
{
    // Pixels relative to the clip's left column.
    const double origin = left_;
    const RowEdge left(leftTop / 16 - origin, leftBottom / 16 - origin);
    const RowEdge right(rightTop / 16 - origin, rightBottom / 16 - origin);
    if (!(left.a <= right.b) || !std::isfinite(left.a) || !std::isfinite(right.b) || !std::isfinite(left.b)
        || !std::isfinite(right.a))
        return;
    const double width = right_ - left_;
    const auto cell = [&](double x) { return static_cast<int>(std::clamp(x, 0.0, width)); };
    // Pixels [from, to): covered length is the right edge's share minus the left's.
    const auto partial = [&](int from, int to) {
        double leftArea = left.AreaRightOf(from), rightArea = right.AreaRightOf(from);
        for (int p = from; p < to; ++p) {
            const double nextLeft = left.AreaRightOf(p + 1), nextRight = right.AreaRightOf(p + 1);
            const double share = (rightArea - nextRight) - (leftArea - nextLeft);
            area_[static_cast<std::size_t>(p)] += std::clamp(static_cast<int>(share * 256 + 0.5), 0, kFullCoverage);
            Touch(p);
            leftArea = nextLeft;
            rightArea = nextRight;
        }
    };
    const int fullFrom = cell(std::ceil(left.b)), fullTo = cell(std::floor(right.a));
    if (fullFrom < fullTo) {
        partial(cell(std::floor(left.a)), fullFrom);
        cover_[static_cast<std::size_t>(fullFrom)] += kFullCoverage;
        Touch(fullFrom);
        cover_[static_cast<std::size_t>(fullTo)] -= kFullCoverage;
        Touch(fullTo);
        partial(fullTo, cell(std::ceil(right.b)));
    } else {
        partial(cell(std::floor(left.a)), cell(std::ceil(right.b)));
    }
}
