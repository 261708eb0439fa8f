#pragma once
// RChartWidget: shows an RChart in a window. The chart draws itself into
// its own RBitmap32; the widget only sizes the chart to its viewport, shows
// the finished bitmap (a QImage over the bitmap's rows, no copy), forwards
// the mouse, and binds its scroll bars to the chart's view window.
//
//     RChartWidget view(parent);            // owns a chart
//     RChart& chart = view.Chart();         // fill it, set its events
//     chart.Invalidate();                   // the widget repaints
//
// The widget takes the chart's OnInvalidate (to schedule a repaint); every
// other event of the chart is the owner's.
//
// Scroll bars run in pixels of the laid-out content: the page is the part
// shown, the value the offset. Moving one scrolls the chart through
// ScrollBy (OnScroll fires); they follow the chart after every frame.
//
// Fast frames: NoteViewChange starts an interactive change on the chart
// (frames without anti-aliasing) and a single-shot timer that ends it
// RChart::kQualityRestoreDelayMs after the last view change; the next frame
// is full quality again. Wheel, scroll bars and keys count as view changes,
// and so does every frame drawn while the chart is in an interactive change
// started elsewhere.

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>

#include <functional>
#include <memory>

class RChart;
struct RChartMouseEvent;

class RChartWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Owns a new chart.
    explicit RChartWidget(QWidget* parent = nullptr);
    // Shows `chart`, which must outlive the widget.
    explicit RChartWidget(RChart& chart, QWidget* parent = nullptr);
    ~RChartWidget() override;

    RChart& Chart() { return *chart_; }
    const RChart& Chart() const { return *chart_; }

    // Without scroll bars the whole viewport shows the chart (the mini map).
    void SetScrollBarsShown(bool shown);

    // A view change is under way: fast frames until a quiet spell.
    void NoteViewChange();
    bool QualityRestorePending() const { return qualityTimer_.isActive(); }
    // Ends the interactive change now instead of at the timer.
    void RestoreQuality();

    // Replaces the drawing step of a frame (a cached picture, an overlay);
    // by default a chart that is invalid is drawn.
    std::function<void(RChart& chart)> PaintChart;

    // The paint path without the window system: sizes the chart to the
    // viewport, draws it if need be and returns the bitmap as an image that
    // shares the bitmap's pixels (valid until the chart is drawn or resized).
    QImage Render();
    // The scroll bars as they stand for the last frame.
    void SyncScrollBars();

signals:
    // The mouse left the chart's viewport.
    void MouseLeft();

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Init();
    void FitChartToViewport();

    std::unique_ptr<RChart> owned_;
    RChart* chart_;
    QTimer qualityTimer_;
    bool syncing_ = false;
};
