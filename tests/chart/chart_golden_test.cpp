// Pictures of whole charts compared with committed PNGs in tests/data/chart
// (LOGGARD_UPDATE_GOLDEN=1 rewrites them; see tests/raster/golden.h).

#include "raster/golden.h"
#include "sample_charts.h"

#include "raster/bitmap32.h"

using namespace SampleCharts;

namespace {

::testing::AssertionResult Matches(RChart& chart, const std::string& name)
{
    chart.Draw();
    return MatchesGolden(chart.Bitmap(), name, 2, "chart");
}

}  // namespace

TEST(ChartGolden, TwoTrackLogChart)
{
    RChart chart;
    TwoTrackLogChart(chart);
    EXPECT_TRUE(Matches(chart, "two_track"));
}

TEST(ChartGolden, LogarithmicTrack)
{
    RChart chart;
    chart.SetSize(260, 300);
    LogChartLook(chart);
    AddDepthAxis(chart, 2000, 2050);
    RChartSeries& res = AddCurve(chart, "ILD, OHMM", 0x800080, 0, 0.2, 2000, true);
    FillCurve(res, 2000, 2050, 0.25, [](double d) { return std::pow(10.0, 1.2 + 1.1 * std::sin(d / 4.0)); });
    EXPECT_TRUE(Matches(chart, "log_axis"));
}

TEST(ChartGolden, LineWithNullGap)
{
    RChart chart;
    chart.SetSize(200, 260);
    LogChartLook(chart);
    AddDepthAxis(chart, 500, 540);
    RChartSeries& gr = AddCurve(chart, "GR, API", 0x000000, 0, 0, 100);
    std::uint8_t pendingBreak = 0;
    for (int i = 0; i <= 80; ++i) {
        const double depth = 500 + i * 0.5;
        if (depth > 515 && depth < 522) {
            pendingBreak = 1;  // a null sample breaks the line before the next point
            continue;
        }
        gr.Data().AppendPoint(pendingBreak, 50 + 30 * std::sin(depth / 3), depth);
        pendingBreak = 0;
    }
    EXPECT_TRUE(Matches(chart, "null_gap"));
}

TEST(ChartGolden, ScatterWithGradientMarkers)
{
    RChart chart(320, 280);
    chart.SetUseAntialiasing(true);
    chart.OverSizeX = chart.OverSizeY = 10;
    for (RChartAxisCollection* axes : {&chart.XAxis(), &chart.YAxis()}) {
        RChartAxis& axis = axes->Add();
        axis.Caption = axes == &chart.XAxis() ? "NPHI, V/V" : "RHOB, G/C3";
        axis.EdgeInsideAlign = 3;
        axis.CaptionAlign = alCenter;
        axis.CaptionFont.Size = 8;
        axis.CaptionFont.Weight = 7;
        axis.Font.Size = 8;
        axis.TicksSize = 4;
        axis.GridLinesColor = ChartColors::Rgb(0xE0E0E0);
    }
    RChartSeries& series = chart.Series().Add();
    series.ChartType = ctScatterPoints;
    series.Markers.Style = cmsRound;
    series.Markers.Size = 5;
    series.Markers.UseGradient = true;
    series.Markers.Color = ChartColors::Rgb(0x0000FF);          // red
    series.Markers.GradientColor = ChartColors::Rgb(0x00FF00);  // green
    for (int i = 0; i < 120; ++i) {
        const double t = i / 119.0;
        series.Data().AppendPoint(0, 0.05 + 0.35 * t + 0.04 * std::sin(i * 1.3), 2.6 - 0.5 * t + 0.05 * std::cos(i * 0.7));
    }
    EXPECT_TRUE(Matches(chart, "scatter_gradient"));
}

