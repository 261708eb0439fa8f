#include "calc/curve_link.h"

#include "las/las_curve.h"

#include <cmath>

namespace {
// Fractions of a sample spacing this close to a sample read that sample.
constexpr double kSnap = 0.000001;

// The fractional sample index of `depth` in `curve`. An irregular index
// places every depth outside it at -1 or SampleCount(); one a hair beyond
// an end sample (less than kSnap of the spacing next to it) is that sample,
// as on a regular grid.
double PositionIn(const RLasCurve& curve, double depth)
{
    const double position = curve.PositionOf(depth);
    const std::size_t count = curve.SampleCount();
    if (curve.IsRegular() || count < 2 || (position >= 0.0 && position < static_cast<double>(count)))
        return position;
    const std::size_t end = position < 0.0 ? 0 : count - 1;
    const std::size_t inner = position < 0.0 ? 1 : count - 2;
    const double spacing = std::fabs(curve.Depth(inner) - curve.Depth(end));
    return std::fabs(depth - curve.Depth(end)) < kSnap * spacing ? static_cast<double>(end) : position;
}
}  // namespace

void RCurveLink::Calculate(double)
{
    SetNull();
    if (!Curve || ArgNull(0))
        return;
    const auto& samples = Curve->Data.Samples;
    double x = PositionIn(*Curve, ArgValue(0));
    if (x < 0.0 && x > -kSnap)
        x = 0.0;  // a hair before the first sample is that sample
    // Also rejects NaN and a position too large for an index.
    if (!(x >= 0.0) || !(x < static_cast<double>(samples.size())))
        return;
    std::size_t index = static_cast<std::size_t>(x);
    const double fraction = x - static_cast<double>(index);
    if (fraction < kSnap || fraction > 1.0 - kSnap) {
        // Just below the next sample is that sample: depth arithmetic often
        // lands a hair short of the grid.
        if (fraction > 1.0 - kSnap && ++index >= samples.size())
            return;
        const RLasSample sample = samples[index];
        Value = sample.Value;
        IsNull = (sample.Flags & kSampleNull) != 0;
        return;
    }
    if (index + 1 >= samples.size())
        return;
    const RLasSample lower = samples[index], upper = samples[index + 1];
    if ((lower.Flags & kSampleNull) || (upper.Flags & kSampleNull))
        return;
    SetResult((1.0 - fraction) * lower.Value + fraction * upper.Value);
}
