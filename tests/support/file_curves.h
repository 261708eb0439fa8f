#pragma once
// In-memory file curves for tests that build a data set without a LAS file.

#include "las/las_curve.h"
#include "las/las_data.h"

#include <memory>
#include <string>
#include <vector>

// A file curve on the grid first, first + step, ...; values equal to
// `nullValue` are null samples. Appended to `data`, which holds it.
inline RLasCurve& AddFileCurve(RLasData& data, const std::string& name, double first, double step,
                               const std::vector<double>& values, double nullValue, const std::string& unit = {})
{
    auto curve = std::make_unique<RLasCurve>();
    curve->Mnemonic = name;
    curve->Unit = unit;
    curve->FirstDepth = first;
    curve->Data.Step = step;
    curve->LastDepth = first + step * static_cast<double>(values.size() - 1);
    curve->NullValue = nullValue;
    curve->FromFile = true;
    curve->SetValues(values);
    return *data.AppendCurve(std::move(curve), "");
}
