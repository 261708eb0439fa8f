#pragma once
// RChartAxis: one axis of a chart, an item of its XAxis (horizontal) or
// YAxis (vertical) collection. The fields are the published properties
// with their defaults; setting MinValue, MaxValue or Size through their
// setters also turns the matching "Auto" flag off. After the chart's
// layout the axis knows where it stands and converts between values and
// pixels in both directions.
//
// Pixels are chart bitmap coordinates, pixel centres at whole numbers,
// along the axis: x for horizontal axes, y for vertical ones.

#include "chart/chart_colors.h"
#include "chart/chart_data_axis.h"
#include "chart/chart_types.h"
#include "chart/number_format.h"
#include "chart/tick_strategy.h"
#include "raster/font.h"

#include <string>
#include <vector>

// Where an axis stands after the layout; filled in by the chart's layout.
struct RAxisPlacement {
    bool laidOut = false;
    RChartRect band;    // the axis's own strip: ticks, labels, caption
    RChartRect extent;  // where its values are drawn: its track within the graph area
    double origin = 0;  // pixel of the range's start (MinValue, or 1 decade up on log axes)
    double length = 1;  // signed pixels from the range's start to its end
    double min = 0, max = 1;  // the range drawn (auto, zero-span and log rules applied)
    double step = 1;          // the linear tick step (0 on log axes)
    // Decimals of numeric labels: on linear axes those of the step, more
    // when the range's two ends would read the same; on log axes those
    // that reach the first significant digit of the smallest decade
    // labelled. At least these, or exactly these with UniformLabelDecimals.
    int labelDecimals = 0;
    bool log = false;
    std::vector<RChartTick> ticks;
};

class RChartAxis {
public:
    explicit RChartAxis(bool vertical = false);

    bool Vertical() const { return vertical_; }

    double MinValue() const { return minValue_; }
    void SetMinValue(double value);  // MinValueAuto becomes false
    double MaxValue() const { return maxValue_; }
    void SetMaxValue(double value);  // MaxValueAuto becomes false
    int Size() const { return size_; }
    void SetSize(int size);  // SizeAuto becomes false

    RFont Font{"Arial", 8};
    std::string FormatNumberScript = "#,##0.0##";
    std::string FormatDateTimeScript = "dd/mm/yyyy";
    std::string FormatTextScript = "@";
    bool MinValueAuto = true;
    bool MaxValueAuto = true;
    bool SizeAuto = true;
    bool ShowGridLines = true;
    // Vertical axes stand right of the graph area, horizontal ones above it.
    bool TopRightAlignment = false;
    RColor Color = ChartColors::System(ChartColors::kWindowText);
    RColor GridLinesColor = ChartColors::System(ChartColors::kButtonFace);
    RChartAxisTicksStyle TicksStyle = catsOutside;
    int TicksSize = 8;
    // Horizontal axes grow to the left, vertical ones downwards (depth).
    bool ReverseOrder = false;
    bool CenterCategories = false;
    RAxisType AxisType = atNumeric;
    int SkipCategories = 0;
    std::string Caption;
    RAlignment CaptionAlign = alEnd;
    RFont CaptionFont;
    RColor CaptionColor = ChartColors::System(ChartColors::kWindowText);
    // A vertical axis's cell in the header band above it (the depth track's
    // index name and unit): one line per '\n', centred, in CaptionFont upright and
    // CaptionColor. The axis is at least as wide as its widest line, the
    // header band at least as high as its lines.
    std::string HeaderCaption;
    std::vector<std::string> HeaderLines() const;
    bool Visible = true;
    // Horizontal axes with the same TrackIndex share a track; tracks stand
    // side by side in TrackIndex order.
    int TrackIndex = 0;
    int TrackIndexOtherAxis = 0;
    // Bit 1: the label at the range's start is kept inside the axis's
    // extent instead of centred on its tick; bit 2: the same at the end.
    // -1 centres both.
    int EdgeInsideAlign = -1;
    // Pixels across the caption; -1 sizes it from CaptionFont.
    int CaptionSize = -1;
    int LabelsMagrin = 10;
    // Pixels an automatic size is at least (0: no least size); the labels
    // may widen the axis beyond it.
    int MinSize = 0;
    double MinTickSize = 0;
    // Every numeric label shows the same number of decimals, the
    // placement's labelDecimals (or the script's required ones when more):
    // 0.50, 0.75, 1.00 and on log axes 0.01, 0.10, 1.00. Without it labels
    // drop trailing zeros and log decades each show their own digit.
    bool UniformLabelDecimals = false;
    bool ShowZeroLevel = false;
    double ZeroLevel = 0;

    RChartDataAxis& Data() { return data_; }
    const RChartDataAxis& Data() const { return data_; }

    // Label text of a value: date axes through FormatDateTimeScript, string
    // axes the category name through FormatTextScript, others through
    // FormatNumberScript, its decimals extended so that labels are never
    // rounded together: on linear axes to the placement's labelDecimals, on
    // log axes to the value's first significant digit (0.001, 0.01, 0.1);
    // with UniformLabelDecimals exactly the placement's labelDecimals.
    std::string FormatValue(double value) const;
    // The fewest decimals from `least` up with which numeric labels of `a`
    // and `b` read apart through FormatNumberScript; `least` when none do.
    int DecimalsTellingApart(double a, double b, int least) const;

    // The nice step for `span` value units over `lengthPixels` pixels, ticks
    // at least max(MinTickSize, 40) pixels apart; with the flooring of a
    // minimum and ceiling of a maximum to it.
    double NiceStep(double span, double lengthPixels) const;
    static double FloorToStep(double value, double step) { return ChartTicks::FloorToStep(value, step); }
    static double CeilToStep(double value, double step) { return ChartTicks::CeilToStep(value, step); }

    // After the layout.
    const RAxisPlacement& Placement() const { return placement_; }
    RAxisPlacement& MutablePlacement() { return placement_; }
    bool LaidOut() const { return placement_.laidOut; }
    // The axis's strip; empty when not laid out or hidden.
    RChartRect ScreenRect() const { return placement_.laidOut ? placement_.band : RChartRect{}; }
    // Pixels where the axis's values are drawn (its track in the graph
    // area); empty when not laid out.
    RChartRect Extent() const { return placement_.laidOut ? placement_.extent : RChartRect{}; }
    // First and last pixel of the extent along the axis.
    int PixelStart() const;
    int PixelEnd() const;

    // Value to pixel along the axis, in double; far outside the extent (up
    // to infinity) for values off screen. NaN for values the axis cannot
    // show (at or below 0 on a log axis, NaN). Cut before converting.
    double ValueToPixel(double value) const;
    // The same cut into the extent and rounded; values the axis cannot show
    // give the start of the extent.
    int ValueToPixelClamped(double value) const;
    double PixelToValue(double pixel) const;
    // The value range shown inside the extent (ascending).
    double VisibleMin() const;
    double VisibleMax() const;

private:
    double ToAxis(double value) const;  // log10 on log axes

    bool vertical_;
    double minValue_ = 0, maxValue_ = 1;
    int size_ = 32;
    RChartDataAxis data_;
    RAxisPlacement placement_;
    mutable RNumberFormat numberFormat_, dateFormat_{"dd/mm/yyyy"}, textFormat_{"@"};
};
