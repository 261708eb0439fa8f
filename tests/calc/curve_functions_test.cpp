#include "calc/curve_functions.h"

#include "calc_test_data.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

class CurveFunctionsTest : public ::testing::Test {
protected:
    CurveFunctionsTest() { FillSample(data); }
    RLasData data;  // GR is null at 1001
};

TEST_F(CurveFunctionsTest, AggregatesSkipNullsAndAreNullOnlyWithoutValues)
{
    EXPECT_EQ(Evaluate("SUM(1,NULL,3)", data), 4.0);
    EXPECT_EQ(Evaluate("SUMSQ(1,NULL,3)", data), 10.0);
    EXPECT_EQ(Evaluate("AVG(1,NULL,3)", data), 2.0);
    EXPECT_EQ(Evaluate("average(1,2)", data), 1.5);
    EXPECT_EQ(Evaluate("MIN(4,NULL,0-3)", data), -3.0);
    EXPECT_EQ(Evaluate("MAX(4,NULL,0-3)", data), 4.0);
    for (const char* formula : {"SUM(NULL)", "SUM()", "SUMSQ(NULL)", "AVG(NULL,NULL)", "MIN()", "MAX(GR)"}) {
        const double depth = 1001.0;  // GR null here
        EXPECT_EQ(Evaluate(formula, data, depth), std::nullopt) << formula;
    }
}

TEST_F(CurveFunctionsTest, LogicAndNullConditions)
{
    EXPECT_EQ(Evaluate("IF(NULL,1,2)", data), 2.0);
    EXPECT_EQ(Evaluate("IF(1,NULL,2)", data), std::nullopt);
    // False is a magnitude below 1e-100.
    EXPECT_EQ(Evaluate("IF(0.5/1e100,1,2)", data), 2.0);
    EXPECT_EQ(Evaluate("IF(0-2/1e100,1,2)", data), 1.0);
    EXPECT_EQ(Evaluate("AND(1,NULL,0)", data), 0.0);
    EXPECT_EQ(Evaluate("AND(1,NULL,5)", data), 1.0);
    EXPECT_EQ(Evaluate("AND(NULL,NULL)", data), std::nullopt);
    EXPECT_EQ(Evaluate("OR(0,NULL)", data), 0.0);
    EXPECT_EQ(Evaluate("OR(0,NULL,0-2)", data), 1.0);
    EXPECT_EQ(Evaluate("OR()", data), std::nullopt);
    EXPECT_EQ(Evaluate("NOT(0)", data), 1.0);
    EXPECT_EQ(Evaluate("NOT(7)", data), 0.0);
    EXPECT_EQ(Evaluate("NOT(NULL)", data), std::nullopt);
    EXPECT_EQ(Evaluate("TRUE(NULL)", data), 1.0);
    EXPECT_EQ(Evaluate("FALSE(5)", data), 0.0);
    EXPECT_EQ(Evaluate("ISNULL(NULL)", data), 1.0);
    EXPECT_EQ(Evaluate("ISNULL(GR)", data, 1001.0), 1.0);
    EXPECT_EQ(Evaluate("ISNULL(GR)", data), 0.0);
    EXPECT_EQ(Evaluate("IF(ISNULL(GR),0,GR*2)", data, 1001.0), 0.0);
}

TEST_F(CurveFunctionsTest, DomainFaultsAreNull)
{
    for (const char* formula : {"LN(0)", "LN(0-1)", "LG(0)", "LOG(0,10)", "LOG(10,0)", "LOG(10,1)", "SQRT(0-1)",
                                "ASIN(2)", "ACOS(0-1.5)", "ACOSH(0.5)", "ATANH(1.5)", "EXP(1000)", "SINH(1000)",
                                "COSH(0-1000)", "LN(NULL)", "ABS(NULL)", "SIN(NULL)", "ASINH(NULL)"})
        EXPECT_EQ(Evaluate(formula, data), std::nullopt) << formula;
}

TEST_F(CurveFunctionsTest, MathematicalValues)
{
    EXPECT_DOUBLE_EQ(*Evaluate("LN(EXP(2))", data), 2.0);
    EXPECT_DOUBLE_EQ(*Evaluate("LG(1000)", data), 3.0);
    EXPECT_DOUBLE_EQ(*Evaluate("LOG(8,2)", data), 3.0);
    EXPECT_DOUBLE_EQ(*Evaluate("SQRT(2.25)", data), 1.5);
    EXPECT_EQ(Evaluate("ABS(0-3)", data), 3.0);
    EXPECT_EQ(Evaluate("SIGN(0-3)", data), -1.0);
    EXPECT_EQ(Evaluate("SIGN(0)", data), 0.0);
    EXPECT_EQ(Evaluate("PI", data), 3.141592653589793);
    EXPECT_NEAR(*Evaluate("SIN(PI/2)+COS(0)+TAN(PI/4)", data), 3.0, 1e-15);
    EXPECT_NEAR(*Evaluate("ASIN(1)+ACOS(1)+ATAN(1)", data), 3.141592653589793 * 0.75, 1e-15);
    EXPECT_NEAR(*Evaluate("SINH(1)", data), std::sinh(1.0), 1e-15);
    EXPECT_NEAR(*Evaluate("COSH(1)", data), std::cosh(1.0), 1e-15);
    EXPECT_NEAR(*Evaluate("TANH(1)", data), std::tanh(1.0), 1e-15);
    EXPECT_NEAR(*Evaluate("ASINH(0-1e8)", data), -std::asinh(1e8), 1e-9);
    EXPECT_EQ(Evaluate("ACOSH(1)", data), 0.0);
    EXPECT_NEAR(*Evaluate("ATANH(0.5)", data), std::atanh(0.5), 1e-15);
}

TEST_F(CurveFunctionsTest, AtanhAtOneIsInfinite)
{
    EXPECT_EQ(Evaluate("ATANH(1)", data), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Evaluate("ATANH(0-1)", data), -std::numeric_limits<double>::infinity());
    // Anything computed from the infinity is a fault, so null.
    EXPECT_EQ(Evaluate("ATANH(1)+1", data), std::nullopt);
    // IF computes nothing: it passes the chosen argument on as it is.
    EXPECT_EQ(Evaluate("IF(1,ATANH(1),0)", data), std::numeric_limits<double>::infinity());
}

TEST_F(CurveFunctionsTest, DepthFunction)
{
    EXPECT_EQ(Evaluate("D*2", data, 1500.25), 3000.5);
    EXPECT_EQ(Evaluate("D(7)", data, 12.0), 12.0);
}

}  // namespace
