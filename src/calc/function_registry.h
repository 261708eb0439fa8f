#pragma once
// The function registry: the node classes a formula may call by name, in
// their fixed order, with the class-level answers the parser and the
// calculator window ask of them (IsName, ArgCount, SyntaxText,
// FunctionName). Operators, RCurveLink and RCurveConst are not in it.

#include "calc/curve_arg.h"

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

struct RCurveFunctionClass {
    std::string_view className;  // "RCurveSum"
    int argCount;                // -1: any number
    // Fewest arguments a call must write: argCount for fixed arities, 0 for
    // the rest and for TRUE() and FALSE(), which ignore their argument.
    int minArgCount;
    // Names accepted instead of the class name without "RCurve" (D | DEPTH,
    // AVG | AVERAGE); empty for the rest.
    std::array<std::string_view, 2> names;
    std::string_view syntax;     // replaces the generated syntax text when set
    std::unique_ptr<RCurveFunction> (*create)();

    // `upperName` is already upper-cased.
    bool IsName(std::string_view upperName) const;
    int ArgCount() const { return argCount; }
    // "Sum", "IsNull", "ASinh": the class name without "RCurve".
    std::string FunctionName() const;
    // "Log(param,param)", "Sum(param,...)", "Pi".
    std::string SyntaxText() const;
};

// The 34 registered classes in registry order.
std::span<const RCurveFunctionClass> FunctionRegistry();

// The last registered class that accepts `upperName`; with `zeroArgsOnly`
// only classes without arguments (D, DEPTH, NULL, PI) are considered.
// None when no class accepts the name.
const RCurveFunctionClass* FindFunctionClass(std::string_view upperName, bool zeroArgsOnly = false);
