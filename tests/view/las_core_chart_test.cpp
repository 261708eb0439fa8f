// The log chart, mini map, cross-plot and fills the composer builds.
// Pictures: tests/data/view/*.png (LOGGARD_UPDATE_GOLDEN=1 rewrites them).

#include "chart/chart.h"
#include "container/text_codec.h"
#include "raster/bitmap32.h"
#include "raster/golden.h"
#include "support/file_curves.h"
#include "support/irregular_curves.h"
#include "view/las_core.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kNull = -999.25;

// Curve 0 against curve 1, circles of 5 running from green to red.
RLasCrossPlotSettings GradientCircles()
{
    RLasCrossPlotSettings settings;
    settings.XCurve = 0;
    settings.YCurve = 1;
    settings.UseGradient = true;
    settings.Color = RPlatformColor(0x00FF00);
    settings.GradientColor = RPlatformColor(0x0000FF);
    settings.MarkerStyle = cmsRound;
    settings.MarkerSize = 5;
    return settings;
}

class LasCoreChartTest : public ::testing::Test {
protected:
    RLasCurve& AddCurve(const std::string& name, const std::string& unit, std::vector<double> values,
                        double first = 1000.0, double step = 0.5)
    {
        return AddFileCurve(*core.Data, name, first, step, values, kNull, unit);
    }
    // A smooth log-like curve of 101 samples from 1000 m in steps of 0.5 m.
    RLasCurve& AddWave(const std::string& name, const std::string& unit, double centre, double amplitude,
                       double period, std::vector<std::pair<int, int>> gaps = {})
    {
        std::vector<double> values;
        for (int k = 0; k <= 100; ++k) {
            double value = centre + amplitude * std::sin(k * 6.2831853 / period) + 0.2 * amplitude * std::sin(k * 1.7);
            for (const auto& [from, to] : gaps)
                if (k >= from && k <= to)
                    value = kNull;
            values.push_back(value);
        }
        return AddCurve(name, unit, values);
    }
    RCurveView& View(const std::string& name, std::int32_t color, std::int32_t track = 0)
    {
        auto view = std::make_unique<RCurveView>();
        view->Color = RPlatformColor(color);
        view->Track = track;
        RCurveView& stored = *view;
        core.Settings->SetView(name, std::move(view));
        return stored;
    }
    RChart& Draw(int width = 480, int height = 360)
    {
        chart.SetSize(width, height);
        chart.SetUseAntialiasing(true);
        core.BuildChart(chart);
        chart.Draw();
        return chart;
    }

    RLasCore core;
    RChart chart;
};

TEST_F(LasCoreChartTest, SharedTrackWithCurveFillLogTrackGapsAndCalculatedCurve)
{
    AddWave("GR", "API", 75, 45, 40, {{30, 36}});
    AddWave("RHOB", "G/C3", 2.45, 0.15, 50);
    AddWave("NPHI", "V/V", 0.25, 0.1, 50);
    std::vector<double> resistivity;
    for (int k = 0; k <= 100; ++k)
        resistivity.push_back(std::pow(10.0, 0.3 + 1.6 * (0.5 + 0.5 * std::sin(k * 0.15))));
    AddCurve("RT", "OHMM", resistivity);
    View("GR", 0x008000, 1).FillType = RFillType::Constant;
    core.Settings->GetView("GR")->FillConst = 75;
    core.Settings->GetView("GR")->FillColor = RPlatformColor(0x00C0FF);  // orange where GR >= 75
    RCurveView& rhob = View("RHOB", 0x0000FF, 2);
    rhob.FillType = RFillType::Curve;
    rhob.FillCurve = "NPHI";
    rhob.FillCondition = RFillCondition::Between;
    rhob.FillColor = RPlatformColor(0xFFC080);
    View("NPHI", 0xFF0000, 2);
    View("RT", 0x000000, 3).LogAxis = true;
    core.Settings->SetCalcMethod("GRX", std::make_unique<RCurveCalcMethod>("GR/2"));
    core.Prepare(RPrepareMode::Opened);
    ASSERT_EQ(core.Data->Curves().size(), 5u);

    EXPECT_TRUE(MatchesGolden(Draw(560, 380).Bitmap(), "log_chart", 2, "view"));
    ASSERT_EQ(chart.Series().Count(), 5);
    ASSERT_EQ(chart.XAxis().Count(), 5);
    // RHOB and NPHI share one track; the calculated curve gets its own.
    EXPECT_EQ(chart.XAxis()[1].TrackIndex, chart.XAxis()[2].TrackIndex);
    EXPECT_EQ(chart.XAxis()[4].TrackIndex, 3);
    // Whole decades on the log track.
    EXPECT_EQ(chart.XAxis()[3].MinValue(), 1.0);
    EXPECT_EQ(chart.XAxis()[3].MaxValue(), 100.0);
    // The gap in GR is a break in its line.
    const RChartDataSeries& gr = chart.Series()[0].Data();
    int breaks = 0;
    for (const std::uint8_t flag : gr.Breaks())
        breaks += flag;
    EXPECT_EQ(breaks, 1);
}

