#include "view/calculator_entries.h"

#include "container/error.h"
#include "las/las_data.h"
#include "view/calculated_curves.h"
#include "view/las_settings.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr RLanguage kLanguages[] = {RLanguage::English, RLanguage::Russian};

// The first line of an error's wording: what is wrong, without where.
std::string Sentence(const RError& error, RLanguage language)
{
    const std::string text = error.Text(language);
    return text.substr(0, text.find("\r\n"));
}

}  // namespace

void RCalculatorEntries::ListStoredMethods(const RLasData& data, const RLasStoreSettings& settings)
{
    entries_.clear();
    // The first calculated curve of each method and the first file curve of
    // each name, looked up once per method.
    std::unordered_map<std::string_view, int> calculatedBy, fileCurveNamed;
    const auto& curves = data.Curves();
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const RLasCurve& curve = *curves[i];
        if (curve.IsCalculated())
            calculatedBy.try_emplace(curve.MethodName, static_cast<int>(i));
        else
            fileCurveNamed.try_emplace(curve.Mnemonic, static_cast<int>(i));
    }
    const auto index = [](const auto& map, const std::string& name) {
        const auto found = map.find(name);
        return found == map.end() ? -1 : found->second;
    };
    for (const auto& [name, method] : settings.CalcMethods()) {
        RCalculatorEntry entry;
        entry.Name = name;
        entry.Formula = method->Formula;
        const std::string mnemonic = name.substr(0, RLasCurve::kMaxMnemonicLength);
        if ((entry.CurveIndex = index(calculatedBy, name)) >= 0) {
            entry.Source = RCalcEntrySource::Calculator;
        } else if ((entry.CurveIndex = index(fileCurveNamed, mnemonic)) >= 0) {
            entry.Source = RCalcEntrySource::FileCurve;
        } else {
            entry.Source = RCalcEntrySource::NotApplied;
            if (!IsFitCalcCurveName(name)) {
                for (const RLanguage language : kLanguages)
                    entry.Problem[static_cast<std::size_t>(language)] = CalcCurveNameProblem(name, language);
            } else {
                RCurveCalcMethod parsed(method->Formula);
                try {
                    parsed.Parse(data);
                } catch (const RError& error) {
                    for (const RLanguage language : kLanguages)
                        entry.Problem[static_cast<std::size_t>(language)] = Sentence(error, language);
                }
            }
        }
        entries_.push_back(std::move(entry));
    }
}

RCalculatorEntries::BoundCurves RCalculatorEntries::Bound() const
{
    BoundCurves bound;
    for (const RCalculatorEntry& entry : entries_)
        if (entry.CurveIndex >= 0)
            bound.insert({entry.CurveIndex, entry.Source});
    return bound;
}

RCalcNameProblem RCalculatorEntries::CheckNames(const RLasData& data,
                                                const std::vector<RCalculatorEntry>& working) const
{
    // The curves of the committed calculator entries are deleted or made
    // again by the commit; every other curve stays with its name.
    std::set<int> released;
    for (const RCalculatorEntry& entry : entries_)
        if (entry.Source == RCalcEntrySource::Calculator && entry.CurveIndex >= 0)
            released.insert(entry.CurveIndex);
    const BoundCurves bound = Bound();
    std::unordered_map<std::string_view, std::vector<int>> keptCurvesNamed;
    const auto& curves = data.Curves();
    for (std::size_t i = 0; i < curves.size(); ++i)
        if (!released.contains(static_cast<int>(i)))
            keptCurvesNamed[curves[i]->Mnemonic].push_back(static_cast<int>(i));
    std::unordered_set<std::string_view> earlierNames;
    for (std::size_t row = 0; row < working.size(); ++row) {
        const RCalculatorEntry& entry = working[row];
        const int at = static_cast<int>(row);
        if (!earlierNames.insert(entry.Name).second)
            return {RCalcNameProblem::Kind::Repeated, at};
        // A method kept as it is writes no curve.
        if (entry.Source == RCalcEntrySource::NotApplied && !entry.Edited)
            continue;
        if (entry.Name.empty())
            return {RCalcNameProblem::Kind::Missing, at};
        const auto named = keptCurvesNamed.find(entry.Name);
        if (named == keptCurvesNamed.end())
            continue;
        // At most one curve of the name is the entry's own: the loop ends at
        // the first or the second.
        for (const int curveIndex : named->second) {
            const bool ownFileCurve = entry.Source == RCalcEntrySource::FileCurve && entry.CurveIndex == curveIndex
                                      && bound.contains({curveIndex, RCalcEntrySource::FileCurve});
            if (!ownFileCurve)
                return {RCalcNameProblem::Kind::TakenByFile, at};
        }
    }
    return {};
}

