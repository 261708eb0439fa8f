#include "calc/function_help.h"

#include <algorithm>

namespace {

// Registry order. Each row: class, {English, Russian} call form, {English,
// Russian} line. "Null" is a sample without a value.
const std::array<RFunctionHelp, 34> kHelp = {{
    {"RCurveSum", {"SUM(a, b, ...)", "SUM(a, b, ...)"},
     {"sum of the arguments that are not null", "сумма аргументов, у которых есть значение"}},
    {"RCurveSumSQ", {"SUMSQ(a, b, ...)", "SUMSQ(a, b, ...)"},
     {"sum of the squares of the arguments that are not null", "сумма квадратов аргументов, у которых есть значение"}},
    {"RCurveAverage", {"AVG | AVERAGE(a, b, ...)", "AVG | AVERAGE(a, b, ...)"},
     {"mean of the arguments that are not null", "среднее аргументов, у которых есть значение"}},
    {"RCurveMin", {"MIN(a, b, ...)", "MIN(a, b, ...)"},
     {"smallest argument that is not null", "наименьший из аргументов, у которых есть значение"}},
    {"RCurveMax", {"MAX(a, b, ...)", "MAX(a, b, ...)"},
     {"largest argument that is not null", "наибольший из аргументов, у которых есть значение"}},
    {"RCurveD", {"D | DEPTH", "D | DEPTH"}, {"depth of the current sample", "глубина текущей точки"}},
    {"RCurveIf", {"IF(condition, a, b)", "IF(условие, a, b)"},
     {"a where condition is non-zero, else b", "a там, где условие не равно нулю, иначе b"}},
    {"RCurveAnd", {"AND(a, b, ...)", "AND(a, b, ...)"},
     {"1 where every argument that is not null is non-zero, else 0",
      "1, где все аргументы со значением не равны нулю, иначе 0"}},
    {"RCurveOr", {"OR(a, b, ...)", "OR(a, b, ...)"},
     {"1 where some argument that is not null is non-zero, else 0",
      "1, где хотя бы один аргумент со значением не равен нулю, иначе 0"}},
    {"RCurveNot", {"NOT(a)", "NOT(a)"}, {"1 where a is zero, else 0", "1, где a равно нулю, иначе 0"}},
    {"RCurveTrue", {"TRUE()", "TRUE()"}, {"the constant 1", "константа 1"}},
    {"RCurveFalse", {"FALSE()", "FALSE()"}, {"the constant 0", "константа 0"}},
    {"RCurveIsNull", {"ISNULL(a)", "ISNULL(a)"},
     {"1 where a is null (has no value), else 0", "1, где у a нет значения (null), иначе 0"}},
    {"RCurveNull", {"NULL", "NULL"}, {"no value (null) at every depth", "отсутствие значения (null) на любой глубине"}},
    {"RCurveLn", {"LN(a)", "LN(a)"}, {"natural logarithm of a", "натуральный логарифм a"}},
    {"RCurveLg", {"LG(a)", "LG(a)"}, {"base 10 logarithm of a", "десятичный логарифм a"}},
    {"RCurveLog", {"LOG(a, base)", "LOG(a, основание)"},
     {"logarithm of a to the given base", "логарифм a по заданному основанию"}},
    {"RCurveSqrt", {"SQRT(a)", "SQRT(a)"}, {"square root of a", "квадратный корень из a"}},
    {"RCurveExp", {"EXP(a)", "EXP(a)"}, {"e to the power a", "e в степени a"}},
    {"RCurveAbs", {"ABS(a)", "ABS(a)"}, {"absolute value of a", "модуль a"}},
    {"RCurveSign", {"SIGN(a)", "SIGN(a)"}, {"-1, 0 or 1 by the sign of a", "знак a: -1, 0 или 1"}},
    {"RCurvePi", {"PI", "PI"}, {"the number pi, 3.14159...", "число пи, 3,14159..."}},
    {"RCurveSin", {"SIN(a)", "SIN(a)"}, {"sine of a (a in radians)", "синус a (a в радианах)"}},
    {"RCurveCos", {"COS(a)", "COS(a)"}, {"cosine of a (a in radians)", "косинус a (a в радианах)"}},
    {"RCurveTan", {"TAN(a)", "TAN(a)"}, {"tangent of a (a in radians)", "тангенс a (a в радианах)"}},
    {"RCurveASin", {"ASIN(a)", "ASIN(a)"}, {"arc sine of a, in radians", "арксинус a, в радианах"}},
    {"RCurveACos", {"ACOS(a)", "ACOS(a)"}, {"arc cosine of a, in radians", "арккосинус a, в радианах"}},
    {"RCurveATan", {"ATAN(a)", "ATAN(a)"}, {"arc tangent of a, in radians", "арктангенс a, в радианах"}},
    {"RCurveSinh", {"SINH(a)", "SINH(a)"}, {"hyperbolic sine of a", "гиперболический синус a"}},
    {"RCurveCosh", {"COSH(a)", "COSH(a)"}, {"hyperbolic cosine of a", "гиперболический косинус a"}},
    {"RCurveTanh", {"TANH(a)", "TANH(a)"}, {"hyperbolic tangent of a", "гиперболический тангенс a"}},
    {"RCurveASinh", {"ASINH(a)", "ASINH(a)"}, {"inverse hyperbolic sine of a", "обратный гиперболический синус a"}},
    {"RCurveACosh", {"ACOSH(a)", "ACOSH(a)"},
     {"inverse hyperbolic cosine of a (a from 1 up)", "обратный гиперболический косинус a (a не меньше 1)"}},
    {"RCurveATanh", {"ATANH(a)", "ATANH(a)"},
     {"inverse hyperbolic tangent of a (a from -1 to 1)", "обратный гиперболический тангенс a (a от -1 до 1)"}},
}};

}  // namespace

std::span<const RFunctionHelp> FunctionHelpTable() { return kHelp; }

const RFunctionHelp* FindFunctionHelp(std::string_view className)
{
    const auto found = std::find_if(kHelp.begin(), kHelp.end(),
                                    [className](const RFunctionHelp& help) { return help.className == className; });
    return found == kHelp.end() ? nullptr : &*found;
}
