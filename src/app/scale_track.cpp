#include "app/scale_track.h"

#include "app/view_scale.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

namespace {

constexpr int kPanelWidth = 80;
constexpr int kLabelLeft = 40;
constexpr int kLabelHeight = 13;

}  // namespace

RScaleTrack::RScaleTrack(QWidget* parent) : QWidget(parent)
{
    setObjectName("ScalePanel");
    setFixedWidth(kPanelWidth);
    lblScaleName_ = new QLabel(this);
    lblScaleName_->setObjectName("lblScaleName");
    lblScaleValue_ = new QLabel(this);
    lblScaleValue_->setObjectName("lblScaleValue");
    QFont bold = lblScaleValue_->font();
    bold.setBold(true);
    lblScaleValue_->setFont(bold);
    TBScale_ = new QSlider(Qt::Vertical, this);
    TBScale_->setObjectName("TBScale");
    TBScale_->setRange(1, 10000);
    TBScale_->setValue(1000);
    // 1:100 at the top.
    TBScale_->setInvertedAppearance(true);
    TBScale_->setInvertedControls(true);
    TBScale_->setTickPosition(QSlider::TicksLeft);
    TBScale_->setTickInterval(4);
    // The keys belong to the log chart until the user clicks the track.
    TBScale_->setFocusPolicy(Qt::ClickFocus);
    connect(TBScale_, &QSlider::valueChanged, this,
            [this](int position) { emit ScaleChosen(ViewScale::ScaleOfPosition(position)); });
}

void RScaleTrack::SetCaption(const QString& caption)
{
    lblScaleName_->setText(caption);
    lblScaleName_->adjustSize();
}

void RScaleTrack::Setup()
{
    const QSignalBlocker blocker(TBScale_);
    TBScale_->setRange(ViewScale::kTrackMin, ViewScale::kTrackMax);
    TBScale_->setTickInterval(4);
    TBScale_->setValue(ViewScale::kTrackStart);
    if (labels_.empty()) {
        for (int scale : ViewScale::kScales) {
            auto* label = new QLabel(QString("1:%1").arg(scale), this);
            label->setObjectName(QString("lblValue%1").arg(scale));
            label->setProperty("tag", scale);
            QFont font = label->font();
            font.setUnderline(true);
            label->setFont(font);
            label->setStyleSheet("color: #0000ff;");
            label->setCursor(Qt::PointingHandCursor);
            label->adjustSize();
            label->installEventFilter(this);
            label->show();
            labels_.push_back(label);
        }
        // Wide enough for the labels in any font.
        int width = kPanelWidth;
        for (QLabel* label : labels_)
            width = std::max(width, kLabelLeft + label->width() + 2);
        setFixedWidth(width);
    }
    PlaceLabels();
}

void RScaleTrack::ShowScale(double scale)
{
    if (!(scale > 0))
        return;
    {
        const QSignalBlocker blocker(TBScale_);
        TBScale_->setValue(ViewScale::PositionOfScale(scale));
    }
    lblScaleValue_->setText(QString("1:%1").arg(ViewScale::Nearest(scale)));
    lblScaleValue_->adjustSize();
}

void RScaleTrack::ChooseScale(int scale)
{
    {
        // A scale beyond the track leaves it at its end.
        const QSignalBlocker blocker(TBScale_);
        TBScale_->setValue(ViewScale::PositionOfScale(scale));
    }
    emit ScaleChosen(scale);
}

bool RScaleTrack::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (label && mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint())) {
            ChooseScale(label->property("tag").toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void RScaleTrack::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceLabels();
}

void RScaleTrack::PlaceLabels()
{
    lblScaleName_->move(4, 4);
    lblScaleValue_->move(4, 4 + lblScaleName_->sizeHint().height() + 2);
    lblScaleValue_->adjustSize();
    const int trackTop = lblScaleValue_->y() + lblScaleValue_->sizeHint().height() + 8;
    TBScale_->setGeometry(0, trackTop, kLabelLeft, std::max(40, height() - trackTop - 8));
    if (labels_.empty())
        return;
    // Each label beside the handle's centre at its value, where the style
    // draws it.
    QStyleOptionSlider option;
    option.initFrom(TBScale_);
    option.orientation = Qt::Vertical;
    option.minimum = TBScale_->minimum();
    option.maximum = TBScale_->maximum();
    option.sliderPosition = TBScale_->sliderPosition();
    option.sliderValue = TBScale_->value();
    option.upsideDown = !TBScale_->invertedAppearance();
    option.tickPosition = TBScale_->tickPosition();
    option.tickInterval = TBScale_->tickInterval();
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    QStyle* style = TBScale_->style();
    const QRect groove = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, TBScale_);
    const QRect handle = style->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, TBScale_);
    const int span = groove.height() - handle.height();
    for (QLabel* label : labels_) {
        const int position = ViewScale::PositionOfScale(label->property("tag").toInt());
        const int offset =
            QStyle::sliderPositionFromValue(option.minimum, option.maximum, position, span, option.upsideDown);
        const int centre = TBScale_->y() + groove.top() + offset + handle.height() / 2;
        const int labelHeight = std::max(kLabelHeight, label->sizeHint().height());
        label->setGeometry(kLabelLeft, centre - labelHeight / 2, label->sizeHint().width(), labelHeight);
    }
}
