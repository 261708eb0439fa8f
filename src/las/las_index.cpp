#include "las/las_index.h"

#include "las/las_data.h"
#include "las/las_problem.h"
#include "las/las_tolerance.h"

#include <cmath>

namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr double kExact = 9007199254740992.0;  // 2^53: integers below are exact doubles

// `value` in units of 10^-decimals, when it is a whole number of them.
bool WholeUnits(double value, int decimals, std::int64_t& units)
{
    const double scaled = value * kPowersOfTen[decimals];
    if (!(std::fabs(scaled) < kExact))
        return false;
    const double rounded = std::nearbyint(scaled);
    // A step such as 0.1524 scales to 1523.9999999999998: near enough.
    if (!(std::fabs(scaled - rounded) <= 1e-6 * std::max(1.0, std::fabs(rounded))))
        return false;
    units = static_cast<std::int64_t>(rounded);
    return true;
}

// A regular grid of `depths` with the step `step` (rounded to the
// decimals), or none: every depth within the tolerance of where the grid
// puts it, and the first exactly on it.
bool MakeGrid(const TDoubleArray& depths, int decimals, double step, RLasIndex& index)
{
    if (decimals < 0 || decimals > 22 || !(step > 0.0 || step < 0.0) || !std::isfinite(step))
        return false;
    RLasIndex grid;
    grid.Decimals = decimals;
    grid.Count = depths.size();
    if (!WholeUnits(depths.front(), decimals, grid.FirstUnits) || !WholeUnits(step, decimals, grid.StepUnits)
        || grid.StepUnits == 0)
        return false;
    const double last = static_cast<double>(grid.FirstUnits)
                        + static_cast<double>(depths.size() - 1) * static_cast<double>(grid.StepUnits);
    if (!(std::fabs(last) < kExact))
        return false;
    grid.First = static_cast<double>(grid.FirstUnits) / kPowersOfTen[decimals];
    grid.Step = static_cast<double>(grid.StepUnits) / kPowersOfTen[decimals];
    if (grid.First != depths.front())
        return false;
    const double tolerance = LasTolerance::kStepTolerance * std::fabs(grid.Step);
    for (std::size_t i = 0; i < depths.size(); ++i)
        if (!(std::fabs(depths[i] - grid.Depth(i)) <= tolerance))
            return false;
    index = grid;
    return true;
}

std::string Written(double value) { return LasNumberFormat::General15(value); }

void ReportDisagreement(RLasProblemKind kind, const std::string& path, double header, double found)
{
    Report({.Kind = kind, .Path = path, .Header = Written(header), .Found = Written(found)});
}

// The header's STRT, STOP, STEP and row count against the data's index.
void CheckHeader(const RLasIndex& index, const TDoubleArray& depths, const TLasWellSection& well,
                 const std::string& path, bool regular)
{
    const std::size_t n = depths.size();
    const double dataStep = n > 1 ? (depths.back() - depths.front()) / static_cast<double>(n - 1) : 0.0;
    // How far STRT and STOP may lie from the data: a share of the step.
    double step = regular ? index.Step : (well.Step != 0.0 ? well.Step : dataStep);
    if (!(step > 0.0 || step < 0.0))
        step = 1.0;
    const double tolerance = LasTolerance::kStepTolerance * std::fabs(step);
    if (!(std::fabs(well.Strt - depths.front()) <= tolerance))
        ReportDisagreement(RLasProblemKind::StrtDisagrees, path, well.Strt, depths.front());
    if (!(std::fabs(well.Stop - depths.back()) <= tolerance))
        ReportDisagreement(RLasProblemKind::StopDisagrees, path, well.Stop, depths.back());
    if (regular && n > 1) {
        if (well.Step == 0.0)
            Report({.Kind = RLasProblemKind::StepZeroOverRegularData, .Path = path, .Found = Written(index.Step)});
        else if (!(std::fabs(well.Step - index.Step) <= LasTolerance::kStepTolerance * std::fabs(index.Step)))
            ReportDisagreement(RLasProblemKind::StepDisagrees, path, well.Step, index.Step);
    } else if (!regular && well.Step != 0.0) {
        Report({.Kind = RLasProblemKind::IrregularDepths, .Path = path, .Header = Written(well.Step)});
    }
    if (well.Step != 0.0) {
        const std::int64_t declared = RLasData::SampleCountFor(well.Strt, well.Stop, well.Step);
        if (declared >= 0 && declared != static_cast<std::int64_t>(n))
            Report({.Kind = RLasProblemKind::RowCountDisagrees, .Path = path, .Count = static_cast<std::int64_t>(n),
                    .Expected = declared});
    }
    // Rows stay in file order; the first that goes against the rest is named.
    const double direction = depths.back() >= depths.front() ? 1.0 : -1.0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((depths[i] - depths[i - 1]) * direction < 0.0) {
            Report({.Kind = RLasProblemKind::DepthsGoBack, .Path = path, .Row = static_cast<std::int64_t>(i + 1)});
            break;
        }
    }
}

}  // namespace

double RLasIndex::Depth(std::size_t row) const
{
    if (Depths)
        return (*Depths)[row];
    if (Decimals >= 0)
        return static_cast<double>(FirstUnits + static_cast<std::int64_t>(row) * StepUnits) / kPowersOfTen[Decimals];
    return First + static_cast<double>(row) * Step;
}

RLasIndex RLasIndex::FromDepths(TDoubleArray depths, int decimals, const TLasWellSection& well, const std::string& path)
{
    RLasIndex index;
    index.Count = depths.size();
    if (depths.empty()) {
        index.First = well.Strt;
        index.Step = well.Step;
        return index;
    }
    index.First = depths.front();
    const std::size_t n = depths.size();
    if (n == 1) {
        index.Step = well.Step;
    } else if (!MakeGrid(depths, decimals, well.Step, index)) {
        MakeGrid(depths, decimals, (depths.back() - depths.front()) / static_cast<double>(n - 1), index);
    }
    const bool regular = n == 1 || index.Step != 0.0;
    CheckHeader(index, depths, well, path, regular);
    // Regular depths need no list.
    if (!regular)
        index.Depths = std::make_shared<const TDoubleArray>(std::move(depths));
    return index;
}

void RLasIndex::ApplyTo(RLasCurve& curve) const
{
    curve.FirstDepth = First;
    curve.LastDepth = Count ? Last() : First;
    curve.Data.Step = Step;
    curve.Depths = Depths;
}
