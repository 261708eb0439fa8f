#pragma once
// RLasIndex: the depths of a data set's rows, taken from the data's first
// column, never from STRT, STOP and STEP. Regular depths (each within 1 % of
// a step of first + i x step, on a grid of the decimals the file writes its
// depths with) are kept as first, step and count; any others (STEP 0, gaps,
// jitter, depths in exponent form) as one depth a row.
//
// A regular grid is counted in units of its last decimal: depth i is
// (firstUnits + i x stepUnits) / 10^decimals, one correctly rounded
// division, so it is exactly the double a depth written with those
// decimals reads as. A saved file therefore reads back with the very same
// depths.
//
//     RLasIndex index = RLasIndex::FromDepths(std::move(depths), well, path);  // reports what disagrees
//     index.Depth(i) ... index.Regular() ... index.Step ...
//
// The header is checked against the data, never trusted over it: each
// kind of disagreement is reported once per file.

#include "las/las_curve.h"
#include "las/las_number_format.h"
#include "las/las_section.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct RLasIndex {
    double First = 0.0;
    double Step = 0.0;  // 0 when irregular
    std::size_t Count = 0;
    std::shared_ptr<const TDoubleArray> Depths;  // irregular only
    RLasNumberStyle Style;                       // how its depths were written
    // A regular grid in units of 10^-Decimals; Decimals -1 without one
    // (an index made by hand: First + i x Step).
    int Decimals = -1;
    std::int64_t FirstUnits = 0;
    std::int64_t StepUnits = 0;

    bool Regular() const { return !Depths; }
    double Depth(std::size_t row) const;
    double Last() const { return Count ? Depth(Count - 1) : First; }

    // The index of `depths` (the rows' depths in file order), whose numbers
    // had at most `decimals` decimals (-1: some had an exponent). The
    // header's STEP is kept when it fits the data, so a 0.1524 step stays
    // 0.1524.
    static RLasIndex FromDepths(TDoubleArray depths, int decimals, const TLasWellSection& well, const std::string& path);

    // Gives `curve` these depths.
    void ApplyTo(RLasCurve& curve) const;
};
