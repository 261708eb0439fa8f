// The chart as a component: drawing stages and their events, the driver
// swap, colours as painted, zoom and scroll, and hostile data.

#include "sample_charts.h"

#include "chart/bitmap_output_driver.h"
#include "container/data_container.h"
#include "raster/bitmap32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace SampleCharts;

namespace {

std::uint32_t Pixel(RChart& chart, int x, int y) { return chart.Bitmap().Util().ReadPixel(x, y).Value(); }

// The pixel value a system colour paints.
std::uint32_t System(int index) { return ColorWord(RPlatformColor(std::int32_t(SystemColor(index)))).Rgb(); }

}  // namespace

TEST(Chart, DrawingStagesFireTheirEventsInOrder)
{
    RChart chart;
    TwoTrackLogChart(chart);
    std::vector<std::string> stages;
    chart.OnAfterDrawBackGround = [&](RChart&, RBitmap32&) { stages.push_back("background"); };
    chart.OnAfterDrawGraphArea = [&](RChart&, RBitmap32&) { stages.push_back("area"); };
    chart.OnAfterDrawAxis = [&](RChart&, RBitmap32&) { stages.push_back("axis"); };
    chart.OnAfterDrawSeries = [&](RChart&, RBitmap32&, int index) { stages.push_back("series" + std::to_string(index)); };
    chart.OnAfterDrawAll = [&](RChart& c, RBitmap32& bitmap) {
        EXPECT_EQ(&bitmap, &c.Bitmap());
        stages.push_back("all");
    };
    chart.OnPaint = [&](RChart&) { stages.push_back("paint"); };
    chart.Draw();
    const std::vector<std::string> expected{"background", "area", "axis", "series0", "series1", "series2", "all", "paint"};
    EXPECT_EQ(stages, expected);
    EXPECT_FALSE(chart.Invalid());
}

TEST(Chart, AfterAxisPaintingStaysInTheGraphAreaAndUnderTheCurves)
{
    RChart chart;
    TwoTrackLogChart(chart);
    chart.OnAfterDrawAxis = [](RChart& c, RBitmap32& bitmap) {
        bitmap.FillRect(0, 0, c.Width(), c.Height(), RColorWord(0xA000FFFFu));  // translucent cyan everywhere
    };
    chart.Draw();
    const RChartRect graph = chart.GraphRect();
    EXPECT_EQ(Pixel(chart, 2, 2), 0xFFFFFFu);                   // background untouched
    EXPECT_NE(Pixel(chart, graph.left + 3, graph.bottom - 3), 0xFFFFFFu);  // tinted
}

TEST(Chart, SwappingDriversKeepsTheBitmapAndItsFonts)
{
    RChart chart;
    RBitmap32* bitmap = &chart.Bitmap();
    RDataContainer fonts;
    bitmap->SetFontContainer(&fonts);
    bitmap->SetRingDrawMethod(brdmSimple);
    bitmap->SetFont(RFont("Arial", 12));
    EXPECT_EQ(bitmap->LineDrawMethod(), bldmSimple);
    chart.SetUseAntialiasing(true);
    EXPECT_EQ(&chart.Bitmap(), bitmap);
    EXPECT_EQ(&static_cast<RBitmapOutputDriver&>(chart.Driver()).Bitmap(), bitmap);
    EXPECT_NE(dynamic_cast<RBitmapOutputDriverAntiAliasing*>(&chart.Driver()), nullptr);
    EXPECT_EQ(bitmap->LineDrawMethod(), bldmAntiAliasingRounds);
    EXPECT_EQ(bitmap->RingDrawMethod(), brdmSimple);
    EXPECT_EQ(bitmap->FontContainer(), &fonts);
    EXPECT_EQ(bitmap->Font().Size, 12);
    chart.SetUseAntialiasing(false);
    EXPECT_EQ(bitmap->LineDrawMethod(), bldmSimple);
    bitmap->SetFontContainer(nullptr);
}

