#pragma once
// RCurveCalcMethod: a named formula with its parsed tree. Parsed against a
// data set (RCurveFormulaParser) it is computed over the depth grid of that
// data set's file curves into a curve; the tree refers to the data set's
// curves, so after another file is loaded it must be parsed again.

#include "calc/curve_arg.h"

#include <memory>
#include <string>
#include <vector>

class RDCNode;
class RLasCurve;
class RLasData;

class RCurveCalcMethod {
public:
    // Null samples of a computed curve hold this value.
    static constexpr double kNullValue = -999.25;
    // A computed curve never gets more samples than this (9 bytes each).
    static constexpr std::size_t kMaxSamples = std::size_t(1) << 27;

    RCurveCalcMethod() = default;
    explicit RCurveCalcMethod(std::string formula) : Formula(std::move(formula)) {}

    // Parses Formula against `data`, replacing any earlier tree. Raises
    // RError with the parser's message; the method then has no tree.
    void Parse(const RLasData& data);
    bool IsParsed() const { return Root != nullptr; }
    // Drops the tree (Root and Nodes).
    void ClearTree();

    // Computes the parsed method into `curve` over the depth grid of the
    // data set's file curves: the smallest first depth, the largest last
    // depth and the smallest step (for depths that decrease, the largest
    // first depth, the smallest last depth and the step nearest zero).
    // When the file curves carry an irregular depth index (one per sample,
    // shared by the curves of a file), the curve takes that index instead:
    // the same Depths, their first and last depths, step 0 and one sample
    // per row. Each sample runs the evaluation list at its depth; a null
    // root gives a null sample of kNullValue. Sets the curve's depths, step,
    // null value, samples and range (0..1 when every sample is null). False,
    // leaving the curve without samples, when the method is not parsed, the
    // data set has no file curve, the curves' steps are zero or differ in
    // sign, irregular curves carry different indexes, or the sample count
    // is out of bounds.
    bool Compute(const RLasData& data, RLasCurve& curve) const;

    // The persisted form: the formula is value 0 of object 0 of `node`.
    void LoadFromNode(const RDCNode& node);
    void SaveToNode(RDCNode& node) const;

    std::string Formula;
    std::unique_ptr<RCurveArg> Root;
    std::vector<RCurveArg*> Nodes;  // post-order; not owning; no constants
};
