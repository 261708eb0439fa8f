#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

constexpr int kGrid = 32;

const QColor kInk(60, 64, 72);
const QColor kBlue(33, 102, 196);
const QColor kGreen(0, 128, 70);
const QColor kRed(200, 50, 40);
const QColor kAmber(232, 176, 60);

// A picture drawn on the 32 x 32 grid, at `scale` pixels per unit.
QPixmap Draw(const std::function<void(QPainter&)>& paint, int scale, int grid = kGrid)
{
    QPixmap pixmap(grid * scale, grid * scale);
    pixmap.fill(Qt::transparent);
    pixmap.setDevicePixelRatio(scale);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return pixmap;
}

QIcon MakeIcon(const std::function<void(QPainter&)>& paint)
{
    QIcon icon;
    icon.addPixmap(Draw(paint, 1));
    icon.addPixmap(Draw(paint, 2));
    return icon;
}

QPen Pen(const QColor& color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A wavy log curve from top to bottom inside the box.
QPainterPath LogCurve(double left, double top, double width, double height)
{
    const double xs[] = {0.35, 0.75, 0.45, 0.85, 0.3, 0.6, 0.2, 0.7, 0.5};
    QPainterPath curve;
    curve.moveTo(left + xs[0] * width, top);
    for (int i = 1; i < 9; ++i)
        curve.lineTo(left + xs[i] * width, top + i * height / 8);
    return curve;
}

}  // namespace

namespace ToolbarIcons {

QIcon Open()
{
    return MakeIcon([](QPainter& p) {
        p.setPen(Pen(QColor(150, 105, 20), 1.2));
        p.setBrush(QColor(246, 206, 110));
        QPainterPath back;
        back.moveTo(3, 8);
        back.lineTo(12, 8);
        back.lineTo(14, 11);
        back.lineTo(27, 11);
        back.lineTo(27, 26);
        back.lineTo(3, 26);
        back.closeSubpath();
        p.drawPath(back);
        // A sheet with a log curve sticking out of the folder.
        p.setPen(Pen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 15, 16));
        p.setPen(Pen(kGreen, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(LogCurve(11, 6, 11, 12));
        p.setPen(Pen(QColor(150, 105, 20), 1.2));
        p.setBrush(kAmber);
        QPainterPath front;
        front.moveTo(3, 26);
        front.lineTo(6, 15);
        front.lineTo(30, 15);
        front.lineTo(27, 26);
        front.closeSubpath();
        p.drawPath(front);
    });
}

QIcon CrossPlot()
{
    return MakeIcon([](QPainter& p) {
        p.setPen(Pen(kInk, 1.6));
        p.drawLine(QPointF(5, 4), QPointF(5, 27));
        p.drawLine(QPointF(5, 27), QPointF(29, 27));
        const QPointF points[] = {{9, 23}, {11, 20}, {13, 21}, {14, 17}, {17, 16}, {16, 13},
                                  {19, 12}, {21, 13}, {22, 9},  {25, 8},  {24, 6},  {12, 15}};
        p.setPen(Qt::NoPen);
        int k = 0;
        for (const QPointF& point : points) {
            p.setBrush(k++ % 3 == 0 ? kRed : k % 3 == 0 ? kGreen : kBlue);
            p.drawEllipse(point, 1.8, 1.8);
        }
    });
}

QIcon Appearance()
{
    return MakeIcon([](QPainter& p) {
        const QColor colors[] = {kRed, kGreen, kBlue};
        const double knobs[] = {20, 10, 16};
        for (int i = 0; i < 3; ++i) {
            const double y = 8 + i * 8;
            p.setPen(Pen(kInk, 1.6));
            p.drawLine(QPointF(4, y), QPointF(28, y));
            p.setPen(Pen(kInk, 1));
            p.setBrush(colors[i]);
            p.drawEllipse(QPointF(knobs[i], y), 3.2, 3.2);
        }
    });
}

QIcon Save()
{
    return MakeIcon([](QPainter& p) {
        p.setPen(Pen(QColor(20, 60, 120), 1.2));
        p.setBrush(kBlue);
        QPainterPath body;
        body.moveTo(4, 4);
        body.lineTo(24, 4);
        body.lineTo(28, 8);
        body.lineTo(28, 28);
        body.lineTo(4, 28);
        body.closeSubpath();
        p.drawPath(body);
        p.setBrush(QColor(225, 230, 238));
        p.drawRect(QRectF(9, 4, 13, 8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 16, 16, 12));
        p.setPen(Pen(QColor(150, 160, 175), 1));
        for (double y = 19.5; y < 27; y += 3)
            p.drawLine(QPointF(10, y), QPointF(22, y));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 60, 120));
        p.drawRect(QRectF(17, 5.5, 3, 5));
    });
}