TEST(Chart, DefaultColoursArePaintedAsTheDesktopSchemeResolvesThem)
{
    RChart chart(300, 240);
    RChartAxis& x = chart.XAxis().Add();
    RChartAxis& y = chart.YAxis().Add();
    x.SetMinValue(0);
    x.SetMaxValue(100);
    y.SetMinValue(0);
    y.SetMaxValue(100);
    chart.Draw();
    const RChartRect graph = chart.GraphRect();
    std::vector<RChartTick> xTicks, yTicks;
    for (const RChartTick& tick : x.Placement().ticks)
        if (tick.major)
            xTicks.push_back(tick);
    for (const RChartTick& tick : y.Placement().ticks)
        if (tick.major)
            yTicks.push_back(tick);
    ASSERT_GE(yTicks.size(), 3u);
    ASSERT_GE(xTicks.size(), 3u);
    const int tickY = int(std::lround(y.ValueToPixel(yTicks[1].value)));
    const int tickX = int(std::lround(x.ValueToPixel(xTicks[1].value)));
    // A third of the way between major ticks: off every minor grid line.
    const int betweenX = int(std::lround(x.ValueToPixel(xTicks[1].value + (xTicks[2].value - xTicks[1].value) / 3)));
    const int betweenY = int(std::lround(y.ValueToPixel(yTicks[1].value + (yTicks[2].value - yTicks[1].value) / 3)));
    EXPECT_EQ(Pixel(chart, betweenX, tickY), System(15)) << "grid of the vertical axis";
    EXPECT_EQ(Pixel(chart, tickX, betweenY), System(15)) << "grid of the horizontal axis";
    EXPECT_EQ(Pixel(chart, graph.left - 4, tickY), 0u) << "tick in the window-text colour";
    EXPECT_EQ(Pixel(chart, tickX, graph.bottom + 3), 0u) << "tick in the window-text colour";
    EXPECT_EQ(Pixel(chart, betweenX, betweenY), 0xFFFFFFu) << "graph area white";
    EXPECT_EQ(Pixel(chart, 0, chart.Height() / 2), System(17)) << "background border";
    EXPECT_EQ(Pixel(chart, 1, chart.Height() / 2), System(5)) << "background";
}

TEST(Chart, WheelZoomKeepsTheDepthUnderTheMouse)
{
    RChart chart;
    TwoTrackLogChart(chart);
    chart.AllowZoomX = false;
    chart.WheelScaleFactorNormal = 2;
    chart.Layout();
    int scaled = 0, scrolled = 0;
    chart.OnScale = [&](RChart&) { ++scaled; };
    chart.OnScroll = [&](RChart&) { ++scrolled; };
    const RChartRect graph = chart.GraphRect();
    const int mouseY = graph.top + graph.Height() / 3;
    const double depthBefore = chart.YAxis()[0].PixelToValue(mouseY);
    chart.MouseWheel({0, false, false, false, graph.left + 10, mouseY, 120});
    chart.Layout();
    EXPECT_EQ(scaled, 1);
    EXPECT_DOUBLE_EQ(chart.ViewSizeX(), 1);
    EXPECT_DOUBLE_EQ(chart.ViewSizeY(), 0.5);
    EXPECT_NEAR(chart.YAxis()[0].PixelToValue(mouseY), depthBefore, 0.05);

    chart.ScrollBy(0, 10000);
    chart.Layout();
    EXPECT_EQ(scrolled, 1);
    EXPECT_DOUBLE_EQ(chart.OffsetY(), 0.5);

    // A wheel handler that takes the event leaves the zoom alone.
    chart.OnMouseWheel = [](RChart&, const RChartMouseEvent&) { return true; };
    chart.MouseWheel({0, false, false, false, graph.left, mouseY, 120});
    EXPECT_DOUBLE_EQ(chart.ViewSizeY(), 0.5);
    EXPECT_EQ(scaled, 1);
}

TEST(Chart, InteractiveFramesAreDrawnWithoutAntiAliasingUntilTheChangeEnds)
{
    RChart chart;
    TwoTrackLogChart(chart);
    chart.Draw();
    const std::vector<std::uint8_t> quality(chart.Bitmap().Util().Bits(),
                                            chart.Bitmap().Util().Bits() + chart.Bitmap().Util().Stride() * chart.Height());
    chart.BeginInteractiveChange();
    chart.Draw();
    EXPECT_EQ(chart.Bitmap().LineDrawMethod(), bldmAntiAliasingRounds);  // restored after the frame
    const std::vector<std::uint8_t> fast(chart.Bitmap().Util().Bits(),
                                         chart.Bitmap().Util().Bits() + chart.Bitmap().Util().Stride() * chart.Height());
    EXPECT_NE(fast, quality);
    chart.EndInteractiveChange();
    EXPECT_TRUE(chart.Invalid());
    chart.Draw();
    const std::vector<std::uint8_t> again(chart.Bitmap().Util().Bits(),
                                          chart.Bitmap().Util().Bits() + chart.Bitmap().Util().Stride() * chart.Height());
    EXPECT_EQ(again, quality);
}

