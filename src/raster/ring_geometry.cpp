#include "raster/ring_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

RRingGeometry::RRingGeometry(double cx, double cy, double outer, double inner)
    : cx_(cx), cy_(cy), outer_(outer), inner_(inner)
{
}

void RRingGeometry::SetSector(double start, double end)
{
    sector_ = true;
    start_ = start;
    end_ = end;
}

double RRingGeometry::TurnOf(double dx, double dy)
{
    double turn = std::atan2(dx, -dy) / (2 * std::numbers::pi);
    if (turn < 0)
        turn += 1;
    return turn;
}

bool RRingGeometry::InSector(double turn) const
{
    if (!sector_)
        return true;
    if (start_ <= end_)
        return turn >= start_ && turn <= end_;
    return turn >= start_ || turn <= end_;
}

void RRingGeometry::SubRow(double y, RCoverageRow& row) const
{
    const double v = y - cy_;
    if (!(std::fabs(v) < outer_))
        return;
    const double outerHalf = std::sqrt(outer_ * outer_ - v * v);
    if (std::fabs(v) < inner_) {
        const double innerHalf = std::sqrt(inner_ * inner_ - v * v);
        AddSectorPart(cx_ - outerHalf, cx_ - innerHalf, y, row);
        AddSectorPart(cx_ + innerHalf, cx_ + outerHalf, y, row);
    } else {
        AddSectorPart(cx_ - outerHalf, cx_ + outerHalf, y, row);
    }
}

// Adds the part of [a, b] on line y that lies in the sector. Along the line
// the direction changes monotonically, so it can only enter or leave the
// sector where a boundary ray crosses the line (or at the centre's column):
// the pieces between those points are wholly in or wholly out.
void RRingGeometry::AddSectorPart(double a, double b, double y, RCoverageRow& row) const
{
    if (!sector_) {
        row.AddSpan(a, b);
        return;
    }
    double cuts[5];
    int count = 0;
    cuts[count++] = a;
    const double v = y - cy_;
    for (const double turn : {start_, end_}) {
        const double angle = turn * 2 * std::numbers::pi;
        const double dirX = std::sin(angle), dirY = -std::cos(angle);
        if (std::fabs(dirY) < 1e-12)
            continue;
        const double t = v / dirY;
        if (t <= 0)
            continue;
        const double x = cx_ + t * dirX;
        if (x > a && x < b)
            cuts[count++] = x;
    }
    if (cx_ > a && cx_ < b)
        cuts[count++] = cx_;
    for (int i = 2; i < count; ++i)  // at most three cuts to order
        for (int k = i; k > 1 && cuts[k] < cuts[k - 1]; --k)
            std::swap(cuts[k], cuts[k - 1]);
    cuts[count] = b;
    for (int i = 0; i < count; ++i) {
        const double from = cuts[i], to = cuts[i + 1];
        if (to > from && InSector(TurnOf((from + to) / 2 - cx_, v)))
            row.AddSpan(from, to);
    }
}
