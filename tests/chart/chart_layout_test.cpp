// Where a laid-out chart puts its parts, and the conversions between values
// and pixels that the view and the fills rely on.

#include "raster/bitmap32.h"
#include "sample_charts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace SampleCharts;

namespace {

bool Inside(const RChartRect& inner, const RChartRect& outer)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top
           && inner.bottom <= outer.bottom;
}

bool Overlap(const RChartRect& a, const RChartRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST(ChartLayout, TracksStandSideBySideInTrackIndexOrder)
{
    RChart chart;
    TwoTrackLogChart(chart);
    chart.XAxis()[0].TrackIndex = 5;  // GR after the shared track now
    chart.Layout();
    const RChartLayoutResult& layout = chart.LayoutResult();
    ASSERT_EQ(layout.tracks.size(), 2u);
    EXPECT_EQ(layout.tracks[0].trackIndex, 1);
    EXPECT_EQ(layout.tracks[1].trackIndex, 5);
    // Tracks share the graph area's width.
    EXPECT_DOUBLE_EQ(layout.tracks[0].left, chart.GraphRect().left);
    EXPECT_DOUBLE_EQ(layout.tracks[1].right, chart.GraphRect().right);
    EXPECT_LT(chart.XAxis()[1].Extent().right, chart.XAxis()[0].Extent().right);
    // Axes of one track share its extent; their bands are stacked above
    // the graph area without overlapping each other or it.
    EXPECT_EQ(chart.XAxis()[1].Extent().left, chart.XAxis()[2].Extent().left);
    const RChartRect rhob = chart.XAxis()[1].ScreenRect(), nphi = chart.XAxis()[2].ScreenRect();
    EXPECT_EQ(rhob.bottom, nphi.top);
    EXPECT_EQ(nphi.bottom, chart.GraphRect().top);
    EXPECT_FALSE(Overlap(rhob, chart.GraphRect()));
    EXPECT_EQ(rhob.Height(), 34);
    // The depth axis stands left of the graph area.
    EXPECT_EQ(chart.YAxis()[0].ScreenRect().right, chart.GraphRect().left);
    EXPECT_EQ(chart.YAxis()[0].ScreenRect().Width(), 50);
}

TEST(ChartLayout, FixedTrackWidthScrollsSideways)
{
    RChart chart;
    TwoTrackLogChart(chart);
    AddCurve(chart, "DT, US/F", 0x808000, 2, 40, 140);
    chart.FixedXAxisLength = 250;
    chart.SetOffsetX(1);  // as far right as the content allows
    chart.Layout();
    const RChartRect graph = chart.GraphRect();
    const double content = 3 * 250;
    EXPECT_DOUBLE_EQ(chart.ViewSizeX(), graph.Width() / content);
    EXPECT_DOUBLE_EQ(chart.OffsetX(), 1 - chart.ViewSizeX());
    const RChartLayoutResult& layout = chart.LayoutResult();
    EXPECT_DOUBLE_EQ(layout.tracks[2].right, graph.right);
    EXPECT_DOUBLE_EQ(layout.tracks[0].right - layout.tracks[0].left, 250);
    // The first track is mostly scrolled out: its extent is cut to the graph area.
    EXPECT_TRUE(Inside(chart.XAxis()[0].Extent(), graph));
}

TEST(ChartLayout, PixelsAndValuesRoundTripOnEveryKindOfAxis)
{
    RChart chart;
    TwoTrackLogChart(chart);
    AddCurve(chart, "ILD", 0x000080, 2, 0.2, 2000, true);
    chart.XAxis()[1].ReverseOrder = true;
    chart.SetViewSizeY(0.05);
    chart.SetOffsetY(0.3);
    chart.Layout();
    const RChartAxis& depth = chart.YAxis()[0];
    // The visible window's top depth lies OverSizeY below the graph area's top.
    EXPECT_NEAR(depth.ValueToPixel(depth.VisibleMin() + 0.0), chart.GraphRect().top, 1e-9);
    EXPECT_NEAR(depth.ValueToPixel(1000 + 0.3 * 100), chart.GraphRect().top + chart.OverSizeY, 1e-9);
    for (double d : {1000.0, 1031.7, 1100.0, 950.0})
        EXPECT_NEAR(depth.PixelToValue(depth.ValueToPixel(d)), d, 1e-9);
    for (int pixel : {0, 77, 5000})
        EXPECT_NEAR(depth.ValueToPixel(depth.PixelToValue(pixel)), pixel, 1e-6);
    // Depth grows downwards.
    EXPECT_LT(depth.ValueToPixel(1030), depth.ValueToPixel(1031));

    const RChartAxis& gr = chart.XAxis()[0];
    const RChartAxis& rhob = chart.XAxis()[1];
    const RChartAxis& ild = chart.XAxis()[3];
    EXPECT_NEAR(gr.ValueToPixel(0), gr.Extent().left, 1e-9);
    EXPECT_NEAR(gr.ValueToPixel(150), gr.Extent().right - 1, 1e-9);
    EXPECT_GT(rhob.ValueToPixel(1.95), rhob.ValueToPixel(2.95));  // reversed
    for (double v : {0.2, 3.0, 1999.0})
        EXPECT_NEAR(ild.PixelToValue(ild.ValueToPixel(v)), v, 1e-9 * v);
    // Decades are evenly spaced on a log axis.
    EXPECT_NEAR(ild.ValueToPixel(10) - ild.ValueToPixel(1), ild.ValueToPixel(1000) - ild.ValueToPixel(100), 1e-9);
}

TEST(ChartLayout, ValuesAnAxisCannotShowStayOutOfIntegers)
{
    RChart chart;
    TwoTrackLogChart(chart);
    AddCurve(chart, "ILD", 0x000080, 2, 0.2, 2000, true);
    chart.Layout();
    const RChartAxis& ild = chart.XAxis()[3];
    EXPECT_TRUE(std::isnan(ild.ValueToPixel(0)));
    EXPECT_TRUE(std::isnan(ild.ValueToPixel(-3)));
    EXPECT_EQ(ild.ValueToPixelClamped(0), ild.PixelStart());
    EXPECT_EQ(ild.ValueToPixelClamped(1e300), ild.PixelEnd());
    const RChartAxis& gr = chart.XAxis()[0];
    EXPECT_EQ(gr.ValueToPixelClamped(75000), gr.PixelEnd());
    EXPECT_EQ(gr.ValueToPixelClamped(-1e308), gr.PixelStart());
    EXPECT_EQ(gr.ValueToPixelClamped(std::nan("")), gr.PixelStart());
    RChartAxis loose;  // never laid out
    EXPECT_TRUE(loose.ScreenRect().Empty());
    EXPECT_TRUE(loose.Extent().Empty());
}

TEST(ChartLayout, AxisRanges)
{
    RChart chart(320, 280);
    RChartAxis& x = chart.XAxis().Add();
    RChartAxis& y = chart.YAxis().Add();
    RChartSeries& series = chart.Series().Add();
    series.Data().AppendPoint(0, 0.03, 2.13);
    series.Data().AppendPoint(0, 0.44, 2.71);
    series.Data().AppendPoint(0, std::nan(""), std::numeric_limits<double>::infinity());
    chart.Layout();
    // Automatic ends take the data range, extended to the nice step.
    EXPECT_DOUBLE_EQ(x.Placement().min, 0);
    EXPECT_DOUBLE_EQ(x.Placement().max, 0.5);
    EXPECT_EQ(y.Placement().min, RChartAxis::FloorToStep(2.13, y.Placement().step));
    EXPECT_LE(y.Placement().min, 2.13);
    EXPECT_GE(y.Placement().max, 2.71);

    // A zero span is widened by half a unit on each side.
    x.SetMinValue(5);
    x.SetMaxValue(5);
    EXPECT_FALSE(x.MinValueAuto);
    // Log axes run from the decade below the smallest positive value to the
    // decade above the largest.
    y.AxisType = atLogarithmic;
    series.Data().Clear();
    series.Data().AppendPoint(0, 1, -4);
    series.Data().AppendPoint(0, 1, 0);
    series.Data().AppendPoint(0, 1, 0.2);
    series.Data().AppendPoint(0, 1, 2000);
    chart.Layout();
    EXPECT_DOUBLE_EQ(x.Placement().min, 4.5);
    EXPECT_DOUBLE_EQ(x.Placement().max, 5.5);
    EXPECT_DOUBLE_EQ(y.Placement().min, 0.1);
    EXPECT_DOUBLE_EQ(y.Placement().max, 10000);
}

TEST(ChartLayout, ViewWindowIsClampedWithoutLosingTheOrderOfSetting)
{
    RChart chart;
    TwoTrackLogChart(chart);
    chart.SetOffsetY(0.5);  // set before the view size, as a saved view is restored
    chart.SetViewSizeY(0.25);
    chart.Layout();
    EXPECT_DOUBLE_EQ(chart.OffsetY(), 0.5);
    chart.SetOffsetY(0.9);
    chart.Layout();
    EXPECT_DOUBLE_EQ(chart.OffsetY(), 0.75);
    chart.SetOffsetY(std::nan(""));
    chart.SetViewSizeY(0);
    chart.SetOffsetX(-4);
    EXPECT_DOUBLE_EQ(chart.OffsetY(), 0.75);
    EXPECT_DOUBLE_EQ(chart.ViewSizeY(), RChart::kMinViewSize);
    EXPECT_DOUBLE_EQ(chart.OffsetX(), 0);
}

TEST(ChartLayout, HugeLabelsDoNotCrowdOutTheGraphArea)
{
    RChart chart(320, 280);
    chart.XAxis().Add();
    chart.YAxis().Add();
    RChartSeries& series = chart.Series().Add();
    series.Data().AppendPoint(0, 0, 0);
    series.Data().AppendPoint(0, 1e301, -1e301);
    chart.Draw();
    EXPECT_GT(chart.GraphRect().Width(), 320 / 3);
    EXPECT_GT(chart.GraphRect().Height(), 280 / 3);
}

TEST(ChartLayout, TinyChartsLayOutWithoutNegativeSizes)
{
    RChart chart(1, 1);
    TwoTrackLogChart(chart);
    chart.SetSize(3, 2);
    chart.Draw();
    EXPECT_GE(chart.GraphRect().Width(), 0);
    EXPECT_GE(chart.GraphRect().Height(), 0);
}

TEST(ChartLayout, AutomaticCaptionSizeFollowsTheCaptionFont)
{
    RChart chart(400, 300);
    RChartAxis& x = chart.XAxis().Add();
    RChartAxis& y = chart.YAxis().Add();
    x.Caption = y.Caption = "Depth, m";
    chart.Layout();
    const int small = x.ScreenRect().Height(), narrow = y.ScreenRect().Width();
    x.CaptionFont.Size = 20;
    y.CaptionFont.Size = 20;
    chart.Layout();
    EXPECT_GT(x.ScreenRect().Height(), small + 10);
    EXPECT_GT(y.ScreenRect().Width(), narrow + 10);
    // A fixed caption size does not follow the font.
    x.CaptionSize = 16;
    chart.Layout();
    const int fixed = x.ScreenRect().Height();
    x.CaptionFont.Size = 30;
    chart.Layout();
    EXPECT_EQ(x.ScreenRect().Height(), fixed);
}

TEST(ChartLayout, DepthHeaderCellWidensItsAxisAndIsDrawnAboveIt)
{
    RChart chart;
    TwoTrackLogChart(chart);
    RChartAxis& depth = chart.YAxis()[0];
    // Sized by its labels, at least 50 px, as the log chart's depth axis is.
    depth.SizeAuto = true;
    depth.MinSize = 50;
    chart.Layout();
    const int plainWidth = depth.ScreenRect().Width();
    depth.HeaderCaption = "MEASURED_DEPTH\nM";
    chart.Draw();
    const RChartRect band = depth.ScreenRect();
    const RChartRect header = chart.LayoutResult().header;
    ASSERT_GT(header.Height(), 0);
    RFont upright = depth.CaptionFont;
    upright.Angle = 0;
    chart.Driver().SelectFont(upright);
    EXPECT_GE(band.Width(), chart.Driver().MeasureText("MEASURED_DEPTH").width);
    EXPECT_GT(band.Width(), plainWidth);
    // Ink in the cell above the axis, none in the header band without it.
    const auto inked = [&](int left, int right) {
        for (int y = header.top; y < header.bottom; ++y)
            for (int x = left; x < right; ++x)
                if (chart.Bitmap().Util().ReadPixel(x, y).Value() != chart.Bitmap().Util().ReadPixel(left, header.top).Value())
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(band.left + 1, band.right - 1));
    depth.HeaderCaption.clear();
    chart.Draw();
    EXPECT_FALSE(inked(depth.ScreenRect().left + 1, depth.ScreenRect().right - 1));
}
