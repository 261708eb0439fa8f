#include "app/build_cross_plot_form.h"

#include "app/chart_widget.h"
#include "app/crossplot_settings_form.h"
#include "app/las_text.h"
#include "app/multi_lang.h"
#include "chart/chart.h"
#include "view/las_core.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// The record and whether its colours were set up yet: the first showing
// of the run starts with a green-to-red gradient, every later one with the
// colours last picked (black included).
struct RunSettings {
    RLasCrossPlotSettings plot;
    bool coloursSet = false;
};

RunSettings& Run()
{
    static RunSettings run;
    return run;
}

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

RLasCrossPlotSettings& TfrmBuildCrossPlot::PlotSettings() { return Run().plot; }

TfrmBuildCrossPlot::TfrmBuildCrossPlot(QWidget* parent, RLasCore& core, const RMultiLang& lang)
    : QDialog(parent), core_(core), depthName_(lang.Depth())
{
    setObjectName("frmBuildCrossPlot");
    setWindowTitle(FromUtf8(lang.CrossPlot()));
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };

    SettingsPanel_ = named(new QWidget(this), "SettingsPanel");
    settingsForm_ = new TfrmCrossplotSettings(SettingsPanel_, PlotSettings());
    settingsForm_->SetTexts(lang);
    Label1_ = named(new QLabel(FromUtf8(lang.ChooseCurves()), SettingsPanel_), "Label1");
    Label1_->setWordWrap(true);
    lblFirstCurve_ = named(new QLabel(FromUtf8(lang.XAxis()), SettingsPanel_), "lblFirstCurve");
    LBCurve1_ = named(new QListWidget(SettingsPanel_), "LBCurve1");
    lblSecondCurve_ = named(new QLabel(FromUtf8(lang.YAxis()), SettingsPanel_), "lblSecondCurve");
    LBCurve2_ = named(new QListWidget(SettingsPanel_), "LBCurve2");
    lblFirstCurve_->setBuddy(LBCurve1_);
    lblSecondCurve_->setBuddy(LBCurve2_);
    for (QListWidget* list : {LBCurve1_, LBCurve2_}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setFixedHeight(127);
    }

    RChartCrossPlot_ = named(new RChartWidget(this), "RChartCrossPlot");
    RChart& chart = RChartCrossPlot_->Chart();
    chart.SetUseAntialiasing(true);
    chart.AllowZoomX = true;
    chart.AllowZoomY = true;
    chart.WheelScaleFactorNormal = kWheelFactorNormal;
    chart.WheelScaleFactorCtrl = kWheelFactorCtrl;
    chart.WheelScaleFactorShift = kWheelFactorShift;

    // The left column: the settings on top, the lists at the bottom.
    SettingsPanel_->setFixedWidth(236);
    auto* column = new QVBoxLayout(SettingsPanel_);
    column->setContentsMargins(1, 0, 1, 0);
    column->addWidget(settingsForm_);
    column->addStretch();
    column->addWidget(Label1_);
    column->addSpacing(4);
    column->addWidget(lblFirstCurve_);
    column->addWidget(LBCurve1_);
    column->addWidget(lblSecondCurve_);
    column->addWidget(LBCurve2_);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(SettingsPanel_);
    layout->addWidget(RChartCrossPlot_, 1);
    setMinimumSize(946, 600);
    resize(1021, 638);

    // Handlers answer the user only: filling and selecting from code runs
    // none of them.
    connect(LBCurve1_, &QListWidget::itemSelectionChanged, this, &TfrmBuildCrossPlot::LBCurve1Click);
    connect(LBCurve2_, &QListWidget::itemSelectionChanged, this, &TfrmBuildCrossPlot::LBCurve2Click);
    connect(settingsForm_, &TfrmCrossplotSettings::SettingsChanged, this, &TfrmBuildCrossPlot::ApplySettings);
}

TfrmBuildCrossPlot::~TfrmBuildCrossPlot() = default;

