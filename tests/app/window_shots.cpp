// window_shots FILE.las OUTDIR [settings.dat]: the main window with a file in a few states,
// saved as PNG for looking at (run under xvfb-run or on a desktop). Not a
// test; built with them.

#include "app/chart_widget.h"
#include "app/main_form.h"
#include "chart/chart.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: window_shots FILE.las OUTDIR [settings.dat]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    const QString folder = QDir::tempPath() + "/loggard-window-shots";
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    if (argc == 4)
        QFile::copy(QString::fromLocal8Bit(argv[3]), folder + "/settings.dat");
    TFrmMain window(folder, {QString::fromLocal8Bit(argv[1])});
    window.ShowMessages = [](QWidget*, const QString& heading, const QStringList& messages) {
        std::fprintf(stderr, "%s\n  %s\n", qPrintable(heading), qPrintable(messages.join("\n  ")));
    };
    window.resize(1280, 800);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        std::fprintf(stderr, "the window was not shown\n");
    QTest::qWait(300);
    const auto shot = [&](const char* name) {
        QTest::qWait(50);
        window.grab().save(out + "/" + name + ".png");
    };
    shot("1-opened");

    RChartWidget& chart = window.LogChartWidget();
    window.findChild<QSlider*>("TBScale")->setValue(599);
    QTest::qWait(300);
    const QPoint at(chart.viewport()->width() / 3, chart.viewport()->height() / 2);
    QTest::mouseMove(chart.viewport(), at);
    shot("2-scale-400-cursor");

    window.findChild<QToolButton*>("sBtnInfo")->click();
    window.findChild<QToolButton*>("sBtnMiniMap")->click();
    QTest::qWait(300);
    QTest::mouseMove(chart.viewport(), at + QPoint(0, 40));
    shot("3-info-minimap");

    window.cbLangChange(1);
    window.findChild<QToolButton*>("sBtnInfo")->click();
    window.findChild<QToolButton*>("sBtnInscribe")->click();  // inscribed again
    QTest::qWait(300);
    QTest::mousePress(chart.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(at.x(), 120));
    QTest::mouseMove(chart.viewport(), QPoint(at.x() + 200, 300));
    shot("4-russian-rubber-band");
    QTest::mouseRelease(chart.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(at.x() + 200, 300));
    QTest::qWait(300);
    shot("5-band-zoomed");
    return 0;
}
