#pragma once
// RStrokeGeometry: the geometry stage for anti-aliased lines.
//
// How to drive it: build it from the two end points and the half-width, all
// in sixteenths of a pixel as doubles (pixel p's centre is 16p + 8), and
// hand it to RasterizeRows() (coverage_row.h).
//
// The stroke is the rectangle spanned by moving both end points by plus and
// minus the perpendicular offset HalfWidth * (-DY, DX) / L, L being the
// exact length, so a 45-degree line is as thick as a level one. Round ends
// add a disc of radius HalfWidth at each end point; the union stays convex,
// so every sub-row meets it in one interval. A zero-length stroke has no
// rectangle: square ends draw nothing, round ends a disc.

#include "raster/coverage_row.h"

class RStrokeGeometry {
public:
    RStrokeGeometry(double x0, double y0, double x1, double y1, double halfWidth, bool roundEnds);

    double Top16() const { return top_; }
    double Bottom16() const { return bottom_; }
    void SubRow(double y, RCoverageRow& row) const;
    // True, with the left and right edges at yTop and yBottom, when no
    // corner of the rectangle and no end disc lies inside the row.
    bool RowEdges(double yTop, double yBottom, double edges[4]) const;

private:
    bool RectangleAt(double y, double& low, double& high) const;

    double x0_, y0_, x1_, y1_, halfWidth_;
    bool round_;
    double length_, ux_ = 1, uy_ = 0;
    double inverseUx_ = 0, inverseUy_ = 0;  // 0 where the component is (nearly) 0
    double top_, bottom_;
    // For a stroke that is neither level nor upright, each of the four sides
    // as x = base + slope * y: the larger of the two lower bounds and the
    // smaller of the two upper bounds give a row's interval.
    bool slanted_ = false;
    double lowBase_[2] = {}, lowSlope_[2] = {}, highBase_[2] = {}, highSlope_[2] = {};
    double cornerY_[4] = {};
    // Rows lying wholly between the second and third corner (and off the end
    // discs) meet one straight edge on each side: no checks needed there.
    double straightTop_ = 0, straightBottom_ = -1;
    // The last row bottom's edges, which are the next row top's.
    mutable double cachedY_ = -1, cachedLow_ = 0, cachedHigh_ = 0;
};

// Cuts the segment (x0, y0)-(x1, y1) to the box [left, right] x [top, bottom]
// in double (Liang-Barsky), so that coordinates far off screen never reach
// an int conversion. False when nothing of it lies in the box or an end is
// not a finite number.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double left, double top,
                 double right, double bottom);
