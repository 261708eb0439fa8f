#pragma once
// A span painter that records the coverage handed to each pixel, so tests
// can check the coverage arithmetic exactly instead of through blending.

#include "raster/coverage_row.h"

#include <map>
#include <utility>

class CoverageRecorder {
public:
    void SetRow(int y) { row_ = y; }
    void Prefetch(int, int) const {}
    void Cover(int x, int n, int coverage)
    {
        for (int i = x; i < x + n; ++i)
            cells_[{i, row_}] += coverage;
    }
    void CoverEach(int x, const int* coverage, int n)
    {
        for (int i = 0; i < n; ++i)
            Cover(x + i, 1, coverage[i]);
    }
    int At(int x, int y) const
    {
        const auto found = cells_.find({x, y});
        return found == cells_.end() ? 0 : found->second;
    }
    long Total() const
    {
        long total = 0;
        for (const auto& [cell, coverage] : cells_)
            total += coverage;
        return total;
    }
    const std::map<std::pair<int, int>, int>& Cells() const { return cells_; }

private:
    int row_ = 0;
    std::map<std::pair<int, int>, int> cells_;  // (x, y) -> coverage 0..256
};
