#pragma once
// TfrmCrossplotSettings: the marker settings of the cross-plot window, a
// borderless panel at the top of its left column: the two colours of the
// marker gradient, the marker size (5..15) and the marker shape.
//
// The panel writes a picked colour into the run's cross-plot record at once
// (so it is kept for the next showing, whatever the lists hold) and
// announces every change with SettingsChanged; the window then applies the
// whole panel to the record and rebuilds its chart.

#include "chart/chart_types.h"
#include "raster/color.h"

#include <QColor>
#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSlider;
class RColorSwatch;
class RMultiLang;
struct RLasCrossPlotSettings;

class TfrmCrossplotSettings : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinMarkerSize = 5;
    static constexpr int kMaxMarkerSize = 15;

    TfrmCrossplotSettings(QWidget* parent, RLasCrossPlotSettings& settings);

    // Captions from the current language.
    void SetTexts(const RMultiLang& lang);

    // The shape chosen in RGShape as a marker style; cmsNone without a choice.
    RChartMarkersStyle MarkerStyle() const;
    int MarkerSize() const;
    // The colours the two colour dialogs hold.
    RPlatformColor FirstColor() const;
    RPlatformColor SecondColor() const;

    // RGShape's item: 0 "Circle", 1 "Square", 2 "Diamond", 3 "Triangle",
    // -1 none. Set from code without announcing a change.
    int ShapeIndex() const;
    void SetShapeIndex(int index);

    QGroupBox* GBColorChange;
    QLabel* Label4;
    RColorSwatch* ImgColor1;
    QLabel* Label5;
    RColorSwatch* ImgColor2;
    QGroupBox* gbMarkerSize;
    QSlider* TbSize;
    QGroupBox* RGShape;

public slots:
    // Swatches and colour dialogs from the record; circle, size 10. Nothing
    // is announced: the window applies the panel once it has set it up.
    void FormShow();
    void RGShapeClick();
    void TbSizeChange();
    void ImgColor1Click();
    void ImgColor2Click();

signals:
    // A setting changed through the panel.
    void SettingsChanged();

private:
    void PaintSwatches();

    RLasCrossPlotSettings& settings_;
    QButtonGroup* shapes_;
    QRadioButton* shapeButtons_[4];
    // What each colour dialog holds: preset from the record, then the last
    // colour picked.
    QColor firstColor_, secondColor_;
};
