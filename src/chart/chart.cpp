#include "chart/chart.h"

#include "chart/axis_painter.h"
#include "chart/bitmap_output_driver.h"
#include "chart/series_painter.h"
#include "raster/bitmap32.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

double Clamp01(double value, double fallback, double low = 0)
{
    return std::isfinite(value) ? std::clamp(value, low, 1.0) : fallback;
}

void DrawLegend(RChart& chart, RChartOutputDriver& driver, const RChartRect& box)
{
    const RChartLegend& legend = chart.Legend;
    driver.FillRectangle(legend.Fill, box.left, box.top, box.Width(), box.Height());
    driver.SelectFont(legend.Font);
    int entries = 0, rowHeight = std::max(legend.SignSize, 1);
    for (const auto& series : chart.Series())
        if (series->VisibleLegend) {
            rowHeight = std::max(rowHeight, driver.MeasureText(series->Name()).height);
            ++entries;
        }
    if (entries == 0)
        return;
    const int columns = std::clamp(legend.ColCount, 1, entries);
    const int columnWidth = (box.Width() - 12 - (columns - 1) * 12) / columns;
    const int sign = std::max(legend.SignWidthLineWidth, legend.SignSize);
    int k = 0;
    for (const auto& series : chart.Series()) {
        if (!series->VisibleLegend)
            continue;
        const int x = box.left + 6 + (k % columns) * (columnWidth + 12);
        const int y = box.top + 4 + (k / columns) * (rowHeight + 2) + rowHeight / 2;
        const bool line = series->ChartType != ctScatterPoints;
        if (line)
            driver.DrawLine(x, y, sign, 0, series->Line.Color, series->Line.Width);
        if (series->Markers.Style != cmsNone)
            driver.DrawMarker(series->Markers, x + sign / 2, y, legend.SignSize, series->Markers.Color);
        const RChartTextSize size = driver.MeasureText(series->Name());
        driver.DrawText(x + sign + 6 + size.width / 2, y, series->Name(), legend.Color);
        ++k;
    }
}

}  // namespace

RChart::RChart(int width, int height)
    : series_(this), bitmap_(std::make_unique<RBitmap32>(width, height))
{
    GraphAreaFill.Color = ChartColors::Rgb(0xFFFFFF);
    GraphAreaFill.ShowBorder = true;
    BackGroundFill.ShowBorder = true;
    BackGroundFill.Border.Color = ChartColors::System(ChartColors::kGrayText);
    MakeDriver();
}

RChart::~RChart() = default;

void RChart::Clear()
{
    series_.Clear();
    xAxes_.Clear();
    yAxes_.Clear();
    Invalidate();
}

void RChart::MakeDriver()
{
    if (useAntialiasing_)
        driver_ = std::make_unique<RBitmapOutputDriverAntiAliasing>(this, *bitmap_);
    else
        driver_ = std::make_unique<RBitmapOutputDriver>(this, *bitmap_);
}

void RChart::SetUseAntialiasing(bool value)
{
    if (value == useAntialiasing_)
        return;
    useAntialiasing_ = value;
    MakeDriver();
    Layout();
    Invalidate();
}

void RChart::SetOffsetX(double value)
{
    offsetX_ = Clamp01(value, offsetX_);
    Invalidate();
}

void RChart::SetOffsetY(double value)
{
    offsetY_ = Clamp01(value, offsetY_);
    Invalidate();
}

void RChart::SetViewSizeX(double value)
{
    viewSizeX_ = Clamp01(value, viewSizeX_, kMinViewSize);
    Invalidate();
}

void RChart::SetViewSizeY(double value)
{
    viewSizeY_ = Clamp01(value, viewSizeY_, kMinViewSize);
    Invalidate();
}

int RChart::Width() const { return driver_->Width(); }
int RChart::Height() const { return driver_->Height(); }

void RChart::SetSize(int width, int height)
{
    if (width == Width() && height == Height())
        return;
    driver_->SetSize(width, height);
    Invalidate();
    if (OnResize)
        OnResize(*this);
}

void RChart::Invalidate()
{
    invalid_ = true;
    if (OnInvalidate)
        OnInvalidate(*this);
}

void RChart::Layout()
{
    layout_ = RChartLayout(*this, *driver_).Run();
}

