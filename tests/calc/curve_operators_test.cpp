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

TEST_F(CurveOperatorsTest, ComparisonsGiveOneOrZero)
{
    struct Case {
        const char* formula;
        double below, equal, above;  // with GR 10 against 20, 10 and 5
    };
    for (const Case& c : {Case{"GR<X", 1, 0, 0}, Case{"GR<=X", 1, 1, 0}, Case{"GR>X", 0, 0, 1},
                          Case{"GR>=X", 0, 1, 1}, Case{"GR=X", 0, 1, 0}, Case{"GR<>X", 1, 0, 1}}) {
        std::string formula = c.formula;
        formula.replace(formula.find('X'), 1, "20");
        EXPECT_EQ(Evaluate(formula, data), c.below) << formula;
        formula.replace(formula.find("20"), 2, "10");
        EXPECT_EQ(Evaluate(formula, data), c.equal) << formula;
        formula.replace(formula.find("10", 2), 2, "5");
        EXPECT_EQ(Evaluate(formula, data), c.above) << formula;
    }
}

TEST_F(CurveOperatorsTest, ComparisonsAreNullWithANullSide)
{
    for (const char* formula : {"GR<1", "GR<=1", "GR>1", "GR>=1", "GR=1", "GR<>1", "1<GR", "GR=GR"})
        EXPECT_EQ(Evaluate(formula, data, 1001.0), std::nullopt) << formula;
    for (const char* formula : {"NULL=NULL", "NULL<>1", "1>NULL"})
        EXPECT_EQ(Evaluate(formula, data), std::nullopt) << formula;
}

TEST_F(CurveOperatorsTest, SidesEqualWhereTheirDifferenceIsZero)
{
    // 0.1+0.2 is one unit in the last place above 0.3; 0.3-(0.1+0.2) is 0.
    EXPECT_EQ(Evaluate("0.1+0.2=0.3", data), 1.0);
    EXPECT_EQ(Evaluate("0.1+0.2>0.3", data), 0.0);
    EXPECT_EQ(Evaluate("0.1+0.2<=0.3", data), 1.0);
    EXPECT_EQ(Evaluate("1.000001>1", data), 1.0);
    EXPECT_EQ(Evaluate("(0-1)<0", data), 1.0);
}

}  // namespace
