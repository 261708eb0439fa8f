#include "las/las_data.h"

#include "container/data_container.h"
#include "container/error.h"

#include <algorithm>
#include <cmath>
#include <unistd.h>

bool RLasData::IsDepthName(std::string_view mnemonic) { return IsDepthMnemonic(mnemonic); }

std::uint64_t RLasData::MaxDataBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    // Unknown memory: assume 1 GiB rather than refuse everything.
    if (pages <= 0 || pageSize <= 0)
        return std::uint64_t(1) << 29;
    return static_cast<std::uint64_t>(pages) / 2 * static_cast<std::uint64_t>(pageSize);
}

std::uint64_t RLasData::DataBytesFor(std::int64_t samples, std::size_t columns)
{
    // Both factors are bounded (kMaxSamples, kMaxColumns), so is the product.
    return static_cast<std::uint64_t>(std::clamp<std::int64_t>(samples, 0, kMaxSamples))
           * std::min(columns, kMaxColumns) * sizeof(RLasSample);
}

std::int64_t RLasData::SampleCountFor(double strt, double stop, double step)
{
    if (step == 0.0)
        return -1;
    const double span = std::fabs((stop - strt) / step);
    if (!std::isfinite(span) || span >= static_cast<double>(kMaxSamples) - 1)
        return -1;
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<std::int64_t>(std::nearbyint(span)) + 1;
}

void RLasData::SaveToNode(RDCNodeList& root) const
{
    for (std::size_t i = 0; i < curves_.size(); ++i) {
        const RLasCurve& curve = *curves_[i];
        RDCNode* node = root.NodeByPath("LasData\\Curves\\" + std::to_string(i), true);
        RDCObject* marks = node->Object(0);
        marks->Value(0)->SetInteger(static_cast<std::int32_t>(i));
        marks->Value(1)->SetString(curve.Formula);
        marks->Value(2)->SetString(curve.MethodName);
        RDCObject* fields = node->Object(1);
        fields->Value(0)->SetDouble(curve.FirstDepth);
        fields->Value(1)->SetDouble(curve.LastDepth);
        fields->Value(2)->SetDouble(curve.Data.Step);
        fields->Value(3)->SetDouble(curve.NullValue);
        fields->Value(4)->SetString(curve.Mnemonic);
        fields->Value(5)->SetString(curve.Unit);
        fields->Value(6)->SetString(curve.Mnemonic);
        RDCObject* range = node->Object(2);
        range->Value(0)->SetDouble(curve.MinValue);
        range->Value(1)->SetDouble(curve.MaxValue);
        RDCObject* values = node->Object(3);
        RDCObject* flags = node->Object(4);
        const int sampleCount = static_cast<int>(curve.Data.Samples.size());
        values->SetValueCount(sampleCount);
        flags->SetValueCount(sampleCount);
        for (int k = 0; k < sampleCount; ++k) {
            const RLasSample sample = curve.Data.Samples[static_cast<std::size_t>(k)];
            values->Value(k)->SetDouble(sample.Value);
            flags->Value(k)->SetInteger(sample.Flags);
        }
        // An irregular index: value k is the depth of sample k. A regular
        // grid has no object 5.
        if (curve.Depths && curve.Depths->size() == curve.Data.Samples.size()) {
            RDCObject* depths = node->Object(5);
            depths->SetValueCount(sampleCount);
            for (int k = 0; k < sampleCount; ++k)
                depths->Value(k)->SetDouble((*curve.Depths)[static_cast<std::size_t>(k)]);
        } else if (node->ObjectCount() > 5) {
            node->SetObjectCount(5);
        }
    }
    root.NodeByPath("LasData", true)->Object(0)->Value(0)->SetString(CacheText);
}

