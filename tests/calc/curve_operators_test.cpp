#include "calc/curve_operators.h"

#include "calc_test_data.h"

#include <gtest/gtest.h>

namespace {

class CurveOperatorsTest : public ::testing::Test {
protected:
    CurveOperatorsTest() { FillSample(data); }
    RLasData data;  // GR is null at 1001
};

TEST_F(CurveOperatorsTest, NearlyOppositeSumsAndNearlyEqualDifferencesAreExactlyZero)
{
    EXPECT_EQ(Evaluate("0.1+0.2-0.3", data), 0.0);
    EXPECT_EQ(Evaluate("0.3-(0.1+0.2)", data), 0.0);
    EXPECT_EQ(Evaluate("(0.1+0.2)+(-0.3)", data), 0.0);
    EXPECT_DOUBLE_EQ(*Evaluate("1-0.999", data), 0.001);
}

TEST_F(CurveOperatorsTest, NullFactorIsSkippedInAProduct)
{
    // Stored formulas rely on this: GR*NULL is GR, and where GR is null
    // GR*2 is 2. Only a product of nulls alone is null.
    EXPECT_EQ(Evaluate("GR*NULL", data), 10.0);
    EXPECT_EQ(Evaluate("GR*2", data, 1001.0), 2.0);
    EXPECT_EQ(Evaluate("NULL*NULL", data), std::nullopt);
    EXPECT_EQ(Evaluate("GR*NULL", data, 1001.0), std::nullopt);
}

TEST_F(CurveOperatorsTest, OtherOperatorsAreNullWithANullOperand)
{
    for (const char* formula : {"GR+NULL", "NULL-1", "-NULL", "1/NULL", "NULL/1", "2^NULL", "NULL^2"})
        EXPECT_EQ(Evaluate(formula, data), std::nullopt) << formula;
    EXPECT_EQ(Evaluate("GR+1", data, 1001.0), std::nullopt);
}

TEST_F(CurveOperatorsTest, DivisionByNearZeroIsNull)
{
    EXPECT_EQ(Evaluate("1/0", data), std::nullopt);
    EXPECT_EQ(Evaluate("1/0.00000000001", data), std::nullopt);
    EXPECT_EQ(Evaluate("1/(-0.0000000001)", data), std::nullopt);
    EXPECT_DOUBLE_EQ(*Evaluate("1/0.0000001", data), 10000000.0);
}

TEST_F(CurveOperatorsTest, PowerRules)
{
    EXPECT_EQ(Evaluate("0^0", data), 0.0);
    EXPECT_EQ(Evaluate("0^(0-1)", data), 0.0);
    EXPECT_EQ(Evaluate("(-2)^3", data), -8.0);
    EXPECT_EQ(Evaluate("(-2)^2", data), 4.0);
    EXPECT_EQ(Evaluate("(-2)^0.5", data), std::nullopt);
    EXPECT_EQ(Evaluate("(-8)^(1/3)", data), std::nullopt);
    EXPECT_DOUBLE_EQ(*Evaluate("2^0.5", data), 1.4142135623730951);
    EXPECT_DOUBLE_EQ(*Evaluate("(-2)^(0-2)", data), 0.25);
}

TEST_F(CurveOperatorsTest, OverflowIsNullNotInfinity)
{
    EXPECT_EQ(Evaluate("10^400", data), std::nullopt);
    EXPECT_EQ(Evaluate("1e300*1e300", data), std::nullopt);
    EXPECT_EQ(Evaluate("1e308+1e308", data), std::nullopt);
    EXPECT_EQ(Evaluate("(-10)^401", data), std::nullopt);
}

}  // namespace
