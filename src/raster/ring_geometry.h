#pragma once
// RRingGeometry: the geometry stage for anti-aliased rings, discs and arcs.
//
// How to drive it: build it from the centre and the two radii in sixteenths
// of a pixel (the centre of pixel (cx, cy) is 16cx + 8, 16cy + 8),
// optionally limit it to a sector, and hand it to RasterizeRows().
//
// On each sub-row at distance v from the centre the outer chord exists only
// when |v| < outer radius and the inner hole only when |v| < inner radius,
// so no square root of a negative number is taken. A sector runs clockwise
// from `start` to `end`, both fractions of a full turn counted clockwise from
// twelve o'clock (0.25 is three o'clock).

#include "raster/coverage_row.h"

class RRingGeometry {
public:
    RRingGeometry(double cx, double cy, double outer, double inner);
    void SetSector(double start, double end);

    double Top16() const { return cy_ - outer_; }
    double Bottom16() const { return cy_ + outer_; }
    void SubRow(double y, RCoverageRow& row) const;
    // Curved edges: every row is built from its sub-rows.
    bool RowEdges(double, double, double*) const { return false; }

    // Whether a direction (fraction of a turn) lies in the sector.
    bool InSector(double turn) const;
    // Fraction of a turn of the vector (dx, dy), y down, clockwise from up.
    static double TurnOf(double dx, double dy);

private:
    void AddSectorPart(double a, double b, double y, RCoverageRow& row) const;

    double cx_, cy_, outer_, inner_;
    bool sector_ = false;
    double start_ = 0, end_ = 1;
};