void RLasData::LoadFromNode(RDCNodeList& root)
{
    const auto valueAt = [](const RDCNode& node, int object, int index) -> const RDCValue* {
        const RDCObject* found = node.ObjectAt(object);
        return found ? found->ValueAt(index) : nullptr;
    };
    const auto doubleAt = [&](const RDCNode& node, int object, int index) {
        const RDCValue* value = valueAt(node, object, index);
        return value ? value->AsDouble() : 0.0;
    };
    const auto stringAt = [&](const RDCNode& node, int object, int index) {
        const RDCValue* value = valueAt(node, object, index);
        return value ? std::string(value->AsString()) : std::string();
    };

    std::vector<std::unique_ptr<RLasCurve>> curves;
    std::shared_ptr<const TDoubleArray> lastDepths;  // shared again by the next curve on the same rows
    if (RDCNode* list = root.NodeByPath("LasData\\Curves")) {
        curves.resize(static_cast<std::size_t>(list->ChildCount()));
        for (RDCNode* node = list->FirstChild(); node; node = list->NextChild(node)) {
            const RDCValue* indexValue = valueAt(*node, 0, 0);
            const std::int64_t index = indexValue && indexValue->Type() == RDCType::Integer ? indexValue->AsInteger() : -1;
            if (index < 0 || index >= static_cast<std::int64_t>(curves.size()) || curves[static_cast<std::size_t>(index)])
                throw RError("Ошибка загрузки данных из кеша: двойная кривая.");
            auto curve = std::make_unique<RLasCurve>(stringAt(*node, 0, 1), stringAt(*node, 0, 2));
            curve->FirstDepth = doubleAt(*node, 1, 0);
            curve->LastDepth = doubleAt(*node, 1, 1);
            curve->Data.Step = doubleAt(*node, 1, 2);
            curve->NullValue = doubleAt(*node, 1, 3);
            curve->Mnemonic = stringAt(*node, 1, 4).substr(0, RLasCurve::kMaxMnemonicLength);
            curve->Unit = stringAt(*node, 1, 5);
            curve->MinValue = doubleAt(*node, 2, 0);
            curve->MaxValue = doubleAt(*node, 2, 1);
            const RDCObject* values = node->ObjectAt(3);
            const RDCObject* flags = node->ObjectAt(4);
            const int sampleCount = values ? values->ValueCount() : 0;
            curve->Data.Samples.resize(static_cast<std::size_t>(sampleCount));
            for (int k = 0; k < sampleCount; ++k) {
                const RDCValue* flag = flags ? flags->ValueAt(k) : nullptr;
                curve->Data.Samples[static_cast<std::size_t>(k)] =
                    RLasSample{values->ValueAt(k)->AsDouble(), static_cast<std::uint8_t>(flag ? flag->AsInteger() : 0)};
            }
            // An irregular index is taken only with one finite depth per
            // sample; none (older files) or a damaged one leaves the grid
            // regular.
            const RDCObject* depthList = node->ObjectAt(5);
            if (depthList && sampleCount > 0 && depthList->ValueCount() == sampleCount) {
                TDoubleArray depths(static_cast<std::size_t>(sampleCount));
                bool whole = true;
                for (int k = 0; k < sampleCount && whole; ++k) {
                    const RDCValue* depth = depthList->ValueAt(k);
                    whole = depth->Type() == RDCType::Double && std::isfinite(depth->AsDouble());
                    depths[static_cast<std::size_t>(k)] = depth->AsDouble();
                }
                if (whole) {
                    if (!lastDepths || *lastDepths != depths)
                        lastDepths = std::make_shared<const TDoubleArray>(std::move(depths));
                    curve->Depths = lastDepths;
                    curve->FirstDepth = lastDepths->front();
                    curve->LastDepth = lastDepths->back();
                    curve->Data.Step = 0.0;
                }
            }
            curves[static_cast<std::size_t>(index)] = std::move(curve);
        }
    }
    std::string cacheText;
    if (RDCNode* node = root.NodeByPath("LasData"))
        cacheText = stringAt(*node, 0, 0);
    curves_ = std::move(curves);
    CacheText = std::move(cacheText);
    // The curves no longer match any columns.
    lasHeader_.reset();
    columns_.clear();
}

int RLasData::ColumnOfCurve(int curveIndex) const
{
    if (!lasHeader_ || curveIndex < 0)
        return -1;
    const std::size_t lines = std::min(lasHeader_->Curves().Lines.size(), columns_.size());
    return static_cast<std::size_t>(curveIndex) < lines ? curveIndex : -1;
}

TDoubleArray RLasData::ColumnFromCurve(const RLasCurve& curve) const
{
    const std::size_t rows = static_cast<std::size_t>(std::max(Header.SampleCount, 0));
    TDoubleArray column(rows, Header.NullValue);
    const std::size_t reached = std::min(rows, curve.SampleCount());
    for (std::size_t r = 0; r < reached; ++r) {
        const RLasSample sample = curve.Data.Samples[r];
        // ATANH(1) is +inf in a curve, but a LAS column holds numbers only.
        if (!(sample.Flags & kSampleNull) && std::isfinite(sample.Value))
            column[r] = sample.Value;
    }
    return column;
}

RLasCurve* RLasData::FindCurve(std::string_view mnemonic) const
{
    for (const auto& curve : curves_)
        if (curve->Mnemonic == mnemonic)
            return curve.get();
    return nullptr;
}

bool RLasData::HasColumns() const { return lasHeader_ && !columns_.empty(); }

void RLasData::CountCurveLines()
{
    if (lasHeader_)
        Header.CurveCount = static_cast<std::uint16_t>(std::min<std::size_t>(lasHeader_->Curves().Lines.size(), 0xFFFF));
}

RLasCurveSlot RLasData::MakeSlot(std::unique_ptr<RLasCurve> curve, std::string_view description) const
{
    RLasCurveSlot slot;
    slot.CurveIndex = static_cast<int>(curves_.size());
    if (HasColumns()) {
        const TLasCurveSection& section = lasHeader_->Curves();
        slot.Line = section.Lines.empty() ? section.DepthLine : section.Lines.back();
        slot.Line.Mnem = curve->Mnemonic;
        slot.Line.Unit = curve->Unit;
        slot.Line.Data.clear();  // the API code of another curve
        slot.Line.Description = description;
        slot.Line.Tail.clear();
        slot.Line.Status = RLasLineStatus::Parsed;
        slot.ColumnIndex = static_cast<int>(columns_.size());
        slot.Column = RLasColumn(ColumnFromCurve(*curve));
    }
    slot.Curve = std::move(curve);
    return slot;
}

