#include "raster/stroke_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kTiny = 1e-12;

// Narrows [low, high] to the x where lowLimit <= coef * (x - origin) + offset
// <= highLimit; `inverse` is 1 / coef, or 0 when coef is (nearly) 0.
inline void Constrain(double coef, double inverse, double offset, double origin, double lowLimit,
                      double highLimit, double& low, double& high)
{
    if (inverse == 0) {
        if (offset < lowLimit || offset > highLimit)
            high = -std::numeric_limits<double>::infinity();
        return;
    }
    double a = (lowLimit - offset) * inverse + origin, b = (highLimit - offset) * inverse + origin;
    if (coef < 0)
        std::swap(a, b);
    low = std::max(low, a);
    high = std::min(high, b);
}

}  // namespace

RStrokeGeometry::RStrokeGeometry(double x0, double y0, double x1, double y1, double halfWidth,
                                 bool roundEnds)
    : x0_(x0), y0_(y0), x1_(x1), y1_(y1), halfWidth_(halfWidth), round_(roundEnds)
{
    length_ = std::hypot(x1 - x0, y1 - y0);
    if (length_ > 0) {
        ux_ = (x1 - x0) / length_;
        uy_ = (y1 - y0) / length_;
    }
    inverseUx_ = std::fabs(ux_) < kTiny ? 0 : 1 / ux_;
    inverseUy_ = std::fabs(uy_) < kTiny ? 0 : 1 / uy_;
    for (int i = 0; i < 4; ++i)
        cornerY_[i] = (i < 2 ? y0 : y1) + (i % 2 ? halfWidth : -halfWidth) * ux_;
    if (length_ > 0 && inverseUx_ != 0 && inverseUy_ != 0) {
        // The bounds of Constrain() below, solved for x as lines in y.
        slanted_ = true;
        const auto side = [&](double coef, double inverse, double along, double lowLimit, double highLimit,
                              int k) {
            // coef * (x - x0) + (y - y0) * along in [lowLimit, highLimit].
            double baseA = x0 + (lowLimit + y0 * along) * inverse, baseB = x0 + (highLimit + y0 * along) * inverse;
            const double slope = -along * inverse;
            if (coef < 0)
                std::swap(baseA, baseB);
            lowBase_[k] = baseA;
            highBase_[k] = baseB;
            lowSlope_[k] = highSlope_[k] = slope;
        };
        side(ux_, inverseUx_, uy_, 0, length_, 0);
        side(-uy_, -inverseUy_, ux_, -halfWidth, halfWidth, 1);
    }
    if (length_ > 0) {
        double sorted[4] = {cornerY_[0], cornerY_[1], cornerY_[2], cornerY_[3]};
        std::sort(sorted, sorted + 4);
        straightTop_ = sorted[1];
        straightBottom_ = sorted[2];
        if (round_) {
            straightTop_ = std::max(straightTop_, std::min(y0, y1) + halfWidth);
            straightBottom_ = std::min(straightBottom_, std::max(y0, y1) - halfWidth);
        }
    }
    top_ = std::min(y0, y1) - halfWidth;
    bottom_ = std::max(y0, y1) + halfWidth;
    if (!(length_ > 0) && !round_)
        bottom_ = top_;  // nothing to draw
}

bool RStrokeGeometry::RectangleAt(double y, double& low, double& high) const
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    if (!(length_ > 0))
        return false;
    if (slanted_) {
        const double a = std::max(lowBase_[0] + lowSlope_[0] * y, lowBase_[1] + lowSlope_[1] * y);
        const double b = std::min(highBase_[0] + highSlope_[0] * y, highBase_[1] + highSlope_[1] * y);
        if (!(a <= b))
            return false;
        low = a;
        high = b;
        return true;
    }
    // Along the stroke: 0 <= t <= L; across it: -w <= s <= w.
    double a = -kInf, b = kInf;
    Constrain(ux_, inverseUx_, (y - y0_) * uy_, x0_, 0, length_, a, b);
    Constrain(-uy_, -inverseUy_, (y - y0_) * ux_, x0_, -halfWidth_, halfWidth_, a, b);
    if (!(a <= b))
        return false;
    low = a;
    high = b;
    return true;
}

bool RStrokeGeometry::RowEdges(double yTop, double yBottom, double edges[4]) const
{
    if (!(yTop >= straightTop_ && yBottom <= straightBottom_)) {
        if (yTop < top_ || yBottom > bottom_)
            return false;
        for (const double corner : cornerY_)
            if (corner > yTop && corner < yBottom)
                return false;
        if (round_ && ((y0_ - halfWidth_ < yBottom && y0_ + halfWidth_ > yTop)
                       || (y1_ - halfWidth_ < yBottom && y1_ + halfWidth_ > yTop)))
            return false;
    }
    if (yTop == cachedY_) {
        edges[0] = cachedLow_;
        edges[2] = cachedHigh_;
    } else if (!RectangleAt(yTop, edges[0], edges[2])) {
        return false;
    }
    if (!RectangleAt(yBottom, edges[1], edges[3]))
        return false;
    cachedY_ = yBottom;
    cachedLow_ = edges[1];
    cachedHigh_ = edges[3];
    return true;
}

void RStrokeGeometry::SubRow(double y, RCoverageRow& row) const
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    double low = kInf, high = -kInf;
    double a, b;
    if (RectangleAt(y, a, b) && a < b) {
        low = a;
        high = b;
    }
    if (round_) {
        for (const auto& [ex, ey] : {std::pair{x0_, y0_}, std::pair{x1_, y1_}}) {
            const double v = y - ey;
            if (std::fabs(v) >= halfWidth_)
                continue;  // the chord exists only inside the disc
            const double half = std::sqrt(halfWidth_ * halfWidth_ - v * v);
            low = std::min(low, ex - half);
            high = std::max(high, ex + half);
        }
    }
    row.AddSpan(low, high);
}

bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                 double right, double bottom)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return false;
    const double dx = x1 - x0, dy = y1 - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
    }
    const double ox = x0, oy = y0;
    x0 = ox + t0 * dx;
    y0 = oy + t0 * dy;
    x1 = ox + t1 * dx;
    y1 = oy + t1 * dy;
    return true;
}
