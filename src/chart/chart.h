#pragma once
// RChart: the chart component. It owns its axis and series collections, its
// legend, fills, caption, view window and an RBitmap32 it draws on through
// an output driver. README.md beside this file describes the layout phases
// and the drawing order.
//
// The model is plain data: change fields freely, then call Invalidate()
// (the window repaints) or Draw() (lays out and draws a frame at once).
// Properties whose setting does more than store a value are methods: the
// view window (clamped), UseAntialiasing (swaps the driver), the size.
//
// The view window: OffsetX, OffsetY, ViewSizeX, ViewSizeY are fractions
// 0..1 of the full extent of the laid-out content (the whole range of the
// vertical axes, all tracks side by side). Each is clamped to 0..1 when
// set; an offset is further held to 1 - view size when the chart lays out.
// With FixedXAxisLength > 0 every track is that many pixels wide and
// ViewSizeX follows from the graph area's width.

#include "chart/chart_color_scale.h"
#include "chart/chart_layout.h"
#include "chart/chart_legend.h"
#include "chart/chart_output_driver.h"
#include "chart/chart_series.h"

#include <functional>
#include <memory>
#include <string>

class RBitmap32;
class RChart;

struct RChartMouseEvent {
    int button = 0;  // 0 left, 1 right, 2 middle: the button pressed or released
    bool shift = false, ctrl = false, alt = false;
    int x = 0, y = 0;
    int wheelDelta = 0;  // notches times 120, positive away from the user
    int buttons = 0;     // buttons held: bit 0 left, bit 1 right, bit 2 middle
};

// Fired after a drawing stage with the chart's bitmap.
using ROnDrawChart = std::function<void(RChart& chart, RBitmap32& bitmap)>;
// Fired after each series is drawn, with its index.
using ROnDrawChartSeries = std::function<void(RChart& chart, RBitmap32& bitmap, int seriesIndex)>;
using ROnChartMouse = std::function<void(RChart& chart, const RChartMouseEvent& event)>;
// Returns true when it handled the wheel itself (the chart then does not zoom).
using ROnChartWheel = std::function<bool(RChart& chart, const RChartMouseEvent& event)>;
using RChartNotify = std::function<void(RChart& chart)>;

class RChart {
public:
    explicit RChart(int width = 300, int height = 200);
    ~RChart();
    RChart(const RChart&) = delete;
    RChart& operator=(const RChart&) = delete;

    RChartSeriesCollection& Series() { return series_; }
    const RChartSeriesCollection& Series() const { return series_; }
    RChartAxisCollection& XAxis() { return xAxes_; }
    const RChartAxisCollection& XAxis() const { return xAxes_; }
    RChartAxisCollection& YAxis() { return yAxes_; }
    const RChartAxisCollection& YAxis() const { return yAxes_; }
    // Clears Series, XAxis and YAxis, for a new document.
    void Clear();

    RChartLegend Legend;
    // The legend of a series' marker gradient: what its colours stand for.
    RChartColorScale ColorScale;
    RChartFill BackGroundFill;
    // Drawn at the top-left of the chart, or of the graph area, when set.
    std::shared_ptr<const RBitmap32> BackGroundPicture;
    RChartFill GraphAreaFill;
    std::shared_ptr<const RBitmap32> GraphAreaPicture;
    // Pixels between the graph area's edges and the ends of the data range.
    int OverSizeX = 10;
    int OverSizeY = 10;
    bool AllowFmtTextCompare = false;
    bool AllowZoomX = true;
    bool AllowZoomY = true;
    int FixedXAxisLength = 0;
    int FixedYAxisLength = 0;
    RColor TrackLineColor = ChartColors::System(ChartColors::kWindowText);
    std::string Caption;
    RAlignment CaptionVAlignment = alBegin;
    RAlignment CaptionHAlignment = alCenter;
    RFont CaptionFont{"Arial", 10};
    RColor CaptionColor = ChartColors::System(ChartColors::kWindowText);
    bool CanHideSeries = false;
    double WheelScaleFactorNormal = 1.1;
    double WheelScaleFactorCtrl = 1.1;
    double WheelScaleFactorShift = 1.03;
    bool Enabled = true;
    bool Visible = true;

