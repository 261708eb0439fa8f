#include "chart/tick_strategy.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxTicks = 4096;
// A decade this wide shows its 2..9 lines, as log paper does.
constexpr double kMinDecadePixelsForMinor = 40;
// Relative tolerance for "already a multiple of the step".
constexpr double kStepTolerance = 1e-9;

// q * step, computed as q / (1 / step) when the step is an exact
// reciprocal of an integer, so that 3 * 0.1 reads 0.3 and not
// 0.30000000000000004.
double Multiple(double q, double step)
{
    if (step < 1) {
        const double inverse = std::round(1 / step);
        if (inverse > 0 && std::fabs(inverse * step - 1) < 1e-12)
            return q / inverse;
    }
    return q * step;
}

}  // namespace

namespace ChartTicks {

double NiceStep(double span, double lengthPixels, double minTickPixels)
{
    if (!std::isfinite(span) || span <= 0)
        return 1;
    const double pixels = std::max(minTickPixels, kMinTickPixels);
    const double length = std::isfinite(lengthPixels) && lengthPixels >= 1 ? lengthPixels : 1;
    const double raw = span * pixels / length;
    if (!std::isfinite(raw) || raw <= 0)
        return span;
    double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (int k = 0; k < 3; ++k, decade *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            if (factor * decade >= raw * (1 - kStepTolerance))
                return Multiple(factor, decade);
        }
    }
    return raw;
}

double FloorToStep(double value, double step)
{
    if (!std::isfinite(value) || !(step > 0) || !std::isfinite(step))
        return value;
    const double q = value / step;
    const double nearest = std::round(q);
    const double chosen = std::fabs(q - nearest) <= kStepTolerance * std::max(1.0, std::fabs(q)) ? nearest : std::floor(q);
    return Multiple(chosen, step);
}

double CeilToStep(double value, double step)
{
    if (!std::isfinite(value) || !(step > 0) || !std::isfinite(step))
        return value;
    const double q = value / step;
    const double nearest = std::round(q);
    const double chosen = std::fabs(q - nearest) <= kStepTolerance * std::max(1.0, std::fabs(q)) ? nearest : std::ceil(q);
    return Multiple(chosen, step);
}

double FloorToDecade(double value)
{
    if (!(value > 0) || !std::isfinite(value))
        return 1;
    double exponent = std::floor(std::log10(value));
    // log10 can land a hair above or below an exact power.
    if (std::pow(10.0, exponent + 1) <= value)
        exponent += 1;
    else if (std::pow(10.0, exponent) > value)
        exponent -= 1;
    return std::pow(10.0, exponent);
}

double CeilToDecade(double value)
{
    if (!(value > 0) || !std::isfinite(value))
        return 10;
    const double floor = FloorToDecade(value);
    return floor == value ? value : floor * 10;
}

int StepDecimals(double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    int decimals = 0;
    for (double scaled = step; decimals < kMaxDecimals; scaled *= 10, ++decimals) {
        if (std::fabs(scaled - std::round(scaled)) <= 1e-6 * scaled)
            break;
    }
    return decimals;
}

int SignificantDecimals(double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude > 0) || !std::isfinite(magnitude) || magnitude >= 1)
        return 0;
    const double exponent = std::round(std::log10(FloorToDecade(magnitude)));
    return int(std::clamp(-exponent, 0.0, double(kMaxDecimals)));
}

}  // namespace ChartTicks

std::unique_ptr<RTickStrategy> RTickStrategy::Linear() { return std::make_unique<RLinearTicks>(); }
std::unique_ptr<RTickStrategy> RTickStrategy::Logarithmic() { return std::make_unique<RLogTicks>(); }

std::vector<RChartTick> RLinearTicks::Ticks(double min, double max, double lengthPixels, double minTickPixels) const
{
    std::vector<RChartTick> ticks;
    if (!std::isfinite(min) || !std::isfinite(max) || max <= min)
        return ticks;
    const double step = ChartTicks::NiceStep(max - min, lengthPixels, minTickPixels);
    // Minor ticks split a step of 1 or 5 into fifths and a step of 2 into
    // halves, when they stand kMinorTickPixels apart.
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const int parts = std::fabs(mantissa - 2) < 1e-6 ? 2 : 5;
    const bool minor = std::isfinite(lengthPixels) && step / parts * lengthPixels / (max - min) >= ChartTicks::kMinorTickPixels;
    const double unit = minor ? step / parts : step;
    const double firstIndex = std::ceil(min / unit - kStepTolerance);
    for (int k = 0; k < kMaxTicks; ++k) {
        const double index = firstIndex + k;
        const double value = Multiple(index, unit);
        if (value > max + (max - min) * kStepTolerance)
            break;
        const bool major = !minor || std::fmod(std::fabs(index), parts) == 0;
        ticks.push_back({major ? Multiple(std::round(index / (minor ? parts : 1)), step) : value, major});
    }
    return ticks;
}

std::vector<RChartTick> RLogTicks::Ticks(double min, double max, double lengthPixels, double minTickPixels) const
{
    std::vector<RChartTick> ticks;
    if (!(min > 0) || !std::isfinite(min) || !std::isfinite(max) || max <= min)
        return ticks;
    const double decades = std::log10(max) - std::log10(min);
    const double decadePixels = lengthPixels / decades;
    const bool minor = decadePixels >= 2 * std::max(minTickPixels, 0.0) && decadePixels >= kMinDecadePixelsForMinor;
    // With decades narrower than a tick spacing, label every k-th decade.
    const int every = std::max(1, int(std::ceil(std::max(minTickPixels, 20.0) / std::max(decadePixels, 1e-9))));
    double decade = ChartTicks::FloorToDecade(min);
    for (int d = 0; d < kMaxTicks && decade <= max * (1 + kStepTolerance); ++d, decade *= 10) {
        const double exponent = std::round(std::log10(decade));
        decade = std::pow(10.0, exponent);
        if (decade >= min * (1 - kStepTolerance))
            ticks.push_back({decade, (int(exponent) % every + every) % every == 0});
        if (!minor)
            continue;
        for (int m = 2; m <= 9; ++m) {
            const double value = decade * m;
            if (value > min && value < max)
                ticks.push_back({value, false});
        }
        if (ticks.size() > std::size_t(kMaxTicks))
            break;
    }
    return ticks;
}
