#pragma once
// A curve's samples in ascending depth, whatever the sign of its step, and
// the loading of them into a chart series.

#include "las/las_curve.h"

#include <cstddef>

class RChartDataSeries;
struct RLasFilter;

class RAscendingSamples {
public:
    explicit RAscendingSamples(const RLasCurve& curve) : curve_(curve), count_(curve.SampleCount()) {}

    std::size_t Count() const { return count_; }
    // The depth step between neighbours, positive; 0 when the grid has none.
    double Step() const;
    // Sample k of the ascending order: index k when the step is positive,
    // counted from the last sample when it is negative.
    std::size_t Index(std::size_t k) const { return curve_.Data.Step < 0 ? count_ - 1 - k : k; }
    double Depth(std::size_t k) const { return curve_.Depth(Index(k)); }
    double Value(std::size_t k) const { return curve_.Data.Samples[Index(k)].Value; }
    // Null, or a value no axis can hold (an infinity of a calculated curve).
    bool Missing(std::size_t k) const;
    bool Redundant(std::size_t k) const { return RLasCurveDataWrapper::IsRedundant(curve_.Data, Index(k)); }

private:
    const RLasCurve& curve_;
    std::size_t count_;
};

// Loads the points of `curve` between the filter's depths into `series`
// (X the value, Y the depth, ascending): one sample beyond each end, a
// break flag after null samples, redundant samples skipped except where a
// piece would end early. A grid without a step loads nothing.
void LoadCurvePoints(const RLasCurve& curve, const RLasFilter& filter, RChartDataSeries& series);
