#include "calc/function_registry.h"

#include <gtest/gtest.h>

namespace {

TEST(FunctionRegistryTest, NamesInRegistryOrder)
{
    const std::vector<std::string> expected = {
        "Sum", "SumSQ", "Average", "Min", "Max", "D", "If", "And", "Or", "Not", "True", "False",
        "IsNull", "Null", "Ln", "Lg", "Log", "Sqrt", "Exp", "Abs", "Sign", "Pi", "Sin", "Cos",
        "Tan", "ASin", "ACos", "ATan", "Sinh", "Cosh", "Tanh", "ASinh", "ACosh", "ATanh"};
    std::vector<std::string> names;
    for (const RCurveFunctionClass& functionClass : FunctionRegistry()) {
        names.push_back(functionClass.FunctionName());
        // Every class creates nodes of itself.
        EXPECT_EQ(functionClass.create()->ClassName(), functionClass.className);
        EXPECT_EQ(functionClass.create()->ArgCount(), functionClass.ArgCount());
    }
    EXPECT_EQ(names, expected);
}

TEST(FunctionRegistryTest, SyntaxTexts)
{
    auto syntax = [](std::string_view name) { return FindFunctionClass(name)->SyntaxText(); };
    EXPECT_EQ(syntax("LOG"), "Log(param,param)");
    EXPECT_EQ(syntax("SUM"), "Sum(param,...)");
    EXPECT_EQ(syntax("IF"), "If(param,param,param)");
    EXPECT_EQ(syntax("PI"), "Pi");
    EXPECT_EQ(syntax("SQRT"), "Sqrt(param)");
    EXPECT_EQ(syntax("D"), "D | DEPTH");
    EXPECT_EQ(syntax("AVG"), "AVG | AVERAGE(param,...)");
}

TEST(FunctionRegistryTest, NameLookup)
{
    EXPECT_EQ(FindFunctionClass("DEPTH")->className, "RCurveD");
    EXPECT_EQ(FindFunctionClass("AVERAGE")->className, "RCurveAverage");
    EXPECT_EQ(FindFunctionClass("AVG")->className, "RCurveAverage");
    EXPECT_EQ(FindFunctionClass("SUMSQ")->className, "RCurveSumSQ");
    EXPECT_EQ(FindFunctionClass("ASINH")->className, "RCurveASinh");
    // Names arrive upper-cased; the class's own name no longer applies
    // where it has others.
    EXPECT_EQ(FindFunctionClass("sum"), nullptr);
    EXPECT_EQ(FindFunctionClass("AVERAGEX"), nullptr);
    EXPECT_EQ(FindFunctionClass("LINK"), nullptr);
    EXPECT_EQ(FindFunctionClass(""), nullptr);
    // Bare names: only functions without arguments.
    EXPECT_EQ(FindFunctionClass("PI", true)->className, "RCurvePi");
    EXPECT_EQ(FindFunctionClass("NULL", true)->className, "RCurveNull");
    EXPECT_EQ(FindFunctionClass("TRUE", true), nullptr);
    EXPECT_EQ(FindFunctionClass("SIN", true), nullptr);
}

}  // namespace
