#include "raster/coverage_row.h"

void RCoverageRow::Reset(int left, int right)
{
    left_ = left;
    right_ = std::max(left, right);
    const auto cells = static_cast<std::size_t>(right_ - left_) + 1;
    area_.assign(cells, 0);
    cover_.assign(cells, 0);
    touched_.assign(cells, 0);
    cells_.clear();
}


