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

namespace {

// The irregular depth index of the data set's file curves: the one they all
// share (by pointer or, after a load from the container form, by content).
// Null when every file curve is regular; `conflict` is set when irregular
// curves carry different indexes, which give no common grid.
std::shared_ptr<const TDoubleArray> SharedDepthIndex(const RLasData& data, const RLasCurve*& owner, bool& conflict)
{
    std::shared_ptr<const TDoubleArray> shared;
    conflict = false;
    owner = nullptr;
    for (const auto& source : data.Curves()) {
        if (source->IsCalculated() || source->IsRegular())
            continue;
        if (!shared) {
            shared = source->Depths;
            owner = source.get();
        } else if (source->Depths != shared && *source->Depths != *shared) {
            conflict = true;
            return nullptr;
        }
    }
    return shared;
}

}  // namespace

bool RCurveCalcMethod::Compute(const RLasData& data, RLasCurve& curve) const
{
    curve.Data.Samples.clear();
    curve.Depths.reset();
    curve.NullValue = kNullValue;
    curve.MinValue = 0.0;
    curve.MaxValue = 1.0;
    if (!Root)
        return false;

    const RLasCurve* indexOwner = nullptr;
    bool conflict = false;
    std::shared_ptr<const TDoubleArray> depths = SharedDepthIndex(data, indexOwner, conflict);
    if (conflict)
        return false;
    std::size_t count = 0;
    double first = 0.0, step = 0.0;
    if (depths) {
        // An irregular file: one sample per row of its index, at the row's
        // depth; regular file curves beside it are read at those depths.
        curve.Depths = depths;
        curve.FirstDepth = indexOwner->FirstDepth;
        curve.LastDepth = indexOwner->LastDepth;
        curve.Data.Step = 0.0;
        count = depths->size();
        if (count == 0 || count > kMaxSamples) {
            curve.Depths.reset();
            return false;
        }
    } else {
        // The depth grid covers every file curve; calculated curves take no
        // part. Depths may run down as well as up (a negative step, as in
        // many LAS files); the grid then starts at the largest first depth.
        // Curves whose steps differ in sign or are zero have no common grid.
        bool anyCurve = false, mixed = false;
        double last = 0.0;
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
        count = static_cast<std::size_t>(span) + 1;
    }

    curve.Data.Samples.resize(count);
    bool anyValue = false;
    for (std::size_t k = count; k-- > 0;) {
        const double depth = depths ? (*depths)[k] : static_cast<double>(k) * step + first;
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
