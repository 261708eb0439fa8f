#pragma once
// RLasCrossPlotSettings: one cross-plot of two curves of the data set.

#include "raster/color.h"

#include <cstdint>
#include <string>

struct RLasCrossPlotSettings {
    std::string Text;            // not read
    std::int32_t XCurve = 0;     // data-set index of the curve on the X axis
    std::int32_t YCurve = 0;     // data-set index of the curve on the Y axis
    bool UseGradient = false;    // markers coloured by a gradient
    RPlatformColor Color;        // marker colour, or the gradient's first colour
    RPlatformColor GradientColor;
    std::int32_t MarkerStyle = 0;  // chart marker style value
    std::int32_t MarkerSize = 0;
    // What the colour scale of a gradient calls depth, in the interface
    // language (UTF-8); "Depth" when empty.
    std::string DepthName;
};
