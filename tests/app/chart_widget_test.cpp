#include "app/chart_widget.h"

#include "chart/chart.h"
#include "raster/bitmap32.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <vector>

namespace {

// A log-like chart: depth 1000..2000 down the left, one curve in a track.
void FillLogChart(RChart& chart)
{
    chart.Legend.Show = false;
    chart.OverSizeY = 5;
    chart.SetUseAntialiasing(true);
    RChartAxis& depth = chart.YAxis().Add();
    depth.SetMinValue(1000);
    depth.SetMaxValue(2000);
    depth.ReverseOrder = true;
    RChartAxis& axis = chart.XAxis().Add();
    axis.SetMinValue(0);
    axis.SetMaxValue(150);
    axis.TopRightAlignment = true;
    RChartSeries& series = chart.Series().Add();
    series.ChartType = ctScatterLine;
    for (int i = 0; i <= 1000; ++i)
        series.Data().AppendPoint(0, 75 + 50 * ((i / 50) % 2), 1000 + i);
}

struct Recorded {
    std::vector<RChartMouseEvent> down, move, up, wheel;
};

void Record(RChart& chart, Recorded& into, bool handleWheel)
{
    chart.OnMouseDown = [&into](RChart&, const RChartMouseEvent& e) { into.down.push_back(e); };
    chart.OnMouseMove = [&into](RChart&, const RChartMouseEvent& e) { into.move.push_back(e); };
    chart.OnMouseUp = [&into](RChart&, const RChartMouseEvent& e) { into.up.push_back(e); };
    chart.OnMouseWheel = [&into, handleWheel](RChart&, const RChartMouseEvent& e) {
        into.wheel.push_back(e);
        return handleWheel;
    };
}

void SendWheel(QWidget* target, QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

}  // namespace

class ChartWidgetTest : public QObject {
    Q_OBJECT

private slots:
    void ChartFollowsTheViewportAndIsShownWithoutCopy()
    {
        RChartWidget widget;
        FillLogChart(widget.Chart());
        widget.resize(400, 300);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));

        const QSize viewport = widget.viewport()->size();
        QCOMPARE(widget.Chart().Width(), viewport.width());
        QCOMPARE(widget.Chart().Height(), viewport.height());

        const QImage image = widget.Render();
        QVERIFY(!widget.Chart().Invalid());
        QCOMPARE(image.size(), viewport);
        RBitmapUtil& pixels = widget.Chart().Bitmap().Util();
        QCOMPARE(image.constBits(), pixels.Bits());
        // A pixel of the graph area reads the same in both.
        const RChartRect graph = widget.Chart().GraphRect();
        const int x = graph.left + 3, y = graph.top + 3;
        QCOMPARE(image.pixel(x, y) & 0xFFFFFFu, pixels.ReadPixel(x, y).Rgb());

        // The grabbed window shows the chart's pixels.
        const QImage shown = widget.viewport()->grab().toImage();
        QCOMPARE(shown.pixel(x, y) & 0xFFFFFFu, pixels.ReadPixel(x, y).Rgb());