    ROnDrawChart OnAfterDrawBackGround;
    ROnDrawChart OnAfterDrawGraphArea;
    // The clip box is the graph area while this runs (fills go here).
    ROnDrawChart OnAfterDrawAxis;
    ROnDrawChartSeries OnAfterDrawSeries;
    ROnDrawChart OnAfterDrawAll;
    ROnChartMouse OnMouseDown, OnMouseMove, OnMouseUp;
    ROnChartWheel OnMouseWheel;
    RChartNotify OnScroll;      // after the offsets changed by user action
    RChartNotify OnScale;       // after a zoom
    RChartNotify OnPaint;       // after a frame is drawn
    RChartNotify OnResize;      // after the size changed
    RChartNotify OnInvalidate;  // the window should repaint

    double OffsetX() const { return offsetX_; }
    double OffsetY() const { return offsetY_; }
    double ViewSizeX() const { return viewSizeX_; }
    double ViewSizeY() const { return viewSizeY_; }
    void SetOffsetX(double value);
    void SetOffsetY(double value);
    // Clamped to kMinViewSize..1.
    void SetViewSizeX(double value);
    void SetViewSizeY(double value);
    static constexpr double kMinViewSize = 1e-6;

    bool UseAntialiasing() const { return useAntialiasing_; }
    // Replaces the output driver (anti-aliased or plain lines), keeping the
    // bitmap, and lays the chart out again.
    void SetUseAntialiasing(bool value);

    int Width() const;
    int Height() const;
    void SetSize(int width, int height);
    RBitmap32& Bitmap() { return *bitmap_; }
    RChartOutputDriver& Driver() { return *driver_; }

    // Layout alone (sizes, tracks, axis placements); Draw() runs it first.
    void Layout();
    const RChartLayoutResult& LayoutResult() const { return layout_; }
    // The graph area's screen rectangle after the layout.
    RChartRect GraphRect() const { return layout_.graph; }
    // Lays out and draws a whole frame, firing the drawing events.
    void Draw();
    void Invalidate();
    bool Invalid() const { return invalid_; }

    // While a view change is under way (scrolling, wheel zoom) frames are
    // drawn fast, without anti-aliasing; the window ends the change after a
    // quiet spell of kQualityRestoreDelayMs and the next frame is full
    // quality again.
    void BeginInteractiveChange();
    void EndInteractiveChange();
    bool InteractiveChange() const { return interactive_; }
    static constexpr int kQualityRestoreDelayMs = 200;

    // User scrolling by pixels of the graph area; fires OnScroll.
    void ScrollBy(double dx, double dy);
    // Zooms by the factors (above 1 zooms in) keeping the content under
    // (x, y) in place, on the axes where zoom is allowed; fires OnScale.
    void ZoomAt(double factorX, double factorY, int x, int y);

    // Mouse input forwarded by the window.
    void MouseDown(const RChartMouseEvent& event);
    void MouseMove(const RChartMouseEvent& event);
    void MouseUp(const RChartMouseEvent& event);
    // OnMouseWheel first; unless it handled the wheel, zooms by the wheel
    // factor (Ctrl, Shift or neither) per notch at the mouse position.
    void MouseWheel(const RChartMouseEvent& event);

private:
    void MakeDriver();
    void DrawSeries();

    RChartSeriesCollection series_;
    RChartAxisCollection xAxes_{false};
    RChartAxisCollection yAxes_{true};
    std::unique_ptr<RBitmap32> bitmap_;
    std::unique_ptr<RChartOutputDriver> driver_;
    bool useAntialiasing_ = false;
    double offsetX_ = 0, offsetY_ = 0, viewSizeX_ = 1, viewSizeY_ = 1;
    bool invalid_ = true;
    bool interactive_ = false;
    RChartLayoutResult layout_;

    friend class RChartLayout;
};
