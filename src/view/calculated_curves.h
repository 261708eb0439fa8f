#pragma once
// Calculated curves of a loaded data set: the stored calculation methods
// rebuilt at every load, and the commit of the calculator window's entries
// into the data set as ordinary columns.

#include "calc/calc_method.h"
#include "container/language.h"
#include "las/las_curve.h"

#include <string>
#include <vector>

class RLasCurve;
class RLasData;
class RLasSettings;
class RLasStoreSettings;

// Replaces the data set's calculated curves by those of the stored methods:
// every curve with a formula is removed, then each method (in name order)
// that parses against the file curves becomes a curve named after the
// method, carrying its formula and method name, with a column of its values.
// A method that does not parse, or whose name is one a new column could
// not carry (see CommitCalcEntries), yields no curve, silently. The methods are
// left without a tree (it would refer to this data set's curves).
void RebuildCalculatedCurves(RLasData& data, const RLasStoreSettings& settings);

// Whether `name` can be a calculated curve's name and column: not empty,
// not a depth name, and one a ~C line can hold (no period, no leading ~ or
// #, no control characters, no blanks at either end).
bool IsFitCalcCurveName(const std::string& name);
// The message that refuses such a name (RCalcCurveError's BadName).
std::string CalcCurveNameProblem(const std::string& name, RLanguage language = RLanguage::Russian);

// One curve of the calculator window.
struct RCalcEntry {
    std::string Name;
    RCurveCalcMethod Method;
    // Index into the data set's curves once committed, -1 before; its data
    // column and ~C entry (after the index line) have the same index.
    int CurveIndex = -1;
};

// Writes the calculator's entries into the data set, all or nothing:
// - the curves in `deletedCurves` (curve indexes of entries committed
//   before and since removed) go with their column, ~C entry, stored view
//   and track entry; later indexes move down;
// - then, in list order, each entry is parsed against the data set (an
//   earlier entry is a file column by then) and computed: a new entry is
//   appended as a column with a ~C entry copied from the last one, a default
//   view and a track entry; a committed one replaces its curve and column.
// An entry that fails raises after everything this call changed is put
// back: RFormulaError for a parse error, RCalcCurveError for a name
// IsFitCalcCurveName refuses or a data set with no file loaded; `failedEntry` (when given) is then that entry's index in `entries`,
// or entries.size() when no entry is at fault.
void CommitCalcEntries(RLasData& data, RLasSettings& settings, std::vector<RCalcEntry>& entries,
                       std::vector<int> deletedCurves = {}, std::size_t* failedEntry = nullptr);