TEST_F(LasCoreChartTest, ConstantFillsByCondition)
{
    const std::pair<const char*, RFillCondition> curves[] = {
        {"BELOW", RFillCondition::Below}, {"ABOVE", RFillCondition::Above}, {"BETWEEN", RFillCondition::Between}};
    int track = 1;
    for (const auto& [name, condition] : curves) {
        AddWave(name, "API", 50, 40, 30);
        RCurveView& view = View(name, 0x000000, track++);
        view.FillType = RFillType::Constant;
        view.FillConst = 50;
        view.FillCondition = condition;
        view.FillColor = RPlatformColor(0x00A000);
    }
    core.Prepare(RPrepareMode::Changed);
    EXPECT_TRUE(MatchesGolden(Draw(420, 300).Bitmap(), "constant_fills", 2, "view"));
}

TEST_F(LasCoreChartTest, FillAgainstAnOutOfRangeConstantStaysInItsTrack)
{
    AddCurve("A", "", {10, 20, 30, 40, 50, 60});
    AddCurve("B", "", {1, 2, 3, 4, 5, 6});
    RCurveView& a = View("A", 0x000000, 1);
    a.FillType = RFillType::Constant;
    a.FillConst = 75;  // beyond the axis end of 60
    a.FillCondition = RFillCondition::Between;
    a.FillColor = RPlatformColor(0x0000FF);
    View("B", 0x000000, 2);
    core.Prepare(RPrepareMode::Changed);
    // A fill index that names no series is skipped, not followed.
    core.Settings->Fills.push_back({7, RFillType::Curve, RFillCondition::Between, 9, 0.0, RPlatformColor(0xFF)});
    const auto region = [&](const RChartRect& box) {
        std::vector<std::uint32_t> pixels;
        const RBitmapUtil& util = chart.Bitmap().Util();
        for (int y = chart.GraphRect().top; y < chart.GraphRect().bottom; ++y)
            for (int x = box.left + 1; x < box.right; ++x)
                pixels.push_back(util.ReadPixel(x, y).Value());
        return pixels;
    };
    Draw(400, 300);
    const auto firstFilled = region(chart.XAxis()[0].Extent());
    const auto secondFilled = region(chart.XAxis()[1].Extent());
    core.Settings->Fills.clear();
    chart.Draw();
    // Painted in A's track, nothing of it in B's.
    EXPECT_NE(region(chart.XAxis()[0].Extent()), firstFilled);
    EXPECT_EQ(region(chart.XAxis()[1].Extent()), secondFilled);
}

