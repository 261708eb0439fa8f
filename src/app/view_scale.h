#pragma once
// The cartographic scale 1:N of the log chart and the scale track.
//
// At 1:N a depth span S (in the file's depth units) takes S x 3500 / N
// pixels: kPixelsPerUnit pixels per depth unit at 1:1. The track runs over
// positions nearest(ln(N) x 100), from 1:100 (461) to 1:2000 (760).
// nearest() takes halves to the even neighbour.

#include <array>

namespace ViewScale {

inline constexpr double kPixelsPerUnit = 3500;
// The clickable scales beside the track, in order.
inline constexpr std::array<int, 6> kScales = {100, 200, 400, 500, 1000, 2000};
inline constexpr int kTrackMin = 461;    // 1:100
inline constexpr int kTrackMax = 760;    // 1:2000
inline constexpr int kTrackStart = 599;  // 1:400
// Curve axes are this many pixels long when the log is not inscribed.
inline constexpr int kTrackWidth = 250;
// A view height below this is held there.
inline constexpr double kMinViewSize = 0.001;

// x to the nearest whole number, halves to even; held within the int range.
int Nearest(double x);

// N replaced by the nearest multiple of 100 when it lies close to a round
// scale (91..109 -> 100, 381..419 -> 400, 971..1029 -> 1000, ...).
int Snap(int n);

// The scale of a track position: nearest(e^(position / 100)), snapped.
int ScaleOfPosition(int position);
// The track position of a scale: nearest(ln(scale) x 100).
int PositionOfScale(double scale);

// The view height (a fraction of the whole depth range) that shows 1:n in
// a graph area `graphHeight` pixels high: held to kMinViewSize..1; 1 when n
// is 0 or the span or height is not positive.
double ViewSizeOfScale(int n, double graphHeight, double depthSpan);
// The scale shown by a view height; 0 when it cannot be computed.
double ScaleOfViewSize(double viewSize, double graphHeight, double depthSpan);

}  // namespace ViewScale
