// Nice steps, bounds rounded to them, and the ticks of linear and log axes.

#include "chart/tick_strategy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

using namespace ChartTicks;

namespace {

// m * 10^k with m in {1, 2, 5}.
bool IsNice(double step)
{
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (std::fabs(mantissa - m) < 1e-9 * m)
            return true;
    return false;
}

double PreviousNice(double step)
{
    const double mantissa = std::round(step / std::pow(10.0, std::floor(std::log10(step) + 1e-9)));
    const double decade = step / mantissa;
    return mantissa == 1 ? decade / 2 : mantissa == 2 ? decade : decade * 2;
}

}  // namespace

TEST(NiceStep, GammaRayOverTheComposersLength)
{
    EXPECT_DOUBLE_EQ(NiceStep(150, 250), 50);
    EXPECT_DOUBLE_EQ(FloorToStep(0, 50), 0);
    EXPECT_DOUBLE_EQ(CeilToStep(150, 50), 150);
    // A larger minimum tick size widens the step.
    EXPECT_DOUBLE_EQ(NiceStep(150, 250, 100), 100);
}

TEST(NiceStep, SmallestNiceStepAtLeastFortyPixelsApartOverSixDecadesOfSpan)
{
    for (double span = 0.001; span <= 1e6; span *= 1.37) {
        for (double length : {60.0, 250.0, 1000.0}) {
            const double step = NiceStep(span, length);
            ASSERT_TRUE(IsNice(step)) << span << " " << step;
            EXPECT_GE(step * length / span, 40 * (1 - 1e-9)) << span << " over " << length;
            EXPECT_LT(PreviousNice(step) * length / span, 40) << span << " over " << length;
        }
    }
}

TEST(NiceStep, DegenerateInputsGiveAUsableStep)
{
    EXPECT_GT(NiceStep(0, 250), 0);
    EXPECT_GT(NiceStep(-5, 250), 0);
    EXPECT_GT(NiceStep(std::nan(""), 250), 0);
    EXPECT_GT(NiceStep(10, 0), 0);
    EXPECT_TRUE(std::isfinite(NiceStep(1e308, 250)));
}

TEST(NiceStep, BoundsAlreadyOnTheStepStayWhereTheyAre)
{
    EXPECT_EQ(FloorToStep(0.4, 0.05), 0.4);
    EXPECT_EQ(CeilToStep(0.4, 0.05), 0.4);
    EXPECT_EQ(CeilToStep(0.3, 0.1), 0.3);
    EXPECT_EQ(FloorToStep(0.41, 0.05), 0.4);
    EXPECT_EQ(CeilToStep(0.41, 0.05), 0.45);
    EXPECT_EQ(FloorToStep(-0.07, 0.05), -0.1);
    EXPECT_EQ(CeilToStep(-0.07, 0.05), -0.05);
    EXPECT_EQ(FloorToStep(1234, 200), 1200);
    EXPECT_EQ(CeilToStep(1234, 200), 1400);
}

TEST(NiceStep, DecadesAroundAValue)
{
    EXPECT_DOUBLE_EQ(FloorToDecade(0.2), 0.1);
    EXPECT_DOUBLE_EQ(CeilToDecade(2000), 10000);
    EXPECT_DOUBLE_EQ(CeilToDecade(1000), 1000);
    EXPECT_DOUBLE_EQ(FloorToDecade(1000), 1000);
    EXPECT_DOUBLE_EQ(FloorToDecade(0.001), 0.001);
}

TEST(NiceStep, DecimalsOfStepsAndOfSignificantDigits)
{
    EXPECT_EQ(StepDecimals(50), 0);
    EXPECT_EQ(StepDecimals(1), 0);
    EXPECT_EQ(StepDecimals(0.05), 2);
    EXPECT_EQ(StepDecimals(NiceStep(0.0003, 250)), 5);  // 5e-05
    EXPECT_EQ(StepDecimals(0.1 + 0.2), 1);               // 0.30000000000000004 is 0.3
    EXPECT_EQ(StepDecimals(1e-300), kMaxDecimals);
    EXPECT_EQ(StepDecimals(0), 0);
    EXPECT_EQ(StepDecimals(std::nan("")), 0);
    EXPECT_EQ(SignificantDecimals(0.001), 3);
    EXPECT_EQ(SignificantDecimals(0.002), 3);
    EXPECT_EQ(SignificantDecimals(0.1), 1);
    EXPECT_EQ(SignificantDecimals(-0.05), 2);
    EXPECT_EQ(SignificantDecimals(1), 0);
    EXPECT_EQ(SignificantDecimals(1000), 0);
    EXPECT_EQ(SignificantDecimals(1e-300), kMaxDecimals);
    EXPECT_EQ(SignificantDecimals(0), 0);
}

TEST(Ticks, LinearTicksAreTheStepsMultiplesWrittenExactly)
{
    const auto ticks = RLinearTicks().Ticks(0.05, 0.95, 400, 0);
    ASSERT_FALSE(ticks.empty());
    for (const RChartTick& tick : ticks) {
        char text[32];
        std::snprintf(text, sizeof text, "%.10g", tick.value);
        EXPECT_EQ(std::strtod(text, nullptr), tick.value) << "a tick off its decimal value: " << tick.value;
        EXPECT_GE(tick.value, 0.05);
        EXPECT_LE(tick.value, 0.95);
    }
    EXPECT_DOUBLE_EQ(ticks.front().value, 0.1);
}

TEST(Ticks, LogTicksAtDecadesWithMinorTicksWhenRoomAllows)
{
    const auto wide = RLogTicks().Ticks(0.1, 1000, 800, 0);
    int majors = 0;
    for (const RChartTick& tick : wide)
        majors += tick.major;
    EXPECT_EQ(majors, 5);
    EXPECT_GT(wide.size(), 30u);
    const auto narrow = RLogTicks().Ticks(0.1, 1000, 100, 0);
    EXPECT_EQ(narrow.size(), 5u);
    EXPECT_TRUE(RLogTicks().Ticks(0, 10, 100, 0).empty());
}

TEST(Ticks, HugeRangesStayBounded)
{
    EXPECT_LE(RLinearTicks().Ticks(-1e300, 1e300, 1e9, 0).size(), 4097u);
    EXPECT_LE(RLogTicks().Ticks(1e-300, 1e300, 1e9, 0).size(), 4200u);
}
