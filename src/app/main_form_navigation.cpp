// TFrmMain's navigation: the scale panel, Inscribe, the mouse and the keys
// on the log chart. The view itself is RLogNavigator's; these handlers
// choose the operation and then show the view as it stands.

#include "app/chart_widget.h"
#include "app/log_overlay.h"
#include "app/main_form.h"
#include "app/scale_track.h"
#include "app/view_scale.h"
#include "chart/chart.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

// Page Up/Down scroll a view, the arrows a tenth of one; + and - zoom by this.
constexpr double kArrowViews = 0.1;
constexpr double kKeyZoom = 1.25;

}  // namespace

void TFrmMain::ShowViewState()
{
    LogChart().Layout();
    if (const auto scale = navigator_->DrawnScale())
        ScalePanel_->ShowScale(*scale);
    sBtnInscribe_->setChecked(navigator_->WholeLog());
}

void TFrmMain::ShowScale(int scale)
{
    if (!documentLoaded_)
        return;
    cViewLasFile_->NoteViewChange();
    navigator_->ShowScale(scale);
    ShowViewState();
}

void TFrmMain::TBScaleChange(int position) { ShowScale(ViewScale::ScaleOfPosition(position)); }

void TFrmMain::lblValueClick(int scale) { ScalePanel_->ChooseScale(scale); }

void TFrmMain::cViewLasFileScale()
{
    navigator_->NoteChartChanged();
    ShowViewState();
}

void TFrmMain::sBtnInscribeClick()
{
    navigator_->ToggleWholeLog();
    ShowViewState();
}

void TFrmMain::sBtnMiniMapClick() { cMiniMap_->setVisible(sBtnMiniMap_->isChecked()); }

void TFrmMain::GoToDepth()
{
    const auto range = navigator_->DepthRange();
    if (!documentLoaded_ || !range)
        return;
    const RChart& chart = LogChart();
    const double centre = range->first + (range->second - range->first) * (chart.OffsetY() + chart.ViewSizeY() / 2);
    const std::optional<double> depth = AskDepth(this, centre, range->first, range->second);
    if (!depth)
        return;
    // The whole log shows every depth: the saved zoom is shown about this one.
    if (navigator_->WholeLog())
        navigator_->ShowSavedZoom();
    navigator_->ShowDepth(*depth);
    cViewLasFile_->NoteViewChange();
    ShowViewState();
}

bool TFrmMain::NavigationKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!documentLoaded_ || (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    switch (key) {
    case Qt::Key_PageDown: navigator_->ScrollBy(1); break;
    case Qt::Key_PageUp: navigator_->ScrollBy(-1); break;
    case Qt::Key_Down: navigator_->ScrollBy(kArrowViews); break;
    case Qt::Key_Up: navigator_->ScrollBy(-kArrowViews); break;
    case Qt::Key_Home: navigator_->ScrollToTop(); break;
    case Qt::Key_End: navigator_->ScrollToBottom(); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: navigator_->Zoom(kKeyZoom); break;
    case Qt::Key_Minus: navigator_->Zoom(1 / kKeyZoom); break;
    case Qt::Key_Escape:
        if (!mouseDown_)
            return false;
        mouseDown_ = false;
        overlay_->CancelBand();
        return true;
    default: return false;
    }
    cViewLasFile_->NoteViewChange();
    ShowViewState();
    return true;
}

bool TFrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cViewLasFile_ && event->type() == QEvent::KeyPress) {
        const auto* keys = static_cast<QKeyEvent*>(event);
        bool handled = false;
        Guarded([&] { handled = NavigationKey(keys->key(), keys->modifiers()); });
        if (handled)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TFrmMain::cViewLasFileMouseWheel(const RChartMouseEvent& event)
{
    // Shift and Ctrl zoom: the chart does that with its own factors.
    if (event.shift || event.ctrl)
        return false;
    navigator_->ScrollBy(-std::clamp(event.wheelDelta / 120.0, -100.0, 100.0) / 10);
    cViewLasFile_->NoteViewChange();
    return true;
}

void TFrmMain::cViewLasFileMouseDown(const RChartMouseEvent& event)
{
    // The band and the click zoom start from the whole log.
    if (event.button != 0 || !navigator_->WholeLog() || !documentLoaded_)
        return;
    downX_ = event.x;
    downY_ = event.y;
    mouseDown_ = true;
    overlay_->BeginBand(event.x, event.y);
}

void TFrmMain::cViewLasFileMouseMove(const RChartMouseEvent& event) { overlay_->PointerAt(event.x, event.y); }

void TFrmMain::cViewLasFileMouseUp(const RChartMouseEvent& event)
{
    if (event.button != 0 || !mouseDown_)
        return;
    mouseDown_ = false;
    overlay_->EndBand();
    RChart& chart = LogChart();
    chart.Layout();
    const RChartRect graph = chart.GraphRect();
    const int distance = QApplication::startDragDistance();
    if (std::abs(event.x - downX_) < distance && std::abs(event.y - downY_) < distance) {
        // A click: the saved zoom with its top-left corner here.
        navigator_->ShowSavedZoomAt(event.x, event.y);
    } else {
        // A drag: the depths between the two rows, both held to the graph area.
        const int low = graph.top, high = std::max(graph.top, graph.bottom - 1);
        const int top = std::clamp(std::min(downY_, event.y), low, high);
        const int bottom = std::clamp(std::max(downY_, event.y), low, high);
        if (top == bottom)
            return;
        navigator_->ShowBand(top, bottom);
    }
    ShowViewState();
}

QString TFrmMain::ReadOut(int, int y) const { return overlay_->ReadOut(y); }
