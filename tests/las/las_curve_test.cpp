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
}

TEST(NearlyEqual, BitPatternDistanceWithoutOverflow)
{
    EXPECT_TRUE(NearlyEqual(1.0, std::nextafter(1.0, 2.0)));
    EXPECT_FALSE(NearlyEqual(1.0, 1.0 + 1e-12));
    EXPECT_TRUE(NearlyEqual(0.0, -0.0));
    // Opposite values share their exponent bits but are far apart.
    EXPECT_FALSE(NearlyEqual(-5.0, 5.0));
    EXPECT_FALSE(NearlyEqual(-1e300, 1e300));
    EXPECT_FALSE(NearlyEqual(0.0, 1e-300));
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