QIcon Calculator()
{
    return MakeIcon([](QPainter& p) {
        p.setPen(Pen(kInk, 1.2));
        p.setBrush(QColor(235, 237, 240));
        p.drawRoundedRect(QRectF(6, 3, 20, 26), 2.5, 2.5);
        p.setBrush(QColor(200, 225, 205));
        p.drawRect(QRectF(9, 6, 14, 6));
        p.setPen(Pen(kGreen, 1.2));
        p.drawText(QRectF(9, 5.5, 14, 7), Qt::AlignCenter, QStringLiteral("fx"));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column) {
                p.setBrush(column == 2 && row == 2 ? kAmber : QColor(110, 116, 128));
                p.drawRoundedRect(QRectF(9 + column * 5, 15 + row * 4.5, 3.6, 3), 0.8, 0.8);
            }
    });
}

QIcon Inscribe()
{
    return MakeIcon([](QPainter& p) {
        // A whole log fitted between two bars.
        p.setPen(Pen(kInk, 2));
        p.drawLine(QPointF(5, 4), QPointF(27, 4));
        p.drawLine(QPointF(5, 28), QPointF(27, 28));
        p.setPen(Pen(kBlue, 1.6));
        p.drawLine(QPointF(9, 8), QPointF(9, 24));
        p.drawLine(QPointF(9, 8), QPointF(6.5, 11));
        p.drawLine(QPointF(9, 8), QPointF(11.5, 11));
        p.drawLine(QPointF(9, 24), QPointF(6.5, 21));
        p.drawLine(QPointF(9, 24), QPointF(11.5, 21));
        p.setPen(Pen(kGreen, 1.5));
        p.drawPath(LogCurve(15, 7, 12, 18));
    });
}

QIcon Information()
{
    return MakeIcon([](QPainter& p) {
        // A LAS header sheet.
        p.setPen(Pen(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 20, 26));
        p.setPen(Pen(QColor(140, 146, 156), 1.2));
        for (int i = 0; i < 6; ++i) {
            const double y = 8 + i * 3.5;
            p.drawLine(QPointF(9, y), QPointF(i % 2 ? 19 : 23, y));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(23, 23), 6.5, 6.5);
        p.setPen(Pen(Qt::white, 2));
        p.drawLine(QPointF(23, 22), QPointF(23, 26.5));
        p.drawPoint(QPointF(23, 19.3));
    });
}

QIcon Help()
{
    return MakeIcon([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(16, 16), 12, 12);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(18);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon MiniMap()
{
    return MakeIcon([](QPainter& p) {
        p.setPen(Pen(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 3, 14, 26));
        p.setPen(Pen(kGreen, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(LogCurve(10, 4, 12, 24));
        p.setPen(Pen(kRed, 1.6));
        p.setBrush(QColor(200, 50, 40, 40));
        p.drawRect(QRectF(7, 11, 18, 7));
    });
}

QPixmap Flag(int language)
{
    return Draw(
        [language](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing, false);
            const QRect flag(0, 5, 32, 22);
            if (language == 1) {
                p.fillRect(QRect(0, 5, 32, 7), Qt::white);
                p.fillRect(QRect(0, 12, 32, 8), QColor(0, 57, 166));
                p.fillRect(QRect(0, 20, 32, 7), QColor(213, 43, 30));
            } else {
                p.fillRect(flag, QColor(1, 33, 105));
                p.setClipRect(flag);
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(QPen(Qt::white, 5));
                p.drawLine(0, 5, 32, 27);
                p.drawLine(0, 27, 32, 5);
                p.setPen(QPen(QColor(200, 16, 46), 2));
                p.drawLine(0, 5, 32, 27);
                p.drawLine(0, 27, 32, 5);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.fillRect(QRect(12, 5, 8, 22), Qt::white);
                p.fillRect(QRect(0, 12, 32, 8), Qt::white);
                p.fillRect(QRect(14, 5, 4, 22), QColor(200, 16, 46));
                p.fillRect(QRect(0, 14, 32, 4), QColor(200, 16, 46));
            }
            p.setClipping(false);
            p.setPen(QColor(160, 160, 160));
            p.setBrush(Qt::NoBrush);
            p.drawRect(flag.adjusted(0, 0, -1, -1));
        },
        1);
}

QIcon Program()
{
    QIcon icon;
    for (int scale : {1, 2, 4, 8})
        icon.addPixmap(Draw(
            [](QPainter& p) {
                p.setPen(Pen(QColor(90, 90, 90), 1));
                p.setBrush(Qt::white);
                p.drawRoundedRect(QRectF(3.5, 1.5, 25, 29), 2.5, 2.5);
                p.setPen(Pen(QColor(205, 205, 205), 0.6));
                for (double y = 6; y < 30; y += 5)
                    p.drawLine(QPointF(4.5, y), QPointF(27.5, y));
                p.setPen(Pen(kGreen, 1.6));
                p.setBrush(Qt::NoBrush);
                p.drawPath(LogCurve(6, 3, 20, 26));
            },
            scale));
    return icon;
}

}  // namespace ToolbarIcons
