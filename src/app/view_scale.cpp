#include "app/view_scale.h"

#include <climits>
#include <cmath>

namespace ViewScale {

int Nearest(double x)
{
    if (std::isnan(x))
        return 0;
    const double rounded = std::nearbyint(x);  // the default rounding mode takes halves to even
    if (rounded >= double(INT_MAX))
        return INT_MAX;
    if (rounded <= double(INT_MIN))
        return INT_MIN;
    return int(rounded);
}

int Snap(int n)
{
    const auto rounded = [n] { return (n + 50) / 100 * 100; };
    if (n % 1000 <= 29 || n % 1000 >= 971)
        return rounded();
    if ((n % 500 <= 24 || n % 500 >= 476) && n / 500 <= 1)
        return rounded();
    if ((n % 400 <= 19 || n % 400 >= 381) && n / 400 <= 1)
        return rounded();
    if (n % 100 < 10 && n / 100 < 3)
        return rounded();
    if (n % 100 >= 91 && n / 100 <= 1)
        return rounded();
    return n;
}

int ScaleOfPosition(int position) { return Snap(Nearest(std::exp(position / 100.0))); }

int PositionOfScale(double scale) { return scale > 0 ? Nearest(std::log(scale) * 100) : kTrackMin; }

double ViewSizeOfScale(int n, double graphHeight, double depthSpan)
{
    if (n == 0 || !(graphHeight > 0) || !(depthSpan > 0))
        return 1;
    const double size = graphHeight * n / (depthSpan * kPixelsPerUnit);
    if (!std::isfinite(size) || size > 1)
        return 1;
    return size < kMinViewSize ? kMinViewSize : size;
}

double ScaleOfViewSize(double viewSize, double graphHeight, double depthSpan)
{
    if (!(graphHeight > 0) || !(depthSpan > 0) || !(viewSize > 0))
        return 0;
    return depthSpan * kPixelsPerUnit / graphHeight * viewSize;
}

}  // namespace ViewScale
