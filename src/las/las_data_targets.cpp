#include "las/las_data_targets.h"

#include <algorithm>

DataTargets::DataTargets(const TLasHeaderNew& header) : null_(header.Well().NullValue)
{
    const std::vector<RLasSectionLine>& lines = header.Curves().Lines;
    entries_.reserve(lines.size());
    for (const RLasSectionLine& line : lines) {
        auto curve = std::make_unique<RLasCurve>();
        curve->Mnemonic = line.Mnem.substr(0, RLasCurve::kMaxMnemonicLength);
        curve->Unit = line.Unit;
        curve->NullValue = null_;
        curve->FromFile = true;
        entries_.push_back(std::move(curve));
    }
    samples_.assign(entries_.size(), nullptr);
    ranges_.resize(entries_.size());
}

void DataTargets::Allocate(std::size_t part, std::size_t parts, std::size_t rows)
{
    rows_ = rows;
    const RLasSample nullSample{null_, null_ == null_ ? kSampleNull : std::uint8_t(0)};
    if (part == 0)
        depths_.assign(rows, 0.0);
    for (std::size_t k = entries_.size() * part / parts; k < entries_.size() * (part + 1) / parts; ++k) {
        entries_[k]->Data.Samples.assign(rows, nullSample);
        samples_[k] = entries_[k]->Data.Samples.data();
    }
}

void DataTargets::Grow(std::size_t rows)
{
    if (rows <= rows_)
        return;
    const RLasSample nullSample{null_, null_ == null_ ? kSampleNull : std::uint8_t(0)};
    depths_.resize(rows, 0.0);
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        entries_[k]->Data.Samples.resize(rows, nullSample);
        samples_[k] = entries_[k]->Data.Samples.data();
    }
    rows_ = rows;
}

void DataTargets::DropRow(std::size_t row)
{
    if (row >= rows_)
        return;
    MarkHole(row);
    rangesStale_ = true;  // they hold the dropped values
}

void DataTargets::AddRanges(const std::vector<ValueRange>& later)
{
    for (std::size_t k = 0; k < ranges_.size(); ++k)
        ranges_[k].AddLater(later[k]);
}

void DataTargets::Finish(std::size_t rows, TDoubleArray& depths, std::vector<std::unique_ptr<RLasCurve>>& curves)
{
    rows = std::min(rows, rows_);
    // Holes out, rows after them moving up: one pass per curve.
    std::vector<std::size_t> kept;
    bool holes = false;
    for (std::size_t r = 0; r < rows && !holes; ++r)
        holes = std::isnan(depths_[r]);
    if (holes) {
        kept.reserve(rows);
        for (std::size_t r = 0; r < rows; ++r)
            if (!std::isnan(depths_[r]))
                kept.push_back(r);
        for (std::size_t w = 0; w < kept.size(); ++w)
            depths_[w] = depths_[kept[w]];
        for (const auto& entry : entries_) {
            std::vector<RLasSample>& samples = entry->Data.Samples;
            for (std::size_t w = 0; w < kept.size(); ++w)
                samples[w] = samples[kept[w]];
        }
        rows = kept.size();
    }
    depths_.resize(rows);
    depths = std::move(depths_);
    curves.clear();
    curves.reserve(entries_.size());
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        RLasCurve& curve = *entries_[k];
        curve.Data.Samples.resize(rows);
        if (rangesStale_)
            curve.UpdateRange();
        else if (ranges_[k].Empty())
            curve.SetRange(0.0, 0.0);
        else
            curve.SetRange(ranges_[k].Low, ranges_[k].High);
        curves.push_back(std::move(entries_[k]));
    }
    entries_.clear();
    samples_.clear();
    rows_ = 0;
}
