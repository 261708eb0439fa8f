#include "calc/calc_method.h"

#include "calc_test_data.h"
#include "container/data_container.h"
#include "container/error.h"
#include "support/irregular_curves.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

RLasCurve Computed(const std::string& formula, const RLasData& data)
{
    RCurveCalcMethod method(formula);
    method.Parse(data);
    RLasCurve curve;
    EXPECT_TRUE(method.Compute(data, curve));
    return curve;
}

std::vector<double> ValuesOf(const RLasCurve& curve)
{
    std::vector<double> values;
    // Copied first: samples are packed, and a reference to Value would be misaligned.
    for (const RLasSample& sample : curve.Data.Samples)
        values.push_back(double{sample.Value});
    return values;
}

TEST(CalcMethodTest, FormulaOverTheFileGrid)
{
    RLasData data;
    FillSample(data);
    const RLasCurve curve = Computed("GR+RHOB*10", data);
    EXPECT_EQ(curve.FirstDepth, 1000.0);
    EXPECT_EQ(curve.LastDepth, 1002.0);
    EXPECT_EQ(curve.Data.Step, 0.5);
    EXPECT_EQ(curve.NullValue, -999.25);
    ASSERT_EQ(curve.SampleCount(), 5u);
    EXPECT_EQ(ValuesOf(curve), (std::vector<double>{31.0, 42.0, -999.25, 64.0, 75.0}));
    EXPECT_TRUE(RLasCurveDataWrapper::IsNull(curve.Data, 2));
    EXPECT_FALSE(RLasCurveDataWrapper::IsNull(curve.Data, 3));
    EXPECT_EQ(curve.MinValue, 31.0);
    EXPECT_EQ(curve.MaxValue, 75.0);
}

TEST(CalcMethodTest, FaultAtOneDepthLeavesTheOthers)
{
    RLasData data;
    AddFileCurve(data, "X", 0.0, 1.0, {4.0, 0.0, -1.0, 9.0});
    const RLasCurve curve = Computed("LN(X)", data);
    EXPECT_EQ(ValuesOf(curve), (std::vector<double>{std::log(4.0), -999.25, -999.25, std::log(9.0)}));
}

TEST(CalcMethodTest, GridIsTheUnionWithTheSmallestStep)
{
    RLasData data;
    AddFileCurve(data, "A", 10.0, 0.2, {1.0, 2.0, 3.0});       // 10 .. 10.4
    AddFileCurve(data, "B", 10.2, 0.1, {5.0, 6.0, 7.0, 8.0});  // 10.2 .. 10.5
    const RLasCurve curve = Computed("A", data);
    EXPECT_EQ(curve.FirstDepth, 10.0);
    EXPECT_DOUBLE_EQ(curve.LastDepth, 10.5);
    EXPECT_EQ(curve.Data.Step, 0.1);
    // Rounded, not truncated: 0.5 / 0.1 is 4.999...
    ASSERT_EQ(curve.SampleCount(), 6u);
    const std::vector<double> expected = {1.0, 1.5, 2.0, 2.5, 3.0, -999.25};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(curve.Data.Samples[i].Value, expected[i], 1e-12) << i;
}

// Many LAS files run from the deepest sample up (STRT 1670, STEP -0.125).
TEST(CalcMethodTest, DecreasingDepthsAreComputed)
{
    RLasData data;
    AddFileCurve(data, "A", 1670.0, -0.125, {1.0, 2.0, 3.0, kNull});
    AddFileCurve(data, "B", 1670.0, -0.125, {5.0, 6.0, 7.0, 8.0});
    const RLasCurve curve = Computed("A+B*10", data);
    EXPECT_EQ(curve.FirstDepth, 1670.0);
    EXPECT_EQ(curve.LastDepth, 1669.625);
    EXPECT_EQ(curve.Data.Step, -0.125);
    EXPECT_EQ(ValuesOf(curve), (std::vector<double>{51.0, 62.0, 73.0, -999.25}));
    // D+0.125 is the sample above, one row earlier.
    EXPECT_EQ(ValuesOf(Computed("B(D+0.125)", data)), (std::vector<double>{-999.25, 5.0, 6.0, 7.0}));
    EXPECT_EQ(ValuesOf(Computed("D", data)), (std::vector<double>{1670.0, 1669.875, 1669.75, 1669.625}));
}

TEST(CalcMethodTest, CalculatedCurvesTakeNoPartInTheGrid)
{
    RLasData data;
    FillSample(data);
    RLasCurve& calculated = AddFileCurve(data, "VSH", 0.0, 0.01, {1.0});
    calculated.Formula = "1";
    const RLasCurve curve = Computed("1", data);
    EXPECT_EQ(curve.FirstDepth, 1000.0);
    EXPECT_EQ(curve.Data.Step, 0.5);
}

TEST(CalcMethodTest, ConstantAndAllNullFormulas)
{
    RLasData data;
    FillSample(data);
    const RLasCurve five = Computed("5", data);
    EXPECT_EQ(ValuesOf(five), std::vector<double>(5, 5.0));
    EXPECT_EQ(five.MinValue, 5.0);
    EXPECT_EQ(five.MaxValue, 5.0);

    const RLasCurve empty = Computed("NULL", data);
    EXPECT_EQ(ValuesOf(empty), std::vector<double>(5, -999.25));
    for (std::size_t i = 0; i < empty.SampleCount(); ++i)
        EXPECT_TRUE(RLasCurveDataWrapper::IsNull(empty.Data, i));
    EXPECT_EQ(empty.MinValue, 0.0);
    EXPECT_EQ(empty.MaxValue, 1.0);
}

