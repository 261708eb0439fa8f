#include "calc/curve_lookup.h"

#include "las/las_data.h"

#include <algorithm>

namespace {

// The signs of the comparison operators < <= > >= = <>.
constexpr std::string_view kComparisonSigns = "<>=";

bool HoldsComparisonSign(const RLasCurve& curve)
{
    return curve.Mnemonic.find_first_of(kComparisonSigns) != std::string::npos;
}

// Takes one more curve into the grid, in curve order.
void Fold(RDepthGrid& grid, const RLasCurve& source, int curveIndex)
{
    if (source.IsCalculated())
        return;
    if (!source.IsRegular() && !grid.Conflict) {
        if (!grid.Depths) {
            grid.Depths = source.Depths;
            grid.IndexOwner = curveIndex;
        } else if (source.Depths != grid.Depths && *source.Depths != *grid.Depths) {
            grid.Conflict = true;
            grid.Depths.reset();
            grid.IndexOwner = -1;
        }
    }
    if (!grid.AnyCurve) {
        grid.First = source.FirstDepth;
        grid.Last = source.LastDepth;
        grid.Step = source.Data.Step;
        grid.AnyCurve = true;
    } else if (grid.Step > 0.0) {
        grid.Mixed = grid.Mixed || !(source.Data.Step > 0.0);
        grid.First = std::min(grid.First, source.FirstDepth);
        grid.Last = std::max(grid.Last, source.LastDepth);
        grid.Step = std::min(grid.Step, source.Data.Step);
    } else {
        grid.Mixed = grid.Mixed || !(source.Data.Step < 0.0);
        grid.First = std::max(grid.First, source.FirstDepth);
        grid.Last = std::min(grid.Last, source.LastDepth);
        grid.Step = std::max(grid.Step, source.Data.Step);
    }
}

// Whether the grid folds the two curves alike (same place, same depths).
bool SameForGrid(const RLasCurve& a, const RLasCurve& b)
{
    if (a.IsCalculated() || b.IsCalculated())
        return a.IsCalculated() && b.IsCalculated();
    // NaN depths compare unequal: the grid is then folded again, which is
    // only slower.
    return a.FirstDepth == b.FirstDepth && a.LastDepth == b.LastDepth && a.Data.Step == b.Data.Step
           && a.Depths == b.Depths;
}

}  // namespace

std::string UpperName(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

void RCurveLookup::AddName(const RLasCurve& curve, int curveIndex) const
{
    if (curve.IsCalculated())
        return;
    std::vector<int>& indexes = byName_[UpperName(curve.Mnemonic)];
    indexes.insert(std::upper_bound(indexes.begin(), indexes.end(), curveIndex), curveIndex);
    if (HoldsComparisonSign(curve))
        ++comparisonNames_;
}

void RCurveLookup::BuildNames() const
{
    if (namesBuilt_)
        return;
    const auto& curves = data_.Curves();
    byName_.reserve(curves.size());
    for (std::size_t i = 0; i < curves.size(); ++i)
        AddName(*curves[i], static_cast<int>(i));
    namesBuilt_ = true;
}

const RLasCurve* RCurveLookup::Find(std::string_view name) const
{
    BuildNames();
    const auto found = byName_.find(UpperName(name));
    if (found == byName_.end() || found->second.empty())
        return nullptr;
    return data_.Curves()[static_cast<std::size_t>(found->second.back())].get();
}

bool RCurveLookup::NamesHoldComparisonSigns() const
{
    BuildNames();
    return comparisonNames_ > 0;
}

const RDepthGrid& RCurveLookup::Grid() const
{
    if (!gridBuilt_) {
        grid_ = {};
        const auto& curves = data_.Curves();
        for (std::size_t i = 0; i < curves.size(); ++i)
            Fold(grid_, *curves[i], static_cast<int>(i));
        gridBuilt_ = true;
    }
    return grid_;
}

void RCurveLookup::Appended()
{
    const auto& curves = data_.Curves();
    if (curves.empty())
        return;
    const int curveIndex = static_cast<int>(curves.size()) - 1;
    if (namesBuilt_)
        AddName(*curves.back(), curveIndex);
    if (gridBuilt_)
        Fold(grid_, *curves.back(), curveIndex);
}

void RCurveLookup::Replaced(int curveIndex, const RLasCurve& previous)
{
    const auto& curves = data_.Curves();
    if (curveIndex < 0 || static_cast<std::size_t>(curveIndex) >= curves.size())
        return;
    const RLasCurve& current = *curves[static_cast<std::size_t>(curveIndex)];
    if (namesBuilt_) {
        if (!previous.IsCalculated()) {
            const auto found = byName_.find(UpperName(previous.Mnemonic));
            if (found != byName_.end()) {
                std::erase(found->second, curveIndex);
                if (found->second.empty())
                    byName_.erase(found);
            }
            if (HoldsComparisonSign(previous))
                --comparisonNames_;
        }
        AddName(current, curveIndex);
    }
    // The fold is not undone curve by curve: a curve of other depths in the
    // same place folds the grid again.
    if (gridBuilt_ && !SameForGrid(previous, current))
        gridBuilt_ = false;
}
