#include "calc/calc_method.h"

#include "calc/formula_parser.h"
#include "container/dc_node.h"
#include "las/las_curve.h"
#include "las/las_data.h"

#include <algorithm>
#include <cmath>

void RCurveCalcMethod::Parse(const RLasData& data) { RCurveFormulaParser::Parse(*this, data); }

void RCurveCalcMethod::ClearTree()
{
    Nodes.clear();
    Root.reset();
}

bool RCurveCalcMethod::Compute(const RLasData& data, RLasCurve& curve) const
{
    curve.Data.Samples.clear();
    curve.NullValue = kNullValue;
    curve.MinValue = 0.0;
    curve.MaxValue = 1.0;
    if (!Root)
        return false;

    // The depth grid covers every file curve; calculated curves take no part.
    // Depths may run down as well as up (a negative step, as in many LAS
    // files); the grid then starts at the largest first depth. Curves whose
    // steps differ in sign or are zero have no common grid.
    bool anyCurve = false, mixed = false;
    double first = 0.0, last = 0.0, step = 0.0;
    for (const auto& source : data.Curves()) {
        if (source->IsCalculated())
            continue;
        if (!anyCurve) {
            first = source->FirstDepth;
            last = source->LastDepth;
            step = source->Data.Step;
            anyCurve = true;
        } else if (step > 0.0) {
            mixed = mixed || !(source->Data.Step > 0.0);
            first = std::min(first, source->FirstDepth);
            last = std::max(last, source->LastDepth);
            step = std::min(step, source->Data.Step);
        } else {
            mixed = mixed || !(source->Data.Step < 0.0);
            first = std::max(first, source->FirstDepth);
            last = std::min(last, source->LastDepth);
            step = std::max(step, source->Data.Step);
        }
    }
    curve.FirstDepth = first;
    curve.LastDepth = last;
    curve.Data.Step = step;
    if (!anyCurve || mixed || !(step > 0.0 || step < 0.0))
        return false;
    // Rounded, not truncated: (last - first) / step often lands a hair
    // below the integer it stands for.
    const double span = std::round((last - first) / step);
    if (!(span >= 0.0) || !(span < static_cast<double>(kMaxSamples)))
        return false;
    const std::size_t count = static_cast<std::size_t>(span) + 1;

    curve.Data.Samples.resize(count);
    bool anyValue = false;
    for (std::size_t k = count; k-- > 0;) {
        const double depth = static_cast<double>(k) * step + first;
        for (RCurveArg* node : Nodes)
            node->Calculate(depth);
        RLasSample sample;
        if (Root->IsNull) {
            sample.Value = kNullValue;
            sample.Flags = kSampleNull;
        } else {
            sample.Value = Root->Value;
            if (!anyValue) {
                curve.MinValue = curve.MaxValue = sample.Value;
                anyValue = true;
            } else {
                // Root->Value, not sample.Value: std::min binds references, and
                // a packed sample's Value may be misaligned.
                curve.MinValue = std::min(curve.MinValue, Root->Value);
                curve.MaxValue = std::max(curve.MaxValue, Root->Value);
            }
        }
        curve.Data.Samples[k] = sample;
    }
    return true;
}

void RCurveCalcMethod::LoadFromNode(const RDCNode& node)
{
    const RDCObject* object = node.ObjectAt(0);
    const RDCValue* value = object ? object->ValueAt(0) : nullptr;
    Formula = value ? std::string(value->AsString()) : std::string();
    ClearTree();
}

void RCurveCalcMethod::SaveToNode(RDCNode& node) const { node.Object(0)->Value(0)->SetString(Formula); }