void TfrmBuildCrossPlot::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TfrmBuildCrossPlot::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return handled;
}

void TfrmBuildCrossPlot::done(int result)
{
    FormClose();
    QDialog::done(result);
}

int TfrmBuildCrossPlot::SelectedCurve(const QListWidget& list)
{
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : selected.front()->data(Qt::UserRole).toInt();
}

void TfrmBuildCrossPlot::SelectRow(QListWidget& list, int row)
{
    if (row < 0 || row >= list.count())
        return;
    const QSignalBlocker blocker(list);
    list.setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void TfrmBuildCrossPlot::FormShow()
{
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    RLasCrossPlotSettings& plot = PlotSettings();
    {
        const QSignalBlocker block1(LBCurve1_), block2(LBCurve2_);
        LBCurve1_->clear();
        LBCurve2_->clear();
        if (core_.Data) {
            const auto& curves = core_.Data->Curves();
            for (std::size_t i = 0; i < curves.size(); ++i) {
                const QString name = LasText::ToDisplay(curves[i]->Mnemonic, *core_.Data);
                for (QListWidget* list : {LBCurve1_, LBCurve2_}) {
                    auto* item = new QListWidgetItem(name, list);
                    item->setData(Qt::UserRole, static_cast<int>(i));
                }
            }
        }
    }
    plot.UseGradient = true;
    plot.MarkerStyle = cmsRound;
    plot.MarkerSize = kInitialMarkerSize;
    if (!Run().coloursSet) {
        if (plot.Color.Value() == 0)
            plot.Color = RPlatformColor::FromRgb(0x00, 0xFF, 0x00);
        if (plot.GradientColor.Value() == 0)
            plot.GradientColor = RPlatformColor::FromRgb(0xFF, 0x00, 0x00);
        Run().coloursSet = true;
    }
    // With one curve only X gets a selection; with none, neither.
    SelectRow(*LBCurve1_, 0);
    SelectRow(*LBCurve2_, 1);

    // The panel from the record (circle, size 10), then size 5; applied
    // once, which builds the chart when both lists have a selection.
    settingsForm_->FormShow();
    {
        const QSignalBlocker blocker(settingsForm_->TbSize);
        settingsForm_->TbSize->setValue(kInitialMarkerSize);
    }
    RChartCrossPlot_->Chart().Clear();
    ApplySettings();
}

void TfrmBuildCrossPlot::FormActivate()
{
    if (!BuildFromLists())
        RChartCrossPlot_->Chart().Clear();
}

bool TfrmBuildCrossPlot::BuildFromLists()
{
    const int x = SelectedCurve(*LBCurve1_);
    const int y = SelectedCurve(*LBCurve2_);
    if (x < 0 || y < 0)
        return false;
    RLasCrossPlotSettings& plot = PlotSettings();
    plot.XCurve = x;
    plot.YCurve = y;
    plot.DepthName = depthName_;
    core_.BuildCrossPlot(RChartCrossPlot_->Chart(), plot);
    return true;
}

void TfrmBuildCrossPlot::LBCurve1Click() { BuildFromLists(); }

void TfrmBuildCrossPlot::LBCurve2Click() { BuildFromLists(); }

void TfrmBuildCrossPlot::ApplySettings()
{
    // Stored even while a list lacks a selection, so that the chart built
    // once both have one shows what the panel shows.
    RLasCrossPlotSettings& plot = PlotSettings();
    plot.UseGradient = true;
    plot.Color = settingsForm_->FirstColor();
    plot.GradientColor = settingsForm_->SecondColor();
    plot.MarkerStyle = settingsForm_->MarkerStyle();
    plot.MarkerSize = settingsForm_->MarkerSize();
    BuildFromLists();
}

void TfrmBuildCrossPlot::FormClose()
{
    const QSignalBlocker block1(LBCurve1_), block2(LBCurve2_);
    LBCurve1_->clear();
    LBCurve2_->clear();
    RChartCrossPlot_->Chart().Clear();
}
