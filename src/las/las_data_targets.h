#pragma once
// Where the values of data lines go while a file is read: the index (one
// depth per row) and, for each other ~C entry, the samples of its curve,
// flagged null as they are stored. Storage is allocated for a number of
// rows, filled with NULL; pieces of the data section scanned in parallel
// store disjoint rows (or disjoint entries of a row two pieces share).
//
//     DataTargets targets(header);
//     targets.Allocate(0, 1, rows);           // or part by part in threads
//     targets.Store(row, depth, values, 0, targets.ValueCount(), ranges);
//     targets.AddRanges(ranges);
//     targets.Finish(rowsStored, depths, curves);
//
// A row whose depth is not a number is stored as a hole (its depth NaN)
// and taken out by Finish, rows after it moving up.

#include "las/las_curve.h"
#include "las/las_header.h"
#include "las/las_token_scanner.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

// Lowest and highest value of a curve over samples that are neither null
// nor infinite; empty (Low > High) until one is added.
struct ValueRange {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();

    void Add(double value)
    {
        if (!std::isfinite(value))
            return;
        // Only a strictly lower (higher) value replaces: the first of equal
        // ones stays, as a scan over the whole curve keeps it.
        Low = value < Low ? value : Low;
        High = value > High ? value : High;
    }
    // Adds the range of samples that come after this one's.
    void AddLater(const ValueRange& later)
    {
        Low = later.Low < Low ? later.Low : Low;
        High = later.High > High ? later.High : High;
    }
    bool Empty() const { return !(Low <= High); }
};

// How the numbers of one column were written in the file: the most
// decimals of a fixed-form number, and how many numbers had an exponent.
struct ColumnForm {
    std::uint32_t Decimals = 0;  // not a byte: stores through bytes may alias anything
    std::uint64_t Numbers = 0;
    std::uint64_t Exponents = 0;

    void Add(const RLasToken& token)
    {
        ++Numbers;
        if (token.Exponent)
            ++Exponents;
        else if (token.Decimals > Decimals)
            Decimals = token.Decimals;
    }
    void AddLater(const ColumnForm& later)
    {
        Decimals = later.Decimals > Decimals ? later.Decimals : Decimals;
        Numbers += later.Numbers;
        Exponents += later.Exponents;
    }
    // Written in exponent form when most of its numbers were.
    bool MostlyExponent() const { return Exponents * 2 > Numbers; }
};

class DataTargets {
public:
    explicit DataTargets(const TLasHeaderNew& header);

    // Values a row holds besides its depth: one per curve.
    std::size_t ValueCount() const { return entries_.size(); }
    std::size_t Rows() const { return rows_; }
    double NullValue() const { return null_; }

    // Allocates part `part` of `parts` of the storage for `rows` rows,
    // filled with NULL (the index with the depths in part 0). The parts can
    // be done in parallel; writing fresh memory (the page faults) costs
    // about as much as scanning a third of the file. Storage already there
    // is filled again.
    void Allocate(std::size_t part, std::size_t parts, std::size_t rows);
    // Makes room for at least `rows` rows, keeping what is stored; from one
    // thread only, with no piece storing meanwhile.
    void Grow(std::size_t rows);

    // Row `row` (< Rows()): its depth and curves [from, to) from values[from, to).
    void Store(std::size_t row, const double* values, std::size_t from, std::size_t to,
               std::vector<ValueRange>& ranges)
    {
        for (std::size_t k = from; k < to; ++k) {
            const double value = values[k];
            const bool null = value == null_;
            samples_[k][row] = RLasSample{value, null ? kSampleNull : std::uint8_t(0)};
            if (!null)
                ranges[k].Add(value);
        }
    }
    void StoreDepth(std::size_t row, double depth) { depths_[row] = depth; }
    // A row that is no sample: taken out by Finish.
    void MarkHole(std::size_t row) { depths_[row] = std::numeric_limits<double>::quiet_NaN(); }
    // Row `row` back to NULL and out: a sample the file leaves unfinished.
    void DropRow(std::size_t row);

    // Widens the curves' ranges by those of samples stored after the ones
    // added so far.
    void AddRanges(const std::vector<ValueRange>& later);

    // Keeps the first `rows` rows less the holes, and hands the depths and
    // the curves (samples and ranges; depths are the caller's to set) over.
    void Finish(std::size_t rows, TDoubleArray& depths, std::vector<std::unique_ptr<RLasCurve>>& curves);

private:
    double null_;
    std::size_t rows_ = 0;
    std::vector<std::unique_ptr<RLasCurve>> entries_;
    std::vector<RLasSample*> samples_;  // each curve's storage
    TDoubleArray depths_;
    std::vector<ValueRange> ranges_;
    bool rangesStale_ = false;
};
