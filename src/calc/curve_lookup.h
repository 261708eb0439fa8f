#pragma once
// RCurveLookup: what parsing and computing formulas read of a data set's
// file curves (calculated curves take no part), worked out once for every
// method parsed and computed against the same data set: the curves by
// upper-cased name, whether a name holds a comparison sign, and the depth
// grid. Each part is built on first use. While the lookup lives, the caller
// reports every curve it appends (Appended) or replaces (Replaced); any
// other change of the data set's curves needs a new lookup.

#include "las/las_curve.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class RLasData;

// Function and curve names compare in upper case (ASCII letters only: the
// text is 8-bit bytes of unknown encoding).
std::string UpperName(std::string_view name);

// The depth grid of a data set's file curves, folded over them in order
// (RCurveCalcMethod::Compute says what it gives).
struct RDepthGrid {
    // Over every file curve: the first curve's depths and step, then the
    // smallest first depth, largest last depth and smallest step (for a
    // negative step the other way round). Mixed: the steps differ in sign.
    bool AnyCurve = false;
    bool Mixed = false;
    double First = 0.0;
    double Last = 0.0;
    double Step = 0.0;
    // The irregular depth index the irregular file curves share, null when
    // every file curve is regular; the curve index of the first of them.
    // Conflict: their indexes differ.
    std::shared_ptr<const TDoubleArray> Depths;
    int IndexOwner = -1;
    bool Conflict = false;
};

class RCurveLookup {
public:
    explicit RCurveLookup(const RLasData& data) : data_(data) {}

    const RLasData& Data() const { return data_; }
    // The file curve named `name`, letter case ignored; of several, the
    // last one. Null when none is.
    const RLasCurve* Find(std::string_view name) const;
    // Whether a file curve's name holds < > or =.
    bool NamesHoldComparisonSigns() const;
    const RDepthGrid& Grid() const;

    // The data set's last curve was just appended.
    void Appended();
    // Curve `curveIndex` was just replaced; `previous` is the curve it was.
    void Replaced(int curveIndex, const RLasCurve& previous);

private:
    void BuildNames() const;
    void AddName(const RLasCurve& curve, int curveIndex) const;

    const RLasData& data_;
    // Upper-cased name -> curve indexes of the file curves of that name, in
    // ascending order.
    mutable std::unordered_map<std::string, std::vector<int>> byName_;
    mutable int comparisonNames_ = 0;
    mutable bool namesBuilt_ = false;
    mutable RDepthGrid grid_;
    mutable bool gridBuilt_ = false;
};
