// Axis label texts after the layout: a log axis shows each decade's
// significant digit, a linear axis never rounds its two ends together; a
// cross-plot's axes give every label the same number of decimals, and no
// axis draws two neighbouring labels that read the same.

#include "sample_charts.h"

#include "chart/axis_painter.h"
#include "chart/bitmap_output_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
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

// Digits after the point ("1,500.25": 2).
int Decimals(const std::string& label)
{
    const std::size_t point = label.find('.');
    return point == std::string::npos ? 0 : int(label.size() - point - 1);
}

// A cross-plot of one scatter series: X and Y axes over the given ranges,
// labels of one number of decimals per axis.
void CrossPlot(RChart& chart, double xMin, double xMax, double yMin, double yMax)
{
    chart.OverSizeX = chart.OverSizeY = 10;
    for (RChartAxisCollection* axes : {&chart.XAxis(), &chart.YAxis()}) {
        RChartAxis& axis = axes->Add();
        axis.EdgeInsideAlign = 3;
        axis.TicksSize = 4;
        axis.UniformLabelDecimals = true;
    }
    RChartSeries& series = chart.Series().Add();
    series.ChartType = ctScatterPoints;
    series.Markers.Style = cmsRound;
    series.Data().AppendPoint(0, xMin, yMin);
    series.Data().AppendPoint(0, xMax, yMax);
}

// Every text the axes draw, in drawing order.
class TextRecorder final : public RBitmapOutputDriver {
public:
    using RBitmapOutputDriver::RBitmapOutputDriver;
    void DrawText(int x, int y, std::string_view text, const RColor& color) override
    {
        texts.emplace_back(text);
        RBitmapOutputDriver::DrawText(x, y, text, color);
    }
    std::vector<std::string> texts;
};

std::vector<std::string> DrawnLabels(RChart& chart)
{
    chart.Layout();
    TextRecorder recorder(&chart, chart.Bitmap());
    RAxisPainter(chart, recorder).DrawAxes();
    return recorder.texts;
}

}  // namespace

TEST(ChartAxisLabels, CrossPlotAxesShowOneNumberOfDecimalsEach)
{
    {
        // The composer's whole-number script with a step of 0.5: not 0, 0.5, 1, 1.5.
        RChart chart(260, 320);
        CrossPlot(chart, 0, 1.5, 0.05, 0.35);
        RChartAxis& x = chart.XAxis()[0];
        RChartAxis& y = chart.YAxis()[0];
        x.FormatNumberScript = "#,##0";
        chart.Layout();
        ASSERT_DOUBLE_EQ(x.Placement().step, 0.5);
        EXPECT_EQ(MajorLabels(x), (std::vector<std::string>{"0.0", "0.5", "1.0", "1.5"}));
        // The default script "#,##0.0##" would write 0.05, 0.1, 0.15.
        ASSERT_DOUBLE_EQ(y.Placement().step, 0.05);
        EXPECT_EQ(MajorLabels(y), (std::vector<std::string>{"0.05", "0.10", "0.15", "0.20", "0.25", "0.30", "0.35"}));
        // The ends at the axis's decimals, whatever other values would show.
        EXPECT_EQ(y.FormatValue(0.125), "0.13");
    }
    {
        // Steps of whole hundreds keep the script's one required decimal;
        // a log axis writes its decades with those of the smallest one.
        RChart chart(420, 320);
        CrossPlot(chart, 1500, 1700, 0.01, 100);
        chart.YAxis()[0].AxisType = atLogarithmic;
        chart.Layout();
        for (const std::string& label : MajorLabels(chart.XAxis()[0]))
            EXPECT_EQ(Decimals(label), 1) << label;
        EXPECT_EQ(MajorLabels(chart.YAxis()[0]), (std::vector<std::string>{"0.01", "0.10", "1.00", "10.00", "100.00"}));
    }
    {
        // Ranges the step alone cannot tell apart, and a zoomed window whose
        // finer step brings more decimals to every label at once.
        RChart chart(420, 320);
        CrossPlot(chart, 2500.001, 2500.004, -3, 97);
        chart.SetViewSizeY(0.02);
        chart.SetOffsetY(0.5);
        chart.Layout();
        for (const RChartAxis* axis : {&chart.XAxis()[0], &chart.YAxis()[0]}) {
            const std::vector<std::string> labels = MajorLabels(*axis);
            ASSERT_GE(labels.size(), 3u);
            for (std::size_t k = 1; k < labels.size(); ++k) {
                EXPECT_EQ(Decimals(labels[k]), Decimals(labels[0])) << labels[k];
                EXPECT_NE(labels[k], labels[k - 1]);
            }
        }
        EXPECT_EQ(Decimals(MajorLabels(chart.YAxis()[0])[0]), 1);  // 0.2 steps over 2 units
    }
}

TEST(ChartAxisLabels, NeighboursThatReadTheSameAreLabelledOnce)
{
    // Exponent scripts ignore the asked decimals: 1.00, 1.01 ... all read 1.0E+00.
    RChart chart(420, 320);
    CrossPlot(chart, 1.0, 1.05, 1.0, 1.05);
    for (RChartAxis* axis : {&chart.XAxis()[0], &chart.YAxis()[0]}) {
        axis->FormatNumberScript = "0.0E+00";
        axis->UniformLabelDecimals = false;
    }
    chart.Layout();
    ASSERT_GE(chart.XAxis()[0].Placement().ticks.size(), 3u);
    const std::vector<std::string> drawn = DrawnLabels(chart);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "1.0E+00"), 2);  // once on each axis
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), "1.1E+00"), 2);  // 1.05 rounds up

    // A log chart's header band whose two ends read the same shows one.
    RChart log(300, 300);
    LogChartLook(log);
    AddDepthAxis(log, 1000, 1100);
    AddCurve(log, "C", 0x000000, 0, 1e20, 1e20 + 1e5);
    log.XAxis()[0].FormatNumberScript = "0E+0";
    const std::vector<std::string> ends = DrawnLabels(log);
    EXPECT_EQ(std::count(ends.begin(), ends.end(), "1E+20"), 1);
}

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