TEST_F(LasCoreChartTest, AxisRangesAndNumberFormatsFollowTheCurve)
{
    AddCurve("SMALL", "", {-0.3, 0.4});
    AddCurve("MID", "", {1.5, 12.3});
    AddCurve("BIG", "", {20, 150});
    AddCurve("FLAT", "", {5, 5, 5});
    // A curve whose range is unknown (made in code, never measured).
    RLasCurve& unmeasured = AddCurve("UNMEASURED", "", {1, 2});
    core.Prepare(RPrepareMode::Changed);
    unmeasured.MinValue = unmeasured.MaxValue = std::nan("");
    Draw();
    // Drawing leaves the curve's own range unknown and draws it over -0.5..0.5.
    EXPECT_TRUE(std::isnan(unmeasured.MinValue) && std::isnan(unmeasured.MaxValue));
    EXPECT_EQ(chart.XAxis()[4].Caption, "UNMEASURED");
    EXPECT_LE(chart.XAxis()[4].MinValue(), -0.5);
    EXPECT_GE(chart.XAxis()[4].MaxValue(), 0.5);
    // Curves without a unit are captioned by their mnemonic alone.
    EXPECT_EQ(chart.XAxis()[0].Caption, "SMALL");
    EXPECT_EQ(chart.XAxis()[0].FormatNumberScript, "#,##0.000");
    EXPECT_EQ(chart.XAxis()[1].FormatNumberScript, "#,##0.0");
    EXPECT_EQ(chart.XAxis()[2].FormatNumberScript, "#,##0");
    // GR-like 20..150 over 250 px: step 50, so 0..150.
    EXPECT_EQ(chart.XAxis()[2].MinValue(), 0.0);
    EXPECT_EQ(chart.XAxis()[2].MaxValue(), 150.0);
    // A constant curve was widened by 0.25 when loaded; no second widening.
    EXPECT_EQ(core.Data->Curves()[3]->MinValue, 4.75);
    EXPECT_LE(chart.XAxis()[3].MinValue(), 4.75);
    EXPECT_GE(chart.XAxis()[3].MaxValue(), 5.25);
    // Depth grid three quarters of the way to the white area.
    EXPECT_EQ(chart.YAxis()[0].GridLinesColor.Word().Rgb(), 0xBFBFBFu);
}

TEST_F(LasCoreChartTest, DepthAxisOfASingleDepthHasASpanAndFitsLongDepths)
{
    AddCurve("GR", "API", {55}, 1200.0, 0.5);
    core.Prepare(RPrepareMode::Changed);
    Draw();
    // The data range stays the file's; the axis itself is widened.
    EXPECT_EQ(core.Settings->MinDepth, 1200.0);
    EXPECT_EQ(core.Settings->MaxDepth, 1200.0);
    EXPECT_EQ(chart.YAxis()[0].MinValue(), 1199.5);
    EXPECT_EQ(chart.YAxis()[0].MaxValue(), 1200.5);
    // Four-digit depths keep the usual 50 px axis.
    EXPECT_EQ(chart.YAxis()[0].ScreenRect().Width(), 50);

    // Seven-digit depths: the axis grows to its widest label.
    core.Data = std::make_unique<RLasData>();
    AddCurve("GR", "API", {55, 60, 65, 70}, 1930000.0, 5.0);
    core.Prepare(RPrepareMode::Changed);
    Draw();
    const RChartAxis& depth = chart.YAxis()[0];
    chart.Driver().SelectFont(depth.Font);
    int widest = 0;
    for (const RChartTick& tick : depth.Placement().ticks)
        if (tick.major)
            widest = std::max(widest, chart.Driver().MeasureText(depth.FormatValue(tick.value)).width);
    EXPECT_EQ(depth.FormatValue(1930000), "1,930,000.0");
    EXPECT_GE(depth.ScreenRect().Width(), widest + depth.TicksSize);
}

TEST_F(LasCoreChartTest, CaptionsAreReadInTheEncodingOfTheDataSet)
{
    // "ГК, мкР/ч" in KOI8-R; read as Windows-1251 the same bytes are "зл, НЛт/Ю".
    const std::string name = "\xE7\xEB", unit = "\xCD\xCB\xF2/\xDE";
    core.Data->TextEncoding = TextCodec::Encoding::Koi8R;
    AddCurve(name, unit, {1, 2, 3});
    AddCurve("GR", "API", {4, 5, 6});
    core.Prepare(RPrepareMode::Changed);
    Draw();
    const std::string shown = TextCodec::Utf8ToCp1251("ГК, мкР/ч");
    EXPECT_EQ(chart.XAxis()[0].Caption, shown);
    EXPECT_EQ(chart.XAxis()[1].Caption, "GR, API");
    RLasCrossPlotSettings settings = GradientCircles();
    core.BuildCrossPlot(chart, settings);
    EXPECT_EQ(chart.XAxis()[0].Caption, shown);
    EXPECT_EQ(chart.YAxis()[0].Caption, "GR, API");

    // The same bytes in a Windows-1251 data set are taken as they are, and
    // UTF-8 text is put in Windows-1251.
    core.Data->TextEncoding = TextCodec::Encoding::Windows1251;
    Draw();
    EXPECT_EQ(chart.XAxis()[0].Caption, name + ", " + unit);
    core.Data->TextEncoding = TextCodec::Encoding::Utf8;
    core.Data->Curves()[0]->Mnemonic = "ГК";
    core.Data->Curves()[0]->Unit = "мкР/ч";
    Draw();
    EXPECT_EQ(chart.XAxis()[0].Caption, shown);
}