TEST(CalcMethodTest, NoGridComputesNoCurve)
{
    RCurveCalcMethod method("1");
    RLasData empty;
    method.Parse(empty);
    RLasCurve curve;
    EXPECT_FALSE(method.Compute(empty, curve));
    EXPECT_EQ(curve.SampleCount(), 0u);

    for (const double step : {0.0, -0.5}) {
        RLasData data;
        AddFileCurve(data, "A", 10.0, 0.5, {1.0, 2.0});
        AddFileCurve(data, "B", 10.0, step, {1.0, 2.0});
        method.Parse(data);
        EXPECT_FALSE(method.Compute(data, curve)) << step;
        EXPECT_EQ(curve.SampleCount(), 0u);
    }

    RLasData huge;
    AddFileCurve(huge, "A", 0.0, 1e-12, {1.0}).LastDepth = 1e6;
    method.Parse(huge);
    EXPECT_FALSE(method.Compute(huge, curve));

    RCurveCalcMethod unparsed("1");
    RLasData data;
    FillSample(data);
    EXPECT_FALSE(unparsed.Compute(data, curve));
}

TEST(CalcMethodTest, IrregularFileGivesTheCurveItsOwnIndex)
{
    RLasData data;
    const auto depths = DepthIndex(JitteredDepthsWithGap());
    AddIrregularFileCurve(data, "GR", depths, {10.0, 20.0, 30.0, 40.0, 50.0, kNull, 70.0}, kNull);
    AddIrregularFileCurve(data, "RHOB", depths, {2.0, 2.0, 2.0, 2.0, 2.0, 2.0, 3.0}, kNull);
    RLasCurve& calculated = AddFileCurve(data, "VSH", 0.0, 0.01, {1.0});  // takes no part
    calculated.Formula = "1";

    const RLasCurve curve = Computed("GR+RHOB*10", data);
    EXPECT_EQ(curve.Depths, depths);  // the same index, not a copy
    EXPECT_EQ(curve.Data.Step, 0.0);
    EXPECT_EQ(curve.FirstDepth, 1000.0);
    EXPECT_EQ(curve.LastDepth, 1006.0);
    EXPECT_EQ(ValuesOf(curve), (std::vector<double>{30.0, 40.0, 50.0, 60.0, 70.0, -999.25, 100.0}));
    EXPECT_EQ(curve.MaxValue, 100.0);
    // Each row computed at its own depth.
    EXPECT_EQ(ValuesOf(Computed("D", data)), JitteredDepthsWithGap());
    // 1001.5 + 1.75 lies halfway across the gap.
    EXPECT_NEAR(Computed("GR(D+1.75)", data).Data.Samples[3].Value, 45.0, 1e-9);

    RLasData up;
    AddIrregularFileCurve(up, "GR", DepthIndex(DescendingJitteredDepthsWithGap()), std::vector<double>(7, 1.0), kNull);
    const RLasCurve upward = Computed("D", up);
    EXPECT_TRUE(upward.IsDescending());
    EXPECT_EQ(upward.FirstDepth, 1006.0);
    EXPECT_EQ(ValuesOf(upward), DescendingJitteredDepthsWithGap());
}

TEST(CalcMethodTest, IrregularCurvesNeedOneIndex)
{
    // Equal depths in two vectors (as curves loaded from the container form
    // may have) are one index.
    RLasData data;
    AddIrregularFileCurve(data, "A", DepthIndex(JitteredDepthsWithGap()), std::vector<double>(7, 1.0), kNull);
    RLasCurve& b = AddIrregularFileCurve(data, "B", DepthIndex(JitteredDepthsWithGap()), std::vector<double>(7, 2.0), kNull);
    RLasCurve curve = Computed("A+B", data);
    EXPECT_EQ(curve.SampleCount(), 7u);
    EXPECT_EQ(curve.Depths, data.Curves()[0]->Depths);

    std::vector<double> other = JitteredDepthsWithGap();
    other[2] = 1001.0;
    b.Depths = DepthIndex(other);
    RCurveCalcMethod method("A+B");
    method.Parse(data);
    EXPECT_FALSE(method.Compute(data, curve));
    EXPECT_EQ(curve.SampleCount(), 0u);
    EXPECT_TRUE(curve.IsRegular());

    // A curve computed again over a regular file leaves the old index behind.
    RLasData regular;
    FillSample(regular);
    RCurveCalcMethod gr("GR");
    gr.Parse(regular);
    curve.Depths = b.Depths;
    EXPECT_TRUE(gr.Compute(regular, curve));
    EXPECT_TRUE(curve.IsRegular());
    EXPECT_EQ(curve.Data.Step, 0.5);
}

TEST(CalcMethodTest, PersistsItsFormula)
{
    RDataContainer container;
    RDCNode& node = *container.NodeByPath("LasSettings\\CalcMethod\\VSH", true);
    RCurveCalcMethod("(GR-20)/100").SaveToNode(node);
    EXPECT_EQ(node.ObjectAt(0)->ValueAt(0)->AsString(), "(GR-20)/100");

    RCurveCalcMethod loaded;
    loaded.LoadFromNode(node);
    EXPECT_EQ(loaded.Formula, "(GR-20)/100");
    node.Object(0)->Value(0)->SetInteger(5);
    loaded.LoadFromNode(node);
    EXPECT_EQ(loaded.Formula, "");
}

}  // namespace
