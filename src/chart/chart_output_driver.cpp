#include "chart/chart_output_driver.h"

#include <algorithm>
#include <cmath>

namespace {

long Pixel(double value) { return std::lround(std::clamp(value, -1e6, 1e6)); }

}  // namespace

void RChartOutputDriver::DrawLineF(double x0, double y0, double x1, double y1, const RColor& color, int width)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    const long x = Pixel(x0), y = Pixel(y0);
    DrawLine(int(x), int(y), int(Pixel(x1) - x), int(Pixel(y1) - y), color, width);
}

void RChartOutputDriver::FillRowRun(int y, double left, double right, const RColor& color, bool)
{
    if (!std::isfinite(left) || !std::isfinite(right))
        return;
    const long first = Pixel(left), last = Pixel(right);
    DrawLine(int(first), y, int(last - first), 0, color, 8);
}

void RChartOutputDriver::DrawPicture(const RBitmap32&, int, int) {}
