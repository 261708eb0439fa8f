// Gradient markers by colour value and the colour scale that explains
// them: which colour a value gets, when the scale shows, what it says and
// that the picture carries it.

#include "chart/chart_color_scale.h"

#include "chart/chart.h"
#include "raster/bitmap32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const RColor kRed = ChartColors::Rgb(0x0000FF), kGreen = ChartColors::Rgb(0x00FF00);

std::uint32_t Rgb(const RColor& color) { return color.Word().Rgb(); }

// A cross-plot of `count` points whose colour values are depths from
// 1700 up to 1500 (the deepest first, as the composer stores them): red
// at the deepest, green at the shallowest.
RChartSeries& DepthCrossPlot(RChart& chart, int count = 41)
{
    chart.XAxis().Add();
    chart.YAxis().Add();
    RChartSeries& series = chart.Series().Add();
    series.ChartType = ctScatterPoints;
    series.Markers.Style = cmsRound;
    series.Markers.Size = 5;
    series.Markers.UseGradient = true;
    series.Markers.Color = kRed;
    series.Markers.GradientColor = kGreen;
    std::vector<double> depths;
    for (int i = 0; i < count; ++i) {
        series.Data().AppendPoint(0, i, std::sin(i * 0.3));
        depths.push_back(1700 - 200.0 * i / std::max(count - 1, 1));
    }
    series.Data().SetColorValues(depths);
    chart.ColorScale.Show = true;
    chart.ColorScale.Caption = "Depth";
    return series;
}

}  // namespace

TEST(MarkerGradient, FollowsTheColourValuesFromTheFirstPointsEnd)
{
    RChart chart;
    RChartSeries& series = DepthCrossPlot(chart);
    RMarkerGradient gradient(series);
    ASSERT_TRUE(gradient.ByValue());
    EXPECT_EQ(gradient.Least(), 1500);
    EXPECT_EQ(gradient.Greatest(), 1700);
    // The first point (1700) is the greatest: Color stands there.
    EXPECT_EQ(Rgb(gradient.ValueColor(1700)), Rgb(kRed));
    EXPECT_EQ(Rgb(gradient.ValueColor(1500)), Rgb(kGreen));
    EXPECT_EQ(Rgb(gradient.PointColor(0)), Rgb(kRed));
    EXPECT_EQ(Rgb(gradient.PointColor(40)), Rgb(kGreen));
    // Linear in the value, not in the position: drop the middle points and
    // 1600 stays half way.
    const RColor half = gradient.ValueColor(1600);
    EXPECT_EQ(Rgb(half), Rgb(ChartColors::Blend(kRed, kGreen, 0.5)));
    std::vector<double> values = series.Data().ColorValues();
    values[20] = std::nan("");
    series.Data().SetColorValues(values);
    EXPECT_EQ(Rgb(RMarkerGradient(series).PointColor(20)), Rgb(kRed));  // no value: Color

    // Ascending values: Color at the least.
    std::vector<double> ascending(41);
    for (int i = 0; i < 41; ++i)
        ascending[std::size_t(i)] = i;
    series.Data().SetColorValues(ascending);
    EXPECT_EQ(Rgb(RMarkerGradient(series).ValueColor(0)), Rgb(kRed));
}

TEST(MarkerGradient, WithoutColourValuesFollowsThePosition)
{
    RChart chart;
    RChartSeries& series = DepthCrossPlot(chart, 3);
    series.Data().SetColorValues({});
    RMarkerGradient gradient(series);
    EXPECT_FALSE(gradient.ByValue());
    EXPECT_EQ(Rgb(gradient.PointColor(0)), Rgb(kRed));
    EXPECT_EQ(Rgb(gradient.PointColor(1)), Rgb(ChartColors::Blend(kRed, kGreen, 0.5)));
    EXPECT_EQ(Rgb(gradient.PointColor(2)), Rgb(kGreen));
    // Values that do not match the points count for nothing; no gradient, one colour.
    series.Data().SetColorValues({1, 2});
    EXPECT_FALSE(RMarkerGradient(series).ByValue());
    series.Markers.UseGradient = false;
    EXPECT_EQ(Rgb(RMarkerGradient(series).PointColor(2)), Rgb(kRed));
}

