#include "chart/chart_axis.h"

#include <algorithm>
#include <cmath>

RChartAxis::RChartAxis(bool vertical) : vertical_(vertical)
{
    if (vertical_)
        CaptionFont.Angle = 900;
}

void RChartAxis::SetMinValue(double value)
{
    minValue_ = value;
    MinValueAuto = false;
}

void RChartAxis::SetMaxValue(double value)
{
    maxValue_ = value;
    MaxValueAuto = false;
}

void RChartAxis::SetSize(int size)
{
    size_ = size;
    SizeAuto = false;
}

std::string RChartAxis::FormatValue(double value) const
{
    switch (AxisType) {
    case atDateTime:
        if (dateFormat_.Script() != FormatDateTimeScript)
            dateFormat_.SetScript(FormatDateTimeScript);
        return dateFormat_.Format(value);
    case atStrings: {
        if (textFormat_.Script() != FormatTextScript)
            textFormat_.SetScript(FormatTextScript);
        const double index = std::round(value);
        const bool inRange = std::isfinite(index) && index >= 0 && index < data_.Count();
        return textFormat_.FormatText(inRange ? data_.Name(int(index)) : std::string_view());
    }
    default:
        if (numberFormat_.Script() != FormatNumberScript)
            numberFormat_.SetScript(FormatNumberScript);
        if (UniformLabelDecimals)
            return numberFormat_.FormatFixed(value, placement_.labelDecimals);
        return numberFormat_.Format(value, AxisType == atLogarithmic ? ChartTicks::SignificantDecimals(value)
                                                                     : placement_.labelDecimals);
    }
}

int RChartAxis::DecimalsTellingApart(double a, double b, int least) const
{
    if (numberFormat_.Script() != FormatNumberScript)
        numberFormat_.SetScript(FormatNumberScript);
    return numberFormat_.DecimalsTellingApart(a, b, least, ChartTicks::kMaxDecimals, UniformLabelDecimals);
}

double RChartAxis::NiceStep(double span, double lengthPixels) const
{
    return ChartTicks::NiceStep(span, lengthPixels, MinTickSize);
}

int RChartAxis::PixelStart() const
{
    const RChartRect extent = Extent();
    return vertical_ ? extent.top : extent.left;
}

int RChartAxis::PixelEnd() const
{
    const RChartRect extent = Extent();
    return std::max(PixelStart(), (vertical_ ? extent.bottom : extent.right) - 1);
}

double RChartAxis::ToAxis(double value) const
{
    if (!placement_.log)
        return value;
    return value > 0 ? std::log10(value) : std::nan("");
}

double RChartAxis::ValueToPixel(double value) const
{
    const double start = ToAxis(placement_.min), end = ToAxis(placement_.max);
    const double t = ToAxis(value);
    if (!std::isfinite(t) || !(end > start))
        return std::nan("");
    return placement_.origin + (t - start) / (end - start) * placement_.length;
}

int RChartAxis::ValueToPixelClamped(double value) const
{
    const double pixel = ValueToPixel(value);
    const int first = PixelStart(), last = PixelEnd();
    if (!std::isfinite(pixel))
        return std::isnan(pixel) ? first : pixel > 0 ? last : first;
    return int(std::lround(std::clamp(pixel, double(first), double(last))));
}

double RChartAxis::PixelToValue(double pixel) const
{
    const double start = ToAxis(placement_.min), end = ToAxis(placement_.max);
    if (placement_.length == 0 || !std::isfinite(pixel))
        return placement_.min;
    const double t = start + (pixel - placement_.origin) / placement_.length * (end - start);
    return placement_.log ? std::pow(10.0, t) : t;
}

double RChartAxis::VisibleMin() const
{
    return std::min(PixelToValue(PixelStart()), PixelToValue(PixelEnd()));
}

double RChartAxis::VisibleMax() const
{
    return std::max(PixelToValue(PixelStart()), PixelToValue(PixelEnd()));
}

std::vector<std::string> RChartAxis::HeaderLines() const
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= HeaderCaption.size() && !HeaderCaption.empty()) {
        const std::size_t end = std::min(HeaderCaption.find('\n', start), HeaderCaption.size());
        lines.push_back(HeaderCaption.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
