#include "view/calculator_entries.h"

#include "container/error.h"
#include "las/las_data.h"
#include "view/calculated_curves.h"
#include "view/las_settings.h"

#include <algorithm>
#include <set>

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
    const auto& curves = data.Curves();
    const auto index = [&curves](auto&& matches) {
        const auto found = std::find_if(curves.begin(), curves.end(), [&](const auto& curve) { return matches(*curve); });
        return found == curves.end() ? -1 : static_cast<int>(found - curves.begin());
    };
    for (const auto& [name, method] : settings.CalcMethods()) {
        RCalculatorEntry entry;
        entry.Name = name;
        entry.Formula = method->Formula;
        const std::string mnemonic = name.substr(0, RLasCurve::kMaxMnemonicLength);
        if ((entry.CurveIndex = index([&](const RLasCurve& curve) {
                 return curve.IsCalculated() && curve.MethodName == name;
             })) >= 0) {
            entry.Source = RCalcEntrySource::Calculator;
        } else if ((entry.CurveIndex = index([&](const RLasCurve& curve) {
                        return !curve.IsCalculated() && curve.Mnemonic == mnemonic;
                    })) >= 0) {
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

const RCalculatorEntry* RCalculatorEntries::Bound(int curveIndex, RCalcEntrySource source) const
{
    if (curveIndex < 0)
        return nullptr;
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const RCalculatorEntry& entry) {
        return entry.CurveIndex == curveIndex && entry.Source == source;
    });
    return found == entries_.end() ? nullptr : &*found;
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
    const auto& curves = data.Curves();
    for (std::size_t row = 0; row < working.size(); ++row) {
        const RCalculatorEntry& entry = working[row];
        const int at = static_cast<int>(row);
        for (std::size_t other = 0; other < row; ++other)
            if (working[other].Name == entry.Name)
                return {RCalcNameProblem::Kind::Repeated, at};
        // A method kept as it is writes no curve.
        if (entry.Source == RCalcEntrySource::NotApplied && !entry.Edited)
            continue;
        if (entry.Name.empty())
            return {RCalcNameProblem::Kind::Missing, at};
        for (std::size_t i = 0; i < curves.size(); ++i) {
            const int curveIndex = static_cast<int>(i);
            if (curves[i]->Mnemonic != entry.Name || released.count(curveIndex))
                continue;
            const bool ownFileCurve = entry.Source == RCalcEntrySource::FileCurve && entry.CurveIndex == curveIndex
                                      && Bound(curveIndex, RCalcEntrySource::FileCurve);
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
    for (std::size_t row = 0; row < working.size(); ++row) {
        const RCalculatorEntry& entry = working[row];
        int curveIndex = -1;
        switch (entry.Source) {
        case RCalcEntrySource::Calculator:
            // Only a curve the calculator made is replaced, whatever index
            // the row carries.
            if (Bound(entry.CurveIndex, RCalcEntrySource::Calculator))
                curveIndex = entry.CurveIndex;
            break;
        case RCalcEntrySource::FileCurve:
            if (!entry.Edited)
                continue;
            // The edited formula remakes the file's curve of that name; under
            // another name it is a curve of its own, and the file's stays.
            if (Bound(entry.CurveIndex, RCalcEntrySource::FileCurve)
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
