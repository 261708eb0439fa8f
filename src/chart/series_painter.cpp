#include "chart/series_painter.h"

#include "chart/chart.h"
#include "chart/chart_color_scale.h"
#include "raster/stroke_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kMaxLabels = 200;
constexpr double kFarOff = 1e7;
// Pixel coordinates beyond this are treated like values the axis cannot show.
constexpr double kFarValue = 1e15;

bool Finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

}  // namespace

RSeriesPainter::AxisMap::AxisMap(const RChartAxis& axis)
{
    const RAxisPlacement& p = axis.Placement();
    log = p.log;
    start = log ? std::log10(p.min) : p.min;
    const double end = log ? std::log10(p.max) : p.max;
    scale = end > start ? p.length / (end - start) : 0;
    origin = p.origin;
}

double RSeriesPainter::AxisMap::operator()(double value) const
{
    if (log) {
        if (!(value > 0))
            return std::numeric_limits<double>::quiet_NaN();
        value = std::log10(value);
    }
    return origin + (value - start) * scale;
}

void RSeriesPainter::Draw(const RChartSeries& series)
{
    const RChartAxis* xAxis = series.XAxis();
    const RChartAxis* yAxis = series.YAxis();
    if (!series.VisibleChart || !xAxis || !yAxis || !xAxis->LaidOut() || !yAxis->LaidOut())
        return;
    const RChartRect graph = chart_.GraphRect();
    const RChartRect extent = xAxis->Extent();
    const RChartRect clip{std::max(graph.left, extent.left), graph.top, std::min(graph.right, extent.right),
                          graph.bottom};
    const bool pie = series.ChartType == ctPieStandard || series.ChartType == ctPieExploded;
    const RChartRect area = pie ? graph : clip;
    if (area.Empty() || series.Data().Count() == 0)
        return;
    driver_.SetClipRect(area.left, area.top, area.right, area.bottom);
    switch (series.ChartType) {
    case ctScatterPoints:
        DrawMarkers(series, *xAxis, *yAxis, clip);
        break;
    case ctScatterLine:
    case ctLinesStandart:
    case ctLinesStacked:
    case ctLinesStacked100:
        DrawLine(series, *xAxis, *yAxis, clip);
        if (series.Markers.Style != cmsNone)
            DrawMarkers(series, *xAxis, *yAxis, clip);
        break;
    case ctColumnsClustered:
    case ctColumnsStacked:
    case ctColumnsStacked100:
        DrawColumns(series, *xAxis, *yAxis, false);
        break;
    case ctBarsClustered:
    case ctBarsStacked:
    case ctBarsStacked100:
        DrawColumns(series, *xAxis, *yAxis, true);
        break;
    case ctPieStandard:
    case ctPieExploded:
        DrawPie(series, graph);
        break;
    }
    if (series.Labels.AnyShown() && !pie)
        DrawLabels(series, *xAxis, *yAxis, clip);
    driver_.ResetClip();
}

RSeriesPainter::Window RSeriesPainter::VisibleWindow(const RChartSeries& series, const RChartAxis& xAxis,
                                                     const RChartAxis& yAxis, const RChartRect& clip,
                                                     double margin) const
{
    const RChartDataSeries& data = series.Data();
    Window window{0, data.Count()};
    const auto bisect = [&](const std::vector<double>& values, double a, double b) {
        const double low = std::min(a, b), high = std::max(a, b);
        if (!std::isfinite(low) || !std::isfinite(high))
            return;
        const auto begin = values.begin();
        // One point beyond each side, so lines run out of the window.
        const auto first = std::lower_bound(begin, values.end(), low);
        const auto last = std::upper_bound(first, values.end(), high);
        window.first = std::max(0, int(first - begin) - 1);
        window.last = std::min(data.Count(), int(last - begin) + 1);
    };
    if (data.YAscending())
        bisect(data.Ys(), yAxis.PixelToValue(clip.top - margin), yAxis.PixelToValue(clip.bottom - 1 + margin));
    else if (data.XAscending())
        bisect(data.Xs(), xAxis.PixelToValue(clip.left - margin), xAxis.PixelToValue(clip.right - 1 + margin));
    return window;
}

