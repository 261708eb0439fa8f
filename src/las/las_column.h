#pragma once
// RLasColumn: the values of one ~C entry, in row order, as the writer
// saves them. A column either holds its values itself (depth entries,
// computed curves) or reads them from a curve: the samples of a curve read
// from a file hold exactly its column's numbers, so a loaded file keeps
// them once, in the curve (9 bytes a value instead of 17).
//
//     for (std::size_t row = 0; row < column.size(); ++row) ... column[row] ...
//
// A column that reads a curve must not outlive it. RLasData moves such a
// column only together with its curve (in RLasCurveSlot), and a copy of it
// holds the values itself, so copies taken for comparison or undo stay
// valid whatever happens to the curve.

#include "las/las_curve.h"
#include "las/las_number_format.h"

#include <cstddef>
#include <optional>

class RLasColumn {
public:
    RLasColumn() = default;
    // Holds `values`.
    RLasColumn(TDoubleArray values) : values_(std::move(values)) {}
    // Reads the values of `curve`'s samples, as they are at each access.
    static RLasColumn ReadingCurve(const RLasCurve& curve);

    RLasColumn(const RLasColumn& other) : FileStyle(other.FileStyle), values_(other.Values()) {}
    RLasColumn& operator=(const RLasColumn& other);
    RLasColumn(RLasColumn&&) noexcept = default;
    RLasColumn& operator=(RLasColumn&&) noexcept = default;

    std::size_t size() const { return curve_ ? curve_->Data.Samples.size() : values_.size(); }
    bool empty() const { return size() == 0; }
    double operator[](std::size_t row) const { return curve_ ? curve_->Data.Samples[row].Value : values_[row]; }
    // A copy of the values.
    TDoubleArray Values() const;
    // The curve read, or none when the column holds its values.
    const RLasCurve* Curve() const { return curve_; }

    // Same length and equal values (==, so a NaN equals nothing).
    friend bool operator==(const RLasColumn& a, const RLasColumn& b);
    friend bool operator==(const RLasColumn& a, const TDoubleArray& b);

    // The form its numbers had in the file they were read from: the writer
    // keeps it, so every value reads back as the same double. None for a
    // computed column, which is written with four decimals.
    std::optional<RLasNumberStyle> FileStyle;

private:
    TDoubleArray values_;
    const RLasCurve* curve_ = nullptr;
};
