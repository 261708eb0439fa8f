#include "app/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

QColor ToQColor(RPlatformColor color)
{
    const RColorWord word = ColorWord(color);
    return QColor(word.Red(), word.Green(), word.Blue());
}

RPlatformColor ToPlatformColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return RPlatformColor::FromRgb(rgb.red(), rgb.green(), rgb.blue());
}

RColorSwatch::RColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void RColorSwatch::SetColor(const QColor& color)
{
    color_ = color.isValid() ? color.toRgb() : QColor(Qt::black);
    update();
}

void RColorSwatch::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), color_);
    painter.end();
    QFrame::paintEvent(event);
    if (hasFocus()) {
        QPainter focus(this);
        focus.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        focus.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void RColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void RColorSwatch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}