        widget.resize(500, 250);
        QTRY_COMPARE(widget.Chart().Width(), widget.viewport()->width());
        QCOMPARE(widget.Chart().Height(), widget.viewport()->height());
    }

    void MouseIsForwardedWithButtonsAndModifiers()
    {
        RChartWidget widget;
        widget.resize(300, 200);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        Recorded seen;
        Record(widget.Chart(), seen, true);
        QWidget* viewport = widget.viewport();

        QTest::mousePress(viewport, Qt::LeftButton, Qt::ShiftModifier, QPoint(40, 50));
        QTest::mouseMove(viewport, QPoint(60, 70));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(61, 71));
        QTest::mouseClick(viewport, Qt::RightButton, Qt::ControlModifier, QPoint(10, 20));

        QCOMPARE(int(seen.down.size()), 2);
        QCOMPARE(seen.down[0].x, 40);
        QCOMPARE(seen.down[0].y, 50);
        QCOMPARE(seen.down[0].button, 0);
        QVERIFY(seen.down[0].shift);
        QCOMPARE(seen.down[0].buttons & 1, 1);
        QCOMPARE(seen.down[1].button, 1);
        QVERIFY(seen.down[1].ctrl);
        QVERIFY(!seen.move.empty());
        QCOMPARE(seen.move.back().x, 60);
        QCOMPARE(seen.move.back().y, 70);
        QCOMPARE(seen.up.front().x, 61);
        QCOMPARE(seen.up.front().buttons & 1, 0);

        // A move with no button held says so.
        QMouseEvent hover(QEvent::MouseMove, QPointF(5, 6), viewport->mapToGlobal(QPointF(5, 6)), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &hover);
        QCOMPARE(seen.move.back().buttons, 0);

        QSignalSpy left(&widget, &RChartWidget::MouseLeft);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(viewport, &leave);
        QCOMPARE(left.count(), 1);
    }

    void WheelIsAViewChangeEndedAfterQuiet()
    {
        RChartWidget widget;
        FillLogChart(widget.Chart());
        widget.resize(300, 300);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        Recorded seen;
        Record(widget.Chart(), seen, true);

        SendWheel(widget.viewport(), QPoint(100, 120), -240, Qt::ShiftModifier);
        QCOMPARE(int(seen.wheel.size()), 1);
        QCOMPARE(seen.wheel[0].wheelDelta, -240);
        QCOMPARE(seen.wheel[0].x, 100);
        QVERIFY(seen.wheel[0].shift);
        QVERIFY(widget.Chart().InteractiveChange());
        QVERIFY(widget.QualityRestorePending());
        QTRY_VERIFY_WITH_TIMEOUT(!widget.Chart().InteractiveChange(), 2000);
        QTRY_VERIFY(!widget.Chart().Invalid());  // the full-quality frame was drawn
    }

    void UnhandledWheelZoomsTheChart()
    {
        RChartWidget widget;
        FillLogChart(widget.Chart());
        widget.Chart().WheelScaleFactorNormal = 2;
        widget.resize(300, 300);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.Render();
        SendWheel(widget.viewport(), QPoint(150, 150), 120);
        QCOMPARE(widget.Chart().ViewSizeY(), 0.5);
    }

    void ScrollBarsFollowTheViewWindowAndMoveIt()
    {
        RChartWidget widget;
        RChart& chart = widget.Chart();
        FillLogChart(chart);
        widget.resize(400, 400);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.Render();
        widget.SyncScrollBars();
        QCOMPARE(widget.verticalScrollBar()->maximum(), 0);  // the whole range shown

        chart.SetViewSizeY(0.25);
        chart.SetOffsetY(0.5);
        QTRY_VERIFY(widget.verticalScrollBar()->maximum() > 0);
        widget.Render();
        widget.SyncScrollBars();
        QScrollBar& bar = *widget.verticalScrollBar();
        const double content = chart.LayoutResult().contentHeight;
        QVERIFY(std::abs(bar.pageStep() - 0.25 * content) <= 1);
        QVERIFY(std::abs(bar.value() - 0.5 * content) <= 1);
        QVERIFY(std::abs(bar.maximum() + bar.pageStep() - content) <= 1);

        int scrolled = 0;
        chart.OnScroll = [&scrolled](RChart&) { ++scrolled; };
        bar.setValue(0);
        QCOMPARE(chart.OffsetY(), 0.0);
        QCOMPARE(scrolled, 1);
        QVERIFY(chart.InteractiveChange());
        bar.setValue(bar.maximum());
        QVERIFY(std::abs(chart.OffsetY() - 0.75) < 1.0 / content * 2);

        // Following the chart does not scroll it.
        chart.SetOffsetY(0.1);
        widget.Render();
        widget.SyncScrollBars();
        QCOMPARE(scrolled, 2);
        QCOMPARE(chart.OffsetY(), 0.1);
    }

    void ChartWithoutScrollBarsUsesTheWholeWidget()
    {
        RChartWidget widget;
        widget.SetScrollBarsShown(false);
        FillLogChart(widget.Chart());
        widget.Chart().SetViewSizeY(0.1);
        widget.resize(256, 300);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        widget.Render();
        QCOMPARE(widget.Chart().Width(), 256);
        QCOMPARE(widget.Chart().Height(), 300);
        QVERIFY(!widget.verticalScrollBar()->isVisible());
    }

    void PaintStepCanBeReplaced()
    {
        RChartWidget widget;
        int painted = 0;
        widget.PaintChart = [&painted](RChart& chart) {
            ++painted;
            chart.Bitmap().FillRect(0, 0, chart.Width(), chart.Height(), RColorWord(0x123456));
        };
        widget.resize(100, 80);
        const QImage image = widget.Render();
        QCOMPARE(painted, 1);
        QCOMPARE(image.pixel(10, 10) & 0xFFFFFFu, 0x123456u);
    }
};

QTEST_MAIN(ChartWidgetTest)
#include "chart_widget_test.moc"
