#include "chart/chart_layout.h"

#include "chart/chart.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

// Blank pixels around the chart's content.
constexpr int kPad = 4;
// Between ticks, labels and captions inside an axis strip.
constexpr int kGap = 2;
// Values beyond this are cut so that spans stay finite.
constexpr double kValueLimit = 1e300;

bool TicksOutside(const RChartAxis& axis) { return axis.TicksStyle == catsOutside || axis.TicksStyle == catsCross; }

int Align(RAlignment alignment, int start, int length, int size)
{
    switch (alignment) {
    case alBegin:
        return start;
    case alEnd:
        return start + length - size;
    default:
        return start + (length - size) / 2;
    }
}

// Linear axes: the decimals of the step, and more while the range's two
// ends would read the same (0.2001..0.2004 through "#,##0.000"). Log axes:
// those of the smallest decade labelled (ticks ascend; before they are
// placed, the range's start).
void SetLabelDecimals(RChartAxis& axis)
{
    RAxisPlacement& p = axis.MutablePlacement();
    if (p.log) {
        double smallest = p.min;
        const auto major = std::find_if(p.ticks.begin(), p.ticks.end(), [](const RChartTick& tick) { return tick.major; });
        if (major != p.ticks.end())
            smallest = major->value;
        p.labelDecimals = ChartTicks::SignificantDecimals(smallest);
        return;
    }
    const int stepDecimals = ChartTicks::StepDecimals(p.step);
    p.labelDecimals = stepDecimals;
    if (axis.AxisType == atNumeric && p.max > p.min)
        p.labelDecimals = axis.DecimalsTellingApart(p.min, p.max, stepDecimals);
}

}  // namespace

std::vector<bool> RChartLayout::TrackGridAxes(const RChart& chart)
{
    std::vector<bool> draws(std::size_t(chart.XAxis().Count()), false);
    std::set<int> tracksWithGrid;
    for (int i = 0; i < chart.XAxis().Count(); ++i) {
        const RChartAxis& axis = chart.XAxis()[i];
        if (axis.Visible && axis.ShowGridLines)
            draws[std::size_t(i)] = tracksWithGrid.insert(axis.TrackIndex).second;
    }
    return draws;
}

RChartLayoutResult RChartLayout::Run()
{
    result_ = {};
    const int width = driver_.Width(), height = driver_.Height();

    // The data ranges of axes with an automatic end.
    xData_.assign(std::size_t(chart_.XAxis().Count()), {});
    yData_.assign(std::size_t(chart_.YAxis().Count()), {});
    for (const auto& series : chart_.Series()) {
        if (!series->VisibleChart)
            continue;
        const auto gather = [](const RChartAxis* axis, int index, const std::vector<double>& values,
                               std::vector<DataRange>& ranges) {
            if (!axis || !(axis->MinValueAuto || axis->MaxValueAuto))
                return;
            DataRange& range = ranges[std::size_t(index)];
            for (double v : values) {
                if (!std::isfinite(v))
                    continue;
                if (!range.any) {
                    range.min = range.max = v;
                    range.any = true;
                }
                range.min = std::min(range.min, v);
                range.max = std::max(range.max, v);
                if (v > 0 && (range.minPositive == 0 || v < range.minPositive))
                    range.minPositive = v;
            }
        };
        gather(series->XAxis(), series->XAxisIndex, series->Data().Xs(), xData_);
        gather(series->YAxis(), series->YAxisIndex, series->Data().Ys(), yData_);
    }

    ResolveRanges(std::max(width / 2, 1), std::max(height / 2, 1));
    Measure();
    Margins();
    Place();
    return result_;
}

void RChartLayout::ResolveRanges(double lengthX, double lengthY)
{
    for (int i = 0; i < chart_.XAxis().Count(); ++i)
        ResolveRange(chart_.XAxis()[i], lengthX, false, i);
    for (int i = 0; i < chart_.YAxis().Count(); ++i)
        ResolveRange(chart_.YAxis()[i], lengthY, true, i);
}

