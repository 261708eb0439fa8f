#include "app/mini_map.h"

#include "app/chart_widget.h"
#include "app/log_navigator.h"
#include "app/view_scale.h"
#include "chart/chart.h"
#include "raster/bitmap_copy.h"

#include <algorithm>

namespace {

// The view frame: black, mostly transparent.
constexpr RColorWord kFrameColor(0xC0000000);

}  // namespace

RMiniMap::RMiniMap(RChartWidget& map, RChartWidget& log, RLogNavigator& navigator)
    : map_(map), log_(log), navigator_(navigator)
{
    RChart& chart = map_.Chart();
    chart.SetUseAntialiasing(false);
    chart.AllowZoomX = chart.AllowZoomY = false;
    chart.WheelScaleFactorNormal = chart.WheelScaleFactorCtrl = chart.WheelScaleFactorShift = 1.0;
    chart.Legend.Show = false;
    chart.OnMouseDown = [this](RChart&, const RChartMouseEvent& e) {
        if (e.button == 0)
            Pointer(e);
    };
    chart.OnMouseMove = [this](RChart&, const RChartMouseEvent& e) {
        if (e.buttons & 1)
            Pointer(e);
    };
    map_.PaintChart = [this](RChart& c) { Paint(c); };
}

RChart& RMiniMap::Chart() { return map_.Chart(); }

void RMiniMap::SetDocumentShown(bool shown)
{
    documentShown_ = shown;
    pictureValid_ = false;
}

void RMiniMap::Paint(RChart& chart)
{
    RBitmap32& bitmap = chart.Bitmap();
    if (pictureValid_ && !chart.Invalid() && picture_.Width() == chart.Width() && picture_.Height() == chart.Height()) {
        CopyBitmap(picture_, bitmap);
    } else {
        picture_.SetSize(chart.Width(), chart.Height());
        chart.Draw();
        CopyBitmap(bitmap, picture_);
        pictureValid_ = true;
    }
    if (!documentShown_)
        return;
    const RChart& log = log_.Chart();
    const RChartRect area = chart.GraphRect();
    const double offsetX = std::clamp(log.OffsetX(), 0.0, 1.0 - log.ViewSizeX());
    const double offsetY = std::clamp(log.OffsetY(), 0.0, 1.0 - log.ViewSizeY());
    const int left = ViewScale::Nearest(area.Width() * offsetX + area.left) - 2;
    const int top = ViewScale::Nearest(area.Height() * offsetY + area.top) - 2;
    const int width = ViewScale::Nearest(log.ViewSizeX() * area.Width()) + 4;
    const int height = ViewScale::Nearest(log.ViewSizeY() * area.Height()) + 4;
    bitmap.FillRect(left, top, width, height, kFrameColor);
}

void RMiniMap::Pointer(const RChartMouseEvent& event)
{
    if (!documentShown_)
        return;
    const RChartRect area = map_.Chart().GraphRect();
    if (area.Empty())
        return;
    navigator_.CentreOn(double(event.x - area.left) / area.Width(), double(event.y - area.top) / area.Height());
    log_.NoteViewChange();
}
