#include "DemoPictures.h"

#include "Random.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tourbuchdb {

namespace {

constexpr int width = 320;
constexpr int height = 240;

QColor randomColor(Random &random, int lightness)
{
    return QColor::fromHsl(random.between(0, 359), random.between(90, 200), lightness);
}

void drawMixer(QPainter &p, Random &random)
{
    const QRectF desk(30, 40, 260, 130);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(60, 60, 66));
    p.drawRoundedRect(desk, 8, 8);
    // Level meters on top, faders below, one channel strip each.
    const int channels = 8;
    for (int i = 0; i < channels; ++i) {
        const qreal x = desk.left() + 20 + i * 30;
        const int level = random.between(3, 10);
        for (int led = 0; led < 10; ++led) {
            const QColor on = led >= 8 ? Qt::red : led >= 6 ? Qt::yellow : Qt::green;
            p.setPen(Qt::NoPen);
            p.setBrush(led < level ? on : QColor(40, 40, 40));
            p.drawRect(QRectF(x - 4, desk.top() + 52 - led * 4.5, 8, 3.5));
        }
        p.setPen(QPen(QColor(20, 20, 20), 3));
        p.drawLine(QPointF(x, desk.top() + 65), QPointF(x, desk.bottom() - 12));
        const qreal knob = desk.top() + 70 + random.between(0, 40);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(x - 8, knob, 16, 8));
    }
}

void drawGuitar(QPainter &p, Random &random)
{
    p.save();
    p.translate(160, 110);
    p.rotate(-35);
    const QColor body = randomColor(random, 110);
    p.setPen(QPen(Qt::black, 2));
    // Neck and headstock first, so the body covers the joint.
    p.setBrush(QColor(120, 80, 40));
    p.drawRect(QRectF(-8, -150, 16, 120));
    p.setBrush(QColor(40, 30, 20));
    p.drawRoundedRect(QRectF(-12, -180, 24, 34), 4, 4);
    QPainterPath shape;
    shape.addEllipse(QPointF(0, -10), 34, 30);
    shape.addEllipse(QPointF(0, 40), 46, 42);
    shape.setFillRule(Qt::WindingFill);
    p.setBrush(body);
    p.drawPath(shape.simplified());
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(0, 5), 12, 12);
    p.setPen(QPen(QColor(230, 230, 230), 1));
    for (int s = -3; s <= 2; ++s)
        p.drawLine(QPointF(s * 2.5 + 1, -175), QPointF(s * 2.5 + 1, 60));
    p.restore();
}

void drawStage(QPainter &p, Random &random)
{
    // Light cones from above onto a stage floor.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QColor light = randomColor(random, 170);
        light.setAlpha(110);
        const qreal top = 40 + i * 120;
        const qreal foot = random.between(60, 260);
        QPainterPath cone;
        cone.moveTo(top - 6, 0);
        cone.lineTo(top + 6, 0);
        cone.lineTo(foot + 50, 175);
        cone.lineTo(foot - 50, 175);
        cone.closeSubpath();
        p.setBrush(light);
        p.drawPath(cone);
    }
    p.setBrush(QColor(70, 45, 25));
    p.drawRect(QRectF(0, 175, width, 20));
    // Amplifier and microphone stand.
    p.setBrush(QColor(25, 25, 25));
    p.drawRect(QRectF(40, 125, 60, 50));
    p.setPen(QPen(QColor(200, 200, 200), 3));
    p.drawLine(QPointF(220, 175), QPointF(220, 110));
    p.drawLine(QPointF(220, 110), QPointF(200, 95));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    p.drawEllipse(QPointF(198, 93), 6, 6);
}

} // namespace

QByteArray drawPicture(PictureMotif motif, const QString &name, Random &random)
{
    QImage image(width, height, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, height);
        sky.setColorAt(0, randomColor(random, 60));
        sky.setColorAt(1, randomColor(random, 20));
        p.fillRect(image.rect(), sky);

        switch (motif) {
        case PictureMotif::Mixer: drawMixer(p, random); break;
        case PictureMotif::Guitar: drawGuitar(p, random); break;
        case PictureMotif::Stage: drawStage(p, random); break;
        }

        const QRect band(0, height - 44, width, 44);
        p.fillRect(band, QColor(0, 0, 0, 170));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(20);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(band.adjusted(8, 0, -8, 0), Qt::AlignCenter | Qt::TextSingleLine,
                   p.fontMetrics().elidedText(name, Qt::ElideRight, band.width() - 16));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace tourbuchdb
