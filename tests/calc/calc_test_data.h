#pragma once
// Small in-memory data sets for calculator tests, and a one-call evaluator.

#include "calc/calc_method.h"
#include "las/las_curve.h"
#include "las/las_data.h"
#include "support/file_curves.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr double kNull = -999.25;

// A file curve on the grid first, first + step, ...; values equal to kNull
// are null samples.
inline RLasCurve& AddFileCurve(RLasData& data, const std::string& name, double first, double step,
                               const std::vector<double>& values)
{
    return AddFileCurve(data, name, first, step, values, kNull);
}

// GR and RHOB over 1000, 1000.5, ... 1002; GR is null at 1001.
inline void FillSample(RLasData& data)
{
    AddFileCurve(data, "GR", 1000.0, 0.5, {10.0, 20.0, kNull, 40.0, 50.0});
    AddFileCurve(data, "RHOB", 1000.0, 0.5, {2.1, 2.2, 2.3, 2.4, 2.5});
}

// The formula's value at `depth`; none when it is null there.
inline std::optional<double> Evaluate(const std::string& formula, const RLasData& data, double depth = 1000.0)
{
    RCurveCalcMethod method(formula);
    method.Parse(data);
    for (RCurveArg* node : method.Nodes)
        node->Calculate(depth);
    if (method.Root->IsNull)
        return std::nullopt;
    return method.Root->Value;
}

// The message of the RError the formula raises; empty when it parses.
inline std::string ParseError(const std::string& formula, const RLasData& data)
{
    RCurveCalcMethod method(formula);
    try {
        method.Parse(data);
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}
