#include "chart/axis_painter.h"

#include "chart/chart.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr int kGap = 2;
// Labels kept inside a band stand this far from its ends.
constexpr int kLabelInset = 3;
// Minor ticks of log axes are this much shorter than major ones.
constexpr int kMinorTickDivisor = 2;

int TickOut(const RChartAxis& axis)
{
    return axis.TicksStyle == catsOutside || axis.TicksStyle == catsCross ? std::max(axis.TicksSize, 0) : 0;
}
int TickIn(const RChartAxis& axis)
{
    return axis.TicksStyle == catsInside || axis.TicksStyle == catsCross ? std::max(axis.TicksSize, 0) : 0;
}

// Pixel of a value, or none when it is not finite or far off.
bool PixelOf(const RChartAxis& axis, double value, int& pixel)
{
    const double p = axis.ValueToPixel(value);
    if (!std::isfinite(p) || std::fabs(p) > 1e7)
        return false;
    pixel = int(std::lround(p));
    return true;
}

int CaptionExtent(RChartOutputDriver& driver, const RChartAxis& axis, bool vertical)
{
    if (axis.CaptionSize >= 0)
        return axis.CaptionSize;
    if (axis.Caption.empty())
        return 0;
    driver.SelectFont(axis.CaptionFont);
    const RChartTextSize size = driver.MeasureText(axis.Caption);
    return (vertical ? size.width : size.height) + kGap;
}

}  // namespace

void RAxisPainter::Rule(int x, int y, int dx, int dy, const RColor& color)
{
    // A one-pixel rule is a rectangle: the same pixels as a line of width
    // 8 on pixel centres, without the stroke machinery.
    RChartFill fill;
    fill.Color = color;
    driver_.FillRectangle(fill, std::min(x, x + dx), std::min(y, y + dy), std::abs(dx) + 1, std::abs(dy) + 1);
}

void RAxisPainter::DrawGrid()
{
    const RChartRect graph = chart_.GraphRect();
    if (graph.Empty())
        return;
    const RColor area = chart_.GraphAreaFill.Color;
    for (const auto& axis : chart_.YAxis()) {
        if (!axis->Visible || !axis->ShowGridLines)
            continue;
        driver_.SetClipRect(graph.left, graph.top, graph.right, graph.bottom);
        const RColor minor = ChartColors::Blend(axis->GridLinesColor, area, 0.5);
        for (const RChartTick& tick : axis->Placement().ticks) {
            int y = 0;
            if (PixelOf(*axis, tick.value, y))
                Rule(graph.left, y, graph.Width() - 1, 0, tick.major ? axis->GridLinesColor : minor);
        }
    }
    const std::vector<bool> trackGrid = RChartLayout::TrackGridAxes(chart_);
    for (int i = 0; i < chart_.XAxis().Count(); ++i) {
        if (!trackGrid[std::size_t(i)])
            continue;
        const RChartAxis& axis = chart_.XAxis()[i];
        const RChartRect extent = axis.Extent();
        if (extent.Empty())
            continue;
        driver_.SetClipRect(extent.left, extent.top, extent.right, extent.bottom);
        const RColor minor = ChartColors::Blend(axis.GridLinesColor, area, 0.5);
        for (const RChartTick& tick : axis.Placement().ticks) {
            int x = 0;
            if (PixelOf(axis, tick.value, x))
                Rule(x, graph.top, 0, graph.Height() - 1, tick.major ? axis.GridLinesColor : minor);
        }
    }
    // Zero levels: a line in the axis colour at ZeroLevel.
    for (const RChartAxisCollection* axes : {&chart_.XAxis(), &chart_.YAxis()}) {
        for (const auto& axis : *axes) {
            int pixel = 0;
            const RChartRect extent = axis->Extent();
            if (!axis->ShowZeroLevel || extent.Empty() || !PixelOf(*axis, axis->ZeroLevel, pixel))
                continue;
            driver_.SetClipRect(extent.left, extent.top, extent.right, extent.bottom);
            if (axis->Vertical())
                Rule(extent.left, pixel, extent.Width() - 1, 0, axis->Color);
            else
                Rule(pixel, extent.top, 0, extent.Height() - 1, axis->Color);
        }
    }
    driver_.ResetClip();
}

void RAxisPainter::DrawTrackLines()
{
    const RChartLayoutResult& layout = chart_.LayoutResult();
    const RChartRect graph = layout.graph;
    if (graph.Empty() || layout.tracks.empty())
        return;
    const int top = std::min(layout.header.top, graph.top);
    driver_.SetClipRect(graph.left, top, graph.right + 1, graph.bottom);
    for (const RChartTrack& track : layout.tracks) {
        const double left = std::round(std::clamp(track.left, -1e7, 1e7));
        const double right = std::round(std::clamp(track.right, -1e7, 1e7));
        if (right < graph.left || left > graph.right)
            continue;
        driver_.FrameRectangle(int(left), top, int(right - left) + 1, graph.bottom - top, chart_.TrackLineColor);
    }
    driver_.ResetClip();
}

