#include "app/build_cross_plot_form.h"

#include "app/chart_widget.h"
#include "app/color_swatch.h"
#include "app/crossplot_settings_form.h"
#include "app/multi_lang.h"
#include "chart/chart.h"
#include "dialog_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace {

constexpr double N = -999.25;

template <class T>
T* Child(QWidget& parent, const QString& name)
{
    T* child = parent.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

RChart& Chart(TfrmBuildCrossPlot& dialog) { return Child<RChartWidget>(dialog, "RChartCrossPlot")->Chart(); }

QListWidget* List(TfrmBuildCrossPlot& dialog, int which)
{
    return Child<QListWidget>(dialog, which == 1 ? "LBCurve1" : "LBCurve2");
}

int SelectedRow(QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

// A click on row `row` of the list, as the user makes it.
void Pick(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

QRadioButton* Shape(TfrmBuildCrossPlot& dialog, const QString& text)
{
    for (QRadioButton* button : Child<QGroupBox>(dialog, "RGShape")->findChildren<QRadioButton*>())
        if (button->text() == text)
            return button;
    qFatal("no shape %s", qPrintable(text));
}

// The chart's points as (x, y) pairs in ascending order.
std::vector<std::pair<double, double>> Points(RChart& chart)
{
    std::vector<std::pair<double, double>> points;
    if (chart.Series().Count() != 1)
        return points;
    const RChartDataSeries& data = chart.Series()[0].Data();
    for (int i = 0; i < data.Count(); ++i)
        points.emplace_back(data.X(i), data.Y(i));
    std::sort(points.begin(), points.end());
    return points;
}

using Pairs = std::vector<std::pair<double, double>>;

void Activate(QWidget& window)
{
    QEvent event(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &event);
}

void SendWheel(QWidget* target, int delta, Qt::KeyboardModifiers modifiers)
{
    const QPoint at(target->width() / 2, target->height() / 2);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

const RPlatformColor kGreen = RPlatformColor::FromRgb(0, 255, 0);
const RPlatformColor kRed = RPlatformColor::FromRgb(255, 0, 0);
const RPlatformColor kBlue = RPlatformColor::FromRgb(0, 0, 255);
const RPlatformColor kYellow = RPlatformColor::FromRgb(255, 255, 0);

}  // namespace

class BuildCrossPlotFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir;
    RMultiLang lang;

    // GR, SP and DT over four depths, with gaps.
    std::unique_ptr<RLasCore> ThreeCurves()
    {
        return OpenDocument(*dir, {{"GR", {10, 20, N, 40}}, {"SP", {1, N, 3, 4}}, {"DT", {5, 6, 7, 8}}});
    }
    std::unique_ptr<TfrmBuildCrossPlot> Open(RLasCore& core)
    {
        auto dialog = std::make_unique<TfrmBuildCrossPlot>(nullptr, core, lang);
        dialog->show();
        return dialog;
    }

private slots:
    void init()
    {
        dir = std::make_unique<TempDir>();
        lang.SetLanguage(0);
    }

    // Runs first: the record is the run's and starts out empty.
    void FirstShowingPlotsTheFirstTwoCurvesGreenToRed()
    {
        auto core = ThreeCurves();
        auto dialog = Open(*core);
        QCOMPARE(dialog->windowTitle(), QString("Cross-plot"));
        QCOMPARE(Child<QLabel>(*dialog, "Label1")->text(), QString("Choose the curves for plotting the crossplot"));
        QCOMPARE(Child<QLabel>(*dialog, "lblFirstCurve")->text(), QString("X-axis"));
        QCOMPARE(Child<QLabel>(*dialog, "Label5")->text(), QString("Second gradient color"));
        QVERIFY(Child<QWidget>(*dialog, "SettingsPanel")->isAncestorOf(&dialog->SettingsForm()));

        QCOMPARE(List(*dialog, 2)->item(2)->text(), QString("DT"));
        QCOMPARE(SelectedRow(List(*dialog, 1)), 0);
        QCOMPARE(SelectedRow(List(*dialog, 2)), 1);

        const RLasCrossPlotSettings& plot = TfrmBuildCrossPlot::PlotSettings();
        QCOMPARE(plot.XCurve, 0);
        QCOMPARE(plot.YCurve, 1);
        QCOMPARE(plot.Color, kGreen);
        QCOMPARE(plot.GradientColor, kRed);
        QCOMPARE(Child<RColorSwatch>(*dialog, "ImgColor1")->Color(), QColor(0, 255, 0));
        QCOMPARE(Child<RColorSwatch>(*dialog, "ImgColor2")->Color(), QColor(255, 0, 0));
        QVERIFY(Shape(*dialog, "Circle")->isChecked());
        QCOMPARE(Child<QSlider>(*dialog, "TbSize")->value(), 5);

        // Only the depths where both curves have a value.
        QCOMPARE(Points(Chart(*dialog)), (Pairs{{10, 1}, {40, 4}}));
        const RChartMarkers& markers = Chart(*dialog).Series()[0].Markers;
        QCOMPARE(markers.Style, cmsRound);
        QCOMPARE(markers.Size, 5);
        QVERIFY(markers.UseGradient);
        // The composer runs the gradient from the second colour to the first.
        QCOMPARE(markers.Color.Color(), kRed.Value());
        QCOMPARE(markers.GradientColor.Color(), kGreen.Value());
        // The picture says what the colours map: depth, in the window's language.
        QVERIFY(ColorScaleContent(Chart(*dialog)).has_value());
        QCOMPARE(Chart(*dialog).ColorScale.Caption, std::string("Depth"));
    }

    void CurvesOfAKoi8rFileAreListedInItsCodePage()
    {
        auto core = OpenLasFile(WriteRussianLas(*dir, "ru.las", TextCodec::Encoding::Koi8R));
        auto dialog = Open(*core);
        for (int which : {1, 2}) {
            QCOMPARE(List(*dialog, which)->count(), 2);
            QCOMPARE(List(*dialog, which)->item(0)->text(), QString("ГК"));
            QCOMPARE(List(*dialog, which)->item(1)->text(), QString("ПС"));
        }
    }

    void ChoosingCurvesPlotsTheirPairs()
    {
        auto core = ThreeCurves();
        auto dialog = Open(*core);
        Pick(List(*dialog, 2), 2);
        QCOMPARE(TfrmBuildCrossPlot::PlotSettings().YCurve, 2);
        QCOMPARE(Points(Chart(*dialog)), (Pairs{{10, 5}, {20, 6}, {40, 8}}));

        Pick(List(*dialog, 1), 1);
        QCOMPARE(TfrmBuildCrossPlot::PlotSettings().XCurve, 1);
        QCOMPARE(Points(Chart(*dialog)), (Pairs{{1, 5}, {3, 7}, {4, 8}}));

        // Activation rebuilds from the lists.
        Chart(*dialog).Clear();
        Activate(*dialog);
        QCOMPARE(Points(Chart(*dialog)), (Pairs{{1, 5}, {3, 7}, {4, 8}}));

        // Closing empties the lists and the chart.
        dialog->reject();
        QCOMPARE(List(*dialog, 1)->count() + List(*dialog, 2)->count(), 0);
        QCOMPARE(Chart(*dialog).Series().Count(), 0);
    }

    void OneCurveSelectsOnlyWhatExists()
    {
        // A stale pair from a larger file must not reach the composer.
        TfrmBuildCrossPlot::PlotSettings().XCurve = 0;
        TfrmBuildCrossPlot::PlotSettings().YCurve = 0;
        auto core = OpenDocument(*dir, {{"GR", {10, 20}}});
        auto dialog = Open(*core);
        QCOMPARE(List(*dialog, 2)->count(), 1);
        QCOMPARE(SelectedRow(List(*dialog, 1)), 0);
        QCOMPARE(SelectedRow(List(*dialog, 2)), -1);
        QCOMPARE(Chart(*dialog).Series().Count(), 0);
        Activate(*dialog);
        QCOMPARE(Chart(*dialog).Series().Count(), 0);
        // A shape chosen before the pair draws nothing yet, and is the one
        // drawn once the pair is complete.
        QTest::mouseClick(Shape(*dialog, "Square"), Qt::LeftButton);
        QCOMPARE(Chart(*dialog).Series().Count(), 0);

        // The curve against itself: the diagonal.
        Pick(List(*dialog, 2), 0);
        QCOMPARE(Points(Chart(*dialog)), (Pairs{{10, 10}, {20, 20}}));
        QCOMPARE(Chart(*dialog).Series()[0].Markers.Style, cmsSquare);
        dialog->reject();

        auto empty = OpenDocument(*dir, {});
        auto noCurves = Open(*empty);
        QCOMPARE(List(*noCurves, 1)->count(), 0);
        Activate(*noCurves);
        QCOMPARE(Chart(*noCurves).Series().Count(), 0);
    }

    void ColoursCarryOverShapeAndSizeStartAgain()
    {
        HookRecorder hooks;
        auto core = ThreeCurves();
        {
            auto dialog = Open(*core);
            hooks.colors = {QColor(0, 0, 255), QColor(255, 255, 0)};
            QTest::mouseClick(Child<RColorSwatch>(*dialog, "ImgColor1"), Qt::LeftButton);
            QTest::mouseClick(Child<RColorSwatch>(*dialog, "ImgColor2"), Qt::LeftButton);
            QCOMPARE(hooks.presets.size(), std::size_t(2));
            QCOMPARE(hooks.presets[0], QColor(0, 255, 0));
            QCOMPARE(hooks.presets[1], QColor(255, 0, 0));
            QCOMPARE(Chart(*dialog).Series()[0].Markers.GradientColor.Color(), kBlue.Value());
            QTest::mouseClick(Shape(*dialog, "Triangle"), Qt::LeftButton);
            Child<QSlider>(*dialog, "TbSize")->setValue(12);
            dialog->reject();
        }
        {
            auto dialog = Open(*core);
            QCOMPARE(Child<RColorSwatch>(*dialog, "ImgColor1")->Color(), QColor(0, 0, 255));
            QCOMPARE(Child<RColorSwatch>(*dialog, "ImgColor2")->Color(), QColor(255, 255, 0));
            QVERIFY(Shape(*dialog, "Circle")->isChecked());
            QCOMPARE(Child<QSlider>(*dialog, "TbSize")->value(), 5);
            const RChartMarkers& markers = Chart(*dialog).Series()[0].Markers;
            QCOMPARE(markers.Style, cmsRound);
            QCOMPARE(markers.Size, 5);
            QCOMPARE(markers.Color.Color(), kYellow.Value());
            QCOMPARE(markers.GradientColor.Color(), kBlue.Value());

            // A cancelled dialog was preset to the kept colour and changes nothing.
            QTest::mouseClick(Child<RColorSwatch>(*dialog, "ImgColor1"), Qt::LeftButton);
            QCOMPARE(hooks.presets.back(), QColor(0, 0, 255));
            QCOMPARE(TfrmBuildCrossPlot::PlotSettings().Color, kBlue);
            dialog->reject();
        }
        // A colour picked while no pair is chosen is kept too, black included.
        auto oneCurve = OpenDocument(*dir, {{"GR", {10, 20}}});
        {
            auto dialog = Open(*oneCurve);
            hooks.colors = {QColor(0, 0, 0)};
            QTest::mouseClick(Child<RColorSwatch>(*dialog, "ImgColor2"), Qt::LeftButton);
            dialog->reject();
        }
        {
            auto dialog = Open(*core);
            QCOMPARE(Child<RColorSwatch>(*dialog, "ImgColor1")->Color(), QColor(0, 0, 255));
            QCOMPARE(Child<RColorSwatch>(*dialog, "ImgColor2")->Color(), QColor(0, 0, 0));
            QCOMPARE(Chart(*dialog).Series()[0].Markers.Color.Color(), 0);
        }
    }

    void ShapeAndSizeReachTheMarkersAtOnce()
    {
        auto core = ThreeCurves();
        auto dialog = Open(*core);
        const std::pair<const char*, RChartMarkersStyle> shapes[] = {
            {"Triangle", cmsTriangle}, {"Square", cmsSquare}, {"Diamond", cmsDiamond}, {"Circle", cmsRound}};
        for (const auto& [text, style] : shapes) {
            QTest::mouseClick(Shape(*dialog, text), Qt::LeftButton);
            QCOMPARE(Chart(*dialog).Series()[0].Markers.Style, style);
            QCOMPARE(TfrmBuildCrossPlot::PlotSettings().MarkerStyle, int(style));
        }
        QSlider* size = Child<QSlider>(*dialog, "TbSize");
        size->setFocus();
        QTest::keyClick(size, Qt::Key_End);
        QCOMPARE(size->value(), 15);
        QCOMPARE(Chart(*dialog).Series()[0].Markers.Size, 15);
    }

    void WheelZoomsBothAxesByItsFactors()
    {
        auto core = ThreeCurves();
        auto dialog = Open(*core);
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        RChartWidget* view = Child<RChartWidget>(*dialog, "RChartCrossPlot");
        view->Render();
        RChart& chart = view->Chart();
        QVERIFY(chart.AllowZoomX && chart.AllowZoomY);

        double expected = 1;
        const std::pair<Qt::KeyboardModifiers, double> notches[] = {
            {Qt::NoModifier, 1.1}, {Qt::ControlModifier, 1.3}, {Qt::ShiftModifier, 1.03}};
        for (const auto& [modifiers, factor] : notches) {
            SendWheel(view->viewport(), 120, modifiers);
            expected /= factor;
            QVERIFY2(qFuzzyCompare(chart.ViewSizeX(), expected), qPrintable(QString::number(chart.ViewSizeX())));
            QVERIFY2(qFuzzyCompare(chart.ViewSizeY(), expected), qPrintable(QString::number(chart.ViewSizeY())));
        }
        SendWheel(view->viewport(), -120, Qt::ControlModifier);
        QVERIFY(qFuzzyCompare(chart.ViewSizeX(), expected * 1.3));
    }

    void RussianTexts()
    {
        lang.SetLanguage(1);
        auto core = ThreeCurves();
        auto dialog = Open(*core);
        QCOMPARE(dialog->windowTitle(), QString::fromUtf8("Кроссплот"));
        QCOMPARE(Child<QGroupBox>(*dialog, "gbMarkerSize")->title(), QString::fromUtf8("Размер маркера"));
        QTest::mouseClick(Shape(*dialog, QString::fromUtf8("Треугольник")), Qt::LeftButton);
        QCOMPARE(Chart(*dialog).Series()[0].Markers.Style, cmsTriangle);
        QCOMPARE(Chart(*dialog).ColorScale.Caption, TextCodec::Utf8ToCp1251("Глубина"));
    }
};

QTEST_MAIN(BuildCrossPlotFormTest)
#include "build_cross_plot_form_test.moc"
