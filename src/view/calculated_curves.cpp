#include "view/calculated_curves.h"

#include "container/error.h"
#include "las/las_data.h"
#include "view/las_settings.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// The name must survive the ~C line of a saved file: a period ends the
// mnemonic there, a leading "~" or "#" makes the line a section or a
// comment, control characters break it and blanks at either end are lost.
// A depth name would make a column the data set reads as no curve.
bool IsFitColumnName(const std::string& name)
{
    return !name.empty() && !RLasData::IsDepthName(name) && name.front() != '~' && name.front() != '#'
           && name.front() != ' ' && name.back() != ' ' && name.find('.') == std::string::npos
           && std::none_of(name.begin(), name.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}  // namespace

void RebuildCalculatedCurves(RLasData& data, const RLasStoreSettings& settings)
{
    for (std::size_t i = data.Curves.size(); i-- > 0;)
        if (data.Curves[i]->IsCalculated())
            data.DeleteCurve(static_cast<int>(i));

    // Calculated curves take no part in parsing or in the depth grid, so each
    // method can be computed as soon as it parses.
    for (const auto& [name, method] : settings.CalcMethods()) {
        if (!IsFitColumnName(name))
            continue;  // its column would not match its curve
        try {
            method->Parse(data);
        } catch (const RError&) {
            continue;  // a formula this file cannot satisfy gives no curve
        }
        const bool present = std::any_of(data.Curves.begin(), data.Curves.end(),
                                         [&name](const auto& curve) { return curve->MethodName == name; });
        if (!present) {
            auto curve = std::make_unique<RLasCurve>(method->Formula, name);
            curve->Mnemonic = name.substr(0, RLasCurve::kMaxMnemonicLength);
            method->Compute(data, *curve);
            data.AddCalculatedCurve(std::move(curve));
        }
        method->ClearTree();
    }
}

namespace {

enum class ChangeKind { Append, Replace };

struct Change {
    ChangeKind kind;
    int curveIndex;
    std::string formula;
};

// Puts the data set's curve list back as it was when a commit started: the
// curves it still holds or that the commit set aside are returned to their
// places, the ones it made are freed.
class CurveListUndo {
public:
    explicit CurveListUndo(const RLasData& data)
    {
        for (const auto& curve : data.Curves)
            before_.push_back(curve.get());
    }

    // Keeps a curve taken out of the list alive until the commit is over.
    void SetAside(std::unique_ptr<RLasCurve> curve) { setAside_.push_back(std::move(curve)); }
    const std::vector<std::unique_ptr<RLasCurve>>& SetAsideCurves() const { return setAside_; }

    void Restore(RLasData& data)
    {
        std::map<RLasCurve*, std::unique_ptr<RLasCurve>> owned;
        for (auto& curve : data.Curves)
            owned[curve.get()] = std::move(curve);
        for (auto& curve : setAside_)
            owned[curve.get()] = std::move(curve);
        data.Curves.clear();
        for (RLasCurve* curve : before_)
            data.Curves.push_back(std::move(owned[curve]));
        setAside_.clear();
    }

private:
    std::vector<RLasCurve*> before_;
    std::vector<std::unique_ptr<RLasCurve>> setAside_;
};

void CheckEntryName(const std::string& name)
{
    if (!IsFitColumnName(name))
        throw RError("Недопустимое имя кривой \"" + name + "\".");
}

}  // namespace

void CommitCalcEntries(RLasData& data, RLasSettings& settings, std::vector<RCalcEntry>& entries,
                       std::vector<int> deletedCurves)
{
    if (!data.LasHeader)
        throw RError("Нет загруженного файла LAS.");
    TLasCurveSection& curveSection = data.LasHeader->Curves();

    // Highest first, so that each index still names its curve.
    std::sort(deletedCurves.begin(), deletedCurves.end(), std::greater<>());
    deletedCurves.erase(std::unique(deletedCurves.begin(), deletedCurves.end()), deletedCurves.end());
    std::erase_if(deletedCurves,
                  [&data](int index) { return index < 0 || index >= static_cast<int>(data.Curves.size()); });

    // First the curves alone: every entry must parse and compute before the
    // columns, the ~C list, the views and the tracks are touched.
    CurveListUndo undo(data);
    std::vector<int> indexesBefore;
    for (const RCalcEntry& entry : entries)
        indexesBefore.push_back(entry.CurveIndex);
    std::vector<int> deletedColumns;
    std::vector<Change> changes;
    try {
        for (const int index : deletedCurves) {
            deletedColumns.push_back(data.ColumnOfCurve(index));
            undo.SetAside(std::move(data.Curves[static_cast<std::size_t>(index)]));
            data.Curves.erase(data.Curves.begin() + index);
            for (RCalcEntry& entry : entries) {
                if (entry.CurveIndex == index)
                    entry.CurveIndex = -1;
                else if (entry.CurveIndex > index)
                    --entry.CurveIndex;
            }
        }
        for (RCalcEntry& entry : entries) {
            CheckEntryName(entry.Name);
            entry.Method.Parse(data);
            auto curve = std::make_unique<RLasCurve>();
            entry.Method.Compute(data, *curve);
            // The tree refers to curves this commit may still replace.
            entry.Method.ClearTree();
            curve->Mnemonic = entry.Name.substr(0, RLasCurve::kMaxMnemonicLength);
            if (entry.CurveIndex < 0 || entry.CurveIndex >= static_cast<int>(data.Curves.size())) {
                entry.CurveIndex = static_cast<int>(data.Curves.size());
                data.Curves.push_back(std::move(curve));
                changes.push_back({ChangeKind::Append, entry.CurveIndex, entry.Method.Formula});
            } else {
                auto& slot = data.Curves[static_cast<std::size_t>(entry.CurveIndex)];
                undo.SetAside(std::move(slot));
                slot = std::move(curve);
                changes.push_back({ChangeKind::Replace, entry.CurveIndex, entry.Method.Formula});
            }
        }
    } catch (...) {
        undo.Restore(data);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            entries[i].CurveIndex = indexesBefore[i];
            entries[i].Method.ClearTree();
        }
        throw;
    }

    // Then the rest of the data set follows the curve list.
    for (std::size_t i = 0; i < deletedCurves.size(); ++i) {
        const int column = deletedColumns[i];
        if (column >= 0 && column < static_cast<int>(data.Columns.size())) {
            data.Columns.erase(data.Columns.begin() + column);
            curveSection.Lines.erase(curveSection.Lines.begin() + column);
        }
        settings.SetView(undo.SetAsideCurves()[i]->Mnemonic, nullptr);
        if (deletedCurves[i] < static_cast<int>(settings.Tracks.size()))
            settings.Tracks.erase(settings.Tracks.begin() + deletedCurves[i]);
    }
    for (const Change& change : changes) {
        const RLasCurve& curve = *data.Curves[static_cast<std::size_t>(change.curveIndex)];
        TDoubleArray column = data.ColumnFromCurve(curve);
        if (change.kind == ChangeKind::Append) {
            // The new ~C entry takes the last one's layout, but not its unit,
            // API code or description: those belong to another curve. The
            // formula says what the column holds.
            RLasSectionLine line = curveSection.Lines.empty() ? curveSection.DepthLine : curveSection.Lines.back();
            line.Mnem = curve.Mnemonic;
            line.Unit.clear();
            line.Data.clear();
            line.Description = change.formula;
            curveSection.Lines.push_back(std::move(line));
            data.Columns.push_back(std::move(column));
            settings.SetView(curve.Mnemonic, std::make_unique<RCurveView>());
            if (settings.Tracks.size() <= static_cast<std::size_t>(change.curveIndex))
                settings.Tracks.resize(static_cast<std::size_t>(change.curveIndex) + 1, -1);
            settings.Tracks[static_cast<std::size_t>(change.curveIndex)] = change.curveIndex;
        } else {
            const int index = data.ColumnOfCurve(change.curveIndex);
            if (index >= 0 && index < static_cast<int>(data.Columns.size())) {
                data.Columns[static_cast<std::size_t>(index)] = std::move(column);
                RLasSectionLine& line = curveSection.Lines[static_cast<std::size_t>(index)];
                line.Mnem = curve.Mnemonic;
                line.Description = change.formula;
            }
        }
    }
    data.Header.CurveCount = static_cast<std::uint16_t>(std::min<std::size_t>(curveSection.Lines.size(), 0xFFFF));
}
