#pragma once
// Tick generation for chart axes: a small strategy per axis kind.
//
// The nice step is the smallest 1, 2 or 5 times a power of ten whose ticks
// stand at least max(minTickPixels, 40) pixels apart when `span` value
// units take `lengthPixels` pixels (0..150 over 250 px: step 50). Floor and
// ceiling to a step keep a bound that is already a multiple of the step up
// to rounding error (0.4 with step 0.05 stays 0.4).
//
// Linear ticks stand at the multiples of the nice step inside the range
// (major), with minor ticks at fifths of a step of 1 or 5 and halves of a
// step of 2 when those stand at least 10 pixels apart.
// Logarithmic ticks stand at every decade (major) and at 2..9 times each
// decade (minor) when a decade is 40 pixels or wider.

#include <memory>
#include <vector>

namespace ChartTicks {

constexpr double kMinTickPixels = 40;
constexpr double kMinorTickPixels = 10;

double NiceStep(double span, double lengthPixels, double minTickPixels = 0);
double FloorToStep(double value, double step);
double CeilToStep(double value, double step);
// 10^floor(log10(value)) and 10^ceil(log10(value)), for value > 0.
double FloorToDecade(double value);
double CeilToDecade(double value);
// Decimals that write every multiple of `step` exactly: 0 for 50, 2 for
// 0.05, 5 for 5e-05; at most kMaxDecimals.
int StepDecimals(double step);
// Decimals that show the first significant digit of `value`: 3 for 0.001
// and 0.002, 0 from 1 up; at most kMaxDecimals.
int SignificantDecimals(double value);
constexpr int kMaxDecimals = 20;

}  // namespace ChartTicks

struct RChartTick {
    double value = 0;
    bool major = true;  // labelled and drawn as a full grid line
};

class RTickStrategy {
public:
    virtual ~RTickStrategy() = default;
    // Ticks of the range [min, max] drawn over `lengthPixels` pixels, in
    // ascending value order. At most a few thousand, whatever the input.
    virtual std::vector<RChartTick> Ticks(double min, double max, double lengthPixels,
                                          double minTickPixels) const = 0;

    static std::unique_ptr<RTickStrategy> Linear();
    static std::unique_ptr<RTickStrategy> Logarithmic();
};

class RLinearTicks : public RTickStrategy {
public:
    std::vector<RChartTick> Ticks(double min, double max, double lengthPixels, double minTickPixels) const override;
};

class RLogTicks : public RTickStrategy {
public:
    std::vector<RChartTick> Ticks(double min, double max, double lengthPixels, double minTickPixels) const override;
};