void RSeriesPainter::DrawLine(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis,
                              const RChartRect& clip)
{
    const RChartDataSeries& data = series.Data();
    const int width = std::max(series.Line.Width, 1);
    const double halfWidth = antiAliased_ ? std::max(width, 2) / 16.0 : 0.5;
    const Window window = VisibleWindow(series, xAxis, yAxis, clip, halfWidth + 2);
    if (window.last <= window.first)
        return;
    const AxisMap mapX(xAxis), mapY(yAxis);
    const RColor& color = series.Line.Color;
    const int rows = clip.Height();
    if (data.YAscending() && double(window.last - window.first) >= kEnvelopeDensity * rows) {
        // The loop is compiled once per kind of axis pair, so the log
        // test stays out of it.
        const auto linear = [](const AxisMap& map) { return [map](double v) { return map.origin + (v - map.start) * map.scale; }; };
        const auto logarithmic = [](const AxisMap& map) { return [map](double v) { return map(v); }; };
        if (!mapX.log && !mapY.log)
            DrawEnvelope(data, window, linear(mapX), linear(mapY), clip, halfWidth, color);
        else if (mapX.log && !mapY.log)
            DrawEnvelope(data, window, logarithmic(mapX), linear(mapY), clip, halfWidth, color);
        else
            DrawEnvelope(data, window, logarithmic(mapX), logarithmic(mapY), clip, halfWidth, color);
        return;
    }

    // Ends of segments are cut to the clip box widened by this much.
    const double margin = halfWidth + 2;
    const double left = clip.left - margin, right = clip.right - 1 + margin;
    const double top = clip.top - margin, bottom = clip.bottom - 1 + margin;
    const auto segment = [&](double x0, double y0, double x1, double y1) {
        if (ClipSegment(x0, y0, x1, y1, left, top, right, bottom))
            driver_.DrawLineF(x0, y0, x1, y1, color, width);
    };
    const double* xs = data.Xs().data();
    const double* ys = data.Ys().data();
    const std::uint8_t* breaks = data.Breaks().data();
    bool havePrevious = false;
    int runLength = 0;
    double px = 0, py = 0;
    for (int i = window.first; i < window.last; ++i) {
        const double x = mapX(xs[i]), y = mapY(ys[i]);
        const bool usable = std::fabs(x) < kFarValue && std::fabs(y) < kFarValue;  // false for NaN
        if (!usable || (breaks[i] && havePrevious)) {
            if (havePrevious && runLength == 1)
                segment(px, py, px, py);  // a lone sample between gaps: a dot
            havePrevious = false;
            runLength = 0;
            if (!usable)
                continue;
        }
        if (havePrevious)
            segment(px, py, x, y);
        px = x;
        py = y;
        havePrevious = true;
        ++runLength;
    }
    if (havePrevious && runLength == 1)
        segment(px, py, px, py);
}