void RChartLayout::ResolveRange(RChartAxis& axis, double lengthPixels, bool vertical, int index)
{
    const DataRange& data = (vertical ? yData_ : xData_)[std::size_t(index)];
    const bool autoMin = axis.MinValueAuto && data.any, autoMax = axis.MaxValueAuto && data.any;
    double min = autoMin ? data.min : axis.MinValue();
    double max = autoMax ? data.max : axis.MaxValue();
    if (!std::isfinite(min))
        min = 0;
    if (!std::isfinite(max))
        max = min + 1;
    min = std::clamp(min, -kValueLimit, kValueLimit);
    max = std::clamp(max, -kValueLimit, kValueLimit);
    if (max < min)
        std::swap(min, max);
    RAxisPlacement& placement = axis.MutablePlacement();
    placement.log = axis.AxisType == atLogarithmic;
    if (placement.log) {
        // Powers of ten around the positive values; nothing at or below 0.
        if (!(min > 0))
            min = data.minPositive > 0 ? data.minPositive : max > 0 ? max / 1000 : 0.1;
        if (!(max > min))
            max = min * 10;
        min = ChartTicks::FloorToDecade(min);
        max = ChartTicks::CeilToDecade(max);
        if (!(max > min))
            max = min * 10;
        placement.step = 0;
    } else {
        if (max == min) {
            min -= 0.5;
            max += 0.5;
        }
        placement.step = axis.NiceStep(max - min, lengthPixels);
        if (autoMin)
            min = ChartTicks::FloorToStep(min, placement.step);
        if (autoMax)
            max = ChartTicks::CeilToStep(max, placement.step);
    }
    placement.min = min;
    placement.max = max;
    placement.ticks.clear();
    SetLabelDecimals(axis);
}

void RChartLayout::Measure()
{
    const auto measureAxis = [&](RChartAxis& axis, bool vertical) {
        AxisMeasure m;
        if (!axis.Visible)
            return m;
        driver_.SelectFont(axis.Font);
        m.labelHeight = driver_.MeasureText("0").height;
        if (vertical) {
            const RAxisPlacement& p = axis.Placement();
            const auto strategy = p.log ? RTickStrategy::Logarithmic() : RTickStrategy::Linear();
            const auto ticks = strategy->Ticks(p.min, p.max, driver_.Height(), axis.MinTickSize);
            int widest = driver_.MeasureText(axis.FormatValue(p.min)).width;
            widest = std::max(widest, driver_.MeasureText(axis.FormatValue(p.max)).width);
            for (std::size_t k = 0; k < ticks.size() && k < 64; ++k)
                widest = std::max(widest, driver_.MeasureText(axis.FormatValue(ticks[k].value)).width);
            m.labelExtent = widest;
        } else {
            m.labelExtent = m.labelHeight;
        }
        if (axis.CaptionSize >= 0) {
            m.captionExtent = axis.CaptionSize;
        } else if (!axis.Caption.empty()) {
            driver_.SelectFont(axis.CaptionFont);
            const RChartTextSize size = driver_.MeasureText(axis.Caption);
            m.captionExtent = (vertical ? size.width : size.height) + kGap;
        }
        const int ticks = TicksOutside(axis) ? std::max(axis.TicksSize, 0) : 0;
        m.thickness = axis.SizeAuto ? ticks + kGap + m.labelExtent + kGap + m.captionExtent
                                    : std::max(axis.Size(), 0);
        // Labels of absurd width are cut rather than crowding out the graph area.
        if (axis.SizeAuto)
            m.thickness = std::max(m.thickness, axis.MinSize);
        if (vertical && !axis.HeaderCaption.empty()) {
            RFont upright = axis.CaptionFont;
            upright.Angle = 0;
            driver_.SelectFont(upright);
            for (const std::string& line : axis.HeaderLines()) {
                const RChartTextSize size = driver_.MeasureText(line);
                m.headerWidth = std::max(m.headerWidth, size.width + 2 * kGap);
                m.headerHeight += size.height;
            }
            m.headerHeight += 2 * kGap;
            if (axis.SizeAuto)
                m.thickness = std::max(m.thickness, m.headerWidth);
        }
        if (axis.SizeAuto)
            m.thickness = std::min(m.thickness, (vertical ? driver_.Width() : driver_.Height()) / 3);
        return m;
    };
    xMeasure_.clear();
    yMeasure_.clear();
    for (const auto& axis : chart_.XAxis())
        xMeasure_.push_back(measureAxis(*axis, false));
    for (const auto& axis : chart_.YAxis())
        yMeasure_.push_back(measureAxis(*axis, true));

    captionHeight_ = 0;
    if (!chart_.Caption.empty()) {
        driver_.SelectFont(chart_.CaptionFont);
        captionHeight_ = driver_.MeasureText(chart_.Caption).height + kGap;
    }

    colorScaleSize_ = {};
    if (const auto content = ColorScaleContent(chart_))
        colorScaleSize_ = MeasureColorScale(chart_, *content, driver_);

    legendWidth_ = legendHeight_ = 0;
    if (chart_.Legend.Show) {
        driver_.SelectFont(chart_.Legend.Font);
        int entries = 0, widest = 0, rowHeight = std::max(chart_.Legend.SignSize, 1);
        for (const auto& series : chart_.Series()) {
            if (!series->VisibleLegend)
                continue;
            const RChartTextSize size = driver_.MeasureText(series->Name());
            widest = std::max(widest, size.width);
            rowHeight = std::max(rowHeight, size.height);
            ++entries;
        }
        if (entries > 0) {
            const int columns = std::clamp(chart_.Legend.ColCount, 1, entries);
            const int rows = (entries + columns - 1) / columns;
            const int entryWidth = std::max(chart_.Legend.SignWidthLineWidth, chart_.Legend.SignSize) + 6 + widest;
            legendWidth_ = columns * entryWidth + (columns - 1) * 12 + 12;
            legendHeight_ = rows * (rowHeight + 2) + 8;
        }
    }
}

