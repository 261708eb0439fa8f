#include "app/main_form.h"

#include "app/chart_widget.h"
#include "app/curve_construction_form.h"
#include "app/view_scale.h"
#include "chart/chart.h"
#include "container/error.h"
#include "container/file_error.h"
#include "container/text_codec.h"
#include "dialog_test_support.h"
#include "las/logging.h"
#include "view/las_core.h"
#include "view/las_settings.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>

#include <QDir>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

struct Curve {
    std::string mnemonic, unit;
    std::function<double(int row)> value;
};

// A LAS 2.0 file of `rows` depths from `top` by `step`.
std::string WriteLas(const TempDir& dir, const std::string& name, double top, double step, int rows,
                     const std::vector<Curve>& curves)
{
    const std::string path = dir.File(name);
    std::ofstream out(path, std::ios::binary);
    out << "~VERSION INFORMATION\n VERS. 2.0 : CWLS LOG ASCII STANDARD\n WRAP. NO : ONE LINE PER DEPTH\n"
        << "~WELL INFORMATION\n STRT.M " << top << " : START\n STOP.M " << top + step * (rows - 1) << " : STOP\n"
        << " STEP.M " << step << " : STEP\n NULL. -999.25 : NULL\n WELL. " << name << " : WELL\n"
        << "~CURVE INFORMATION\n DEPT.M : DEPTH\n";
    for (const Curve& curve : curves)
        out << " " << curve.mnemonic << "." << curve.unit << " : " << curve.mnemonic << "\n";
    out << "~A\n";
    for (int row = 0; row < rows; ++row) {
        out << top + step * row;
        for (const Curve& curve : curves)
            out << " " << curve.value(row);
        out << "\n";
    }
    return path;
}

// GR 0..150 and RHOB 2..3 over 1000..2000 m, a sample a metre.
std::string WriteWell(const TempDir& dir, const std::string& name = "a.las")
{
    return WriteLas(dir, name, 1000, 1, 1001,
                    {{"GR", "API", [](int row) { return 10 + (row % 100) * 1.3; }},
                     {"RHOB", "G/C3", [](int row) { return 2.1 + (row % 50) * 0.015; }}});
}

// A loader that reports a quarter of the file read, waits in the worker
// until it is let go or the load is cancelled (or 20 s pass), logs a note
// and then loads for real.
struct SlowLoader {
    std::shared_ptr<std::atomic<bool>> go = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> finished = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> sawCancel = std::make_shared<std::atomic<bool>>(false);

    TFrmMain::DocumentLoader Loader() const
    {
        return [go = go, finished = finished, sawCancel = sawCancel](
                   const std::string& las, const std::string& settings, const RLasLoadOptions& options) {
            RLasLoadProgress& progress = *options.Progress;
            progress.FileSize = 1000;
            progress.BytesRead = 250;
            for (int i = 0; i < 2000 && !*go && !progress.Cancel; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            *sawCancel = bool(progress.Cancel);
            LogMessage("заметка загрузчика");
            auto core = TFrmMain::LoadDocumentFromFiles(las, settings, options);
            *finished = true;
            return core;
        };
    }
};

// Calls `step` with the load's busy dialog once it is shown, and records
// when that was.
void WhenProgressShown(TFrmMain& window, std::function<void(QProgressDialog&)> step, qint64* shownAfter)
{
    auto* poll = new QTimer(&window);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, &window, [poll, clock, step, shownAfter, &window] {
        auto* progress = window.findChild<QProgressDialog*>("LoadProgress");
        if (!progress || !progress->isVisible())
            return;
        *shownAfter = clock->elapsed();
        poll->deleteLater();
        poll->stop();
        step(*progress);
    });
    poll->start(5);
}

template <class T>
T* Child(QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", name);
    return child;
}

