#pragma once
// RCalculatorEntries: the curves of one document that the calculator window
// lists and edits: the stored calculation methods of the settings, as each
// met the loaded file, then the curves the calculator added since.
//
//     entries.ListStoredMethods(data, settings);     // once the file is loaded
//     std::vector<RCalculatorEntry> working = entries.Entries();
//     ... the window edits `working`, setting Edited on what the user changed ...
//     entries.Commit(data, settings, working);       // OK: all or nothing
//
// What OK does with an entry depends on where its curve comes from:
// - Calculator: the entry's curve was made from its formula (a stored method
//   applied when the file was loaded, or an entry committed earlier; -1 for
//   a new one). OK computes it again in place; deleting the entry deletes
//   the curve.
// - FileCurve: the file already held a curve of the method's name (a file
//   saved with that curve, or a curve of the file's own), so the method was
//   not applied. The file's values stay until the user edits the entry: an
//   edited formula recomputes that curve, a new name makes a new curve beside
//   it. Deleting the entry forgets the method and keeps the file's curve.
// - NotApplied: the formula does not read on this file (it names a curve the
//   file lacks) or the name cannot be a column. OK keeps it as it is until
//   the user edits it, then computes it as a new curve; deleting it forgets
//   the method.
// After a successful OK the settings' methods are exactly the list's:
// deleted and renamed entries' methods go, the others are stored under
// their names.

#include "container/language.h"

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

class RLasData;
class RLasSettings;
class RLasStoreSettings;

enum class RCalcEntrySource : std::uint8_t { Calculator, FileCurve, NotApplied };

struct RCalculatorEntry {
    std::string Name{};     // bytes in the data set's encoding
    std::string Formula{};  // likewise
    // Index of the entry's curve in the data set; -1 for none (a new entry,
    // one not applied).
    int CurveIndex = -1;
    RCalcEntrySource Source = RCalcEntrySource::Calculator;
    // Why a NotApplied entry gives no curve here, UTF-8, indexed by
    // RLanguage: the parser's sentence, or the refusal of the name.
    std::array<std::string, 2> Problem{};
    // Set by the window when the user changed the name or the formula.
    bool Edited = false;
};

// A name the window must refuse before a commit: which working row, and why.
struct RCalcNameProblem {
    enum class Kind : std::uint8_t { None, Missing, Repeated, TakenByFile };
    Kind kind = Kind::None;
    int row = -1;
};

class RCalculatorEntries {
public:
    const std::vector<RCalculatorEntry>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }

    // Lists every stored method of `settings` (in the settings' order) as it
    // met `data`, right after the stored methods were applied to it.
    void ListStoredMethods(const RLasData& data, const RLasStoreSettings& settings);

    // The first row of `working` whose name is missing, repeats an earlier
    // row's, or is a curve of the data set that this commit keeps (a file
    // curve, one of an entry not in `working`...): only the curves of the
    // committed entries that `working` deletes or recomputes are free.
    RCalcNameProblem CheckNames(const RLasData& data, const std::vector<RCalculatorEntry>& working) const;

    // Writes `working` into the data set (CommitCalcEntries) and makes it the
    // list. On failure raises the commit's RError (an RFormulaError for a
    // formula), with `failedRow` (when given) set to the working row at
    // fault, or -1; the data set, the settings and the list stay as they
    // were.
    void Commit(RLasData& data, RLasSettings& settings, std::vector<RCalculatorEntry> working,
                int* failedRow = nullptr);

private:
    // (curve index, source) of every committed entry bound to a curve.
    using BoundCurves = std::set<std::pair<int, RCalcEntrySource>>;
    BoundCurves Bound() const;

    std::vector<RCalculatorEntry> entries_;
};
