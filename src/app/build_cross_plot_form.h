#pragma once
// TfrmBuildCrossPlot: the cross-plot window. The user picks the curve for
// the X axis in LBCurve1 and the one for the Y axis in LBCurve2; the chart
// shows a marker for every depth where both have a value. The marker
// settings panel sits at the top of the left column.
//
//     TfrmBuildCrossPlot crossPlot(this, core, lang);
//     crossPlot.exec();
//
// The window lives for one showing. The cross-plot record (PlotSettings)
// lives for the whole run: its colours carry over to the next showing,
// while every showing starts with circular markers of size 5.

#include <QDialog>

#include <string>

class QLabel;
class QListWidget;
class RChartWidget;
class RLasCore;
class RMultiLang;
class TfrmCrossplotSettings;
struct RLasCrossPlotSettings;

class TfrmBuildCrossPlot : public QDialog {
    Q_OBJECT
public:
    // Wheel zoom per notch: plain, with Ctrl, with Shift.
    static constexpr double kWheelFactorNormal = 1.1;
    static constexpr double kWheelFactorCtrl = 1.3;
    static constexpr double kWheelFactorShift = 1.03;
    static constexpr int kInitialMarkerSize = 5;

    TfrmBuildCrossPlot(QWidget* parent, RLasCore& core, const RMultiLang& lang);
    ~TfrmBuildCrossPlot() override;

    // The cross-plot record shared by every showing of the window.
    static RLasCrossPlotSettings& PlotSettings();

    TfrmCrossplotSettings& SettingsForm() { return *settingsForm_; }
    RChartWidget& ChartView() { return *RChartCrossPlot_; }

public slots:
    // Lists filled from the data set, the first curve for X and the second
    // for Y, markers reset, the chart built.
    void FormShow();
    // Rebuilds the chart when both lists have a selection, else clears it.
    void FormActivate();
    void LBCurve1Click();
    void LBCurve2Click();
    // Empties both lists and the chart.
    void FormClose();
    // The settings panel applied to the record, and the chart rebuilt when
    // both lists have a selection.
    void ApplySettings();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The data-set index of the selected curve of `list`, -1 without one.
    static int SelectedCurve(const QListWidget& list);
    // Selects `row` of `list` if it has one, without running its handler.
    static void SelectRow(QListWidget& list, int row);
    // Algorithms of the lists: XCurve and YCurve from the selection and the
    // chart rebuilt; false (and nothing done) unless both lists have one.
    bool BuildFromLists();

    RLasCore& core_;
    // What the chart's colour scale calls depth, in the window's language.
    std::string depthName_;
    TfrmCrossplotSettings* settingsForm_;
    QWidget* SettingsPanel_;
    QLabel* Label1_;
    QLabel* lblFirstCurve_;
    QListWidget* LBCurve1_;
    QLabel* lblSecondCurve_;
    QListWidget* LBCurve2_;
    RChartWidget* RChartCrossPlot_;
};