TEST(ChartGolden, ScatterColouredByDepthWithItsColorScale)
{
    RChart chart(320, 280);
    chart.SetUseAntialiasing(true);
    chart.OverSizeX = chart.OverSizeY = 10;
    for (RChartAxisCollection* axes : {&chart.XAxis(), &chart.YAxis()}) {
        RChartAxis& axis = axes->Add();
        axis.Caption = axes == &chart.XAxis() ? "NPHI, V/V" : "RHOB, G/C3";
        axis.EdgeInsideAlign = 3;
        axis.CaptionAlign = alCenter;
        axis.CaptionFont.Size = 8;
        axis.CaptionFont.Weight = 7;
        axis.TicksSize = 4;
        axis.UniformLabelDecimals = true;
        axis.GridLinesColor = ChartColors::Rgb(0xE0E0E0);
    }
    RChartSeries& series = chart.Series().Add();
    series.ChartType = ctScatterPoints;
    series.Markers.Style = cmsRound;
    series.Markers.Size = 5;
    series.Markers.UseGradient = true;
    series.Markers.Color = ChartColors::Rgb(0x0000FF);          // red at the deepest
    series.Markers.GradientColor = ChartColors::Rgb(0x00FF00);  // green at the shallowest
    std::vector<double> depths;
    for (int i = 0; i < 120; ++i) {
        if (i >= 40 && i < 70)
            continue;  // a gap in depth: the colours skip it too
        const double t = i / 119.0;
        series.Data().AppendPoint(0, 0.05 + 0.35 * t + 0.04 * std::sin(i * 1.3), 2.6 - 0.5 * t + 0.05 * std::cos(i * 0.7));
        depths.push_back(2100 - 0.5 * i);
    }
    series.Data().SetColorValues(depths);
    chart.ColorScale.Show = true;
    chart.ColorScale.Caption = "Depth";
    EXPECT_TRUE(Matches(chart, "scatter_color_scale"));
}

TEST(ChartGolden, CaptionLegendAndTwoSeries)
{
    RChart chart(360, 300);
    chart.SetUseAntialiasing(true);
    chart.Caption = "Porosity against depth";
    chart.Legend.Show = true;
    chart.Legend.ColCount = 2;
    RChartAxis& x = chart.XAxis().Add();
    x.Caption = "Depth, m";
    x.CaptionAlign = alCenter;
    RChartAxis& y = chart.YAxis().Add();
    y.Caption = "PHI, %";
    y.CaptionAlign = alCenter;
    const char* names[] = {"Core", "Log"};
    for (int s = 0; s < 2; ++s) {
        RChartSeries& series = chart.Series().Add();
        series.SetName(names[s]);
        series.ChartType = s == 0 ? ctScatterPoints : ctScatterLine;
        series.Markers.Style = s == 0 ? cmsTriangle : cmsNone;
        series.Markers.Size = 7;
        series.Markers.Color = ChartColors::Rgb(0x0080FF);
        series.Line.Color = ChartColors::Rgb(0x804000);
        series.Line.Width = 12;
        for (int i = 0; i <= 20; ++i)
            series.Data().AppendPoint(0, 1200 + i * 5, 12 + 6 * std::sin(i / 3.0 + s) + (s == 0 ? 1.5 : 0));
    }
    EXPECT_TRUE(Matches(chart, "caption_legend"));
}

TEST(ChartGolden, MarkerStylesAndSizes)
{
    RChart chart(260, 150);
    chart.SetUseAntialiasing(true);
    chart.XAxis().Add().Visible = false;
    chart.YAxis().Add().Visible = false;
    const RChartMarkersStyle styles[] = {cmsSquare, cmsDiamond, cmsTriangle, cmsRound, cmsNone};
    for (int s = 0; s < 5; ++s) {
        RChartSeries& series = chart.Series().Add();
        series.Markers.Style = styles[s];
        series.Markers.Color = ChartColors::Rgb(0x000000);
        series.Markers.Size = 3 + 4 * s;
        for (int i = 0; i < 4; ++i)
            series.Data().AppendPoint(0, i, s);
    }
    EXPECT_TRUE(Matches(chart, "marker_styles"));
}

TEST(ChartGolden, MiniMapWithoutCurveAxes)
{
    // The mini map: the log chart with its curve axes hidden, track lines
    // in the graph area's colour, 256 pixels wide, plain lines.
    RChart chart;
    TwoTrackLogChart(chart);
    for (const auto& axis : chart.XAxis())
        axis->Visible = false;
    chart.TrackLineColor = chart.GraphAreaFill.Color;
    chart.SetUseAntialiasing(false);
    chart.SetSize(256, 240);
    EXPECT_TRUE(Matches(chart, "mini_map"));
    EXPECT_LT(chart.GraphRect().top, 16);  // no header above hidden axes
}
