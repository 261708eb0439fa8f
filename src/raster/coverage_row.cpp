#include "raster/coverage_row.h"

void RCoverageRow::Reset(int left, int right)
{
    left_ = left;
    right_ = std::max(left, right);
    const auto cells = static_cast<std::size_t>(right_ - left_) + 1;
    // Sweep() clears every cell it emits, so a swept row is all zero and
    // only a change of width (or leftovers of an unswept row) needs a clear:
    // clearing 1,920 columns for every short line cost more than the line.
    if (cells_.empty() && area_.size() == cells)
        return;
    area_.assign(cells, 0);
    cover_.assign(cells, 0);
    touched_.assign(cells, 0);
    cells_.clear();
}
