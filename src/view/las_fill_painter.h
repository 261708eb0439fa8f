#pragma once
// Paints the fills of a log chart: between a curve and a constant, or
// between two curves of one track, row by row over the visible depths,
// translucent so the grid shows through. Runs while the chart draws, after
// the axes and before the series, so the curves lie over their fills.

#include "view/las_fill_info.h"

#include <vector>

class RBitmap32;
class RChart;

// Transparency of a fill's colour word (0 opaque, 255 invisible).
constexpr int kFillTransparency = 0xA0;

// Paints `fills` from the last to the first. A fill whose series are
// missing, hidden, not laid out or shorter than two points is skipped; a
// row where either curve has a break is left unpainted. Never throws.
void PaintLasFills(const RChart& chart, RBitmap32& bitmap, const std::vector<RLasFillInfo>& fills);
