#include "calc/function_registry.h"

#include "calc/curve_functions.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kClassPrefix = "RCurve";

template <class T>
constexpr RCurveFunctionClass ClassOf()
{
    RCurveFunctionClass info{T::kClassName, T::kArgCount, std::max(T::kArgCount, 0), {}, {}, [] {
                                 return std::unique_ptr<RCurveFunction>(std::make_unique<T>());
                             }};
    if constexpr (requires { T::kNames; })
        info.names = T::kNames;
    if constexpr (requires { T::kMinArgCount; })
        info.minArgCount = T::kMinArgCount;
    if constexpr (requires { T::kSyntax; })
        info.syntax = T::kSyntax;
    return info;
}

// Registry order is part of the program: lookups walk it from the end, and
// the calculator window lists the functions in this order.
const std::array<RCurveFunctionClass, 34> kRegistry = {
    ClassOf<RCurveSum>(),   ClassOf<RCurveSumSQ>(), ClassOf<RCurveAverage>(), ClassOf<RCurveMin>(),
    ClassOf<RCurveMax>(),   ClassOf<RCurveD>(),     ClassOf<RCurveIf>(),      ClassOf<RCurveAnd>(),
    ClassOf<RCurveOr>(),    ClassOf<RCurveNot>(),   ClassOf<RCurveTrue>(),    ClassOf<RCurveFalse>(),
    ClassOf<RCurveIsNull>(), ClassOf<RCurveNull>(), ClassOf<RCurveLn>(),      ClassOf<RCurveLg>(),
    ClassOf<RCurveLog>(),   ClassOf<RCurveSqrt>(),  ClassOf<RCurveExp>(),     ClassOf<RCurveAbs>(),
    ClassOf<RCurveSign>(),  ClassOf<RCurvePi>(),    ClassOf<RCurveSin>(),     ClassOf<RCurveCos>(),
    ClassOf<RCurveTan>(),   ClassOf<RCurveASin>(),  ClassOf<RCurveACos>(),    ClassOf<RCurveATan>(),
    ClassOf<RCurveSinh>(),  ClassOf<RCurveCosh>(),  ClassOf<RCurveTanh>(),    ClassOf<RCurveASinh>(),
    ClassOf<RCurveACosh>(), ClassOf<RCurveATanh>(),
};

}  // namespace

bool RCurveFunctionClass::IsName(std::string_view upperName) const
{
    if (!names[0].empty())
        return std::find(names.begin(), names.end(), upperName) != names.end() && !upperName.empty();
    const std::string_view own = className.substr(kClassPrefix.size());
    return std::equal(own.begin(), own.end(), upperName.begin(), upperName.end(),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

std::string RCurveFunctionClass::FunctionName() const
{
    return std::string(className.substr(kClassPrefix.size()));
}

std::string RCurveFunctionClass::SyntaxText() const
{
    if (!syntax.empty())
        return std::string(syntax);
    std::string text = FunctionName();
    if (argCount < 0) {
        text += "(param,...)";
    } else if (argCount > 0) {
        text += '(';
        for (int i = 0; i < argCount; ++i)
            text += i == 0 ? "param" : ",param";
        text += ')';
    }
    return text;
}

std::span<const RCurveFunctionClass> FunctionRegistry() { return kRegistry; }

const RCurveFunctionClass* FindFunctionClass(std::string_view upperName, bool zeroArgsOnly)
{
    for (auto it = kRegistry.rbegin(); it != kRegistry.rend(); ++it) {
        if (zeroArgsOnly && it->argCount != 0)
            continue;
        if (it->IsName(upperName))
            return &*it;
    }
    return nullptr;
}