RLasCurve* RLasData::AppendCurve(std::unique_ptr<RLasCurve> curve, std::string_view description)
{
    if (!curve)
        return nullptr;
    InsertCurve(MakeSlot(std::move(curve), description));
    return curves_.back().get();
}

RLasCurveSlot RLasData::TakeCurve(int curveIndex)
{
    RLasCurveSlot slot;
    if (curveIndex < 0 || curveIndex >= static_cast<int>(curves_.size()))
        return slot;
    slot.CurveIndex = curveIndex;
    slot.ColumnIndex = HasColumns() ? ColumnOfCurve(curveIndex) : -1;
    if (slot.ColumnIndex >= 0) {
        std::vector<RLasSectionLine>& lines = lasHeader_->Curves().Lines;
        slot.Line = std::move(lines[static_cast<std::size_t>(slot.ColumnIndex)]);
        slot.Column = std::move(columns_[static_cast<std::size_t>(slot.ColumnIndex)]);
        lines.erase(lines.begin() + slot.ColumnIndex);
        columns_.erase(columns_.begin() + slot.ColumnIndex);
        CountCurveLines();
    }
    slot.Curve = std::move(curves_[static_cast<std::size_t>(curveIndex)]);
    curves_.erase(curves_.begin() + curveIndex);
    return slot;
}

void RLasData::InsertCurve(RLasCurveSlot slot)
{
    if (!slot.Curve)
        return;
    const auto curveIndex = static_cast<std::size_t>(std::clamp<int>(slot.CurveIndex, 0, static_cast<int>(curves_.size())));
    if (HasColumns() && slot.ColumnIndex >= 0) {
        std::vector<RLasSectionLine>& lines = lasHeader_->Curves().Lines;
        const auto columnIndex = static_cast<std::size_t>(std::min<int>(slot.ColumnIndex, static_cast<int>(columns_.size())));
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(columnIndex), std::move(slot.Line));
        columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(columnIndex), std::move(slot.Column));
        CountCurveLines();
    }
    curves_.insert(curves_.begin() + static_cast<std::ptrdiff_t>(curveIndex), std::move(slot.Curve));
}

RLasCurveSlot RLasData::ReplaceCurve(int curveIndex, std::unique_ptr<RLasCurve> curve, std::string_view description)
{
    if (!curve || curveIndex < 0 || curveIndex >= static_cast<int>(curves_.size()))
        return {};
    RLasCurveSlot replacement;
    replacement.CurveIndex = curveIndex;
    replacement.ColumnIndex = HasColumns() ? ColumnOfCurve(curveIndex) : -1;
    if (replacement.ColumnIndex >= 0) {
        replacement.Line = lasHeader_->Curves().Lines[static_cast<std::size_t>(replacement.ColumnIndex)];
        replacement.Line.Mnem = curve->Mnemonic;
        replacement.Line.Description = description;
        replacement.Column = RLasColumn(ColumnFromCurve(*curve));
    }
    replacement.Curve = std::move(curve);
    RLasCurveSlot old = TakeCurve(curveIndex);
    InsertCurve(std::move(replacement));
    return old;
}

std::string RLasData::CheckInvariant() const
{
    if (columns_.empty())
        return {};  // curves only: nothing to keep in step
    if (!lasHeader_)
        return "columns without a header";
    const std::vector<RLasSectionLine>& lines = lasHeader_->Curves().Lines;
    if (lines.size() != columns_.size())
        return std::to_string(lines.size()) + " ~C lines but " + std::to_string(columns_.size()) + " columns";
    if (Header.CurveCount != std::min<std::size_t>(lines.size(), 0xFFFF))
        return "Header.CurveCount " + std::to_string(Header.CurveCount) + " for " + std::to_string(lines.size()) + " ~C lines";
    if (lines.size() != curves_.size())
        return std::to_string(lines.size()) + " ~C lines but " + std::to_string(curves_.size()) + " curves";
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (columns_[k].size() != static_cast<std::size_t>(std::max(Header.SampleCount, 0)))
            return "column " + std::to_string(k) + " holds " + std::to_string(columns_[k].size()) + " rows, not "
                   + std::to_string(Header.SampleCount);
        // Curves may have been renamed apart ("GR (2)"), never to another name.
        const std::string mnemonic = lines[k].Mnem.substr(0, RLasCurve::kMaxMnemonicLength);
        if (CurveNameStem(curves_[k]->Mnemonic) != CurveNameStem(mnemonic))
            return "curve " + std::to_string(k) + " (" + curves_[k]->Mnemonic + ") stands at ~C line "
                   + std::to_string(k) + " (" + lines[k].Mnem + ")";
        if (columns_[k].Curve() && columns_[k].Curve() != curves_[k].get())
            return "column " + std::to_string(k) + " reads another curve than curve " + std::to_string(k);
    }
    return {};
}
