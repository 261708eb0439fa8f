#include "calc/curve_link.h"

#include "las/las_curve.h"

#include <cmath>

namespace {
// Fractions of a step this close to a sample read that sample.
constexpr double kSnap = 0.000001;
}  // namespace

void RCurveLink::Calculate(double)
{
    SetNull();
    if (!Curve || ArgNull(0))
        return;
    const auto& samples = Curve->Data.Samples;
    double x = (ArgValue(0) - Curve->FirstDepth) / Curve->Data.Step;
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
