#include "las/las_curve.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(RLasCurveDataWrapper, SettersChangeOnlyTheirOwnBit)
{
    RLasCurveData data;
    data.Samples.resize(2);
    RLasCurveDataWrapper::SetNull(data, 0, true);
    RLasCurveDataWrapper::SetRedundant(data, 0, true);
    RLasCurveDataWrapper::SetNull(data, 0, false);
    EXPECT_FALSE(RLasCurveDataWrapper::IsNull(data, 0));
    EXPECT_TRUE(RLasCurveDataWrapper::IsRedundant(data, 0));
    EXPECT_EQ(data.Samples[0].Flags, kSampleRedundant);
    // Past the end: reads false, writes nothing.
    RLasCurveDataWrapper::SetNull(data, 5, true);
    EXPECT_FALSE(RLasCurveDataWrapper::IsNull(data, 5));
}

TEST(RLasCurve, NullByExactEqualityAndRangeOverTheRest)
{
    RLasCurve curve;
    curve.NullValue = -999.25;
    curve.SetValues({3.0, -999.25, -999.2500001, 10.0});
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(curve.Data, 1));
    EXPECT_FALSE(RLasCurveDataWrapper::IsNull(curve.Data, 2));
    EXPECT_EQ(curve.MinValue, -999.2500001);
    EXPECT_EQ(curve.MaxValue, 10.0);
}

TEST(RLasCurve, SingleValueRangeIsWidened)
{
    RLasCurve curve;
    curve.NullValue = -999.25;
    curve.SetValues({7.0, -999.25, 7.0});
    EXPECT_EQ(curve.MinValue, 6.75);
    EXPECT_EQ(curve.MaxValue, 7.25);

    // Only nulls: the range is 0..0, widened so it can still be drawn.
    RLasCurve empty;
    empty.NullValue = -999.25;
    empty.SetValues({-999.25, -999.25});
    EXPECT_EQ(empty.MinValue, -0.25);
    EXPECT_EQ(empty.MaxValue, 0.25);

    // 2.0 and the double just below it differ in every bit of their
    // patterns, yet are one value: no range 2.2e-16 wide.
    RLasCurve close;
    close.SetValues({2.0, std::nextafter(2.0, 0.0)});
    EXPECT_EQ(close.MaxValue, 2.25);
}

TEST(RLasCurve, DepthOfSample)
{
    RLasCurve curve("A+B", "sum");
    curve.FirstDepth = 1001.0;
    curve.Data.Step = -0.25;
    EXPECT_EQ(curve.Depth(4), 1000.0);
    EXPECT_TRUE(curve.IsCalculated());
    EXPECT_EQ(curve.MethodName, "sum");
}