template <class MapX, class MapY>
void RSeriesPainter::DrawEnvelope(const RChartDataSeries& data, const Window& window, MapX mapX, MapY mapY,
                                  const RChartRect& clip, double halfWidth, const RColor& color)
{
    const int rows = clip.Height();
    rowLeft_.assign(std::size_t(rows), std::numeric_limits<double>::infinity());
    rowRight_.assign(std::size_t(rows), -std::numeric_limits<double>::infinity());
    double* left = rowLeft_.data();
    double* right = rowRight_.data();
    const double* xs = data.Xs().data();
    const double* ys = data.Ys().data();
    const std::uint8_t* breaks = data.Breaks().data();
    const double top = clip.top, bottom = clip.bottom;
    bool havePrevious = false;
    double px = 0, py = 0, previousRow = 0;
    for (int i = window.first; i < window.last; ++i) {
        const double x = mapX(xs[i]), y = mapY(ys[i]);
        if (!(std::fabs(x) < kFarValue && std::fabs(y) < kFarValue)) {
            havePrevious = false;
            continue;
        }
        const double row = std::floor(y + 0.5);
        if (havePrevious && !breaks[i] && row == previousRow) {
            // Most points of a dense curve stay in the previous point's row.
            if (row >= top && row < bottom) {
                const std::size_t r = std::size_t(row - top);
                left[r] = std::min(left[r], x);
                right[r] = std::max(right[r], x);
            }
        } else if (havePrevious && !breaks[i]) {
            AddToEnvelope(px, py, x, y, clip.top, clip.bottom);
        } else {
            AddToEnvelope(x, y, x, y, clip.top, clip.bottom);  // a run starts (a lone one is a dot)
        }
        px = x;
        py = y;
        previousRow = row;
        havePrevious = true;
    }
    for (int r = 0; r < rows; ++r)
        if (left[r] <= right[r])
            driver_.FillRowRun(clip.top + r, left[r] - halfWidth, right[r] + halfWidth, color, antiAliased_);
}

void RSeriesPainter::AddToEnvelope(double x0, double y0, double x1, double y1, int top, int bottom)
{
    // Row j spans j - 0.5 .. j + 0.5; each row the centre line crosses
    // takes the x of the part of it inside the row.
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const double first = std::max(double(top), std::floor(y0 + 0.5));
    const double last = std::min(double(bottom - 1), std::floor(y1 + 0.5));
    const double dy = y1 - y0;
    const double slope = dy > 0 ? (x1 - x0) / dy : 0;
    for (double j = first; j <= last; ++j) {
        double a = x0, b = x1;
        if (dy > 0) {
            const double ya = std::clamp(j - 0.5, y0, y1), yb = std::clamp(j + 0.5, y0, y1);
            a = x0 + (ya - y0) * slope;
            b = x0 + (yb - y0) * slope;
        }
        const std::size_t row = std::size_t(j - top);
        rowLeft_[row] = std::min(rowLeft_[row], std::min(a, b));
        rowRight_[row] = std::max(rowRight_[row], std::max(a, b));
    }
}

void RSeriesPainter::DrawMarkers(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis,
                                 const RChartRect& clip)
{
    const RChartMarkers& markers = series.Markers;
    if (markers.Style == cmsNone || markers.Size < 1)
        return;
    const RChartDataSeries& data = series.Data();
    const int size = std::min(markers.Size, 1000);
    const Window window = VisibleWindow(series, xAxis, yAxis, clip, size);
    const AxisMap mapX(xAxis), mapY(yAxis);
    const RMarkerGradient gradient(series);
    for (int i = window.first; i < window.last; ++i) {
        const double x = mapX(data.Xs()[std::size_t(i)]), y = mapY(data.Ys()[std::size_t(i)]);
        if (!Finite(x, y) || x < clip.left - size || x > clip.right + size || y < clip.top - size
            || y > clip.bottom + size)
            continue;
        driver_.DrawMarker(markers, int(std::lround(x)), int(std::lround(y)), size, gradient.PointColor(i));
    }
}