void RChart::Draw()
{
    RChartOutputDriver& driver = *driver_;
    // While a view change is under way, lines are drawn one pixel wide.
    const bool fast = interactive_ && useAntialiasing_;
    const RBitmapLineDrawMethod method = bitmap_->LineDrawMethod();
    const RBitmapRingDrawMethod ringMethod = bitmap_->RingDrawMethod();
    if (fast) {
        bitmap_->SetLineDrawMethod(bldmSimple);
        bitmap_->SetRingDrawMethod(brdmSimple);
    }
    struct Restore {
        RBitmap32& bitmap;
        RBitmapLineDrawMethod method;
        RBitmapRingDrawMethod ring;
        ~Restore()
        {
            bitmap.SetLineDrawMethod(method);
            bitmap.SetRingDrawMethod(ring);
            bitmap.Util().ResetClip();
        }
    } restore{*bitmap_, method, ringMethod};

    driver.BeginDraw();
    driver.ResetClip();
    Layout();
    const int width = driver.Width(), height = driver.Height();
    const RChartRect graph = layout_.graph;
    // The graph area is filled over the background anyway: the background
    // is painted around it only, a band at a time with the whole chart's
    // gradient, which saves a full-frame fill.
    RChartFill background = BackGroundFill;
    background.ShowBorder = false;
    const RChartRect bands[] = {{0, 0, width, graph.top},
                                {0, graph.top, graph.left, graph.bottom},
                                {graph.right, graph.top, width, graph.bottom},
                                {0, graph.bottom, width, height}};
    for (const RChartRect& band : graph.Empty() ? std::span(bands, 0) : std::span(bands)) {
        driver.SetClipRect(band.left, band.top, band.right, band.bottom);
        driver.FillRectangle(background, 0, 0, width, height);
    }
    driver.ResetClip();
    if (graph.Empty())
        driver.FillRectangle(background, 0, 0, width, height);
    if (BackGroundFill.ShowBorder) {
        const int rings = std::clamp(BackGroundFill.Border.Width / 8, 1, std::max(1, std::min(width, height) / 2));
        for (int k = 0; k < rings; ++k)
            driver.FrameRectangle(k, k, width - 2 * k, height - 2 * k, BackGroundFill.Border.Color);
    }
    if (BackGroundPicture)
        driver.DrawPicture(*BackGroundPicture, 0, 0);
    if (OnAfterDrawBackGround)
        OnAfterDrawBackGround(*this, *bitmap_);

    if (!graph.Empty()) {
        RChartFill area = GraphAreaFill;
        area.ShowBorder = false;
        driver.FillRectangle(area, graph.left, graph.top, graph.Width(), graph.Height());
        if (GraphAreaPicture) {
            driver.SetClipRect(graph.left, graph.top, graph.right, graph.bottom);
            driver.DrawPicture(*GraphAreaPicture, graph.left, graph.top);
            driver.ResetClip();
        }
    }
    if (OnAfterDrawGraphArea)
        OnAfterDrawGraphArea(*this, *bitmap_);

    RAxisPainter axes(*this, driver);
    axes.DrawGrid();
    axes.DrawTrackLines();
    axes.DrawAxes();
    if (GraphAreaFill.ShowBorder && !graph.Empty()) {
        const int rings = std::clamp(GraphAreaFill.Border.Width / 8, 1, 8);
        for (int k = 0; k < rings; ++k)
            driver.FrameRectangle(graph.left - k, graph.top - k, graph.Width() + 1 + 2 * k, graph.Height() + 2 * k,
                                  GraphAreaFill.Border.Color);
    }
    if (OnAfterDrawAxis) {
        driver.SetClipRect(graph.left, graph.top, graph.right, graph.bottom);
        OnAfterDrawAxis(*this, *bitmap_);
        driver.ResetClip();
    }

    DrawSeries();

    if (!layout_.legend.Empty())
        DrawLegend(*this, driver, layout_.legend);
    if (!layout_.colorScale.Empty())
        if (const auto content = ColorScaleContent(*this))
            DrawColorScale(*this, *content, driver, layout_.colorScale);
    if (!layout_.caption.Empty()) {
        driver.SelectFont(CaptionFont);
        const int textWidth = driver.MeasureText(Caption).width;
        int x = width / 2;
        if (CaptionHAlignment == alBegin)
            x = 4 + textWidth / 2;
        else if (CaptionHAlignment == alEnd)
            x = width - 4 - textWidth / 2;
        driver.DrawText(x, (layout_.caption.top + layout_.caption.bottom) / 2, Caption, CaptionColor);
    }
    driver.ResetClip();
    if (OnAfterDrawAll)
        OnAfterDrawAll(*this, *bitmap_);
    invalid_ = false;
    if (OnPaint)
        OnPaint(*this);
}

