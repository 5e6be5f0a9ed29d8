#include "ui/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap Draw(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 3, 3);
    p.setPen(QPen(QColor(190, 190, 190), 0.8, Qt::DotLine));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(4 + 6 * i, 5), QPointF(4 + 6 * i, 28));
        p.drawLine(QPointF(4, 5 + 6 * i), QPointF(28, 5 + 6 * i));
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(4, 5), QPointF(28, 5));
    p.drawLine(QPointF(4, 5), QPointF(4, 28));
    QPainterPath blue(QPointF(26, 5));
    blue.cubicTo(QPointF(12, 12), QPointF(6, 18), QPointF(7, 28));
    p.setPen(QPen(QColor(0, 0, 255), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(blue);
    QPainterPath red(QPointF(16, 5));
    red.cubicTo(QPointF(8, 12), QPointF(5, 18), QPointF(6, 28));
    p.setPen(QPen(QColor(255, 0, 0), 2));
    p.drawPath(red);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(Draw(size));
    return icon;
}
