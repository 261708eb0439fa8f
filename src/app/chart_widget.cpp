#include "app/chart_widget.h"

#include "chart/chart.h"
#include "raster/bitmap32.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

int HeldButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
           | (buttons & Qt::MiddleButton ? 4 : 0);
}

RChartMouseEvent ChartEvent(Qt::KeyboardModifiers modifiers, Qt::MouseButtons held, QPointF position)
{
    RChartMouseEvent event;
    event.buttons = HeldButtons(held);
    event.shift = modifiers & Qt::ShiftModifier;
    event.ctrl = modifiers & Qt::ControlModifier;
    event.alt = modifiers & Qt::AltModifier;
    event.x = int(std::floor(position.x()));
    event.y = int(std::floor(position.y()));
    return event;
}

RChartMouseEvent ChartEvent(const QMouseEvent& mouse)
{
    RChartMouseEvent event = ChartEvent(mouse.modifiers(), mouse.buttons(), mouse.position());
    event.button = mouse.button() == Qt::RightButton ? 1 : mouse.button() == Qt::MiddleButton ? 2 : 0;
    return event;
}

// Scroll bar units are content pixels; a view so deep that they would not
// fit an int is scrolled in coarser units.
constexpr double kMaxScrollUnits = 1e9;

void SetBar(QScrollBar& bar, double content, double offset, double viewSize)
{
    if (!(content > 0) || !std::isfinite(content) || viewSize >= 1) {
        bar.setRange(0, 0);
        return;
    }
    const double units = std::min(content, kMaxScrollUnits);
    const int page = std::max(1, int(std::lround(viewSize * units)));
    const int total = int(std::lround(units));
    bar.setRange(0, std::max(0, total - page));
    bar.setPageStep(page);
    bar.setSingleStep(std::max(1, page / 10));
    bar.setValue(int(std::lround(offset * units)));
}

}  // namespace

RChartWidget::RChartWidget(QWidget* parent)
    : QAbstractScrollArea(parent), owned_(std::make_unique<RChart>()), chart_(owned_.get())
{
    Init();
}

RChartWidget::RChartWidget(RChart& chart, QWidget* parent) : QAbstractScrollArea(parent), chart_(&chart)
{
    Init();
}

RChartWidget::~RChartWidget() { chart_->OnInvalidate = nullptr; }

void RChartWidget::Init()
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setMouseTracking(true);
    // The bitmap covers the whole viewport: nothing to erase first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setCursor(Qt::CrossCursor);
    qualityTimer_.setSingleShot(true);
    qualityTimer_.setInterval(RChart::kQualityRestoreDelayMs);
    connect(&qualityTimer_, &QTimer::timeout, this, &RChartWidget::RestoreQuality);
    chart_->OnInvalidate = [this](RChart&) { viewport()->update(); };
}

void RChartWidget::SetScrollBarsShown(bool shown)
{
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
}

void RChartWidget::NoteViewChange()
{
    if (!chart_->InteractiveChange())
        chart_->BeginInteractiveChange();
    qualityTimer_.start();
}

void RChartWidget::RestoreQuality()
{
    qualityTimer_.stop();
    chart_->EndInteractiveChange();
}

void RChartWidget::FitChartToViewport()
{
    const QSize size = viewport()->size();
    chart_->SetSize(std::max(1, size.width()), std::max(1, size.height()));
}

QImage RChartWidget::Render()
{
    FitChartToViewport();
    if (PaintChart)
        PaintChart(*chart_);
    else if (chart_->Invalid())
        chart_->Draw();
    if (chart_->InteractiveChange())
        qualityTimer_.start();
    RBitmapUtil& pixels = chart_->Bitmap().Util();
    // Rows are top-down, bytes blue, green, red, unused: RGB32 on a
    // little-endian machine.
    return QImage(pixels.Bits(), pixels.Width(), pixels.Height(), pixels.Stride(), QImage::Format_RGB32);
}

void RChartWidget::SyncScrollBars()
{
    if (horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
        return;
    const RChartLayoutResult& layout = chart_->LayoutResult();
    syncing_ = true;
    SetBar(*horizontalScrollBar(), layout.contentWidth, chart_->OffsetX(), chart_->ViewSizeX());
    SetBar(*verticalScrollBar(), layout.contentHeight, chart_->OffsetY(), chart_->ViewSizeY());
    syncing_ = false;
}

bool RChartWidget::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave)
        emit MouseLeft();
    return QAbstractScrollArea::viewportEvent(event);
}

void RChartWidget::paintEvent(QPaintEvent*)
{
    const QImage image = Render();
    QPainter painter(viewport());
    painter.drawImage(0, 0, image);
    painter.end();
    SyncScrollBars();
}

void RChartWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    FitChartToViewport();
}

void RChartWidget::mousePressEvent(QMouseEvent* event)
{
    chart_->MouseDown(ChartEvent(*event));
}

void RChartWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like the first, so that
    // every release has its press.
    chart_->MouseDown(ChartEvent(*event));
}

void RChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    chart_->MouseMove(ChartEvent(*event));
}

void RChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    chart_->MouseUp(ChartEvent(*event));
}

void RChartWidget::wheelEvent(QWheelEvent* event)
{
    RChartMouseEvent chartEvent = ChartEvent(event->modifiers(), event->buttons(), event->position());
    chartEvent.wheelDelta = event->angleDelta().y();
    if (chartEvent.wheelDelta == 0) {
        event->ignore();
        return;
    }
    NoteViewChange();
    chart_->MouseWheel(chartEvent);
    event->accept();
}

void RChartWidget::scrollContentsBy(int dx, int dy)
{
    if (syncing_)
        return;
    // The bar's value is the offset in content pixels (or coarser units on
    // a very deep view); set absolutely, so a bar that has not caught up
    // with the chart yet cannot add a stale difference.
    const RChartLayoutResult& layout = chart_->LayoutResult();
    const auto fraction = [](const QScrollBar& bar, double content) {
        return double(bar.value()) / std::min(content, kMaxScrollUnits);
    };
    NoteViewChange();
    if (dx != 0 && layout.contentWidth > 0)
        chart_->SetOffsetX(fraction(*horizontalScrollBar(), layout.contentWidth));
    if (dy != 0 && layout.contentHeight > 0)
        chart_->SetOffsetY(fraction(*verticalScrollBar(), layout.contentHeight));
    if (chart_->OnScroll)
        chart_->OnScroll(*chart_);
}