void RCalculatorEntries::Commit(RLasData& data, RLasSettings& settings, std::vector<RCalculatorEntry> working,
                                int* failedRow)
{
    if (failedRow)
        *failedRow = -1;
    const auto& curves = data.Curves();
    // The entries to compute, each with the curve it replaces (-1: a new
    // column), and the working row it came from.
    std::vector<RCalcEntry> computed;
    std::vector<std::size_t> rowOf;
    std::set<int> kept;
    const BoundCurves bound = Bound();
    for (std::size_t row = 0; row < working.size(); ++row) {
        const RCalculatorEntry& entry = working[row];
        int curveIndex = -1;
        switch (entry.Source) {
        case RCalcEntrySource::Calculator:
            // Only a curve the calculator made is replaced, whatever index
            // the row carries.
            if (bound.contains({entry.CurveIndex, RCalcEntrySource::Calculator}))
                curveIndex = entry.CurveIndex;
            break;
        case RCalcEntrySource::FileCurve:
            if (!entry.Edited)
                continue;
            // The edited formula remakes the file's curve of that name; under
            // another name it is a curve of its own, and the file's stays.
            if (bound.contains({entry.CurveIndex, RCalcEntrySource::FileCurve})
                && entry.CurveIndex < static_cast<int>(curves.size())
                && curves[static_cast<std::size_t>(entry.CurveIndex)]->Mnemonic
                       == entry.Name.substr(0, RLasCurve::kMaxMnemonicLength))
                curveIndex = entry.CurveIndex;
            break;
        case RCalcEntrySource::NotApplied:
            if (!entry.Edited)
                continue;
            break;
        }
        RCalcEntry next;
        next.Name = entry.Name;
        next.Method.Formula = entry.Formula;
        next.CurveIndex = curveIndex;
        computed.push_back(std::move(next));
        rowOf.push_back(row);
        if (curveIndex >= 0)
            kept.insert(curveIndex);
    }
    std::vector<int> deleted;
    for (const RCalculatorEntry& entry : entries_)
        if (entry.Source == RCalcEntrySource::Calculator && entry.CurveIndex >= 0 && !kept.count(entry.CurveIndex))
            deleted.push_back(entry.CurveIndex);

    std::size_t failed = computed.size();
    try {
        CommitCalcEntries(data, settings, computed, deleted, &failed);
    } catch (...) {
        if (failedRow && failed < rowOf.size())
            *failedRow = static_cast<int>(rowOf[failed]);
        throw;
    }

    // Curves the commit did not write (kept file curves) move down past the
    // deleted ones below them.
    std::sort(deleted.begin(), deleted.end());
    deleted.erase(std::unique(deleted.begin(), deleted.end()), deleted.end());
    std::vector<bool> written(working.size(), false);
    for (std::size_t i = 0; i < computed.size(); ++i) {
        RCalculatorEntry& entry = working[rowOf[i]];
        entry.CurveIndex = computed[i].CurveIndex;
        entry.Source = RCalcEntrySource::Calculator;
        entry.Problem = {};
        written[rowOf[i]] = true;
    }
    for (std::size_t row = 0; row < working.size(); ++row) {
        RCalculatorEntry& entry = working[row];
        entry.Edited = false;
        if (!written[row] && entry.CurveIndex >= 0)
            entry.CurveIndex -= static_cast<int>(
                std::lower_bound(deleted.begin(), deleted.end(), entry.CurveIndex) - deleted.begin());
    }

    for (const RCalculatorEntry& entry : entries_)
        settings.SetCalcMethod(entry.Name, nullptr);
    for (const RCalculatorEntry& entry : working)
        settings.SetCalcMethod(entry.Name, std::make_unique<RCurveCalcMethod>(entry.Formula));
    entries_ = std::move(working);
}
