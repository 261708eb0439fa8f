#include "chart/chart_series.h"

#include "chart/chart.h"

#include <cstdio>

namespace {

std::string PlainNumber(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

}  // namespace

RChartAxis* RChartSeries::XAxis() const { return chart_ ? chart_->XAxis().At(XAxisIndex) : nullptr; }
RChartAxis* RChartSeries::YAxis() const { return chart_ ? chart_->YAxis().At(YAxisIndex) : nullptr; }

std::string RChartSeries::XText(int point) const
{
    const RChartAxis* axis = XAxis();
    return axis ? axis->FormatValue(data_.X(point)) : PlainNumber(data_.X(point));
}

std::string RChartSeries::YText(int point) const
{
    const RChartAxis* axis = YAxis();
    return axis ? axis->FormatValue(data_.Y(point)) : PlainNumber(data_.Y(point));
}

std::string RChartSeries::LabelText(int point) const
{
    std::string text;
    auto add = [&](const std::string& part) {
        if (!text.empty())
            text += Labels.Separator;
        text += part;
    };
    if (point < 0) {
        if (Labels.ShowSeriesName || Labels.ShowCategoryName)
            add(Name());
        return text;
    }
    if (Labels.ShowSeriesName)
        add(Name());
    if (Labels.ShowCategoryName)
        add(XText(point));
    if (Labels.ShowValue)
        add(YText(point));
    return text;
}