void RSeriesPainter::DrawColumns(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis,
                                 bool horizontal)
{
    const RChartDataSeries& data = series.Data();
    const RChartAxis& valueAxis = horizontal ? xAxis : yAxis;
    const RChartAxis& categoryAxis = horizontal ? yAxis : xAxis;
    const RAxisPlacement& vp = valueAxis.Placement();
    const AxisMap mapValue(valueAxis), mapCategory(categoryAxis);
    const double baseValue = vp.log ? vp.min : std::clamp(0.0, vp.min, vp.max);
    const double base = mapValue(baseValue);
    const int count = std::min(data.Count(), 100000);
    const double slot = std::fabs(categoryAxis.Placement().length) / std::max(count, 1);
    const double thickness = std::max(1.0, slot * (100 - std::clamp(series.GapSize, 0, 100)) / 100.0);
    RChartFill fill = series.Fill;
    if (!series.UseFill)
        fill.Color = series.Line.Color;
    for (int i = 0; i < count; ++i) {
        const double category = mapCategory(horizontal ? data.Ys()[std::size_t(i)] : data.Xs()[std::size_t(i)]);
        const double value = mapValue(horizontal ? data.Xs()[std::size_t(i)] : data.Ys()[std::size_t(i)]);
        if (!Finite(category, value) || !std::isfinite(base) || std::fabs(category) > kFarOff)
            continue;
        const double from = std::clamp(std::min(base, value), -kFarOff, kFarOff);
        const double to = std::clamp(std::max(base, value), -kFarOff, kFarOff);
        const int start = int(std::lround(category - thickness / 2));
        const int length = std::max(1, int(std::lround(thickness)));
        const int low = int(std::lround(from)), extent = std::max(1, int(std::lround(to)) - low);
        if (horizontal)
            driver_.FillRectangle(fill, low, start, extent, length);
        else
            driver_.FillRectangle(fill, start, low, length, extent);
    }
}

void RSeriesPainter::DrawPie(const RChartSeries& series, const RChartRect& graph)
{
    const RChartDataSeries& data = series.Data();
    double total = 0;
    for (double v : data.Ys())
        if (std::isfinite(v) && v > 0)
            total += v;
    if (!(total > 0) || !std::isfinite(total))
        return;
    const int radius = std::max(1, std::min(graph.Width(), graph.Height()) / 2 - 4);
    const int cx = (graph.left + graph.right) / 2, cy = (graph.top + graph.bottom) / 2;
    double start = 0;
    const int count = data.Count();
    for (int i = 0; i < count; ++i) {
        const double v = data.Ys()[std::size_t(i)];
        if (!std::isfinite(v) || v <= 0)
            continue;
        const double end = start + v / total;
        const RColor color = ChartColors::Blend(series.Line.Color, series.Fill.Color, count > 1 ? double(i) / (count - 1) : 0);
        driver_.DrawArc(cx, cy, radius, 0, start, std::min(end, 1.0), color);
        start = end;
    }
}

void RSeriesPainter::DrawLabels(const RChartSeries& series, const RChartAxis& xAxis, const RChartAxis& yAxis,
                                const RChartRect& clip)
{
    const Window window = VisibleWindow(series, xAxis, yAxis, clip, 0);
    if (window.last - window.first > kMaxLabels)
        return;
    const AxisMap mapX(xAxis), mapY(yAxis);
    driver_.SelectFont(series.Labels.Font);
    for (int i = window.first; i < window.last; ++i) {
        const double x = mapX(series.Data().X(i)), y = mapY(series.Data().Y(i));
        if (!Finite(x, y) || x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom)
            continue;
        const std::string text = series.LabelText(i);
        const RChartTextSize size = driver_.MeasureText(text);
        int cx = int(std::lround(x)), cy = int(std::lround(y));
        const int offset = std::max(series.Markers.Size, 4);
        switch (series.Labels.Alignment) {
        case slaLeft:
            cx -= offset + size.width / 2;
            break;
        case slaRight:
            cx += offset + size.width / 2;
            break;
        case slaBottom:
            cy += offset + size.height / 2;
            break;
        case slaCenter:
            break;
        default:
            cy -= offset + size.height / 2;
            break;
        }
        if (series.Labels.UseFill)
            driver_.FillRectangle(series.Labels.Fill, cx - size.width / 2 - 2, cy - size.height / 2 - 1,
                                  size.width + 4, size.height + 2);
        driver_.DrawText(cx, cy, text, series.Labels.Color);
    }
}
