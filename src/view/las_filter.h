#pragma once
// RLasFilter: which depths and curves the composer loads into a chart.

#include <cstdint>
#include <vector>

struct RLasFilter {
    double MinDepth = 0.0;  // first depth whose points are loaded
    double MaxDepth = 0.0;  // last depth whose points are loaded
    // Per data-set curve: false gives the curve its axis and series but no
    // points. Empty selects every curve.
    std::vector<bool> Curves;
    bool Reserved = false;    // not read
    bool LoadPoints = false;  // false: no points are loaded at all
    std::int32_t ReservedA = 0, ReservedB = 0;  // not read

    // The filter of the log chart and the mini map: the whole depth range,
    // every curve, with points.
    static RLasFilter Default(double minDepth, double maxDepth)
    {
        RLasFilter filter;
        filter.MinDepth = minDepth;
        filter.MaxDepth = maxDepth;
        filter.LoadPoints = true;
        return filter;
    }
};