TEST(ChartColorScale, SaysWhatTheColoursMapAndTheirEnds)
{
    RChart chart(400, 300);
    RChartSeries& series = DepthCrossPlot(chart);
    auto content = ColorScaleContent(chart);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->least, "1,500.0");
    EXPECT_EQ(content->greatest, "1,700.0");

    // Ends share their decimals, as many as either needs...
    std::vector<double> values = series.Data().ColorValues();
    values.back() = 1500.25;
    series.Data().SetColorValues(values);
    content = ColorScaleContent(chart);
    EXPECT_EQ(content->least, "1,500.25");
    EXPECT_EQ(content->greatest, "1,700.00");
    // ... and more while they would read the same.
    for (double& value : values)
        value = 2.5 + (value - 1500) * 1e-7;
    series.Data().SetColorValues(values);
    content = ColorScaleContent(chart);
    EXPECT_EQ(content->least, "2.50000");
    EXPECT_EQ(content->greatest, "2.50002");
    // One value throughout: written once.
    series.Data().SetColorValues(std::vector<double>(41, 3.0));
    content = ColorScaleContent(chart);
    EXPECT_EQ(content->least, "3.0");
    EXPECT_EQ(content->greatest, "");

    // Nothing to explain: not shown.
    const auto hiddenWhen = [&](auto change) {
        RChart other(400, 300);
        change(DepthCrossPlot(other), other);
        return !ColorScaleContent(other);
    };
    EXPECT_TRUE(hiddenWhen([](RChartSeries&, RChart& c) { c.ColorScale.Show = false; }));
    EXPECT_TRUE(hiddenWhen([](RChartSeries&, RChart& c) { c.ColorScale.SeriesIndex = 1; }));
    EXPECT_TRUE(hiddenWhen([](RChartSeries& s, RChart&) { s.Markers.UseGradient = false; }));
    EXPECT_TRUE(hiddenWhen([](RChartSeries& s, RChart&) { s.VisibleChart = false; }));
    EXPECT_TRUE(hiddenWhen([](RChartSeries& s, RChart&) { s.Data().SetColorValues({}); }));
    EXPECT_TRUE(hiddenWhen([](RChartSeries& s, RChart&) { s.Data().SetColorValues(std::vector<double>(41, std::nan(""))); }));
}

TEST(ChartColorScale, StandsAboveTheGraphAreaAndIsDrawn)
{
    RChart chart(400, 300);
    DepthCrossPlot(chart);
    chart.ColorScale.Show = false;
    chart.Draw();
    const int graphTop = chart.GraphRect().top;
    EXPECT_TRUE(chart.LayoutResult().colorScale.Empty());

    chart.ColorScale.Show = true;
    chart.Draw();
    const RChartRect box = chart.LayoutResult().colorScale;
    ASSERT_FALSE(box.Empty());
    EXPECT_LE(box.bottom, chart.GraphRect().top);
    EXPECT_GT(chart.GraphRect().top, graphTop);  // the graph area made room
    EXPECT_LE(box.right, chart.Width());

    // The bar: green (the least depth) at its left, red at its right,
    // framed in the scale's colour; some text on either side of it.
    const RBitmapUtil& pixels = chart.Bitmap().Util();
    const int y = (box.top + box.bottom) / 2;
    int left = -1, right = -1;
    for (int x = box.left; x < box.right; ++x) {
        if (pixels.ReadPixel(x, y).Rgb() == Rgb(kGreen) && left < 0)
            left = x;
        if (pixels.ReadPixel(x, y).Rgb() == Rgb(kRed))
            right = x;
    }
    ASSERT_GT(left, box.left);
    ASSERT_GT(right, left + chart.ColorScale.BarWidth / 2);
    EXPECT_EQ(pixels.ReadPixel(left - 1, y).Rgb(), 0u);   // the frame
    EXPECT_EQ(pixels.ReadPixel(right + 1, y).Rgb(), 0u);
    const std::uint32_t background = pixels.ReadPixel(2, box.top).Rgb();
    const auto inked = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int row = box.top; row < box.bottom; ++row)
                if (pixels.ReadPixel(x, row).Rgb() != background)
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(box.left, left - 2));    // caption and least value
    EXPECT_TRUE(inked(right + 3, box.right));  // greatest value
}
