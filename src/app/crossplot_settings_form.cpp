#include "app/crossplot_settings_form.h"

#include "app/color_swatch.h"
#include "app/dialog_hooks.h"
#include "app/multi_lang.h"
#include "view/cross_plot_settings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// RGShape's items in order.
constexpr RChartMarkersStyle kShapeStyles[4] = {cmsRound, cmsSquare, cmsDiamond, cmsTriangle};

}  // namespace

TfrmCrossplotSettings::TfrmCrossplotSettings(QWidget* parent, RLasCrossPlotSettings& settings)
    : QWidget(parent), settings_(settings)
{
    setObjectName("frmCrossplotSettings");
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(name);
        return widget;
    };
    GBColorChange = named(new QGroupBox(this), "GBColorChange");
    Label4 = named(new QLabel(GBColorChange), "Label4");
    ImgColor1 = named(new RColorSwatch(GBColorChange), "ImgColor1");
    Label5 = named(new QLabel(GBColorChange), "Label5");
    ImgColor2 = named(new RColorSwatch(GBColorChange), "ImgColor2");
    gbMarkerSize = named(new QGroupBox(this), "gbMarkerSize");
    TbSize = named(new QSlider(Qt::Horizontal, gbMarkerSize), "TbSize");
    RGShape = named(new QGroupBox(this), "RGShape");
    shapes_ = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        shapeButtons_[i] = new QRadioButton(RGShape);
        shapeButtons_[i]->setObjectName("RGShape" + QString::number(i));
        shapes_->addButton(shapeButtons_[i], i);
    }

    for (RColorSwatch* swatch : {ImgColor1, ImgColor2})
        swatch->setFixedSize(137, 25);
    Label4->setBuddy(ImgColor1);
    Label5->setBuddy(ImgColor2);
    TbSize->setRange(kMinMarkerSize, kMaxMarkerSize);
    TbSize->setSingleStep(1);
    TbSize->setPageStep(1);
    TbSize->setTickInterval(1);
    TbSize->setTickPosition(QSlider::TicksBelow);

    auto* colors = new QVBoxLayout(GBColorChange);
    colors->setSpacing(2);
    colors->addWidget(Label4);
    colors->addWidget(ImgColor1);
    colors->addSpacing(4);
    colors->addWidget(Label5);
    colors->addWidget(ImgColor2);

    auto* size = new QVBoxLayout(gbMarkerSize);
    size->addWidget(TbSize);

    auto* shape = new QGridLayout(RGShape);
    shape->setVerticalSpacing(2);
    for (int i = 0; i < 4; ++i)
        shape->addWidget(shapeButtons_[i], i % 2, i / 2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(GBColorChange);
    layout->addWidget(gbMarkerSize);
    layout->addWidget(RGShape);
    setFixedWidth(234);

    // User actions only: setting the panel up from code runs none of these.
    connect(ImgColor1, &RColorSwatch::clicked, this, &TfrmCrossplotSettings::ImgColor1Click);
    connect(ImgColor2, &RColorSwatch::clicked, this, &TfrmCrossplotSettings::ImgColor2Click);
    connect(TbSize, &QSlider::valueChanged, this, &TfrmCrossplotSettings::TbSizeChange);
    connect(shapes_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RGShapeClick();
    });
}

void TfrmCrossplotSettings::SetTexts(const RMultiLang& lang)
{
    const auto text = [](const std::string& utf8) { return QString::fromStdString(utf8); };
    GBColorChange->setTitle(text(lang.Color()));
    Label4->setText(text(lang.FirstGradientColor()));
    Label5->setText(text(lang.SecondGradientColor()));
    gbMarkerSize->setTitle(text(lang.MarkerSize()));
    RGShape->setTitle(text(lang.MarkerType()));
    shapeButtons_[0]->setText(text(lang.Circle()));
    shapeButtons_[1]->setText(text(lang.Square()));
    shapeButtons_[2]->setText(text(lang.Diamond()));
    shapeButtons_[3]->setText(text(lang.Triangle()));
}

RChartMarkersStyle TfrmCrossplotSettings::MarkerStyle() const
{
    const int index = ShapeIndex();
    return index >= 0 && index < 4 ? kShapeStyles[index] : cmsNone;
}

int TfrmCrossplotSettings::MarkerSize() const { return TbSize->value(); }

RPlatformColor TfrmCrossplotSettings::FirstColor() const { return ToPlatformColor(firstColor_); }

RPlatformColor TfrmCrossplotSettings::SecondColor() const { return ToPlatformColor(secondColor_); }

int TfrmCrossplotSettings::ShapeIndex() const { return shapes_->checkedId(); }

void TfrmCrossplotSettings::SetShapeIndex(int index)
{
    const QSignalBlocker blocker(shapes_);
    if (index >= 0 && index < 4) {
        shapeButtons_[index]->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; none needs it lifted.
    shapes_->setExclusive(false);
    for (QRadioButton* button : shapeButtons_)
        button->setChecked(false);
    shapes_->setExclusive(true);
}

void TfrmCrossplotSettings::FormShow()
{
    firstColor_ = ToQColor(settings_.Color);
    secondColor_ = ToQColor(settings_.GradientColor);
    PaintSwatches();
    SetShapeIndex(0);
    const QSignalBlocker blocker(TbSize);
    TbSize->setValue(10);
}

void TfrmCrossplotSettings::PaintSwatches()
{
    ImgColor1->SetColor(firstColor_);
    ImgColor2->SetColor(secondColor_);
}

void TfrmCrossplotSettings::RGShapeClick() { emit SettingsChanged(); }

void TfrmCrossplotSettings::TbSizeChange() { emit SettingsChanged(); }

void TfrmCrossplotSettings::ImgColor1Click()
{
    const QColor color = RDialogHooks::PickColor(this, firstColor_);
    if (!color.isValid())
        return;
    firstColor_ = color.toRgb();
    settings_.Color = FirstColor();
    PaintSwatches();
    emit SettingsChanged();
}

void TfrmCrossplotSettings::ImgColor2Click()
{
    const QColor color = RDialogHooks::PickColor(this, secondColor_);
    if (!color.isValid())
        return;
    secondColor_ = color.toRgb();
    settings_.GradientColor = SecondColor();
    PaintSwatches();
    emit SettingsChanged();
}
