// The viewer's two numbers, on the offscreen platform through the main
// window's real paint path (chart drawn into its bitmap, shown through the
// widget's paint event):
//
// - StartToFirstFrame: the main window made with samples/sample.las on its
//   command line, shown, until the log chart has painted its first frame
//   with the file. Goal under 0.5 s (application start is counted once, in
//   the counter app_start_ms).
// - WheelScrollFrame: a generated LAS file of about 60 MB (200,000 depths
//   a decimetre apart, 34 curves) opened in a 1920 x 1080 window, at 1:400;
//   each iteration is one wheel notch and the frame it paints. Goal under
//   16 ms. FullQualityFrame is the frame drawn when the scrolling stops.

#include "app/chart_widget.h"
#include "app/main_form.h"
#include "chart/chart.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kSteps = 200000;
constexpr int kCurves = 34;

QTemporaryDir& BenchDir()
{
    static QTemporaryDir dir;
    return dir;
}

// Smooth swings with noise, so that neighbouring samples differ as in a
// real log.
const QString& BigFile()
{
    static const QString path = [] {
        const QString file = BenchDir().filePath("big.las");
        std::ofstream out(file.toStdString(), std::ios::binary);
        std::string text = "~VERSION INFORMATION\r\n VERS. 2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\r\n"
                           " WRAP. NO : One line per depth step\r\n~WELL INFORMATION\r\n STRT.M 1000.0000 : START\r\n"
                           " STOP.M "
                           + std::to_string(1000 + (kSteps - 1) / 10) + "." + std::to_string((kSteps - 1) % 10)
                           + " : STOP\r\n STEP.M 0.1 : STEP\r\n NULL. -999.25 : NULL\r\n WELL. BENCH-60MB : WELL\r\n"
                             "~CURVE INFORMATION\r\n DEPT.M : DEPTH\r\n";
        for (int c = 0; c < kCurves; ++c)
            text += " C" + std::to_string(c) + ".UNIT : CURVE " + std::to_string(c) + "\r\n";
        text += "~A\r\n";
        unsigned state = 12345;
        char number[64];
        for (int i = 0; i < kSteps; ++i) {
            const double depth = 1000.0 + i * 0.1;
            text.append(number, std::to_chars(number, number + sizeof number, depth, std::chars_format::fixed, 4).ptr);
            for (int c = 0; c < kCurves; ++c) {
                state = state * 1103515245u + 12345u;
                const double noise = ((state >> 8) % 10000) / 10000.0 - 0.5;
                const double value = 50 + 30 * std::sin(i / (40.0 + c)) + 10 * std::sin(i / 7.0 + c) + 8 * noise;
                text += ' ';
                text.append(number, std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 4).ptr);
            }
            text += "\r\n";
            if (text.size() > (1 << 20)) {
                out.write(text.data(), static_cast<std::streamsize>(text.size()));
                text.clear();
            }
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        return file;
    }();
    return path;
}

void Wheel(QWidget* viewport, int delta)
{
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

double gAppStartMs = 0;

void BM_StartToFirstFrame(benchmark::State& state)
{
    const QString sample = QString(LOGGARD_SOURCE_DIR) + "/samples/sample.las";
    const QString folder = BenchDir().filePath("start");
    QDir().mkpath(folder);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        bool painted = false;
        {
            TFrmMain window(folder, {sample});
            window.resize(1920, 1080);
            RChartWidget& chart = window.LogChartWidget();
            // The first paint with the file's curves in it.
            const auto previous = chart.Chart().OnPaint;
            chart.Chart().OnPaint = [&](RChart& drawn) {
                if (previous)
                    previous(drawn);
                if (window.DocumentLoaded() && drawn.Series().Count() > 0)
                    painted = true;
            };
            window.show();
            while (!painted && clock.elapsed() < 10000)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        }
        if (!painted)
            state.SkipWithError("no frame");
    }
    state.counters["app_start_ms"] = gAppStartMs;
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

struct BigWindow {
    BigWindow() : window(BenchDir().filePath("big"), {})
    {
        QDir().mkpath(BenchDir().filePath("big"));
        window.resize(1920, 1080);
        window.show();
        QApplication::processEvents();
        window.OpenDocument(BigFile());
        window.findChild<QSlider*>("TBScale")->setValue(599);  // 1:400
        window.LogChartWidget().RestoreQuality();
        window.LogChartWidget().viewport()->repaint();
    }
    TFrmMain window;
};

BigWindow& Big()
{
    static BigWindow big;
    return big;
}

void BM_WheelScrollFrame(benchmark::State& state)
{
    TFrmMain& window = Big().window;
    RChartWidget& chart = window.LogChartWidget();
    QWidget* viewport = chart.viewport();
    int direction = -120;
    for (auto _ : state) {
        if (chart.Chart().OffsetY() > 0.9)
            direction = 120;
        else if (chart.Chart().OffsetY() < 0.1)
            direction = -120;
        Wheel(viewport, direction);
        viewport->repaint();
    }
    state.counters["view_size"] = chart.Chart().ViewSizeY();
    state.counters["chart_width"] = chart.Chart().Width();
    state.counters["chart_height"] = chart.Chart().Height();
    state.counters["points"] = double(kSteps) * kCurves;
    chart.RestoreQuality();
}
BENCHMARK(BM_WheelScrollFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_FullQualityFrame(benchmark::State& state)
{
    TFrmMain& window = Big().window;
    RChartWidget& chart = window.LogChartWidget();
    for (auto _ : state) {
        chart.Chart().Invalidate();
        chart.viewport()->repaint();
    }
}
BENCHMARK(BM_FullQualityFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    gAppStartMs = clock.nsecsElapsed() / 1e6;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
