#pragma once
// RColorSwatch: a rectangle filled with one colour that reports clicks; the
// colour buttons of the curve settings, fill and cross-plot windows.
// Also the conversions between the settings' platform colours and QColor.

#include "raster/color.h"

#include <QColor>
#include <QFrame>

// Opaque; a system colour (negative value) is resolved.
QColor ToQColor(RPlatformColor color);
// Always an RGB value (0x00BBGGRR), never a system colour.
RPlatformColor ToPlatformColor(const QColor& color);

class RColorSwatch : public QFrame {
    Q_OBJECT
public:
    explicit RColorSwatch(QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);
    RPlatformColor PlatformColor() const { return ToPlatformColor(color_); }

    QSize sizeHint() const override { return {67, 21}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor color_ = Qt::black;
};