void RAxisPainter::DrawAxes()
{
    for (const auto& axis : chart_.XAxis())
        if (axis->Visible && axis->LaidOut() && !axis->ScreenRect().Empty())
            DrawHorizontal(*axis);
    for (const auto& axis : chart_.YAxis())
        if (axis->Visible && axis->LaidOut() && !axis->ScreenRect().Empty())
            DrawVertical(*axis);
    driver_.ResetClip();
}

void RAxisPainter::DrawHorizontal(const RChartAxis& axis)
{
    const RChartRect graph = chart_.GraphRect();
    const RChartRect band = axis.ScreenRect();
    const RAxisPlacement& p = axis.Placement();
    const bool header = axis.TopRightAlignment;
    // The visible part of the band: tracks scroll under the graph area's width.
    const int visibleLeft = std::max(band.left, graph.left), visibleRight = std::min(band.right, graph.right + 1);
    if (visibleRight <= visibleLeft)
        return;
    // Header bands keep to their track; other axes' end labels may stand
    // out into the margin beside the graph area.
    if (header)
        driver_.SetClipRect(visibleLeft, band.top, visibleRight, band.bottom + 1);
    else
        driver_.SetClipRect(0, band.top - 1, driver_.Width(), band.bottom);

    const int baseline = header ? band.bottom : band.top - 1;
    const int outward = header ? -1 : 1;  // away from the graph area
    Rule(band.left, baseline, band.Width(), 0, axis.Color);
    const int out = TickOut(axis), in = TickIn(axis);
    for (const RChartTick& tick : p.ticks) {
        int x = 0;
        if (!PixelOf(axis, tick.value, x))
            continue;
        const int lengthOut = tick.major ? out : out / kMinorTickDivisor;
        const int lengthIn = tick.major ? in : in / kMinorTickDivisor;
        if (lengthOut > 0)
            Rule(x, baseline, 0, outward * lengthOut, axis.Color);
        if (lengthIn > 0)
            Rule(x, baseline, 0, -outward * lengthIn, axis.Color);
    }

    driver_.SelectFont(axis.Font);
    const int labelHeight = driver_.MeasureText("0").height;
    const int labelCentre = header ? baseline - out - 1 - labelHeight / 2 : baseline + out + kGap + labelHeight / 2 + 1;
    const int insideLeft = std::max(p.extent.left, band.left) + kLabelInset;
    const int insideRight = std::min(p.extent.right, band.right) - kLabelInset;
    // Centred on x, or pushed inside [insideLeft, insideRight] when asked.
    const auto placeLabel = [&](int x, int width, bool keepInside) {
        int left = x - width / 2;
        if (keepInside) {
            left = std::min(left, insideRight - width);
            left = std::max(left, insideLeft);
        }
        return left;
    };
    const bool startInside = header || (axis.EdgeInsideAlign >= 0 && (axis.EdgeInsideAlign & 1));
    const bool endInside = header || (axis.EdgeInsideAlign >= 0 && (axis.EdgeInsideAlign & 2));
    if (header) {
        // Both ends or neither: in a track too narrow for the two labels
        // they would run into each other.
        const std::string texts[2] = {axis.FormatValue(p.min), axis.FormatValue(p.max)};
        const int widths[2] = {driver_.MeasureText(texts[0]).width, driver_.MeasureText(texts[1]).width};
        const bool fit = widths[0] + widths[1] + 2 * kLabelInset <= insideRight - insideLeft;
        // Ends that still read the same (beyond a double's digits) are labelled once.
        const int ends = texts[0] == texts[1] ? 1 : 2;
        for (int end = 0; fit && end < ends; ++end) {
            int x = 0;
            if (!PixelOf(axis, end == 0 ? p.min : p.max, x))
                continue;
            const int left = placeLabel(x, widths[end], true);
            driver_.DrawText(left + widths[end] / 2, labelCentre, texts[end], axis.Color);
        }
    } else {
        int lastRight = -1000000;
        std::string lastText;
        const std::size_t count = p.ticks.size();
        for (std::size_t k = 0; k < count; ++k) {
            const RChartTick& tick = p.ticks[k];
            int x = 0;
            if (!tick.major || !PixelOf(axis, tick.value, x) || x < p.extent.left - 1 || x > p.extent.right)
                continue;
            const std::string text = axis.FormatValue(tick.value);
            // A label reading like its neighbour (a script or a value's
            // digits too coarse for the step) says nothing: its tick stays bare.
            if (text == lastText)
                continue;
            const int width = driver_.MeasureText(text).width;
            const bool atStart = std::fabs(tick.value - p.min) <= 1e-9 * std::max(1.0, std::fabs(p.min));
            const bool atEnd = std::fabs(tick.value - p.max) <= 1e-9 * std::max(1.0, std::fabs(p.max));
            const int left = placeLabel(x, width, (atStart && startInside) || (atEnd && endInside));
            if (left < lastRight + 4)
                continue;
            driver_.DrawText(left + width / 2, labelCentre, text, axis.Color);
            lastRight = left + width;
            lastText = text;
        }
    }

    const int captionExtent = CaptionExtent(driver_, axis, false);
    if (!axis.Caption.empty() && captionExtent > 0) {
        driver_.SelectFont(axis.CaptionFont);
        const int width = driver_.MeasureText(axis.Caption).width;
        int x = (visibleLeft + visibleRight) / 2;
        // A caption wider than its band shows its beginning (the mnemonic).
        if (axis.CaptionAlign == alBegin || (header && width + 2 * kGap > visibleRight - visibleLeft))
            x = visibleLeft + kGap + width / 2;
        else if (axis.CaptionAlign == alEnd)
            x = visibleRight - kGap - width / 2;
        const int y = header ? band.top + captionExtent / 2 : band.bottom - captionExtent / 2;
        driver_.DrawText(x, y, axis.Caption, axis.CaptionColor);
    }
}

