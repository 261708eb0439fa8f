#pragma once
// The functions a formula may call by name (see function_registry.h for
// their order). Every N-argument function skips null arguments and is null
// only when all of them are; fixed-arity functions are null when an argument
// they read is null, unless noted.

#include "calc/curve_arg.h"

#include <array>
#include <string_view>

// Declares a concrete node class: its name, arity base and Calculate.
#define LOGGARD_CURVE_NODE(Name, Base)                                           \
    class Name final : public Base {                                             \
    public:                                                                      \
        static constexpr std::string_view kClassName = #Name;                    \
        void Calculate(double depth) override;                                   \
        std::string_view ClassName() const override { return kClassName; }      \
    }

// Aggregates over any number of arguments.
LOGGARD_CURVE_NODE(RCurveSum, RCurveFunctionNArgs);
LOGGARD_CURVE_NODE(RCurveSumSQ, RCurveFunctionNArgs);
LOGGARD_CURVE_NODE(RCurveMin, RCurveFunctionNArgs);
LOGGARD_CURVE_NODE(RCurveMax, RCurveFunctionNArgs);

class RCurveAverage final : public RCurveFunctionNArgs {
public:
    static constexpr std::string_view kClassName = "RCurveAverage";
    static constexpr std::array<std::string_view, 2> kNames = {"AVG", "AVERAGE"};
    static constexpr std::string_view kSyntax = "AVG | AVERAGE(param,...)";
    void Calculate(double depth) override;
    std::string_view ClassName() const override { return kClassName; }
};

// The current depth; never null.
class RCurveD final : public RCurveFunction0Args {
public:
    static constexpr std::string_view kClassName = "RCurveD";
    static constexpr std::array<std::string_view, 2> kNames = {"D", "DEPTH"};
    static constexpr std::string_view kSyntax = "D | DEPTH";
    void Calculate(double depth) override;
    std::string_view ClassName() const override { return kClassName; }
};

// Logic: IF takes its third argument when the condition is null or false;
// AND, OR and NOT give exactly 0 or 1; TRUE and FALSE ignore any argument.
LOGGARD_CURVE_NODE(RCurveIf, RCurveFunction3Args);
LOGGARD_CURVE_NODE(RCurveAnd, RCurveFunctionNArgs);
LOGGARD_CURVE_NODE(RCurveOr, RCurveFunctionNArgs);
LOGGARD_CURVE_NODE(RCurveNot, RCurveFunction1Args);
class RCurveTrue final : public RCurveFunction1Args {
public:
    static constexpr std::string_view kClassName = "RCurveTrue";
    static constexpr int kMinArgCount = 0;  // TRUE() is 1
    void Calculate(double depth) override;
    std::string_view ClassName() const override { return kClassName; }
};
class RCurveFalse final : public RCurveFunction1Args {
public:
    static constexpr std::string_view kClassName = "RCurveFalse";
    static constexpr int kMinArgCount = 0;  // FALSE() is 0
    void Calculate(double depth) override;
    std::string_view ClassName() const override { return kClassName; }
};
LOGGARD_CURVE_NODE(RCurveIsNull, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveNull, RCurveFunction0Args);

// Mathematics; arguments outside a function's domain give null.
LOGGARD_CURVE_NODE(RCurveLn, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveLg, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveLog, RCurveFunction2Args);
LOGGARD_CURVE_NODE(RCurveSqrt, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveExp, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveAbs, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveSign, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurvePi, RCurveFunction0Args);
LOGGARD_CURVE_NODE(RCurveSin, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveCos, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveTan, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveASin, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveACos, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveATan, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveSinh, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveCosh, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveTanh, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveASinh, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveACosh, RCurveFunction1Args);
LOGGARD_CURVE_NODE(RCurveATanh, RCurveFunction1Args);
