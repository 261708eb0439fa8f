#pragma once
// Default colours of chart parts, as the chart properties store them:
// platform colours, system colours by their index in the low byte of a
// negative value (they follow the desktop scheme when drawn).

#include "raster/color.h"

#include <cstdint>

namespace ChartColors {

constexpr std::int32_t SystemColorValue(int index) { return static_cast<std::int32_t>(0xFF000000u | unsigned(index)); }

constexpr std::int32_t kWindowText = SystemColorValue(8);
constexpr std::int32_t kWindow = SystemColorValue(5);
constexpr std::int32_t kButtonFace = SystemColorValue(15);
constexpr std::int32_t kGrayText = SystemColorValue(17);

inline RColor System(std::int32_t value) { return RColor(RColorType::ctStandart, value); }
inline RColor Rgb(std::int32_t platformColor) { return RColor(RColorType::ctRGBA, platformColor); }

// `from` blended towards `to` by t in 0..1, channel by channel, on the
// effective platform values; the result is a raw (ctRGBA) colour.
RColor Blend(const RColor& from, const RColor& to, double t);

}  // namespace ChartColors
