#include "las/las_curve.h"

#include "las/near_equal.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool RLasCurveDataWrapper::IsNull(const RLasCurveData& data, std::size_t index)
{
    return index < data.Samples.size() && (data.Samples[index].Flags & kSampleNull) != 0;
}

void RLasCurveDataWrapper::SetNull(RLasCurveData& data, std::size_t index, bool flag)
{
    if (index >= data.Samples.size())
        return;
    const std::uint8_t flags = data.Samples[index].Flags;
    data.Samples[index].Flags = flag ? (flags | kSampleNull) : (flags & ~kSampleNull);
}

bool RLasCurveDataWrapper::IsRedundant(const RLasCurveData& data, std::size_t index)
{
    return index < data.Samples.size() && (data.Samples[index].Flags & kSampleRedundant) != 0;
}

void RLasCurveDataWrapper::SetRedundant(RLasCurveData& data, std::size_t index, bool flag)
{
    if (index >= data.Samples.size())
        return;
    const std::uint8_t flags = data.Samples[index].Flags;
    data.Samples[index].Flags = flag ? (flags | kSampleRedundant) : (flags & ~kSampleRedundant);
}

RLasCurve::RLasCurve(std::string formula, std::string methodName)
    : Formula(std::move(formula)), MethodName(std::move(methodName))
{
}

void RLasCurve::SetValues(const TDoubleArray& values)
{
    // One pass for values, null flags and the range: this runs over every
    // sample of every curve of a loaded file.
    std::vector<RLasSample> samples;
    samples.reserve(values.size());
    bool any = false;
    double low = 0.0, high = 0.0;
    for (const double value : values) {
        const bool null = value == NullValue;
        samples.push_back(RLasSample{value, null ? kSampleNull : std::uint8_t(0)});
        // Infinities (ATANH of 1 in a calculated curve) have no place on an axis.
        if (null || !std::isfinite(value))
            continue;
        if (!any) {
            low = high = value;
            any = true;
        } else {
            low = value < low ? value : low;
            high = value > high ? value : high;
        }
    }
    Data.Samples = std::move(samples);
    SetRange(low, high);
}

void RLasCurve::SetRange(double low, double high)
{
    // A curve of one value (or of nulls only) still gets a drawable range.
    // Within 8 units in the last place counts as one value.
    if (IsNearEqual(low, high, 8)) {
        low -= 0.25;
        high += 0.25;
    }
    MinValue = low;
    MaxValue = high;
}

void RLasCurve::FlagNullsAndRange()
{
    for (RLasSample& sample : Data.Samples) {
        const double value = sample.Value;
        sample.Flags = value == NullValue ? (sample.Flags | kSampleNull) : (sample.Flags & ~kSampleNull);
    }
    UpdateRange();
}

void RLasCurve::UpdateRange()
{
    bool any = false;
    double low = 0.0, high = 0.0;
    for (const RLasSample& sample : Data.Samples) {
        const double value = sample.Value;
        if ((sample.Flags & kSampleNull) || !std::isfinite(value))
            continue;
        if (!any) {
            low = high = value;
            any = true;
        } else if (value < low) {
            low = value;
        } else if (value > high) {
            high = value;
        }
    }
    SetRange(low, high);
}

double RLasCurve::PositionOf(double depth) const
{
    const std::size_t count = SampleCount();
    if (count == 0)
        return std::nan("");
    if (!Depths) {
        if (!(Data.Step > 0.0 || Data.Step < 0.0))
            return std::nan("");
        return (depth - FirstDepth) / Data.Step;
    }
    const TDoubleArray& depths = *Depths;
    const std::size_t n = std::min(count, depths.size());
    if (n == 0 || std::isnan(depth))
        return std::nan("");
    // Depths ascending along the rows, or descending: compared through the sign.
    const double sign = IsDescending() ? -1.0 : 1.0;
    const auto before = [&](std::size_t i) { return sign * depths[i] < sign * depth; };
    if (sign * depth < sign * depths[0])
        return -1.0;
    if (sign * depth > sign * depths[n - 1])
        return static_cast<double>(count);
    // The last row whose depth lies before `depth` (none: row 0 is it).
    std::size_t lo = 0, hi = n - 1;
    if (!before(0))
        return 0.0;
    while (hi - lo > 1) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (before(mid))
            lo = mid;
        else
            hi = mid;
    }
    const double a = depths[lo], b = depths[hi];
    const double fraction = b != a ? (depth - a) / (b - a) : 0.0;
    return static_cast<double>(lo) + std::clamp(fraction, 0.0, 1.0);
}

TDoubleArray RLasCurve::Values() const
{
    TDoubleArray values(Data.Samples.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = Data.Samples[i].Value;
    return values;
}

std::string_view CurveNameStem(std::string_view mnemonic)
{
    if (mnemonic.size() < 4 || mnemonic.back() != ')')
        return mnemonic;
    const std::size_t open = mnemonic.rfind('(');
    if (open == std::string_view::npos || open == 0 || mnemonic[open - 1] != ' ')
        return mnemonic;
    std::string_view number = mnemonic.substr(open + 1, mnemonic.size() - open - 2);
    if (!number.empty() && (number.front() == '-' || number.front() == '+'))
        number.remove_prefix(1);
    if (number.empty() || number.size() > 9
        || number.find_first_not_of("0123456789") != std::string_view::npos)
        return mnemonic;
    return mnemonic.substr(0, open - 1);
}
