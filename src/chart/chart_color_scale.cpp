#include "chart/chart_color_scale.h"

#include "chart/chart.h"
#include "chart/number_format.h"
#include "chart/tick_strategy.h"

#include <algorithm>
#include <cmath>

namespace {

// Between the caption, the values and the bar.
constexpr int kCaptionGap = 8, kValueGap = 4;

// The fewest decimals with which FormatFixed writes all that Format shows of `value`.
int DecimalsShown(const RNumberFormat& format, double value)
{
    const std::string shown = format.Format(value);
    for (int decimals = 0; decimals < ChartTicks::kMaxDecimals; ++decimals)
        if (format.FormatFixed(value, decimals) == shown)
            return decimals;
    return ChartTicks::kMaxDecimals;
}

}  // namespace

RMarkerGradient::RMarkerGradient(const RChartSeries& series)
    : markers_(&series.Markers), values_(&series.Data().ColorValues()), count_(series.Data().Count())
{
    if (!series.Data().HasColorValues())
        return;
    for (const double value : *values_) {
        if (!std::isfinite(value))
            continue;
        if (!byValue_)
            least_ = greatest_ = value;
        least_ = std::min(least_, value);
        greatest_ = std::max(greatest_, value);
        byValue_ = true;
    }
    reversed_ = values_->front() > values_->back();
}

RColor RMarkerGradient::ValueColor(double value) const
{
    const double span = greatest_ - least_;
    if (!std::isfinite(value) || !(span > 0))
        return markers_->Color;
    const double t = (value - least_) / span;
    return ChartColors::Blend(markers_->Color, markers_->GradientColor, reversed_ ? 1 - t : t);
}

RColor RMarkerGradient::PointColor(int point) const
{
    if (!markers_->UseGradient)
        return markers_->Color;
    if (byValue_)
        return ValueColor((*values_)[std::size_t(point)]);
    return count_ > 1 ? ChartColors::Blend(markers_->Color, markers_->GradientColor, double(point) / (count_ - 1))
                      : markers_->Color;
}

std::optional<RColorScaleContent> ColorScaleContent(const RChart& chart)
{
    const RChartColorScale& scale = chart.ColorScale;
    const RChartSeries* series = scale.Show ? chart.Series().At(scale.SeriesIndex) : nullptr;
    if (!series || !series->VisibleChart || !series->Markers.UseGradient || series->Markers.Style == cmsNone)
        return std::nullopt;
    RColorScaleContent content{series, RMarkerGradient(*series), {}, {}};
    if (!content.gradient.ByValue())
        return std::nullopt;
    const RNumberFormat format(scale.FormatNumberScript);
    const double least = content.gradient.Least(), greatest = content.gradient.Greatest();
    int decimals = std::max(DecimalsShown(format, least), DecimalsShown(format, greatest));
    decimals = format.DecimalsTellingApart(least, greatest, decimals, ChartTicks::kMaxDecimals, true);
    content.least = format.FormatFixed(least, decimals);
    content.greatest = format.FormatFixed(greatest, decimals);
    if (content.greatest == content.least)
        content.greatest.clear();
    return content;
}

RChartTextSize MeasureColorScale(const RChart& chart, const RColorScaleContent& content, RChartOutputDriver& driver)
{
    const RChartColorScale& scale = chart.ColorScale;
    driver.SelectFont(scale.Font);
    RChartTextSize size{std::max(scale.BarWidth, 2), std::max(scale.BarHeight, 2)};
    for (const std::string* text : {&scale.Caption, &content.least, &content.greatest}) {
        if (text->empty())
            continue;
        const RChartTextSize measured = driver.MeasureText(*text);
        size.width += measured.width + (text == &scale.Caption ? kCaptionGap : kValueGap);
        size.height = std::max(size.height, measured.height);
    }
    return size;
}

void DrawColorScale(const RChart& chart, const RColorScaleContent& content, RChartOutputDriver& driver,
                    const RChartRect& box)
{
    const RChartColorScale& scale = chart.ColorScale;
    driver.SetClipRect(box.left, box.top, box.right, box.bottom);
    driver.SelectFont(scale.Font);
    const int middle = (box.top + box.bottom) / 2;
    int x = box.left;
    // Text left-aligned at x, centred on the strip's middle.
    const auto write = [&](const std::string& text, int gap) {
        if (text.empty())
            return;
        const int width = driver.MeasureText(text).width;
        driver.DrawText(x + width / 2, middle, text, scale.Color);
        x += width + gap;
    };
    write(scale.Caption, kCaptionGap);
    write(content.least, kValueGap);

    const int width = std::max(scale.BarWidth, 2), height = std::max(scale.BarHeight, 2);
    const int top = middle - height / 2;
    const double least = content.gradient.Least(), span = content.gradient.Greatest() - least;
    RChartFill column;
    // Inside the frame, each pixel column in the colour of its value.
    for (int k = 1; k < width - 1; ++k) {
        column.Color = content.gradient.ValueColor(least + span * (k - 1) / std::max(width - 3, 1));
        driver.FillRectangle(column, x + k, top + 1, 1, height - 2);
    }
    driver.FrameRectangle(x, top, width, height, scale.Color);
    x += width + kValueGap;
    write(content.greatest, 0);
    driver.ResetClip();
}