TEST_F(LasCoreChartTest, PointsAscendInDepthAndSkipRedundantSamplesButNotRunEnds)
{
    // STEP below 0: the samples run upwards, the series still runs down.
    AddCurve("UP", "", {4, 3, 2, 1, kNull, 7, 7, 7, 7}, 1004.0, -0.5);
    core.Prepare(RPrepareMode::Changed);
    Draw();
    const RChartDataSeries& points = chart.Series()[0].Data();
    std::vector<double> depths(points.Ys().begin(), points.Ys().end());
    EXPECT_TRUE(std::is_sorted(depths.begin(), depths.end()));
    // 7,7,7,7 keeps its ends; 1..4 keeps its ends: four points, one break.
    EXPECT_EQ(points.Count(), 4);
    EXPECT_EQ(points.Y(0), 1000.0);
    EXPECT_EQ(points.Break(2), 1);
    EXPECT_EQ(points.Y(3), 1004.0);
}

TEST_F(LasCoreChartTest, MiniMapHidesCurveAxes)
{
    AddWave("GR", "API", 75, 45, 40);
    core.Prepare(RPrepareMode::Changed);
    chart.SetSize(400, 300);
    core.BuildMiniMap(chart);
    EXPECT_EQ(chart.Width(), 256);
    EXPECT_FALSE(chart.XAxis()[0].Visible);
    EXPECT_EQ(chart.TrackLineColor.Word(), chart.GraphAreaFill.Color.Word());
}

TEST_F(LasCoreChartTest, CrossPlotPairsCommonDepthsFromTheDeepestUp)
{
    // X every 0.5 m from 1000 to 1003, Y every 1 m from 1000.5: common
    // depths 1000.5, 1001.5 and 1002.5.
    AddCurve("X", "", {1, 2, 3, 4, 5, 6, 7});
    AddCurve("Y", "", {10, 20, kNull, 40}, 1000.5, 1.0);
    View("X", 0x0000FF).LogAxis = false;
    core.Prepare(RPrepareMode::Changed);
    RLasCrossPlotSettings settings = GradientCircles();
    core.BuildCrossPlot(chart, settings);
    const RChartDataSeries& points = chart.Series()[0].Data();
    ASSERT_EQ(points.Count(), 2);  // 1002.5 is null in Y
    EXPECT_EQ(points.X(0), 4.0);   // 1001.5 first
    EXPECT_EQ(points.Y(0), 20.0);
    EXPECT_EQ(points.X(1), 2.0);   // then 1000.5
    // The gradient runs from the second colour to the first.
    EXPECT_EQ(chart.Series()[0].Markers.Color.Word(), ColorWord(RPlatformColor(0x0000FF)));
    EXPECT_EQ(chart.XAxis()[0].Color.Word(), ColorWord(RPlatformColor(0x0000FF)));

    settings.YCurve = 2;
    core.BuildCrossPlot(chart, settings);
    EXPECT_EQ(chart.Series().Count(), 0);
    EXPECT_EQ(chart.XAxis().Count(), 0);
}

