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

void RCoverageRow::AddSpan(double a, double b)
{
    if (!(a < b))
        return;
    const double low = left_ * 16.0, high = right_ * 16.0;
    a = std::clamp(a, low, high);
    b = std::clamp(b, low, high);
    const int from = static_cast<int>(std::floor(a + 0.5)) - left_ * 16;
    const int to = static_cast<int>(std::floor(b + 0.5)) - left_ * 16;
    if (to <= from)
        return;
    const int first = from >> 4, last = to >> 4;
    if (first == last) {
        area_[static_cast<std::size_t>(first)] += to - from;
        Touch(first);
        return;
    }
    // Partial first pixel, full pixels between (through the running cover),
    // partial last pixel.
    area_[static_cast<std::size_t>(first)] += 16 - (from & 15);
    Touch(first);
    cover_[static_cast<std::size_t>(first) + 1] += 16;
    Touch(first + 1);
    cover_[static_cast<std::size_t>(last)] -= 16;
    area_[static_cast<std::size_t>(last)] += to & 15;
    Touch(last);
}
