// Point data of a series: append rules, container round trip, label texts.

#include "chart/chart.h"
#include "container/data_container.h"
#include "container/dc_node.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(ChartDataSeries, AppendingArraysTakesTheShorterLength)
{
    RChartDataSeries data;
    const std::vector<double> xs{1, 2, 3, 4, 5}, ys{10, 20, 30};
    data.AppendPoints(xs, ys);
    ASSERT_EQ(data.Count(), 3);
    EXPECT_EQ(data.X(2), 3);
    EXPECT_EQ(data.Y(2), 30);
    EXPECT_EQ(data.Break(2), 0);
    data.AppendPoint(1, 6, 60);
    EXPECT_EQ(data.Count(), 4);
    EXPECT_EQ(data.Break(3), 1);
    // Out of range reads 0 and writes nothing.
    EXPECT_EQ(data.X(-1), 0);
    EXPECT_EQ(data.Y(4), 0);
    data.SetPoint(9, 1, 1, 1);
    data.SetCount(-3);
    EXPECT_EQ(data.Count(), 0);
}

TEST(ChartDataSeries, SortednessIsRecomputedAfterChanges)
{
    RChartDataSeries data;
    data.AppendPoint(0, 5, 1);
    data.AppendPoint(0, 4, 2);
    EXPECT_TRUE(data.YAscending());
    EXPECT_FALSE(data.XAscending());
    data.AppendPoint(0, 3, 1.5);
    EXPECT_FALSE(data.YAscending());
    data.SetPoint(2, 0, 3, 3);
    EXPECT_TRUE(data.YAscending());
    data.AppendPoint(0, 0, std::nan(""));
    EXPECT_FALSE(data.YAscending());
}

TEST(ChartDataSeries, ColourValuesCountOnlyWithOnePerPoint)
{
    RChartDataSeries data;
    data.AppendPoint(0, 1, 10);
    data.AppendPoint(0, 2, 20);
    data.SetColorValues({1500, 1499.5});
    EXPECT_TRUE(data.HasColorValues());
    data.AppendPoint(0, 3, 30);  // one point more than values
    EXPECT_FALSE(data.HasColorValues());
    data.SetColorValues({1500, 1499.5, 1499});
    EXPECT_TRUE(data.HasColorValues());
    // A new count starts the points afresh: the values go with the old ones.
    data.SetCount(3);
    EXPECT_FALSE(data.HasColorValues());
    EXPECT_TRUE(data.ColorValues().empty());
    data.Clear();
    data.SetColorValues({});
    EXPECT_FALSE(data.HasColorValues());  // no points, nothing to colour
}

TEST(ChartDataSeries, SavesAndLoadsThroughAContainerNode)
{
    RChartDataSeries data;
    data.Name = "GR (2)";
    data.AppendPoint(0, 45.5, 1000);
    data.AppendPoint(1, 50.25, 1000.5);
    data.AppendPoint(0, -999.25, 1001);
    RDataContainer container;
    RDCNode* node = container.NodeByPath("Series\\0", true);
    data.SaveToNode(*node);
    ASSERT_EQ(node->ObjectAt(0)->ValueCount(), 3);
    EXPECT_EQ(node->ObjectAt(0)->ValueAt(1)->AsDouble(), 50.25);
    EXPECT_EQ(node->ObjectAt(1)->ValueAt(2)->AsDouble(), 1001);
    EXPECT_EQ(node->ObjectAt(2)->ValueAt(0)->AsString(), "GR (2)");
    EXPECT_EQ(node->ObjectAt(3)->ValueAt(1)->AsInteger(), 1);

    RChartDataSeries loaded;
    loaded.AppendPoint(0, 1, 1);  // replaced, not appended to
    loaded.LoadFromNode(*node);
    EXPECT_EQ(loaded.Name, "GR (2)");
    EXPECT_EQ(loaded.Xs(), data.Xs());
    EXPECT_EQ(loaded.Ys(), data.Ys());
    EXPECT_EQ(loaded.Breaks(), data.Breaks());
}

TEST(ChartDataSeries, LoadingAnUnevenNodeKeepsOnlyWholePoints)
{
    RDataContainer container;
    RDCNode* node = container.NodeByPath("S", true);
    for (int i = 0; i < 5; ++i)
        node->Object(0)->Value(i)->SetDouble(i);
    node->Object(1)->Value(0)->SetDouble(10);
    node->Object(1)->Value(1)->SetString("not a number");
    node->Object(3)->Value(0)->SetBoolean(true);
    RChartDataSeries data;
    data.LoadFromNode(*node);
    ASSERT_EQ(data.Count(), 2);
    EXPECT_EQ(data.Y(1), 0);
    EXPECT_EQ(data.Break(0), 1);
    EXPECT_EQ(data.Break(1), 0);
    EXPECT_EQ(data.Name, "");

    RDCNode* empty = container.NodeByPath("Empty", true);
    data.LoadFromNode(*empty);
    EXPECT_EQ(data.Count(), 0);
}

TEST(ChartSeries, LabelTextJoinsTheShownParts)
{
    RChart chart;
    RChartAxis& x = chart.XAxis().Add();
    x.FormatNumberScript = "#,##0.00";
    RChartSeries& series = chart.Series().Add();
    series.SetName("GR");
    series.Data().AppendPoint(0, 1234.5, 0.25);
    series.Labels.SetShowX(true);
    EXPECT_TRUE(series.Labels.ShowCategoryName);
    series.Labels.ShowValue = true;
    EXPECT_TRUE(series.Labels.ShowY());
    series.Labels.ShowSeriesName = true;
    // No Y axis: the value is written as a plain number.
    EXPECT_EQ(series.LabelText(0), "GR, 1,234.50, 0.25");
    series.Labels.Separator = " | ";
    series.Labels.ShowSeriesName = false;
    EXPECT_EQ(series.LabelText(0), "1,234.50 | 0.25");
    // The legend's text: the series name stands for name and category.
    EXPECT_EQ(series.LabelText(-1), "GR");
}

TEST(ChartSeries, AxisLabelsByAxisType)
{
    RChartAxis axis;
    axis.AxisType = atDateTime;
    EXPECT_EQ(axis.FormatValue(45000), "15/03/2023");
    axis.AxisType = atStrings;
    axis.Data().Append("Sand");
    axis.Data().Append("Shale");
    EXPECT_EQ(axis.FormatValue(1), "Shale");
    EXPECT_EQ(axis.FormatValue(7), "");
    axis.AxisType = atNumeric;
    axis.FormatNumberScript = "#,##0";
    EXPECT_EQ(axis.FormatValue(1234.4), "1,234");
}
