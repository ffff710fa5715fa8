#include "ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace controls::pictures {

namespace {

constexpr int Size = 16;

template <typename Paint>
QIcon drawn(Paint paint)
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(Size * scale, Size * scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        paint(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace

QIcon info()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(0, 60, 150), 1));
        p.setBrush(QColor(40, 110, 210));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(7, 3.5, 2.2, 2.2));
        p.drawRect(QRectF(7, 7, 2.2, 5.5));
    });
}

QIcon notes()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(150, 120, 0), 1));
        p.setBrush(QColor(255, 235, 120));
        QPainterPath sheet;
        sheet.moveTo(2.5, 1.5);
        sheet.lineTo(11.5, 1.5);
        sheet.lineTo(13.5, 3.5);
        sheet.lineTo(13.5, 14.5);
        sheet.lineTo(2.5, 14.5);
        sheet.closeSubpath();
        p.drawPath(sheet);
        p.setPen(QPen(QColor(120, 110, 80), 1));
        for (int y : {5, 8, 11})
            p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    });
}

QIcon print()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));                 // paper in
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5); // body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));                // paper out
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 170, 0));
        p.drawEllipse(QRectF(11.5, 8, 1.8, 1.8));
    });
}

QIcon help()
{
    return drawn([](QPainter &p) {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0, 90, 170));
        p.drawText(QRectF(0, 0, Size, Size), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QIcon exit()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(90, 60, 30), 1));
        p.setBrush(QColor(160, 110, 60));
        p.drawRect(QRectF(2.5, 1.5, 8, 13));                // door
        p.setBrush(QColor(230, 200, 40));
        p.drawEllipse(QRectF(8, 7.5, 1.5, 1.5));            // knob
        p.setPen(QPen(QColor(200, 0, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(9, 8), QPointF(15, 8));          // arrow out
        p.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
        p.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
    });
}

QIcon ok()
{
    return drawn([](QPainter &p) {
        p.setPen(QPen(QColor(0, 150, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(2.5, 8.5);
        tick.lineTo(6.5, 12.5);
        tick.lineTo(13.5, 3.5);
        p.drawPath(tick);
    });
}

QPixmap programIcon(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // a black record with a red label and a white note on it
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QRectF(1, 1, 30, 30));
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 5, 22, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawEllipse(QRectF(10, 10, 12, 12));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(12.5, 16.5, 4, 3));
    p.drawRect(QRectF(15.5, 11.5, 1.2, 6));
    p.drawRect(QRectF(15.5, 11.5, 3.5, 1.3));
    return pm;
}

} // namespace controls::pictures