void SendWheel(QWidget* target, QPoint at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void Drag(QWidget* viewport, QPoint from, QPoint to)
{
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(viewport, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
}

// The centre row of the slider's handle at `value`, in the slider's parent.
int HandleCentre(QSlider& slider, int value)
{
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = value;
    option.sliderValue = value;
    option.upsideDown = !slider.invertedAppearance();
    option.tickPosition = slider.tickPosition();
    option.tickInterval = slider.tickInterval();
    const QRect handle = slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
    return slider.y() + handle.center().y();
}

}  // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir;
    std::unique_ptr<HookRecorder> hooks;
    QString Folder() const { return QString::fromStdString(dir->Path().string()); }
    QString Path(const std::string& name) const { return QString::fromStdString(dir->File(name)); }

    struct Recorded {
        QStringList headings, messages;
        int opened = 0, saved = 0;
    };

    // A window in the temporary folder whose dialogs answer from `open` and
    // `save` and whose message lists are recorded.
    std::unique_ptr<TFrmMain> MakeWindow(Recorded& seen, QString open = {}, QString save = {},
                                         QStringList arguments = {})
    {
        auto window = std::make_unique<TFrmMain>(Folder(), arguments);
        window->ChooseOpenFile = [&seen, open](QWidget*, const QString&) {
            ++seen.opened;
            return open;
        };
        window->ChooseSaveFile = [&seen, save](QWidget*, const QString&) {
            ++seen.saved;
            return save;
        };
        window->ShowMessages = [&seen](QWidget*, const QString& heading, const QStringList& messages) {
            seen.headings << heading;
            seen.messages << messages;
        };
        window->Updater = RUpdater(Folder(), "/opt/loggard/loggard");
        window->Help = RHelpLauncher(Folder());
        window->resize(1400, 800);
        return window;
    }

    static void ShowAndSettle(TFrmMain& window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        window.LogChartWidget().Render();
    }

    // Sizes the window so that the log chart's graph area is `height` rows.
    static void SetGraphHeight(TFrmMain& window, int height)
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            window.LogChartWidget().Render();
            const int now = window.LogChart().GraphRect().Height();
            if (now == height)
                return;
            window.resize(window.width(), window.height() + height - now);
            QCoreApplication::processEvents();
        }
    }

    static std::string Read(const QString& path)
    {
        std::ifstream in(path.toStdString(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private slots:
    void init()
    {
        dir = std::make_unique<TempDir>();
        hooks = std::make_unique<HookRecorder>();
    }
    void cleanup()
    {
        hooks.reset();
        dir.reset();
    }

    void StartsFromTheIniWithItsRangesAndWritesItBack()
    {
        std::ofstream(dir->File("mainSettings.ini"))
            << "[Language]\nlang=5\n[Scale]\noffsetX=-0.2\noffsetY=0,5\nviewSizeX=0.4\nviewSizeY=1.5\n";
        Recorded seen;
        {
            auto window = MakeWindow(seen);
            QCOMPARE(window->windowTitle(), QString("Well logs viewer"));
            QCOMPARE(window->Lang().Language(), 0);
            RChart& chart = window->LogChart();
            QCOMPARE(chart.OffsetX(), 0.0);
            QCOMPARE(chart.OffsetY(), 0.5);
            QCOMPARE(chart.ViewSizeX(), 0.4);
            QCOMPARE(chart.ViewSizeY(), 1.0);
            QCOMPARE(window->SavedViewWindow().OffsetY, 0.5);
            // No document: only Open and Help work.
            for (const char* name : {"sBtnCrossplot", "sBtnSettings", "sBtnSave", "sBtnCalc", "sBtnInscribe",
                                     "sBtnInfo", "ScalePanel"})
                QVERIFY2(!Child<QWidget>(*window, name)->isEnabled(), name);
            QVERIFY(Child<QToolButton>(*window, "sBtnOpen")->isEnabled());
            QVERIFY(Child<QToolButton>(*window, "sBtnHelp")->isEnabled());
            QCOMPARE(Child<QToolButton>(*window, "sBtnOpen")->toolTip(), QString("Open las-file (Ctrl+O)"));
            QCOMPARE(window->minimumSize(), QSize(800, 600));
        }
        const std::string ini = Read(Path("mainSettings.ini"));
        QVERIFY(ini.find("lang=0\n") != std::string::npos);
        QVERIFY(ini.find("offsetY=0.5\n") != std::string::npos);
        QVERIFY(ini.find("viewSizeY=1\n") != std::string::npos);
    }

    void OpenShowsTheFileInscribed()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen, path);
        ShowAndSettle(*window);
        Child<QToolButton>(*window, "sBtnOpen")->click();

        QCOMPARE(seen.opened, 1);
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [a.las]"));
        // Help keeps to the toolbar's right end.
        QWidget* toolbar = Child<QWidget>(*window, "pControls");
        QCOMPARE(Child<QToolButton>(*window, "sBtnHelp")->geometry().right(), toolbar->width() - 3);
        QCOMPARE(Child<QToolButton>(*window, "sBtnHelp")->size(), QSize(40, 40));
        QCOMPARE(window->LogChart().Series().Count(), 2);
        for (const char* name : {"sBtnCrossplot", "sBtnSettings", "sBtnSave", "sBtnCalc", "sBtnInscribe",
                                 "sBtnInfo", "ScalePanel"})
            QVERIFY2(Child<QWidget>(*window, name)->isEnabled(), name);
        QVERIFY(window->isEnabled());
        QVERIFY(window->InscribeActive());
        QVERIFY(Child<QToolButton>(*window, "sBtnInscribe")->isChecked());
        QCOMPARE(window->LogChart().ViewSizeY(), 1.0);
        QCOMPARE(window->LogChart().FixedXAxisLength, 0);
        QVERIFY(seen.messages.isEmpty());
        // Opening builds the mini map from the same document.
        QCOMPARE(window->MiniMapChart().Series().Count(), 2);
        QVERIFY(!window->MiniMapChart().XAxis()[0].Visible);

        // The header memo shows this file's header, and the next file's.
        window->ShowInfo(true);
        auto* memo = Child<QPlainTextEdit>(*window, "memoInfo");
        QVERIFY(memo->isVisible());
        QVERIFY(memo->toPlainText().contains("WELL. a.las"));
        const QString other = QString::fromStdString(WriteWell(*dir, "b.las"));
        QVERIFY(window->OpenLasFile(other));
        QVERIFY(memo->toPlainText().contains("WELL. b.las"));
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [b.las]"));
        Child<QToolButton>(*window, "sBtnInfo")->click();
        QVERIFY(!window->InfoShown());
        QVERIFY(memo->isHidden());
        QVERIFY(memo->toPlainText().isEmpty());
    }

    void CancelledOpenAndMissingFileLeaveTheDocument()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        RLasCore* before = &window->Core();

        Child<QToolButton>(*window, "sBtnOpen")->click();  // cancelled
        QCOMPARE(&window->Core(), before);
        QVERIFY(window->isEnabled());

        QVERIFY(!window->OpenLasFile(Path("gone.las")));
        QCOMPARE(&window->Core(), before);
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [a.las]"));
        QCOMPARE(hooks->errors, QStringList{"Cannot open the file " + Path("gone.las")});
        hooks->errors.clear();
        window->cbLangChange(1);
        QVERIFY(!window->OpenLasFile(Path("gone.las")));
        QCOMPARE(hooks->errors, QStringList{QString::fromUtf8("Ошибка открытия файла ") + Path("gone.las")});
    }

    void CaptionTakesTheFileNameWithEitherSeparator()
    {
        Recorded seen;
        auto window = MakeWindow(seen);
        window->indetifyCaptionByPath("C:\\data\\a.las");
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [a.las]"));
        window->indetifyCaptionByPath("/home/me/well12.las");
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [well12.las]"));
        window->indetifyCaptionByPath("");
        QCOMPARE(window->windowTitle(), QString("Well logs viewer"));
    }

    void LanguageLivesInTheWindowAndKeepsTheFileName()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        {
            auto window = MakeWindow(seen);
            ShowAndSettle(*window);
            QVERIFY(window->OpenDocument(path));
            Child<QComboBox>(*window, "cbLang")->setCurrentIndex(1);
            QCOMPARE(window->windowTitle(), QString::fromUtf8("Визуализатор данных каротажа [a.las]"));
            QCOMPARE(Child<QLabel>(*window, "lblScaleName")->text(), QString::fromUtf8("Масштаб"));
            // Qt's own buttons and dialogs speak it too.
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("Отмена"));
            QCOMPARE(Child<QToolButton>(*window, "sBtnInscribe")->toolTip(), QString::fromUtf8("Вписать (Ctrl+0)"));
            QVERIFY(window->ReadOut(0, 0).startsWith(QString::fromUtf8("Глубина: ")));

            // The About window's combo sets the same language.
            QTimer::singleShot(0, [] {
                QWidget* about = QApplication::activeModalWidget();
                QVERIFY(about);
                auto* combo = about->findChild<QComboBox*>("cbLang");
                combo->setCurrentIndex(0);
                emit combo->activated(0);
                about->close();
            });
            window->pmAboutClick();
            QCOMPARE(window->Lang().Language(), 0);
            QCOMPARE(window->windowTitle(), QString("Well logs viewer [a.las]"));
            QCOMPARE(Child<QComboBox>(*window, "cbLang")->currentIndex(), 0);
            QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
            window->cbLangChange(1);
        }
        QVERIFY(Read(Path("mainSettings.ini")).find("lang=1\n") != std::string::npos);
    }

    void ScaleTrackAppliesSnappedScales()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        SetGraphHeight(*window, 700);
        QCOMPARE(window->LogChart().GraphRect().Height(), 700);
        auto* track = Child<QSlider>(*window, "TBScale");
        auto* value = Child<QLabel>(*window, "lblScaleValue");
        QCOMPARE(track->minimum(), 461);
        QCOMPARE(track->maximum(), 760);
        QVERIFY(track->invertedAppearance());

        track->setValue(700);
        QCOMPARE(value->text(), QString("1:1097"));
        QVERIFY(!window->InscribeActive());
        QVERIFY(!Child<QToolButton>(*window, "sBtnInscribe")->isChecked());
        QCOMPARE(window->LogChart().FixedXAxisLength, ViewScale::kTrackWidth);

        // 1000 m in a 700-pixel graph area at 1:400.
        track->setValue(599);
        QCOMPARE(value->text(), QString("1:400"));
        QVERIFY(std::abs(window->LogChart().ViewSizeY() - 0.08) < 1e-12);
    }

    void ScaleLabelsStandBesideTheirHandlePositionsAndApplyTheirScale()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        auto* track = Child<QSlider>(*window, "TBScale");
        for (int height : {800, 650}) {
            window->resize(1400, height);
            QCoreApplication::processEvents();
            int previous = -1;
            for (int scale : ViewScale::kScales) {
                auto* label = Child<QLabel>(*window, QString("lblValue%1").arg(scale).toLatin1());
                QCOMPARE(label->text(), QString("1:%1").arg(scale));
                const int centre = label->geometry().center().y();
                QVERIFY2(std::abs(centre - HandleCentre(*track, ViewScale::PositionOfScale(scale))) <= 1,
                         qPrintable(label->objectName()));
                QVERIFY(centre > previous);  // 1:100 at the top
                previous = centre;
            }
        }

        auto* value = Child<QLabel>(*window, "lblScaleValue");
        QTest::mouseClick(Child<QLabel>(*window, "lblValue1000"), Qt::LeftButton);
        QCOMPARE(track->value(), 691);
        QCOMPARE(value->text(), QString("1:1000"));

        // A view far smaller than the track can hold: the label says so, and
        // the end label applies its scale though the value stays.
        RChart& chart = window->LogChart();
        chart.SetViewSizeY(chart.ViewSizeY() * 4);
        window->cViewLasFileScale();
        QCOMPARE(track->value(), 760);
        QCOMPARE(value->text(), QString("1:4000"));
        QTest::mouseClick(Child<QLabel>(*window, "lblValue2000"), Qt::LeftButton);
        QCOMPARE(value->text(), QString("1:2000"));
    }

    void WheelScrollsATenthOfTheViewAndZoomsWithShift()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        Child<QSlider>(*window, "TBScale")->setValue(599);
        RChart& chart = window->LogChart();
        const double size = chart.ViewSizeY();
        QWidget* viewport = window->LogChartWidget().viewport();
        const QPoint middle = viewport->rect().center();

        SendWheel(viewport, middle, -120);
        QCOMPARE(chart.OffsetY(), size / 10);
        QVERIFY(chart.InteractiveChange());
        SendWheel(viewport, middle, -240);
        QVERIFY(std::abs(chart.OffsetY() - 3 * size / 10) < 1e-12);
        SendWheel(viewport, middle, 120);
        QVERIFY(std::abs(chart.OffsetY() - 2 * size / 10) < 1e-12);
        QCOMPARE(chart.ViewSizeY(), size);

        SendWheel(viewport, middle, 120, Qt::ShiftModifier);
        QVERIFY(std::abs(chart.ViewSizeY() - size / 1.03) < 1e-12);
        QCOMPARE(Child<QLabel>(*window, "lblScaleValue")->text(), QString("1:%1").arg(ViewScale::Nearest(400 / 1.03)));
        QTRY_VERIFY_WITH_TIMEOUT(!chart.InteractiveChange(), 2000);
    }

    void InscribeSavesAndRestoresTheView()
    {
        std::ofstream(dir->File("mainSettings.ini")) << "[Scale]\noffsetY=0.25\nviewSizeY=0.1\n";
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        RChart& chart = window->LogChart();
        auto* inscribe = Child<QToolButton>(*window, "sBtnInscribe");

        inscribe->click();  // back to the saved view
        QVERIFY(!window->InscribeActive());
        QVERIFY(!inscribe->isChecked());
        QCOMPARE(chart.OffsetY(), 0.25);
        QCOMPARE(chart.ViewSizeY(), 0.1);
        QCOMPARE(chart.FixedXAxisLength, ViewScale::kTrackWidth);

        chart.SetOffsetY(0.5);
        inscribe->click();  // inscribed again, this view saved
        QVERIFY(window->InscribeActive());
        QVERIFY(inscribe->isChecked());
        QCOMPARE(window->SavedViewWindow().OffsetY, 0.5);
        QCOMPARE(chart.ViewSizeY(), 1.0);
        QCOMPARE(chart.FixedXAxisLength, 0);
    }

    void DragZoomsToItsBandAndClickReturnsToTheSavedZoom()
    {
        std::ofstream(dir->File("mainSettings.ini")) << "[Scale]\nviewSizeY=0.05\n";
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        RChart& chart = window->LogChart();
        QWidget* viewport = window->LogChartWidget().viewport();
        chart.Layout();
        const RChartRect graph = chart.GraphRect();
        const RChartAxis& depth = chart.YAxis()[0];
        const int x = graph.left + 20;

        // Wholly above the graph area: nothing happens.
        Drag(viewport, QPoint(x, graph.top - 15), QPoint(x + 30, graph.top - 3));
        QVERIFY(window->InscribeActive());
        QCOMPARE(chart.ViewSizeY(), 1.0);

        // Within the graph area: the band's depths fill the view.
        const int top = int(std::lround(depth.ValueToPixel(1200))), bottom = int(std::lround(depth.ValueToPixel(1400)));
        Drag(viewport, QPoint(x + 40, bottom), QPoint(x, top));
        QVERIFY(!window->InscribeActive());
        QVERIFY(!Child<QToolButton>(*window, "sBtnInscribe")->isChecked());
        chart.Layout();
        QVERIFY(std::abs(chart.OffsetY() - 0.2) < 0.002);
        QVERIFY(std::abs(chart.ViewSizeY() - 0.2) < 0.002);
        QVERIFY(std::abs(chart.YAxis()[0].VisibleMin() - 1200) < 3);

        // A drag that ends above the graph area is held to its top.
        Child<QToolButton>(*window, "sBtnInscribe")->click();
        chart.Layout();
        Drag(viewport, QPoint(x, int(std::lround(depth.ValueToPixel(1500)))), QPoint(x, 2));
        QVERIFY(std::abs(chart.OffsetY()) < 0.002);
        QVERIFY(std::abs(chart.ViewSizeY() - 0.5) < 0.002);

        // A click while inscribed: the saved zoom with its top at the click.
        Child<QToolButton>(*window, "sBtnInscribe")->click();
        QVERIFY(window->InscribeActive());
        chart.Layout();
        const int row = int(std::lround(depth.ValueToPixel(1300)));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(x, row));
        QVERIFY(!window->InscribeActive());
        QCOMPARE(chart.ViewSizeY(), window->SavedViewWindow().ViewSizeY);
        QVERIFY(std::abs(chart.OffsetY() - 0.3) < 0.002);
    }

    void ScaleLabelShowsTheDrawnScaleAndALabelLeavesTheWholeLog()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        SetGraphHeight(*window, 700);
        auto* value = Child<QLabel>(*window, "lblScaleValue");
        // The whole log: 1000 m in 700 pixels is drawn at 1:5000.
        QVERIFY(window->InscribeActive());
        QCOMPARE(value->text(), QString("1:5000"));
        QTest::mouseClick(Child<QLabel>(*window, "lblValue500"), Qt::LeftButton);
        QVERIFY(!window->InscribeActive());
        QVERIFY(!Child<QToolButton>(*window, "sBtnInscribe")->isChecked());
        QCOMPARE(value->text(), QString("1:500"));
        QVERIFY(std::abs(window->LogChart().ViewSizeY() - 0.1) < 1e-12);
        QCOMPARE(window->LogChart().FixedXAxisLength, ViewScale::kTrackWidth);
    }

    void KeysScrollAndZoomTheLogAndCtrlGGoesToADepth()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        RChartWidget& widget = window->LogChartWidget();
        QCOMPARE(window->focusWidget(), &widget);
        QCOMPARE(Child<QSlider>(*window, "TBScale")->focusPolicy(), Qt::ClickFocus);
        SetGraphHeight(*window, 700);
        Child<QSlider>(*window, "TBScale")->setValue(599);  // 1:400
        RChart& chart = window->LogChart();
        const double size = chart.ViewSizeY();
        QVERIFY(std::abs(size - 0.08) < 1e-12);

        QTest::keyClick(&widget, Qt::Key_PageDown);
        QVERIFY(std::abs(chart.OffsetY() - size) < 1e-12);
        QTest::keyClick(&widget, Qt::Key_Down);
        QVERIFY(std::abs(chart.OffsetY() - 1.1 * size) < 1e-12);
        QTest::keyClick(&widget, Qt::Key_Up);
        QTest::keyClick(&widget, Qt::Key_PageUp);
        QVERIFY(std::abs(chart.OffsetY()) < 1e-12);
        QTest::keyClick(&widget, Qt::Key_End);
        QVERIFY(std::abs(chart.OffsetY() - (1 - size)) < 1e-12);
        QTest::keyClick(&widget, Qt::Key_Home);
        QCOMPARE(chart.OffsetY(), 0.0);

        // + and - zoom about the view's centre; the label follows.
        QTest::keyClick(&widget, Qt::Key_Plus);
        QVERIFY(std::abs(chart.ViewSizeY() - size / 1.25) < 1e-12);
        QCOMPARE(Child<QLabel>(*window, "lblScaleValue")->text(), QString("1:320"));
        QTest::keyClick(&widget, Qt::Key_Minus);
        QVERIFY(std::abs(chart.ViewSizeY() - size) < 1e-12);

        // Ctrl+G centres the view on the typed depth; cancelled, nothing moves.
        double offered = 0, offeredTop = 0, offeredBottom = 0;
        window->AskDepth = [&](QWidget*, double current, double top, double bottom) -> std::optional<double> {
            offered = current;
            offeredTop = top;
            offeredBottom = bottom;
            return 1500.0;
        };
        window->GoToDepth();
        QVERIFY(std::abs(offered - (1000 + 1000 * size / 2)) < 1e-6);
        QCOMPARE(offeredTop, 1000.0);
        QCOMPARE(offeredBottom, 2000.0);
        QVERIFY(std::abs(chart.OffsetY() + chart.ViewSizeY() / 2 - 0.5) < 1e-12);
        window->AskDepth = [](QWidget*, double, double, double) { return std::optional<double>(); };
        window->GoToDepth();
        QVERIFY(std::abs(chart.OffsetY() + chart.ViewSizeY() / 2 - 0.5) < 1e-12);

        // The hints name the shortcuts.
        QCOMPARE(Child<QToolButton>(*window, "sBtnSave")->toolTip(), QString("Save (Ctrl+S)"));
        QCOMPARE(Child<QToolButton>(*window, "sBtnMiniMap")->toolTip(), QString("Mini map (Ctrl+M)"));
    }

    void RubberBandSpansTheTracksAndEscapeCancelsIt()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        RChart& chart = window->LogChart();
        RChartWidget& widget = window->LogChartWidget();
        QWidget* viewport = widget.viewport();
        const QImage clean = widget.Render().copy();
        const RChartRect graph = chart.GraphRect();
        const int x = graph.left + 30, top = graph.top + 100, bottom = graph.top + 200;

        // Straight down: the band still covers every track.
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(x, top));
        QTest::mouseMove(viewport, QPoint(x, bottom));
        const QImage banded = widget.Render();
        for (int column : {graph.left + 2, x, graph.right - 3}) {
            QVERIFY2(banded.pixel(column, (top + bottom) / 2) != clean.pixel(column, (top + bottom) / 2),
                     qPrintable(QString::number(column)));
            QCOMPARE(banded.pixel(column, bottom + 20), clean.pixel(column, bottom + 20));
        }

        // Escape: the drag is dropped and the release zooms nowhere.
        QTest::keyClick(&widget, Qt::Key_Escape);
        QCOMPARE(widget.Render().pixel(x, (top + bottom) / 2), clean.pixel(x, (top + bottom) / 2));
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(x, bottom));
        QVERIFY(window->InscribeActive());
        QCOMPARE(chart.ViewSizeY(), 1.0);

        // The same drag released: that depth band, from the first track.
        const RChartAxis& depth = chart.YAxis()[0];
        const double band = (depth.PixelToValue(bottom) - depth.PixelToValue(top)) / (depth.MaxValue() - depth.MinValue());
        Drag(viewport, QPoint(x, top), QPoint(x, bottom));
        QVERIFY(!window->InscribeActive());
        QCOMPARE(chart.OffsetX(), 0.0);
        QVERIFY(std::abs(chart.ViewSizeY() - band) < 1e-9);
    }

    void CursorLineAndReadOut()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        RChart& chart = window->LogChart();
        RChartWidget& widget = window->LogChartWidget();
        widget.Render();
        const RChartAxis& gr = chart.XAxis()[0];
        const RChartAxis& depth = chart.YAxis()[0];
        // Row 236 of the file lies at 1236: GR 10 + 36 x 1.3, RHOB 2.1 + 36 x 0.015.
        const int x = int(std::lround(gr.ValueToPixel(45.67)));
        const int y = int(std::lround(depth.ValueToPixel(1236)));
        QTest::mouseMove(widget.viewport(), QPoint(x, y));
        const QImage frame = widget.Render();
        // Each shown curve's own value at the cursor's depth, whatever the
        // pointer's X; the depth to the step's precision (1 m: whole metres).
        QCOMPARE(Child<QLabel>(*window, "InfoPanel")->text(), QString("Depth: 1236 Curves: GR, API (56.8); RHOB, G/C3 (2.64)"));
        // The line in 0xFF2100 (platform order): a blue across the chart.
        QCOMPARE(frame.pixel(3, y) & 0xFFFFFFu, 0x0021FFu);
        QCOMPARE(frame.pixel(chart.Width() - 3, y) & 0xFFFFFFu, 0x0021FFu);

        // Over the header band: no read-out and no line.
        const int header = chart.GraphRect().top - 5;
        QTest::mouseMove(widget.viewport(), QPoint(x, header));
        const QImage above = widget.Render();
        QCOMPARE(Child<QLabel>(*window, "InfoPanel")->text(), QString());
        QVERIFY((above.pixel(3, y) & 0xFFFFFFu) != 0x0021FFu);
    }

    void CalculatorMethodsAreStoredAndSurviveAnotherFileAndARestart()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        QTimer::singleShot(0, [] {
            QWidget* calculator = QApplication::activeModalWidget();
            QVERIFY(calculator);
            calculator->findChild<QToolButton*>("sBtnNew")->click();
            auto* name = calculator->findChild<QLineEdit*>("EditName");
            name->setText("SUM");
            emit name->textEdited("SUM");
            auto* formula = calculator->findChild<QLineEdit*>("EditFormla");
            formula->setText("GR+RHOB");
            emit formula->textEdited("GR+RHOB");
            calculator->findChild<QPushButton*>("btnOK")->click();
        });
        Child<QToolButton>(*window, "sBtnCalc")->click();
        QCOMPARE(window->Core().CalculatorEntries().Entries().size(), std::size_t(1));
        QCOMPARE(window->LogChart().Series().Count(), 3);
        QCOMPARE(window->MiniMapChart().Series().Count(), 3);

        // OK stored the method in settings.dat: another file, and the same
        // file after a restart, get the curve from it.
        RLasSettings stored;
        QVERIFY(stored.LoadFromFile(window->ViewSettingsPath().toStdString()));
        QVERIFY(stored.GetCalcMethod("SUM"));
        QVERIFY(window->OpenLasFile(QString::fromStdString(WriteWell(*dir, "b.las"))));
        // The other file lists the stored method as one of its own.
        QCOMPARE(window->Core().CalculatorEntries().Entries().size(), std::size_t(1));
        QCOMPARE(window->Core().CalculatorEntries().Entries()[0].Name, std::string("SUM"));
        QCOMPARE(window->Core().CalculatorEntries().Entries()[0].Source, RCalcEntrySource::Calculator);
        QCOMPARE(window->LogChart().Series().Count(), 3);
        window.reset();
        auto restarted = MakeWindow(seen);
        ShowAndSettle(*restarted);
        QVERIFY(restarted->OpenDocument(path));
        QCOMPARE(restarted->LogChart().Series().Count(), 3);
    }

    void CrossPlotWorksOnTheOpenDocument()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        QString caption;
        int points = -1;
        QTimer::singleShot(0, [&] {
            auto* crossPlot = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(crossPlot);
            caption = crossPlot->windowTitle();
            const RChart& chart = crossPlot->findChild<RChartWidget*>()->Chart();
            points = chart.Series().Count() == 1 ? chart.Series()[0].Data().Count() : 0;
            crossPlot->reject();
        });
        Child<QToolButton>(*window, "sBtnCrossplot")->click();
        QCOMPARE(caption, QString("Cross-plot"));
        QCOMPARE(points, 1001);  // GR against RHOB at every depth
    }

    void SaveWritesTheDocumentOrSaysWhy()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen, path, Path("copy.las"));
        // Without a document: no save dialog, and the other commands open nothing.
        window->sBtnSaveClick();
        QCOMPARE(hooks->errors, QStringList{"No LAS file is open"});
        window->cbLangChange(1);
        window->sBtnSaveClick();
        QCOMPARE(hooks->errors.last(), QString::fromUtf8("Не открыт ни один LAS-файл"));
        window->cbLangChange(0);
        hooks->errors.clear();
        QCOMPARE(seen.saved, 0);
        // A modal dialog would wait here for a click that never comes.
        window->sBtnSettingsClick();
        window->sBtnCalcClick();
        window->sBtnCrossplotClick();

        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        Child<QToolButton>(*window, "sBtnSave")->click();
        RLasData copy;
        QVERIFY(copy.LoadFromLas(dir->File("copy.las")));
        QCOMPARE(int(copy.Curves().size()), 2);
        QVERIFY(hooks->errors.isEmpty());

        window->ChooseSaveFile = [this](QWidget*, const QString&) { return Path("no/such/folder/x.las"); };
        window->sBtnSaveClick();
        QCOMPARE(hooks->errors.size(), 1);
        QVERIFY(hooks->errors.back().contains(QString::fromLocal8Bit(std::strerror(ENOENT))));
    }

    // Folders nobody can write into, root included: one that is a regular
    // file, and a target that is a folder. The message says why and what
    // was there stays.
    void FailedSavesKeepTheOldFileAndSayWhy()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        const std::string before = Read(path);
        Recorded seen;
        auto window = MakeWindow(seen, path, path + "/x.las");
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        hooks->errors.clear();

        Child<QToolButton>(*window, "sBtnSave")->click();
        QCOMPARE(hooks->errors.size(), 1);
        QVERIFY2(hooks->errors[0].contains(QString::fromLocal8Bit(std::strerror(ENOTDIR))), qPrintable(hooks->errors[0]));
        QVERIFY(hooks->errors[0].contains(path + "/x.las"));
        QCOMPARE(Read(path), before);

        const QString folder = Path("taken.las");
        QVERIFY(QDir().mkpath(folder + "/inside"));
        window->ChooseSaveFile = [folder](QWidget*, const QString&) { return folder; };
        window->sBtnSaveClick();
        QCOMPARE(hooks->errors.size(), 2);
        QVERIFY2(hooks->errors[1].contains(QString::fromLocal8Bit(std::strerror(EISDIR))), qPrintable(hooks->errors[1]));
        QVERIFY(QFileInfo(folder + "/inside").isDir());
        QCOMPARE(QDir(Folder()).entryList({"taken.las.*"}), QStringList());

        // settings.dat from the curve settings dialog, with a folder in its place.
        QVERIFY(QDir().mkpath(window->ViewSettingsPath() + "/inside"));
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no curve settings dialog");
            QPushButton* ok = nullptr;
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->objectName() == "btnSave")
                    ok = button;
            if (!ok)
                qFatal("no save button");
            ok->click();
        });
        Child<QToolButton>(*window, "sBtnSettings")->click();
        QCOMPARE(hooks->errors.size(), 3);
        QVERIFY2(hooks->errors[2].contains(QString::fromLocal8Bit(std::strerror(EISDIR))), qPrintable(hooks->errors[2]));
        QVERIFY(QFileInfo(window->ViewSettingsPath() + "/inside").isDir());
        QCOMPARE(QDir(Folder()).entryList({"settings.dat.*"}), QStringList());
    }

    void DiagnosticsOfAFileAreShown()
    {
        const QString path = QString::fromStdString(WriteWell(*dir, "bad.las"));
        {
            std::ofstream out(path.toStdString(), std::ios::app);
            out << "1001.5 abc 2.5\n";
        }
        std::ofstream(dir->File("empty.las")) << "~VERSION INFORMATION\n VERS. 2.0 :\n WRAP. NO :\n~A\n";
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        QCOMPARE(seen.headings.size(), 1);
        QVERIFY(seen.headings[0].contains("bad.las"));
        QVERIFY(!seen.messages.isEmpty());

    }

    void AFileWithNothingToShowIsAFailedOpenThatKeepsTheDocument()
    {
        const QString good = QString::fromStdString(WriteWell(*dir));
        std::ofstream(dir->File("empty.las")) << "~VERSION INFORMATION\n VERS. 2.0 :\n WRAP. NO :\n~A\n";
        std::ofstream(dir->File("no_rows.las"))
            << "~V\n VERS. 2.0 :\n WRAP. NO :\n~W\n STRT.M 1 :\n STOP.M 2 :\n STEP.M 1 :\n NULL. -999.25 :\n"
               "~C\n DEPT.M :\n GR.GAPI :\n~A\n";
        std::ofstream(dir->File("binary.las")) << std::string("\x7f" "ELF\x02\x01\x01\0\0\0", 12);
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(good));
        const RLasCore* before = &window->Core();
        const QString title = window->windowTitle();
        struct Case {
            const char* name;
            int language;
            const char* error;
        };
        const Case cases[] = {
            {"empty.las", 1, "В файле нет ни одной кривой: "},
            {"no_rows.las", 1, "В файле нет ни одной строки данных: "},
            {"binary.las", 1, "В файле нет ни одной кривой: "},
            {"empty.las", 0, "The file has no curves: "},
            {"no_rows.las", 0, "The file has no data rows: "},
        };
        for (const auto& [name, language, error] : cases) {
            hooks->errors.clear();
            window->cbLangChange(language);
            QVERIFY(!window->OpenDocument(Path(name)));
            QCOMPARE(hooks->errors, QStringList{QString::fromUtf8(error) + Path(name)});
            window->cbLangChange(0);
            QCOMPARE(&window->Core(), before);
            QCOMPARE(window->DocumentPath(), good);
            QCOMPARE(window->windowTitle(), title);
            QVERIFY(window->LogChart().Series().Count() > 0);
        }
    }

    void HeaderAndCurveNamesAreReadInTheFilesEncoding()
    {
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        window->ShowInfo(true);
        auto* memo = Child<QPlainTextEdit>(*window, "memoInfo");
        const std::pair<const char*, const char*> fixtures[] = {
            {"well_name_cp866.las", "WELL.   Самотлорская 125-бис : WELL"},
            {"well_name_koi8r.las", "WELL.   Самотлорская 125-бис : WELL"},
            {"well_name_windows1251.las", "COMP.   ООО Геофизика : COMPANY"},
            {"utf16le_with_mark.las", "WELL.   СКВАЖИНА ПРИОБСКАЯ 12 : WELL"},
        };
        for (const auto& [file, line] : fixtures) {
            QVERIFY2(window->OpenLasFile(QString(LOGGARD_TEST_DATA_DIR "/las/") + file), file);
            QVERIFY2(memo->toPlainText().contains(QString::fromUtf8(line)), file);
        }

        // The read-out names a curve of a CP866 file as the file does.
        QVERIFY(window->OpenLasFile(QString::fromStdString(WriteRussianLas(*dir, "ru.las", TextCodec::Encoding::Cp866))));
        QVERIFY(memo->toPlainText().contains(QString::fromUtf8("ГК  .мкР/ч : гамма-каротаж")));
        window->LogChartWidget().Render();
        const RChartAxis& gk = window->LogChart().XAxis()[0];
        const int x = int(std::lround(gk.ValueToPixel((gk.MinValue() + gk.MaxValue()) / 2)));
        const int y = int(std::lround(window->LogChart().YAxis()[0].ValueToPixel(1000.5)));
        QVERIFY2(window->ReadOut(x, y).contains(QString::fromUtf8(" Curves: ГК, мкР/ч (")), qPrintable(window->ReadOut(x, y)));
    }

    void LoadDiagnosticsSpeakTheInterfaceLanguageAndQuoteTheFileAsItReads()
    {
        // A CP866 file with a long row of "я" after its values and a word
        // where a number belongs: both quoted in the messages.
        const std::string path = WriteRussianLas(*dir, "ru.las", TextCodec::Encoding::Cp866);
        std::string text = Read(QString::fromStdString(path));
        const std::string longRow = "1000.5 41.00 2.310 " + std::string(300, '\xEF');  // я in CP866
        text.replace(text.find("1000.5 41.00 2.310"), 18, longRow);
        text.replace(text.find("1001 42.00"), 10, "1001 \xAD\xA5\xE2");  // нет
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        std::string shownRow = "1000.5 41.00 2.310 ";
        for (int i = 0; i < 181; ++i)
            shownRow += "я";
        shownRow += "... (319 байт)";

        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QCOMPARE(window->DiagnosticLanguage(), RLasLanguage::English);
        QVERIFY(window->OpenLasFile(QString::fromStdString(path)));
        QVERIFY2(seen.messages.contains(QString::fromStdString("Too many values in line " + shownRow + " of the Data section")),
                 qPrintable(seen.messages.join('\n')));
        QVERIFY2(seen.messages.contains(QString::fromUtf8(
                     "1 values in the Data section are not numbers (the first, нет, in row 3); they are taken as empty")),
                 qPrintable(seen.messages.join('\n')));

        seen.messages.clear();
        window->cbLangChange(1);
        QCOMPARE(window->DiagnosticLanguage(), RLasLanguage::Russian);
        QVERIFY(window->OpenLasFile(QString::fromStdString(path)));
        QVERIFY2(seen.messages.contains(QString::fromUtf8(
                     "1 значений в секции Data не являются числами (первое, нет, в строке 3); они считаются пустыми")),
                 qPrintable(seen.messages.join('\n')));

        // The notes of a save on the window's own thread are worded the same way.
        window->cbLangChange(0);
        QVERIFY(window->OpenLasFile(QString(LOGGARD_TEST_DATA_DIR "/las/utf16le_with_mark.las")));
        seen.messages.clear();
        const QString saved = Path("saved.las");
        window->ChooseSaveFile = [saved](QWidget*, const QString&) { return saved; };
        window->sBtnSaveClick();
        QCOMPARE(seen.messages, QStringList{"File " + saved + " was in UTF-16 and has been saved in UTF-8"});
        seen.messages.clear();
        window->cbLangChange(1);
        window->sBtnSaveClick();
        QCOMPARE(seen.messages, QStringList{QString::fromUtf8("Файл ") + saved +
                                            QString::fromUtf8(" был в кодировке UTF-16 и сохранён в UTF-8")});
    }

    void SlowLoadShowsProgressAndCancelKeepsTheDocument()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        const QString other = QString::fromStdString(WriteWell(*dir, "b.las"));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        const RLasCore* before = &window->Core();
        const int series = int(window->LogChart().Series().Count());
        const QString title = window->windowTitle();
        seen.messages.clear();

        SlowLoader slow;
        window->LoadDocument = slow.Loader();
        qint64 shownAfter = -1;
        WhenProgressShown(
            *window, [](QProgressDialog& progress) { progress.findChild<QPushButton*>()->click(); }, &shownAfter);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!window->OpenDocument(other));
        QVERIFY(shownAfter >= TFrmMain::kProgressDelayMs - 50);
        QVERIFY(clock.elapsed() < 5000);  // back at once
        QVERIFY(!window->Loading());
        QCOMPARE(&window->Core(), before);
        QCOMPARE(window->DocumentPath(), path);
        QCOMPARE(int(window->LogChart().Series().Count()), series);
        QCOMPARE(window->windowTitle(), title);
        QVERIFY(window->InscribeActive());
        QVERIFY(Child<QToolButton>(*window, "sBtnSave")->isEnabled());
        QVERIFY(hooks->errors.isEmpty());

        // The abandoned load is told to stop and finishes unseen; its note
        // is not shown.
        QTRY_VERIFY(*slow.finished);
        QVERIFY(*slow.sawCancel);
        QTest::qWait(50);
        QCOMPARE(window->DocumentPath(), path);
        QVERIFY(seen.messages.isEmpty());

        // Closing the window during a load cancels it and then closes.
        SlowLoader closing;
        window->LoadDocument = closing.Loader();
        QTimer::singleShot(50, window.get(), [&] { window->close(); });
        QVERIFY(!window->OpenDocument(other));
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(window->DocumentPath(), path);
        *closing.go = true;
    }

    void SlowLoadThatCompletesIsSwappedInWithItsNotes()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        const QString other = QString::fromStdString(WriteWell(*dir, "b.las"));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));

        SlowLoader slow;
        window->LoadDocument = slow.Loader();
        qint64 shownAfter = -1;
        int shownValue = -1, shownMaximum = -1;
        WhenProgressShown(
            *window,
            [&, go = slow.go](QProgressDialog& progress) {
                shownValue = progress.value();
                shownMaximum = progress.maximum();
                *go = true;
            },
            &shownAfter);
        QVERIFY(window->OpenDocument(other));
        QVERIFY(shownAfter >= 0);
        QCOMPARE(shownMaximum, 1000);
        QCOMPARE(shownValue, 250);  // the share of the file read
        QVERIFY(!*slow.sawCancel);
        QCOMPARE(window->DocumentPath(), other);
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [b.las]"));
        QVERIFY(window->InscribeActive());
        QVERIFY(!window->findChild<QProgressDialog*>("LoadProgress"));
        QVERIFY(seen.messages.contains(QString::fromUtf8("заметка загрузчика")));

    }

    void FailedLoadKeepsTheDocumentAndSaysWhy()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        const RLasCore* before = &window->Core();
        seen.messages.clear();

        window->LoadDocument = [](const std::string&, const std::string&,
                                  const RLasLoadOptions&) -> std::unique_ptr<RLasCore> {
            LogMessage("перед сбоем");
            throw RError("файл сломан");
        };
        QVERIFY(!window->OpenDocument(QString::fromStdString(WriteWell(*dir, "b.las"))));
        QCOMPARE(hooks->errors, QStringList{QString::fromUtf8("файл сломан")});
        QVERIFY(seen.messages.contains(QString::fromUtf8("перед сбоем")));
        QCOMPARE(&window->Core(), before);
        QCOMPARE(window->DocumentPath(), path);
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [a.las]"));
        QVERIFY(window->InscribeActive());
        QVERIFY(window->LogChart().Series().Count() > 0);

        // A file error raised in the worker is worded in the interface language.
        window->LoadDocument = [](const std::string&, const std::string&,
                                  const RLasLoadOptions&) -> std::unique_ptr<RLasCore> {
            throw RFileError({.Kind = RFileErrorKind::OpenFailed, .Path = "/x/b.las", .SystemError = ENOENT});
        };
        for (const int language : {0, 1}) {
            hooks->errors.clear();
            window->cbLangChange(language);
            QVERIFY(!window->OpenDocument(QString::fromStdString(WriteWell(*dir, "b.las"))));
            QCOMPARE(hooks->errors.size(), 1);
            QVERIFY2(hooks->errors[0].startsWith(language == 0 ? "Cannot open file /x/b.las: "
                                                               : QString::fromUtf8("Ошибка открытия файла /x/b.las: ")),
                     qPrintable(hooks->errors[0]));
        }
    }

    void CommandLineFileOpensInscribedBeforeTheTrackIsSetUp()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        {
            auto window = MakeWindow(seen, {}, {}, {path});
            window->show();
            QTRY_VERIFY(window->DocumentLoaded());
            QTRY_COMPARE(Child<QSlider>(*window, "TBScale")->minimum(), 461);
            QVERIFY(window->InscribeActive());
            QVERIFY(Child<QToolButton>(*window, "sBtnInscribe")->isChecked());
            QCOMPARE(window->LogChart().ViewSizeY(), 1.0);
            QCOMPARE(window->windowTitle(), QString("Well logs viewer [a.las]"));
            // Thumb and label from the chart: the whole 1000 m at its height.
            RChart& chart = window->LogChart();
            chart.Layout();
            const double scale = ViewScale::ScaleOfViewSize(1.0, chart.GraphRect().Height(), 1000);
            QCOMPARE(Child<QLabel>(*window, "lblScaleValue")->text(), QString("1:%1").arg(ViewScale::Nearest(scale)));
            QCOMPARE(Child<QSlider>(*window, "TBScale")->value(),
                     std::clamp(ViewScale::PositionOfScale(scale), 461, 760));
        }
        {
            auto window = MakeWindow(seen, {}, {}, {path, path});
            window->show();
            QTRY_COMPARE(Child<QSlider>(*window, "TBScale")->minimum(), 461);
            QVERIFY(!window->DocumentLoaded());
            QCOMPARE(Child<QSlider>(*window, "TBScale")->value(), 599);
        }
    }

    void DroppedFileOpens()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QTRY_VERIFY(window->DocumentLoaded());
        QCOMPARE(window->windowTitle(), QString("Well logs viewer [a.las]"));
        QVERIFY(window->InscribeActive());
    }

    void MiniMapFramesTheViewAndMovesIt()
    {
        const QString path = QString::fromStdString(WriteWell(*dir));
        Recorded seen;
        auto window = MakeWindow(seen);
        ShowAndSettle(*window);
        QVERIFY(window->OpenDocument(path));
        RChartWidget& map = window->MiniMapWidget();
        QVERIFY(map.isHidden());
        Child<QToolButton>(*window, "sBtnMiniMap")->click();
        QVERIFY(map.isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(map.width(), 256);

        Child<QSlider>(*window, "TBScale")->setValue(599);
        const RChartRect area = window->MiniMapChart().GraphRect();
        // The frame darkens the map where the log chart's view lies.
        const auto rowGrey = [&](const QImage& image, int y) {
            int sum = 0;
            for (int x = area.left; x < area.right; ++x)
                sum += qGray(image.pixel(x, y));
            return sum;
        };
        const int top = area.top + 3, middle = area.top + area.Height() / 2;
        const QImage framedTop = map.Render().copy();

        QTest::mouseClick(map.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(area.left + area.Width() / 2, middle));
        RChart& chart = window->LogChart();
        const double expected = double(middle - area.top) / area.Height() - chart.ViewSizeY() / 2;
        QVERIFY(std::abs(chart.OffsetY() - expected) < 1e-9);
        const QImage framedMiddle = map.Render().copy();
        QVERIFY(rowGrey(framedTop, top) < rowGrey(framedMiddle, top));
        QVERIFY(rowGrey(framedMiddle, middle) < rowGrey(framedTop, middle));
        const QImage before = framedMiddle;

        // A rebuilt view rebuilds the map's picture.
        window->OpenLasFile(QString::fromStdString(WriteLas(
            *dir, "c.las", 1000, 1, 11, {{"SP", "MV", [](int row) { return row; }}})));
        QCOMPARE(window->MiniMapChart().Series().Count(), 1);
        QVERIFY(map.Render() != before);
    }

    void HelpAndUpdateReportTheirFailures()
    {
        Recorded seen;
        auto window = MakeWindow(seen);
        window->pmHelpClick();
        QCOMPARE(hooks->errors.size(), 1);
        QVERIFY(hooks->errors[0].contains("Help.pdf"));
        window->pmUpdateClick();
        QCOMPARE(hooks->errors.size(), 2);
        QVERIFY(hooks->errors[1].contains(Folder() + "/upd"));

        // An update found and accepted closes the window after the question.
        const std::string updater = dir->File("upd");
        std::ofstream(updater) << "#!/bin/sh\n[ \"$1\" = \"/u\" ] && exit 0\nexit 2\n";
        QFile::setPermissions(QString::fromStdString(updater), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        hooks->answerYes = true;
        window->show();
        window->pmUpdateClick();
        QCOMPARE(hooks->asked.size(), 1);
        QVERIFY(window->isVisible());
        QTRY_VERIFY(!window->isVisible());
        QTest::qWait(200);  // the updater started on its own has run
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