TEST(Chart, HostileValuesNeverDrawOutsideTheGraphArea)
{
    RChart chart;
    TwoTrackLogChart(chart);
    AddCurve(chart, "ILD", 0x000080, 2, 0.2, 2000, true);
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    for (int s = 0; s < chart.Series().Count(); ++s) {
        RChartDataSeries& data = chart.Series()[s].Data();
        data.Clear();
        const double values[] = {1e300, -1e300, inf, -inf, nan, 0, -5, 1e-300, 75, 1e17};
        double depth = 990;
        for (double v : values) {
            data.AppendPoint(0, v, depth);
            data.AppendPoint(0, 50, depth + 1);
            depth += 12;
        }
        data.AppendPoint(0, 50, nan);
        data.AppendPoint(0, 50, inf);
        data.AppendPoint(0, 50, -1e300);
    }
    chart.Series()[0].ChartType = ctScatterPoints;
    chart.Series()[0].Markers.Style = cmsDiamond;
    chart.Series()[0].Markers.Size = 1 << 30;
    chart.Draw();
    const RChartRect graph = chart.GraphRect();
    // Left of the depth axis labels and below the graph area nothing is drawn.
    for (int y = graph.bottom + 1; y < chart.Height(); ++y)
        for (int x = 0; x < chart.Width(); ++x)
            ASSERT_EQ(Pixel(chart, x, y), 0xFFFFFFu) << x << "," << y;
}

TEST(Chart, ValuesAtOrBelowZeroBreakALineOnALogAxis)
{
    RChart chart(200, 300);
    LogChartLook(chart);
    AddDepthAxis(chart, 0, 100);
    RChartSeries& series = AddCurve(chart, "ILD", 0x000000, 0, 1, 100, true);
    series.Data().AppendPoint(0, 15, 10);
    series.Data().AppendPoint(0, 15, 45);
    series.Data().AppendPoint(0, 0, 50);
    series.Data().AppendPoint(0, 15, 55);
    series.Data().AppendPoint(0, 15, 90);
    chart.Draw();
    const int x = int(std::lround(chart.XAxis()[0].ValueToPixel(15)));
    const RChartAxis& depth = chart.YAxis()[0];
    EXPECT_LT(Pixel(chart, x, int(std::lround(depth.ValueToPixel(30)))) & 0xFF, 0x80u);
    EXPECT_GE(Pixel(chart, x, int(std::lround(depth.ValueToPixel(50)))) & 0xFF, 0xDFu);  // white or grid
    EXPECT_LT(Pixel(chart, x, int(std::lround(depth.ValueToPixel(70)))) & 0xFF, 0x80u);
}

TEST(Chart, DenseCurvesDrawTheSameSpansAsTheirPolyline)
{
    // A zigzag of many points per pixel row: the row envelope must cover
    // what the polyline covers, and nothing far beside it.
    RChart dense(160, 300), sparse(160, 300);
    for (RChart* chart : {&dense, &sparse}) {
        LogChartLook(*chart);
        AddDepthAxis(*chart, 0, 100);
        AddCurve(*chart, "GR", 0x000000, 0, 0, 100);
    }
    for (int i = 0; i <= 20000; ++i) {
        const double depth = i * 0.005;
        const double value = 50 + 20 * std::sin(depth / 8) + (i % 2 ? 6 : -6);
        dense.Series()[0].Data().AppendPoint(0, value, depth);
        if (i % 200 == 0)
            sparse.Series()[0].Data().AppendPoint(0, 50 + 20 * std::sin(depth / 8), depth);
    }
    dense.Draw();
    sparse.Draw();
    const RChartRect graph = dense.GraphRect();
    for (int y = graph.top + 10; y < graph.bottom - 10; y += 7) {
        const int centre = int(std::lround(sparse.XAxis()[0].ValueToPixel(sparse.YAxis()[0].PixelToValue(y) * 0 + 50
                                                                                + 20 * std::sin(sparse.YAxis()[0].PixelToValue(y) / 8))));
        const int reach = int(std::lround(dense.XAxis()[0].ValueToPixel(56) - dense.XAxis()[0].ValueToPixel(50)));
        EXPECT_EQ(Pixel(dense, centre, y), 0u) << "row " << y;
        EXPECT_EQ(Pixel(dense, centre - reach + 2, y), 0u) << "row " << y;
        EXPECT_EQ(Pixel(dense, centre + reach - 2, y), 0u) << "row " << y;
        // Beside the span only the grid may show.
        EXPECT_GE(Pixel(dense, centre - reach - 4, y) & 0xFF, 0xBFu) << "row " << y;
        EXPECT_GE(Pixel(dense, centre + reach + 4, y) & 0xFF, 0xBFu) << "row " << y;
    }
}