void RChart::DrawSeries()
{
    RSeriesPainter painter(*this, *driver_, useAntialiasing_ && !interactive_);
    const RChartRect graph = layout_.graph;
    for (int i = 0; i < series_.Count(); ++i) {
        if (graph.Empty())
            break;
        painter.Draw(series_[i]);
        if (OnAfterDrawSeries) {
            driver_->SetClipRect(graph.left, graph.top, graph.right, graph.bottom);
            OnAfterDrawSeries(*this, *bitmap_, i);
            driver_->ResetClip();
        }
    }
}

void RChart::BeginInteractiveChange()
{
    interactive_ = true;
    Invalidate();
}

void RChart::EndInteractiveChange()
{
    if (!interactive_)
        return;
    interactive_ = false;
    Invalidate();
}

void RChart::ScrollBy(double dx, double dy)
{
    const double width = layout_.contentWidth, height = layout_.contentHeight;
    if (width > 0 && std::isfinite(dx))
        offsetX_ = std::clamp(offsetX_ + dx / width, 0.0, 1.0 - viewSizeX_);
    if (height > 0 && std::isfinite(dy))
        offsetY_ = std::clamp(offsetY_ + dy / height, 0.0, 1.0 - viewSizeY_);
    Invalidate();
    if (OnScroll)
        OnScroll(*this);
}

void RChart::ZoomAt(double factorX, double factorY, int x, int y)
{
    const RChartRect graph = layout_.graph;
    if (graph.Empty())
        return;
    const auto zoom = [](double& offset, double& size, double factor, double position) {
        if (!std::isfinite(factor) || factor <= 0)
            return;
        // The content fraction under the mouse stays where it is.
        const double anchor = offset + position * size;
        size = std::clamp(size / factor, kMinViewSize, 1.0);
        offset = std::clamp(anchor - position * size, 0.0, 1.0 - size);
    };
    // Where the mouse stands in the view: tracks span the graph area's
    // width, the vertical range its height less OverSizeY at each end.
    const double px = std::clamp(double(x - graph.left) / std::max(graph.Width(), 1), 0.0, 1.0);
    const double innerTop = graph.top + OverSizeY, innerLength = graph.Height() - 1 - 2.0 * OverSizeY;
    const double py = innerLength > 0 ? std::clamp((y - innerTop) / innerLength, 0.0, 1.0) : 0.5;
    if (AllowZoomX && FixedXAxisLength <= 0)
        zoom(offsetX_, viewSizeX_, factorX, px);
    if (AllowZoomY && FixedYAxisLength <= 0)
        zoom(offsetY_, viewSizeY_, factorY, py);
    Invalidate();
    if (OnScale)
        OnScale(*this);
}

void RChart::MouseDown(const RChartMouseEvent& event)
{
    if (Enabled && OnMouseDown)
        OnMouseDown(*this, event);
}

void RChart::MouseMove(const RChartMouseEvent& event)
{
    if (Enabled && OnMouseMove)
        OnMouseMove(*this, event);
}

void RChart::MouseUp(const RChartMouseEvent& event)
{
    if (Enabled && OnMouseUp)
        OnMouseUp(*this, event);
}

void RChart::MouseWheel(const RChartMouseEvent& event)
{
    if (!Enabled)
        return;
    if (OnMouseWheel && OnMouseWheel(*this, event))
        return;
    const double factor = event.ctrl ? WheelScaleFactorCtrl : event.shift ? WheelScaleFactorShift : WheelScaleFactorNormal;
    const double notches = std::clamp(event.wheelDelta / 120.0, -100.0, 100.0);
    if (notches == 0 || !(factor > 0))
        return;
    const double total = std::pow(factor, notches);
    ZoomAt(total, total, event.x, event.y);
}
