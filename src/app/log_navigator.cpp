#include "app/log_navigator.h"

#include "app/view_scale.h"
#include "chart/chart.h"

#include <algorithm>
#include <cmath>

RLogNavigator::View RLogNavigator::Current() const
{
    return {chart_.OffsetX(), chart_.OffsetY(), chart_.ViewSizeX(), chart_.ViewSizeY()};
}

void RLogNavigator::Apply(const View& view)
{
    chart_.SetOffsetX(view.OffsetX);
    chart_.SetOffsetY(view.OffsetY);
    chart_.SetViewSizeX(view.ViewSizeX);
    chart_.SetViewSizeY(view.ViewSizeY);
}

void RLogNavigator::FixTracks()
{
    chart_.FixedXAxisLength = ViewScale::kTrackWidth;
    wholeLog_ = false;
}

void RLogNavigator::ShowWholeLog()
{
    chart_.FixedXAxisLength = 0;
    Apply({0, 0, 1, 1});
    wholeLog_ = true;
}

void RLogNavigator::ShowSavedZoom()
{
    FixTracks();
    Apply(savedZoom_);
}

void RLogNavigator::ToggleWholeLog()
{
    if (wholeLog_) {
        ShowSavedZoom();
        return;
    }
    savedZoom_ = Current();
    ShowWholeLog();
}

void RLogNavigator::ShowScale(int n)
{
    chart_.Layout();
    const auto range = DepthRange();
    const double span = range ? std::fabs(range->second - range->first) : 0;
    FixTracks();
    chart_.SetViewSizeY(ViewScale::ViewSizeOfScale(n, chart_.GraphRect().Height(), span));
}

void RLogNavigator::ShowBand(int topRow, int bottomRow)
{
    const double top = DepthFraction(topRow), bottom = DepthFraction(bottomRow);
    FixTracks();
    chart_.SetOffsetX(0);
    chart_.SetOffsetY(top);
    chart_.SetViewSizeY(std::max(bottom - top, ViewScale::kMinViewSize));
}

void RLogNavigator::ShowSavedZoomAt(int column, int row)
{
    const RChartRect graph = chart_.GraphRect();
    savedZoom_.OffsetX = graph.Width() > 0 ? std::clamp(double(column - graph.left) / graph.Width(), 0.0, 1.0) : 0;
    savedZoom_.OffsetY = DepthFraction(row);
    ShowSavedZoom();
}

void RLogNavigator::ScrollBy(double views)
{
    if (!std::isfinite(views))
        return;
    chart_.SetOffsetY(std::clamp(chart_.OffsetY() + views * chart_.ViewSizeY(), 0.0, 1.0 - chart_.ViewSizeY()));
}

void RLogNavigator::ScrollToTop() { chart_.SetOffsetY(0); }

void RLogNavigator::ScrollToBottom() { chart_.SetOffsetY(1.0 - chart_.ViewSizeY()); }

void RLogNavigator::Zoom(double factor)
{
    if (!(factor > 0) || !std::isfinite(factor))
        return;
    const double centre = chart_.OffsetY() + chart_.ViewSizeY() / 2;
    if (wholeLog_)
        FixTracks();
    wholeLog_ = false;
    chart_.SetViewSizeY(std::clamp(chart_.ViewSizeY() / factor, ViewScale::kMinViewSize, 1.0));
    chart_.SetOffsetY(std::clamp(centre - chart_.ViewSizeY() / 2, 0.0, 1.0 - chart_.ViewSizeY()));
}

void RLogNavigator::ShowDepth(double depth)
{
    const auto range = DepthRange();
    if (!range || !std::isfinite(depth))
        return;
    const double span = range->second - range->first;
    const double fraction = span != 0 ? (depth - range->first) / span : 0;
    CentreOn(chart_.OffsetX() + chart_.ViewSizeX() / 2, fraction);
}

void RLogNavigator::CentreOn(double fractionX, double fractionY)
{
    chart_.SetOffsetX(std::clamp(fractionX - chart_.ViewSizeX() / 2, 0.0, 1.0 - chart_.ViewSizeX()));
    chart_.SetOffsetY(std::clamp(fractionY - chart_.ViewSizeY() / 2, 0.0, 1.0 - chart_.ViewSizeY()));
}

std::optional<double> RLogNavigator::DrawnScale() const
{
    const auto range = DepthRange();
    if (!range)
        return std::nullopt;
    const double scale = ViewScale::ScaleOfViewSize(chart_.ViewSizeY(), chart_.GraphRect().Height(),
                                                    std::fabs(range->second - range->first));
    if (!(scale > 0) || !std::isfinite(scale))
        return std::nullopt;
    return scale;
}

double RLogNavigator::DepthFraction(int row) const
{
    if (chart_.YAxis().Count() == 0)
        return 0;
    const RChartAxis& depth = chart_.YAxis()[0];
    const double span = depth.MaxValue() - depth.MinValue();
    if (!(span > 0))
        return 0;
    return std::clamp((depth.PixelToValue(row) - depth.MinValue()) / span, 0.0, 1.0);
}

std::optional<std::pair<double, double>> RLogNavigator::DepthRange() const
{
    if (chart_.YAxis().Count() == 0)
        return std::nullopt;
    const RChartAxis& depth = chart_.YAxis()[0];
    return std::pair{depth.MinValue(), depth.MaxValue()};
}
