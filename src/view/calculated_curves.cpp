#include "view/calculated_curves.h"

#include "las/las_data.h"
#include "view/calc_curve_error.h"
#include "view/las_settings.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <unordered_set>

// The name must survive the ~C line of a saved file: a period ends the
// mnemonic there, a leading "~" or "#" makes the line a section or a
// comment, control characters break it and blanks at either end are lost.
// A depth name is refused too: DEPTH in a formula is the depth itself, and
// a column named like the index would pass for it in other programs.
bool IsFitCalcCurveName(const std::string& name)
{
    return !name.empty() && !RLasData::IsDepthName(name) && name.front() != '~' && name.front() != '#'
           && name.front() != ' ' && name.back() != ' ' && name.find('.') == std::string::npos
           && std::none_of(name.begin(), name.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string CalcCurveNameProblem(const std::string& name, RLanguage language)
{
    return FaultText({.Kind = RCalcCurveErrorKind::BadName, .Name = name}, language);
}

void RebuildCalculatedCurves(RLasData& data, const RLasStoreSettings& settings)
{
    for (std::size_t i = data.Curves().size(); i-- > 0;)
        if (data.Curves()[i]->IsCalculated())
            data.DeleteCurve(static_cast<int>(i));

    // A file saved with a calculated curve holds it as a column of its own:
    // its method is not applied again, or every reopening would add a copy.
    std::unordered_set<std::string_view> taken;
    for (const auto& curve : data.Curves())
        taken.insert(curve->Mnemonic);

    // Calculated curves take no part in parsing or in the depth grid, so each
    // method can be computed as soon as it parses.
    for (const auto& [name, method] : settings.CalcMethods()) {
        if (!IsFitCalcCurveName(name))
            continue;  // its column would not match its curve
        const std::string mnemonic = name.substr(0, RLasCurve::kMaxMnemonicLength);
        if (taken.contains(mnemonic))
            continue;
        try {
            method->Parse(data);
        } catch (const RError&) {
            continue;  // a formula this file cannot satisfy gives no curve
        }
        auto curve = std::make_unique<RLasCurve>(method->Formula, name);
        curve->Mnemonic = mnemonic;
        method->Compute(data, *curve);
        taken.insert(data.AppendCurve(std::move(curve), method->Formula)->Mnemonic);
        method->ClearTree();
    }
}

namespace {

// The data set's changes of one commit, undone in reverse order when a
// later entry fails.
class CommitJournal {
public:
    explicit CommitJournal(RLasData& data) : data_(data) {}

    const RLasCurve& Take(int curveIndex)
    {
        steps_.push_back({Kind::Take, data_.TakeCurve(curveIndex)});
        return *steps_.back().slot.Curve;
    }

    void Append(std::unique_ptr<RLasCurve> curve, std::string_view description)
    {
        data_.AppendCurve(std::move(curve), description);
        steps_.push_back({Kind::Append, {}});
    }

    void Replace(int curveIndex, std::unique_ptr<RLasCurve> curve, std::string_view description)
    {
        steps_.push_back({Kind::Replace, data_.ReplaceCurve(curveIndex, std::move(curve), description)});
    }

    void Undo()
    {
        for (auto step = steps_.rbegin(); step != steps_.rend(); ++step) {
            switch (step->kind) {
            case Kind::Take: data_.InsertCurve(std::move(step->slot)); break;
            case Kind::Append: data_.TakeCurve(static_cast<int>(data_.Curves().size()) - 1); break;
            case Kind::Replace:
                data_.TakeCurve(step->slot.CurveIndex);
                data_.InsertCurve(std::move(step->slot));
                break;
            }
        }
        steps_.clear();
    }

private:
    enum class Kind { Take, Append, Replace };
    struct Step {
        Kind kind;
        RLasCurveSlot slot;  // what Take and Replace took out
    };

    RLasData& data_;
    std::vector<Step> steps_;
};

void CheckEntryName(const std::string& name)
{
    if (!IsFitCalcCurveName(name))
        throw RCalcCurveError({.Kind = RCalcCurveErrorKind::BadName, .Name = name});
}

}  // namespace

void CommitCalcEntries(RLasData& data, RLasSettings& settings, std::vector<RCalcEntry>& entries,
                       std::vector<int> deletedCurves, std::size_t* failedEntry)
{
    if (failedEntry)
        *failedEntry = entries.size();
    if (!data.LasHeader())
        throw RCalcCurveError({.Kind = RCalcCurveErrorKind::NoDocument});

    // Highest first, so that each index still names its curve.
    std::sort(deletedCurves.begin(), deletedCurves.end(), std::greater<>());
    deletedCurves.erase(std::unique(deletedCurves.begin(), deletedCurves.end()), deletedCurves.end());
    std::erase_if(deletedCurves,
                  [&data](int index) { return index < 0 || index >= static_cast<int>(data.Curves().size()); });

    // The data set changes as it goes (a later entry may read an earlier
    // one); the views and tracks only once every entry has succeeded.
    CommitJournal journal(data);
    std::vector<int> indexesBefore;
    for (const RCalcEntry& entry : entries)
        indexesBefore.push_back(entry.CurveIndex);
    std::vector<std::string> deletedNames;
    std::vector<int> appended;
    try {
        for (const int index : deletedCurves)
            deletedNames.push_back(journal.Take(index).Mnemonic);
        // An entry of a deleted curve has none now; the others move down past
        // the deleted curves below them.
        for (RCalcEntry& entry : entries) {
            if (entry.CurveIndex < 0)
                continue;
            const auto below = std::lower_bound(deletedCurves.rbegin(), deletedCurves.rend(), entry.CurveIndex);
            if (below != deletedCurves.rend() && *below == entry.CurveIndex)
                entry.CurveIndex = -1;
            else
                entry.CurveIndex -= static_cast<int>(below - deletedCurves.rbegin());
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            RCalcEntry& entry = entries[i];
            if (failedEntry)
                *failedEntry = i;
            CheckEntryName(entry.Name);
            entry.Method.Parse(data);
            auto curve = std::make_unique<RLasCurve>();
            entry.Method.Compute(data, *curve);
            // The tree refers to curves this commit may still replace.
            entry.Method.ClearTree();
            curve->Mnemonic = entry.Name.substr(0, RLasCurve::kMaxMnemonicLength);
            // The ~C entry's description says what the column holds.
            if (entry.CurveIndex < 0 || entry.CurveIndex >= static_cast<int>(data.Curves().size())) {
                entry.CurveIndex = static_cast<int>(data.Curves().size());
                journal.Append(std::move(curve), entry.Method.Formula);
                appended.push_back(entry.CurveIndex);
            } else {
                journal.Replace(entry.CurveIndex, std::move(curve), entry.Method.Formula);
            }
        }
        if (failedEntry)
            *failedEntry = entries.size();
    } catch (...) {
        journal.Undo();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            entries[i].CurveIndex = indexesBefore[i];
            entries[i].Method.ClearTree();
        }
        throw;
    }

    for (const std::string& name : deletedNames)
        settings.SetView(name, nullptr);
    std::vector<bool> deletedTrack(settings.Tracks.size(), false);
    for (const int index : deletedCurves)
        if (static_cast<std::size_t>(index) < deletedTrack.size())
            deletedTrack[static_cast<std::size_t>(index)] = true;
    std::size_t keptTracks = 0;
    for (std::size_t k = 0; k < settings.Tracks.size(); ++k)
        if (!deletedTrack[k])
            settings.Tracks[keptTracks++] = settings.Tracks[k];
    settings.Tracks.resize(keptTracks);
    for (const int curveIndex : appended) {
        settings.SetView(data.Curves()[static_cast<std::size_t>(curveIndex)]->Mnemonic, std::make_unique<RCurveView>());
        if (settings.Tracks.size() <= static_cast<std::size_t>(curveIndex))
            settings.Tracks.resize(static_cast<std::size_t>(curveIndex) + 1, -1);
        settings.Tracks[static_cast<std::size_t>(curveIndex)] = curveIndex;
    }
}