TEST_F(LasCoreChartTest, CrossPlotGradientRunsOverDepthAndIsExplained)
{
    // Common depths 1000.5 .. 1002.5 with 1001.5 null in Y: the colours
    // keep to depth across the gap, and the scale names depth and its ends.
    AddCurve("X", "", {1, 2, 3, 4, 5, 6, 7});
    AddCurve("Y", "", {10, kNull, 30}, 1000.5, 1.0);
    core.Prepare(RPrepareMode::Changed);
    RLasCrossPlotSettings settings = GradientCircles();
    core.BuildCrossPlot(chart, settings);
    const RChartSeries& series = chart.Series()[0];
    EXPECT_EQ(series.Data().ColorValues(), (std::vector<double>{1002.5, 1000.5}));
    EXPECT_TRUE(chart.ColorScale.Show);
    EXPECT_EQ(chart.ColorScale.SeriesIndex, 0);
    EXPECT_EQ(chart.ColorScale.Caption, "Depth");
    const auto scale = ColorScaleContent(chart);
    ASSERT_TRUE(scale);
    EXPECT_EQ(scale->least, "1,000.5");
    EXPECT_EQ(scale->greatest, "1,002.5");
    // The second colour (red) at the deepest point, the first (green) at the shallowest.
    const RMarkerGradient gradient(series);
    EXPECT_EQ(gradient.PointColor(0).Word().Rgb(), ColorWord(RPlatformColor(0x0000FF)).Rgb());
    EXPECT_EQ(gradient.PointColor(1).Word().Rgb(), ColorWord(RPlatformColor(0x00FF00)).Rgb());
    // Both axes write their labels with one number of decimals.
    EXPECT_TRUE(chart.XAxis()[0].UniformLabelDecimals);
    EXPECT_TRUE(chart.YAxis()[0].UniformLabelDecimals);

    // The word for depth is the interface's; chart texts are Windows-1251.
    settings.DepthName = "Глубина";
    core.BuildCrossPlot(chart, settings);
    EXPECT_EQ(chart.ColorScale.Caption, TextCodec::Utf8ToCp1251("Глубина"));

    // One colour: nothing to explain. An empty chart shows no scale either.
    settings.UseGradient = false;
    core.BuildCrossPlot(chart, settings);
    EXPECT_FALSE(ColorScaleContent(chart));
    settings.UseGradient = true;
    settings.YCurve = 7;
    core.BuildCrossPlot(chart, settings);
    EXPECT_FALSE(chart.ColorScale.Show);
}

TEST_F(LasCoreChartTest, CrossPlotPairsIrregularRowsByDepth)
{
    // X on the jittered rows (1001.1 and 1005.4 are off the half-metre
    // grid), read from the bottom up; Y every 0.5 m from 1000 to 1006.
    AddIrregularFileCurve(*core.Data, "X", DepthIndex(DescendingJitteredDepthsWithGap()), {7, 6, 5, 4, 3, 2, 1}, kNull);
    std::vector<double> grid;
    for (int k = 0; k <= 12; ++k)
        grid.push_back(1000.0 + 0.5 * k);
    AddCurve("Y", "", grid);
    AddIrregularFileCurve(*core.Data, "Z", DepthIndex(JitteredDepthsWithGap()), {10, 20, 30, 40, 50, kNull, 70}, kNull);
    core.Prepare(RPrepareMode::Changed);
    RLasCrossPlotSettings settings = GradientCircles();
    core.BuildCrossPlot(chart, settings);
    const auto pairs = [&] {
        std::vector<std::pair<double, double>> found;
        const RChartDataSeries& points = chart.Series()[0].Data();
        for (int i = 0; i < points.Count(); ++i)
            found.emplace_back(points.X(i), points.Y(i));
        return found;
    };
    // From the deepest common depth up: 1006, 1005, 1001.5, 1000.5, 1000.
    EXPECT_EQ(pairs(), (std::vector<std::pair<double, double>>{
                           {7, 1006.0}, {5, 1005.0}, {4, 1001.5}, {2, 1000.5}, {1, 1000.0}}));

    // Two curves on the same rows pair row by row, skipping nulls.
    settings.YCurve = 2;
    core.BuildCrossPlot(chart, settings);
    EXPECT_EQ(pairs(), (std::vector<std::pair<double, double>>{
                           {7, 70}, {5, 50}, {4, 40}, {3, 30}, {2, 20}, {1, 10}}));
}

TEST_F(LasCoreChartTest, CrossPlotPicture)
{
    std::vector<double> porosity, density;
    for (int k = 0; k < 200; ++k) {
        const double p = 0.05 + 0.3 * (0.5 + 0.5 * std::sin(k * 0.37));
        porosity.push_back(p);
        density.push_back(2.71 - 1.7 * p + 0.04 * std::sin(k * 2.3));
    }
    AddCurve("NPHI", "V/V", porosity);
    AddCurve("RHOB", "G/C3", density);
    core.Prepare(RPrepareMode::Changed);
    RLasCrossPlotSettings settings = GradientCircles();
    chart.SetSize(360, 300);
    chart.SetUseAntialiasing(true);
    core.BuildCrossPlot(chart, settings);
    chart.Draw();
    EXPECT_TRUE(MatchesGolden(chart.Bitmap(), "cross_plot", 2, "view"));
}

}  // namespace