void RChartLayout::Margins()
{
    const int width = driver_.Width(), height = driver_.Height();
    int top = kPad, bottom = kPad, left = kPad, right = kPad;
    if (captionHeight_ > 0) {
        const int y = chart_.CaptionVAlignment == alEnd ? height - kPad - captionHeight_ : kPad;
        result_.caption = {0, y, width, y + captionHeight_};
        (chart_.CaptionVAlignment == alEnd ? bottom : top) += captionHeight_ + kGap;
    }
    if (colorScaleSize_.width > 0) {
        // At the right, over the graph area; a chart too narrow cuts it at the right.
        const int x = std::max(kPad, width - kPad - colorScaleSize_.width);
        result_.colorScale = {x, top, std::min(x + colorScaleSize_.width, width), top + colorScaleSize_.height};
        top += colorScaleSize_.height + kGap;
    }
    if (legendWidth_ > 0) {
        const RChartLegendAlignment side = chart_.Legend.Align;
        const bool across = side == claTop || side == claBottom;
        const int x = across ? Align(chart_.Legend.AlignMinor, 0, width, legendWidth_)
                             : side == claLeft ? left : width - right - legendWidth_;
        const int y = !across ? Align(chart_.Legend.AlignMinor, top, height - top - bottom, legendHeight_)
                              : side == claTop ? top : height - bottom - legendHeight_;
        result_.legend = {x, y, x + legendWidth_, y + legendHeight_};
        if (side == claTop)
            top += legendHeight_ + kPad;
        else if (side == claBottom)
            bottom += legendHeight_ + kPad;
        else if (side == claLeft)
            left += legendWidth_ + kPad;
        else
            right += legendWidth_ + kPad;
    }

    // Vertical axes side by side; their labels stand out half a line
    // beyond the graph area at its top and bottom.
    int leftAxes = 0, rightAxes = 0, verticalOverhang = 0, headerCells = 0;
    for (int i = 0; i < chart_.YAxis().Count(); ++i) {
        const RChartAxis& axis = chart_.YAxis()[i];
        if (!axis.Visible)
            continue;
        (axis.TopRightAlignment ? rightAxes : leftAxes) += yMeasure_[std::size_t(i)].thickness;
        verticalOverhang = std::max(verticalOverhang, yMeasure_[std::size_t(i)].labelHeight / 2 + 1);
        headerCells = std::max(headerCells, yMeasure_[std::size_t(i)].headerHeight);
    }
    // Horizontal axes stacked per track; labels at the ends of bottom axes
    // stand out half their width.
    std::map<int, int> headerByTrack, footerByTrack;
    int horizontalOverhang = 0;
    for (int i = 0; i < chart_.XAxis().Count(); ++i) {
        const RChartAxis& axis = chart_.XAxis()[i];
        if (!axis.Visible)
            continue;
        (axis.TopRightAlignment ? headerByTrack : footerByTrack)[axis.TrackIndex] += xMeasure_[std::size_t(i)].thickness;
        if (!axis.TopRightAlignment && axis.EdgeInsideAlign < 0) {
            driver_.SelectFont(axis.Font);
            const RAxisPlacement& p = axis.Placement();
            const int ends = std::max(driver_.MeasureText(axis.FormatValue(p.min)).width,
                                      driver_.MeasureText(axis.FormatValue(p.max)).width);
            horizontalOverhang = std::max(horizontalOverhang, std::min(ends / 2 + 1, width / 6));
        }
    }
    int header = 0, footer = 0;
    for (const auto& [track, size] : headerByTrack)
        header = std::max(header, size);
    // The cells of vertical axes share the header band of the tracks.
    if (header > 0)
        header = std::max(header, headerCells);
    for (const auto& [track, size] : footerByTrack)
        footer = std::max(footer, size);

    top += std::max(header, verticalOverhang);
    bottom += std::max(footer, verticalOverhang);
    left += std::max(leftAxes, horizontalOverhang);
    right += std::max(rightAxes, horizontalOverhang);
    RChartRect& graph = result_.graph;
    // Margins wider than the chart leave an empty graph area at its edge.
    left = std::min(left, width);
    top = std::min(top, height);
    graph = {left, top, std::max(left, width - right), std::max(top, height - bottom)};
    result_.header = {graph.left, graph.top - header, graph.right, graph.top};
}

