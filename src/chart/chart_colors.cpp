#include "chart/chart_colors.h"

#include <algorithm>
#include <cmath>

namespace ChartColors {

RColor Blend(const RColor& from, const RColor& to, double t)
{
    if (!(t > 0))
        t = 0;
    t = std::min(t, 1.0);
    const std::uint32_t a = from.Effective(), b = to.Effective();
    std::uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double ca = double((a >> shift) & 0xFF), cb = double((b >> shift) & 0xFF);
        const auto channel = static_cast<std::uint32_t>(std::lround(ca + (cb - ca) * t));
        mixed |= std::min<std::uint32_t>(channel, 255) << shift;
    }
    return Rgb(static_cast<std::int32_t>(mixed));
}

}  // namespace ChartColors