TEST(Chart, ZeroLevelIsALineInTheAxisColour)
{
    RChart chart(200, 200);
    RChartAxis& x = chart.XAxis().Add();
    RChartAxis& y = chart.YAxis().Add();
    x.SetMinValue(-10);
    x.SetMaxValue(10);
    y.SetMinValue(-3);
    y.SetMaxValue(7);
    x.ShowGridLines = y.ShowGridLines = false;
    y.ShowZeroLevel = true;
    y.ZeroLevel = 1.5;
    y.Color = ChartColors::Rgb(0x0000FF);
    chart.Draw();
    const int row = int(std::lround(y.ValueToPixel(1.5)));
    EXPECT_EQ(Pixel(chart, int(std::lround(x.ValueToPixel(3.3))), row), 0xFF0000u);
    EXPECT_EQ(Pixel(chart, int(std::lround(x.ValueToPixel(3.3))), row + 2), 0xFFFFFFu);
}

TEST(Chart, RandomSettingsAndDataDrawWithoutFault)
{
    std::mt19937 random(20261208);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    const double specials[] = {0, -1, 1, 1e-300, 1e300, -1e300, std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), std::nan(""), 0.5, 1000, -1e6};
    const auto value = [&] { return pick(3) == 0 ? specials[pick(12)] : (double(random()) / random.max() - 0.3) * 200; };
    for (int round = 0; round < 150; ++round) {
        RChart chart(1 + pick(400), 1 + pick(300));
        chart.SetUseAntialiasing(pick(2));
        chart.OverSizeX = pick(40) - 5;
        chart.OverSizeY = pick(40) - 5;
        chart.FixedXAxisLength = pick(3) == 0 ? pick(300) : 0;
        chart.FixedYAxisLength = pick(4) == 0 ? pick(3000) : 0;
        chart.Legend.Show = pick(2);
        chart.Legend.Align = RChartLegendAlignment(pick(4));
        chart.Legend.ColCount = pick(5) - 1;
        chart.Caption = pick(2) ? "Chart" : "";
        for (RChartAxisCollection* axes : {&chart.XAxis(), &chart.YAxis()}) {
            const int count = pick(4);
            for (int a = 0; a < count; ++a) {
                RChartAxis& axis = axes->Add();
                if (pick(2)) {
                    axis.SetMinValue(value());
                    axis.SetMaxValue(value());
                }
                if (pick(3) == 0)
                    axis.SetSize(pick(100) - 10);
                axis.AxisType = RAxisType(pick(4));
                axis.TicksStyle = RChartAxisTicksStyle(pick(4));
                axis.TicksSize = pick(20) - 3;
                axis.ReverseOrder = pick(2);
                axis.TopRightAlignment = pick(2);
                axis.TrackIndex = pick(4) - 1;
                axis.EdgeInsideAlign = pick(5) - 1;
                axis.CaptionSize = pick(30) - 2;
                axis.Caption = pick(2) ? "Axis" : "";
                axis.MinTickSize = pick(3) == 0 ? value() : 0;
                axis.ShowZeroLevel = pick(2);
                axis.ZeroLevel = value();
                axis.Visible = pick(5) != 0;
                axis.Data().Append("A");
            }
        }
        const int seriesCount = pick(4);
        for (int s = 0; s < seriesCount; ++s) {
            RChartSeries& series = chart.Series().Add();
            series.ChartType = RChartType(pick(13));
            series.XAxisIndex = pick(4) - 1;
            series.YAxisIndex = pick(4) - 1;
            series.Markers.Style = RChartMarkersStyle(pick(5));
            series.Markers.Size = pick(60) - 5;
            series.Markers.UseGradient = pick(2);
            series.Line.Width = pick(40) - 2;
            series.GapSize = pick(300) - 100;
            series.Labels.ShowValue = pick(4) == 0;
            const int points = pick(3) == 0 ? pick(5000) : pick(20);
            double depth = value();
            for (int i = 0; i < points; ++i) {
                depth = pick(10) == 0 ? value() : depth + 0.1;
                series.Data().AppendPoint(std::uint8_t(pick(5) == 0), value(), depth);
            }
        }
        chart.SetViewSizeX(pick(3) ? 1 : value());
        chart.SetViewSizeY(pick(3) ? 1 : value());
        chart.SetOffsetX(value());
        chart.SetOffsetY(value());
        chart.Draw();
        chart.ZoomAt(value(), value(), pick(500) - 50, pick(500) - 50);
        chart.ScrollBy(value(), value());
        chart.Draw();
        const RChartRect graph = chart.GraphRect();
        ASSERT_LE(graph.right, chart.Width()) << round;
        ASSERT_LE(graph.bottom, chart.Height()) << round;
        for (const auto& axis : chart.YAxis()) {
            const int clamped = axis->ValueToPixelClamped(value());
            ASSERT_GE(clamped, axis->PixelStart()) << round;
            ASSERT_LE(clamped, axis->PixelEnd()) << round;
        }
    }
}
