#include "calc/curve_link.h"

#include "calc/curve_functions.h"
#include "calc_test_data.h"
#include "support/irregular_curves.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// A link to `curve` read at a constant depth.
class CurveLinkTest : public ::testing::Test {
protected:
    CurveLinkTest() : curve(AddFileCurve(data, "GR", 100.0, 0.1, {1.0, 2.0, kNull, 4.0, 5.0})) {}

    std::optional<double> At(double depth)
    {
        RCurveLink link;
        link.Curve = &curve;
        link.Args.push_back(std::make_unique<RCurveD>());
        link.Args[0]->Calculate(depth);
        link.Calculate(depth);
        return link.IsNull ? std::nullopt : std::optional<double>(link.Value);
    }

    RLasData data;
    RLasCurve& curve;
};

TEST_F(CurveLinkTest, BetweenSamplesIsInterpolated)
{
    EXPECT_NEAR(*At(100.05), 1.5, 1e-12);
    EXPECT_NEAR(*At(100.375), 4.75, 1e-12);
    // Next to a null sample there is nothing to interpolate.
    EXPECT_EQ(At(100.15), std::nullopt);
    EXPECT_EQ(At(100.25), std::nullopt);
}

TEST_F(CurveLinkTest, WithinAMillionthOfAStepIsThatSampleOnBothSides)
{
    EXPECT_EQ(At(100.1), 2.0);
    EXPECT_EQ(At(100.1 + 0.1 * 5e-7), 2.0);
    EXPECT_EQ(At(100.1 - 0.1 * 5e-7), 2.0);
    // (100.3 - 100) / 0.1 is 2.99999999999997: sample 3, not sample 2.
    EXPECT_EQ(At(100.3), 4.0);
    EXPECT_EQ(At(100.2), std::nullopt);  // the null sample itself
    EXPECT_EQ(At(100.4), 5.0);
    // The first sample too, read from just above it.
    EXPECT_EQ(At(100.0 - 0.1 * 5e-7), 1.0);
    EXPECT_EQ(At(100.0 - 0.1 * 2e-6), std::nullopt);
}

TEST_F(CurveLinkTest, OutsideTheCurveIsNull)
{
    EXPECT_EQ(At(99.99), std::nullopt);
    EXPECT_EQ(At(100.41), std::nullopt);
    EXPECT_EQ(At(100.4 + 0.1 * 0.9999995), std::nullopt);  // snaps to a sample past the end
    EXPECT_EQ(At(1e300), std::nullopt);
    EXPECT_EQ(At(std::nan("")), std::nullopt);
}

TEST_F(CurveLinkTest, NoCurveOrNullDepthIsNull)
{
    RCurveLink link;
    link.Args.push_back(std::make_unique<RCurveD>());
    link.Args[0]->Calculate(100.0);
    link.Calculate(100.0);
    EXPECT_TRUE(link.IsNull);

    link.Curve = &curve;
    link.Args[0] = std::make_unique<RCurveNull>();
    link.Args[0]->Calculate(100.0);
    link.Calculate(100.0);
    EXPECT_TRUE(link.IsNull);
}

TEST_F(CurveLinkTest, CurveWithoutStepIsNull)
{
    curve.Data.Step = 0.0;
    EXPECT_EQ(At(100.0), std::nullopt);
    EXPECT_EQ(At(100.2), std::nullopt);
}

// Links to curves on an irregular index: GR falls from the top down, the
// same values on the same rows read from the bottom up in UP.
class IrregularCurveLinkTest : public ::testing::Test {
protected:
    IrregularCurveLinkTest()
        : down(AddIrregularFileCurve(data, "GR", DepthIndex(JitteredDepthsWithGap()),
                                     {10.0, 20.0, 30.0, 40.0, 50.0, kNull, 70.0}, kNull)),
          up(AddIrregularFileCurve(data, "UP", DepthIndex(DescendingJitteredDepthsWithGap()),
                                   {70.0, kNull, 50.0, 40.0, 30.0, 20.0, 10.0}, kNull))
    {
    }

    static std::optional<double> At(const RLasCurve& curve, double depth)
    {
        RCurveLink link;
        link.Curve = &curve;
        link.Args.push_back(std::make_unique<RCurveD>());
        link.Args[0]->Calculate(depth);
        link.Calculate(depth);
        return link.IsNull ? std::nullopt : std::optional<double>(link.Value);
    }

    RLasData data;
    RLasCurve& down;
    RLasCurve& up;
};

TEST_F(IrregularCurveLinkTest, BetweenRowsIsInterpolatedByDepthEitherWay)
{
    for (const RLasCurve* curve : {&down, &up}) {
        SCOPED_TRACE(curve->Mnemonic);
        // Halfway across the 3.5 m gap, not halfway between two indexes.
        EXPECT_NEAR(*At(*curve, 1003.25), 45.0, 1e-9);
        // A quarter of the way from the jittered row at 1001.1 to 1001.5.
        EXPECT_NEAR(*At(*curve, 1001.2), 32.5, 1e-9);
        EXPECT_EQ(At(*curve, 1001.1), 30.0);
        EXPECT_EQ(At(*curve, 1005.0), 50.0);
        EXPECT_EQ(At(*curve, 1005.2), std::nullopt);  // next to the null row
    }
    // GR(D+0.75) at 1000.75 reads 1001.5.
    EXPECT_EQ(Evaluate("GR(D+0.75)", data, 1000.75), 40.0);
}

TEST_F(IrregularCurveLinkTest, EndRowsSnapWithinAMillionthOfTheirSpacing)
{
    for (const RLasCurve* curve : {&down, &up}) {
        SCOPED_TRACE(curve->Mnemonic);
        EXPECT_EQ(At(*curve, 1000.0 - 0.5 * 5e-7), 10.0);
        EXPECT_EQ(At(*curve, 1000.0 - 0.5 * 2e-6), std::nullopt);
        EXPECT_EQ(At(*curve, 1006.0 + 0.6 * 5e-7), 70.0);
        EXPECT_EQ(At(*curve, 1006.0 + 0.6 * 2e-6), std::nullopt);
        EXPECT_EQ(At(*curve, 1001.1 + 0.4 * 5e-7), 30.0);
        EXPECT_EQ(At(*curve, -1e300), std::nullopt);
        EXPECT_EQ(At(*curve, 1e300), std::nullopt);
        EXPECT_EQ(At(*curve, std::nan("")), std::nullopt);
    }
}

}  // namespace
