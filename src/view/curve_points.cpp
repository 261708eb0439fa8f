#include "view/curve_points.h"

#include "chart/chart_data_series.h"
#include "view/las_filter.h"

#include <algorithm>
#include <cmath>

double RAscendingSamples::Step() const { return curve_.IsRegular() ? std::fabs(curve_.Data.Step) : 0.0; }

double RAscendingSamples::PositionOf(double depth) const
{
    const double position = curve_.PositionOf(depth);
    return descending_ ? static_cast<double>(count_) - 1.0 - position : position;
}

bool RAscendingSamples::Missing(std::size_t k) const
{
    return RLasCurveDataWrapper::IsNull(curve_.Data, Index(k)) || !std::isfinite(Value(k));
}

void LoadCurvePoints(const RLasCurve& curve, const RLasFilter& filter, RChartDataSeries& series)
{
    series.Clear();
    const RAscendingSamples samples(curve);
    const std::size_t n = samples.Count();
    if (n == 0)
        return;
    // A single sample needs no step to be drawn (a one-row file has none).
    if (n == 1) {
        if (!samples.Missing(0) && samples.Depth(0) >= filter.MinDepth && samples.Depth(0) <= filter.MaxDepth)
            series.AppendPoint(0, samples.Value(0), samples.Depth(0));
        return;
    }
    if (curve.IsRegular()) {
        const double step = samples.Step();
        if (!(step > 0.0) || !std::isfinite(step))
            return;
    }
    // One sample beyond each end of the filter's window, so the line runs to
    // the window's edges: rounding to the nearest sample and one more covers
    // the samples on either side of a fractional position. Positions are
    // computed in double and cut before any conversion, so a far-away window
    // cannot overflow.
    const double windowTop = samples.PositionOf(filter.MinDepth);
    const double windowBottom = samples.PositionOf(filter.MaxDepth);
    // An irregular index puts every depth beyond its ends at -1 or n: a
    // window wholly before or after it has nothing to draw.
    if (!curve.IsRegular() && (windowBottom < 0.0 || windowTop > static_cast<double>(n - 1)))
        return;
    const double firstPosition = std::nearbyint(windowTop) - 1.0;
    const double lastPosition = std::nearbyint(windowBottom) + 1.0;
    if (!(firstPosition < static_cast<double>(n)) || !(lastPosition >= 0.0))
        return;
    std::size_t first = firstPosition > 0.0 ? static_cast<std::size_t>(firstPosition) : 0;
    const double expected = std::min(lastPosition, static_cast<double>(n)) - static_cast<double>(first) + 2.0;
    series.SetCapacity(static_cast<int>(std::clamp(expected, 0.0, static_cast<double>(n))));
    // Start on a sample with a value, so the first piece is not cut short.
    while (first > 0 && samples.Missing(first))
        --first;

    std::uint8_t pendingBreak = 0;
    bool added = false;
    bool skippedLast = false;  // the last sample with a value was skipped
    std::size_t lastSkipped = 0;
    for (std::size_t k = first; k < n; ++k) {
        if (samples.Missing(k)) {
            // A piece ending on a skipped sample would stop short of it.
            if (skippedLast)
                series.AppendPoint(0, samples.Value(lastSkipped), samples.Depth(lastSkipped));
            skippedLast = false;
            pendingBreak = 1;
            continue;
        }
        if (added && samples.Redundant(k)) {
            skippedLast = true;
            lastSkipped = k;
            continue;
        }
        series.AppendPoint(pendingBreak, samples.Value(k), samples.Depth(k));
        pendingBreak = 0;
        added = true;
        skippedLast = false;
        if (samples.Depth(k) > filter.MaxDepth)
            break;
    }
    if (skippedLast)
        series.AppendPoint(0, samples.Value(lastSkipped), samples.Depth(lastSkipped));
}
