#include "view/curve_points.h"

#include "chart/chart_data_series.h"
#include "support/file_curves.h"
#include "support/irregular_curves.h"
#include "view/las_filter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr double kNull = -999.25;

// The same seven rows stored from the top down (DOWN) and from the bottom
// up (UP), values rising with depth.
class IrregularPointsTest : public ::testing::Test {
protected:
    IrregularPointsTest()
        : down(AddIrregularFileCurve(data, "DOWN", DepthIndex(JitteredDepthsWithGap()), {1, 2, 3, 4, 5, 6, 7}, kNull)),
          up(AddIrregularFileCurve(data, "UP", DepthIndex(DescendingJitteredDepthsWithGap()), {7, 6, 5, 4, 3, 2, 1},
                                   kNull))
    {
    }

    // The (depth, value) points loaded for the window from `top` to `bottom`.
    static std::vector<std::pair<double, double>> Points(const RLasCurve& curve, double top, double bottom)
    {
        RChartDataSeries series;
        LoadCurvePoints(curve, RLasFilter::Default(top, bottom), series);
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < series.Count(); ++i)
            points.emplace_back(series.Y(i), series.X(i));
        return points;
    }

    RLasData data;
    RLasCurve& down;
    RLasCurve& up;
};

using TPoints = std::vector<std::pair<double, double>>;

TEST_F(IrregularPointsTest, WholeCurveLoadsAtTheRowsDepthsAscending)
{
    const TPoints expected = {{1000.0, 1}, {1000.5, 2}, {1001.1, 3}, {1001.5, 4},
                              {1005.0, 5}, {1005.4, 6}, {1006.0, 7}};
    EXPECT_EQ(Points(down, 1000.0, 1006.0), expected);
    EXPECT_EQ(Points(up, 1000.0, 1006.0), expected);
}

TEST_F(IrregularPointsTest, WindowKeepsTheNeighbouringRowOnEachSide)
{
    for (const RLasCurve* curve : {&down, &up}) {
        SCOPED_TRACE(curve->Mnemonic);
        // Inside the gap: the rows on both sides of it draw the line across.
        EXPECT_EQ(Points(*curve, 1002.0, 1004.0), (TPoints{{1001.1, 3}, {1001.5, 4}, {1005.0, 5}}));
        // Over the first rows, and over the last ones.
        EXPECT_EQ(Points(*curve, 990.0, 1000.2), (TPoints{{1000.0, 1}, {1000.5, 2}}));
        EXPECT_EQ(Points(*curve, 1005.8, 1100.0), (TPoints{{1005.4, 6}, {1006.0, 7}}));
        // Wholly before or after the rows.
        EXPECT_TRUE(Points(*curve, 900.0, 999.0).empty());
        EXPECT_TRUE(Points(*curve, 1006.5, 1100.0).empty());
        EXPECT_TRUE(Points(*curve, -1e300, -1e299).empty());
    }
}

TEST_F(IrregularPointsTest, AscendingOrderFollowsTheIndex)
{
    const RAscendingSamples ascending(up);
    EXPECT_EQ(ascending.Index(0), 6u);
    EXPECT_EQ(ascending.Depth(0), 1000.0);
    EXPECT_EQ(ascending.Step(), 0.0);
    EXPECT_DOUBLE_EQ(ascending.PositionOf(1003.25), 3.5);
    EXPECT_DOUBLE_EQ(RAscendingSamples(down).PositionOf(1003.25), 3.5);
}

TEST_F(IrregularPointsTest, IndexShorterThanTheSamplesLoadsOnlyRowsWithDepths)
{
    // A damaged curve: three depths for seven samples.
    down.Depths = DepthIndex({1000.0, 1000.5, 1001.1});
    down.LastDepth = 1001.1;
    EXPECT_EQ(Points(down, 1000.0, 1006.0), (TPoints{{1000.0, 1}, {1000.5, 2}, {1001.1, 3}}));
}

TEST(RegularPoints, GridWithoutAStepLoadsNothing)
{
    RLasData data;
    RLasCurve& curve = AddFileCurve(data, "GR", 1000.0, 0.5, {1, 2, 3}, kNull);
    RChartDataSeries series;
    LoadCurvePoints(curve, RLasFilter::Default(1000.0, 1001.0), series);
    EXPECT_EQ(series.Count(), 3);
    curve.Data.Step = 0.0;
    LoadCurvePoints(curve, RLasFilter::Default(1000.0, 1001.0), series);
    EXPECT_EQ(series.Count(), 0);
}

TEST(RegularPoints, ASingleSampleIsDrawnWithoutAStep)
{
    RLasData data;
    RLasCurve& curve = AddFileCurve(data, "GR", 1200.0, 0.0, {42}, kNull);
    RChartDataSeries series;
    LoadCurvePoints(curve, RLasFilter::Default(1199.5, 1200.5), series);
    ASSERT_EQ(series.Count(), 1);
    EXPECT_EQ(series.X(0), 42.0);
    EXPECT_EQ(series.Y(0), 1200.0);
    LoadCurvePoints(curve, RLasFilter::Default(1300.0, 1301.0), series);
    EXPECT_EQ(series.Count(), 0);
}

}  // namespace
