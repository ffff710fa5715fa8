#include "Lamp.h"

#include <QPainter>
#include <QRadialGradient>

namespace controls {

namespace {

void paintLamp(QPainter &p, const QRectF &box, const QColor &color)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ball = box.adjusted(1, 1, -1, -1);
    // Lit from the upper left: a bright spot fading into the colour.
    QRadialGradient glow(ball.left() + ball.width() * 0.35, ball.top() + ball.height() * 0.35, ball.width() * 0.7);
    glow.setColorAt(0.0, color.lighter(190));
    glow.setColorAt(0.45, color);
    glow.setColorAt(1.0, color.darker(170));
    p.setPen(QPen(color.darker(250), 1));
    p.setBrush(glow);
    p.drawEllipse(ball);
}

} // namespace

Lamp::Lamp(const QColor &color, QWidget *parent) : QWidget(parent), m_color(color)
{
    resize(17, 17);
    setAttribute(Qt::WA_TranslucentBackground);
}

QPixmap Lamp::picture(const QColor &color, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paintLamp(p, QRectF(0, 0, size, size), color);
    return pm;
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int side = qMin(width(), height());
    paintLamp(p, QRectF((width() - side) / 2.0, (height() - side) / 2.0, side, side), m_color);
}

} // namespace controls
