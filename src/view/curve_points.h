#pragma once
// A curve's samples in ascending depth, whatever the sign of its step, and
// the loading of them into a chart series.

#include "las/las_curve.h"

#include <algorithm>
#include <cstddef>

class RChartDataSeries;
struct RLasFilter;

class RAscendingSamples {
public:
    // An irregular index shorter than the samples (a damaged curve) limits
    // the count to the depths it has.
    explicit RAscendingSamples(const RLasCurve& curve)
        : curve_(curve), count_(curve.Depths ? std::min(curve.SampleCount(), curve.Depths->size()) : curve.SampleCount()),
          descending_(curve.IsDescending())
    {
    }

    std::size_t Count() const { return count_; }
    // The depth step between neighbours, positive; 0 when the grid has none
    // (an irregular index has none either).
    double Step() const;
    // Sample k of the ascending order: index k when the depths run down the
    // rows, counted from the last sample when they run up.
    std::size_t Index(std::size_t k) const { return descending_ ? count_ - 1 - k : k; }
    // Where `depth` falls in the ascending order, as a fractional k (see
    // RLasCurve::PositionOf; NaN when it has none).
    double PositionOf(double depth) const;
    double Depth(std::size_t k) const { return curve_.Depth(Index(k)); }
    double Value(std::size_t k) const { return curve_.Data.Samples[Index(k)].Value; }
    // Null, or a value no axis can hold (an infinity of a calculated curve).
    bool Missing(std::size_t k) const;
    bool Redundant(std::size_t k) const { return RLasCurveDataWrapper::IsRedundant(curve_.Data, Index(k)); }

private:
    const RLasCurve& curve_;
    std::size_t count_;
    bool descending_;
};

// Loads the points of `curve` between the filter's depths into `series`
// (X the value, Y the depth, ascending): one sample beyond each end, a
// break flag after null samples, redundant samples skipped except where a
// piece would end early. Regular and irregular depths alike; a regular grid
// without a step loads nothing, and so does a window wholly outside an
// irregular index. Linear in the samples of the window.
void LoadCurvePoints(const RLasCurve& curve, const RLasFilter& filter, RChartDataSeries& series);
