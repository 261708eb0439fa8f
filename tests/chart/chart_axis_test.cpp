// Axis label texts after the layout: a log axis shows each decade's
// significant digit, a linear axis never rounds its two ends together.

#include "sample_charts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace SampleCharts;

namespace {

std::vector<std::string> MajorLabels(const RChartAxis& axis)
{
    std::vector<std::string> labels;
    for (const RChartTick& tick : axis.Placement().ticks)
        if (tick.major)
            labels.push_back(axis.FormatValue(tick.value));
    return labels;
}

}  // namespace

TEST(ChartAxisLabels, LogAxisShowsEveryDecadeWithItsSignificantDigit)
{
    RChart chart(420, 320);
    LogChartLook(chart);
    AddDepthAxis(chart, 1000, 1100);
    AddCurve(chart, "RT, OHMM", 0x000000, 0, 0.001, 1000, true);
    RChartAxis& resistivity = chart.XAxis()[0];
    resistivity.SetSize(60);
    chart.Layout();
    const std::vector<std::string> decades{"0.001", "0.01", "0.1", "1", "10", "100", "1,000"};
    // The composer's whole-number script for a range up to 1000.
    resistivity.FormatNumberScript = "#,##0";
    EXPECT_EQ(MajorLabels(resistivity), decades);
    // Two fixed decimals: small decades still reach their digit.
    resistivity.FormatNumberScript = "#,##0.00";
    EXPECT_EQ(resistivity.FormatValue(0.001), "0.001");
    EXPECT_EQ(resistivity.FormatValue(1), "1.00");
    // The default script reaches four decimals and beyond.
    resistivity.FormatNumberScript = "#,##0.0##";
    EXPECT_EQ(resistivity.FormatValue(0.0001), "0.0001");
    EXPECT_EQ(resistivity.FormatValue(0.00002), "0.00002");
    EXPECT_EQ(resistivity.FormatValue(100), "100.0");
}

TEST(ChartAxisLabels, LinearEndsNeverReadTheSame)
{
    RChart chart(420, 320);
    LogChartLook(chart);
    AddDepthAxis(chart, 1000, 1100);
    AddCurve(chart, "RHO", 0x000000, 0, 0.2001, 0.2004);
    AddCurve(chart, "GR, API", 0x000000, 1, 0, 150);
    RChartAxis& narrow = chart.XAxis()[0];
    RChartAxis& gammaRay = chart.XAxis()[1];
    narrow.FormatNumberScript = "#,##0.000";
    gammaRay.FormatNumberScript = "#,##0";
    chart.Layout();
    EXPECT_EQ(narrow.FormatValue(narrow.Placement().min), "0.2001");
    EXPECT_EQ(narrow.FormatValue(narrow.Placement().max), "0.2004");
    // Ticks keep the decimals of their step (1e-04 over this track).
    EXPECT_DOUBLE_EQ(narrow.Placement().step, 1e-04);
    EXPECT_EQ(MajorLabels(narrow), (std::vector<std::string>{"0.2001", "0.2002", "0.2003", "0.2004"}));
    // A range the script already tells apart keeps its labels.
    EXPECT_EQ(gammaRay.FormatValue(0), "0");
    EXPECT_EQ(gammaRay.FormatValue(150), "150");
}

TEST(ChartAxisLabels, DepthTicksOfANarrowWindowAreDistinct)
{
    RChart chart(300, 400);
    LogChartLook(chart);
    AddDepthAxis(chart, 2500.001, 2500.004);
    chart.Draw();
    const std::vector<std::string> labels = MajorLabels(chart.YAxis()[0]);
    ASSERT_GE(labels.size(), 2u);
    for (std::size_t k = 1; k < labels.size(); ++k)
        EXPECT_NE(labels[k], labels[k - 1]) << k;
}
