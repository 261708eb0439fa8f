#pragma once
// In-memory file curves on an irregular depth index (one depth per sample,
// shared by the curves of one data set), for tests of every reader of depths.

#include "las/las_curve.h"
#include "las/las_data.h"

#include <memory>
#include <string>
#include <vector>

// Seven rows, in metres: half-metre spacing with a jittered third row, a
// gap of 3.5 m, then rows 0.4 m and 0.6 m apart.
inline std::vector<double> JitteredDepthsWithGap() { return {1000.0, 1000.5, 1001.1, 1001.5, 1005.0, 1005.4, 1006.0}; }

// The same rows read from the bottom up.
inline std::vector<double> DescendingJitteredDepthsWithGap()
{
    const std::vector<double> down = JitteredDepthsWithGap();
    return {down.rbegin(), down.rend()};
}

inline std::shared_ptr<const TDoubleArray> DepthIndex(std::vector<double> depths)
{
    return std::make_shared<const TDoubleArray>(std::move(depths));
}

// A file curve with one sample per row of `depths` (Step 0, first and last
// depth from the index); values equal to `nullValue` are null samples.
// Appended to `data`, which holds it.
inline RLasCurve& AddIrregularFileCurve(RLasData& data, const std::string& name,
                                        const std::shared_ptr<const TDoubleArray>& depths,
                                        const std::vector<double>& values, double nullValue,
                                        const std::string& unit = {})
{
    auto curve = std::make_unique<RLasCurve>();
    curve->Mnemonic = name;
    curve->Unit = unit;
    curve->Depths = depths;
    curve->FirstDepth = depths->empty() ? 0.0 : depths->front();
    curve->LastDepth = depths->empty() ? 0.0 : depths->back();
    curve->Data.Step = 0.0;
    curve->NullValue = nullValue;
    curve->FromFile = true;
    curve->SetValues(values);
    return *data.AppendCurve(std::move(curve), "");
}