void RChartLayout::Place()
{
    PlaceVertical();
    PlaceHorizontal();
}

void RChartLayout::PlaceVertical()
{
    const RChartRect& graph = result_.graph;
    const double innerTop = graph.top + chart_.OverSizeY;
    const double innerLength = std::max(0.0, double(graph.bottom - 1 - chart_.OverSizeY) - innerTop);
    double content;
    if (chart_.FixedYAxisLength > 0) {
        content = chart_.FixedYAxisLength;
        chart_.viewSizeY_ = std::clamp(innerLength / content, RChart::kMinViewSize, 1.0);
    } else {
        content = innerLength / chart_.viewSizeY_;
    }
    chart_.offsetY_ = std::clamp(chart_.offsetY_, 0.0, 1.0 - chart_.viewSizeY_);
    const double contentTop = innerTop - chart_.offsetY_ * content;
    result_.contentHeight = content;

    int leftEdge = graph.left, rightEdge = graph.right;
    for (int i = 0; i < chart_.YAxis().Count(); ++i) {
        RChartAxis& axis = chart_.YAxis()[i];
        ResolveRange(axis, std::max(content, 1.0), true, i);
        RAxisPlacement& p = axis.MutablePlacement();
        p.laidOut = true;
        p.extent = graph;
        p.origin = axis.ReverseOrder ? contentTop : contentTop + content;
        p.length = axis.ReverseOrder ? content : -content;
        const int thickness = yMeasure_[std::size_t(i)].thickness;
        if (!axis.Visible) {
            p.band = {};
        } else if (axis.TopRightAlignment) {
            p.band = {rightEdge, graph.top, rightEdge + thickness, graph.bottom};
            rightEdge += thickness;
        } else {
            p.band = {leftEdge - thickness, graph.top, leftEdge, graph.bottom};
            leftEdge -= thickness;
        }
        const auto strategy = p.log ? RTickStrategy::Logarithmic() : RTickStrategy::Linear();
        p.ticks = strategy->Ticks(axis.VisibleMin(), axis.VisibleMax(), graph.Height(), axis.MinTickSize);
        if (!p.log)
            p.step = axis.NiceStep(axis.VisibleMax() - axis.VisibleMin(), graph.Height());
        SetLabelDecimals(axis);
    }
}