void RAxisPainter::DrawVertical(const RChartAxis& axis)
{
    const RChartRect graph = chart_.GraphRect();
    const RChartRect band = axis.ScreenRect();
    const RAxisPlacement& p = axis.Placement();
    const bool right = axis.TopRightAlignment;
    driver_.SetClipRect(band.left - (right ? 1 : 0), 0, band.right + (right ? 0 : 1), driver_.Height());

    const int line = right ? band.left - 1 : band.right;
    const int outward = right ? 1 : -1;
    Rule(line, graph.top, 0, graph.Height() - 1, axis.Color);
    const int out = TickOut(axis), in = TickIn(axis);
    driver_.SelectFont(axis.Font);
    const int labelHeight = driver_.MeasureText("0").height;
    const bool startInside = axis.EdgeInsideAlign >= 0 && (axis.EdgeInsideAlign & 1);
    const bool endInside = axis.EdgeInsideAlign >= 0 && (axis.EdgeInsideAlign & 2);
    std::string lastText;
    for (const RChartTick& tick : p.ticks) {
        int y = 0;
        if (!PixelOf(axis, tick.value, y) || y < graph.top || y >= graph.bottom)
            continue;
        const int lengthOut = tick.major ? out : out / kMinorTickDivisor;
        const int lengthIn = tick.major ? in : in / kMinorTickDivisor;
        if (lengthOut > 0)
            Rule(line, y, outward * lengthOut, 0, axis.Color);
        if (lengthIn > 0)
            Rule(line, y, -outward * lengthIn, 0, axis.Color);
        if (!tick.major)
            continue;
        const std::string text = axis.FormatValue(tick.value);
        if (text == lastText)
            continue;  // as on horizontal axes: a neighbour reading the same is not repeated
        lastText = text;
        const int width = driver_.MeasureText(text).width;
        const int x = right ? line + out + kGap + width / 2 + 1 : line - out - kGap - (width + 1) / 2;
        // Labels stay in the bitmap; at the range's ends inside the graph
        // area when EdgeInsideAlign asks for it.
        int top = y - labelHeight / 2;
        const bool nearTop = y - graph.top < labelHeight, nearBottom = graph.bottom - y <= labelHeight;
        const bool topIsStart = axis.ReverseOrder;
        if (nearTop && (topIsStart ? startInside : endInside))
            top = std::max(top, graph.top);
        if (nearBottom && (topIsStart ? endInside : startInside))
            top = std::min(top, graph.bottom - labelHeight);
        top = std::clamp(top, 0, std::max(0, driver_.Height() - labelHeight));
        driver_.DrawText(x, top + labelHeight / 2, text, axis.Color);
    }

    const int captionExtent = CaptionExtent(driver_, axis, true);
    if (!axis.Caption.empty() && captionExtent > 0) {
        driver_.SelectFont(axis.CaptionFont);
        const int length = driver_.MeasureText(axis.Caption).height;
        int y = (graph.top + graph.bottom) / 2;
        if (axis.CaptionAlign == alEnd)
            y = graph.top + kGap + length / 2;
        else if (axis.CaptionAlign == alBegin)
            y = graph.bottom - kGap - length / 2;
        const int x = right ? band.right - captionExtent / 2 : band.left + captionExtent / 2;
        driver_.DrawText(x, y, axis.Caption, axis.CaptionColor);
    }

    // The header cell: its lines centred in the header band above the axis.
    const RChartRect header = chart_.LayoutResult().header;
    if (!axis.HeaderCaption.empty() && header.Height() > 0) {
        RFont upright = axis.CaptionFont;
        upright.Angle = 0;
        driver_.SelectFont(upright);
        const std::vector<std::string> lines = axis.HeaderLines();
        const int lineHeight = driver_.MeasureText("0").height;
        int y = header.top + (header.Height() - lineHeight * static_cast<int>(lines.size())) / 2 + lineHeight / 2;
        for (const std::string& text : lines) {
            driver_.DrawText((band.left + band.right) / 2, y, text, axis.CaptionColor);
            y += lineHeight;
        }
    }
}