void RChartLayout::PlaceHorizontal()
{
    const RChartRect& graph = result_.graph;
    std::vector<int> trackIndexes;
    for (const auto& axis : chart_.XAxis())
        trackIndexes.push_back(axis->TrackIndex);
    std::sort(trackIndexes.begin(), trackIndexes.end());
    trackIndexes.erase(std::unique(trackIndexes.begin(), trackIndexes.end()), trackIndexes.end());
    const int trackCount = std::max(1, int(trackIndexes.size()));

    const double graphWidth = graph.Width();
    double trackWidth, content;
    if (chart_.FixedXAxisLength > 0) {
        trackWidth = chart_.FixedXAxisLength;
        content = trackWidth * trackCount;
        chart_.viewSizeX_ = std::clamp(graphWidth / content, RChart::kMinViewSize, 1.0);
    } else {
        content = graphWidth / chart_.viewSizeX_;
        trackWidth = content / trackCount;
    }
    chart_.offsetX_ = std::clamp(chart_.offsetX_, 0.0, 1.0 - chart_.viewSizeX_);
    const double scroll = chart_.offsetX_ * content;
    result_.contentWidth = content;
    for (std::size_t t = 0; t < trackIndexes.size(); ++t)
        result_.tracks.push_back({trackIndexes[t], graph.left + double(t) * trackWidth - scroll,
                                  graph.left + double(t + 1) * trackWidth - scroll});

    std::map<int, int> headerY, footerY;  // next free row per track
    std::map<int, int> headerTotal;
    for (int i = 0; i < chart_.XAxis().Count(); ++i) {
        const RChartAxis& axis = chart_.XAxis()[i];
        if (axis.Visible && axis.TopRightAlignment)
            headerTotal[axis.TrackIndex] += xMeasure_[std::size_t(i)].thickness;
    }
    for (int i = 0; i < chart_.XAxis().Count(); ++i) {
        RChartAxis& axis = chart_.XAxis()[i];
        const auto position = std::lower_bound(trackIndexes.begin(), trackIndexes.end(), axis.TrackIndex);
        const RChartTrack& track = result_.tracks[std::size_t(position - trackIndexes.begin())];
        // Track edges rounded once, so neighbouring tracks meet exactly.
        const double left = std::round(std::clamp(track.left, -1e7, 1e7));
        const double right = std::round(std::clamp(track.right, -1e7, 1e7));
        const double innerLeft = left + chart_.OverSizeX;
        const double innerRight = std::max(innerLeft, right - 1 - chart_.OverSizeX);
        ResolveRange(axis, std::max(innerRight - innerLeft, 1.0), false, i);
        RAxisPlacement& p = axis.MutablePlacement();
        p.laidOut = true;
        p.extent = {std::max(int(left), graph.left), graph.top, std::min(int(right), graph.right), graph.bottom};
        if (p.extent.right < p.extent.left)
            p.extent.right = p.extent.left;
        p.origin = axis.ReverseOrder ? innerRight : innerLeft;
        p.length = axis.ReverseOrder ? innerLeft - innerRight : innerRight - innerLeft;
        const int thickness = xMeasure_[std::size_t(i)].thickness;
        if (!axis.Visible) {
            p.band = {};
        } else if (axis.TopRightAlignment) {
            auto [slot, fresh] = headerY.try_emplace(axis.TrackIndex, graph.top - headerTotal[axis.TrackIndex]);
            p.band = {int(left), slot->second, int(right), slot->second + thickness};
            slot->second += thickness;
        } else {
            auto [slot, fresh] = footerY.try_emplace(axis.TrackIndex, graph.bottom);
            p.band = {int(left), slot->second, int(right), slot->second + thickness};
            slot->second += thickness;
        }
        const auto strategy = p.log ? RTickStrategy::Logarithmic() : RTickStrategy::Linear();
        p.ticks = strategy->Ticks(p.min, p.max, std::fabs(p.length), axis.MinTickSize);
        if (p.log)
            SetLabelDecimals(axis);
    }
}
