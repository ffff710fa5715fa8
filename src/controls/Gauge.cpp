#include "Gauge.h"

#include <QPainter>
#include <algorithm>

namespace controls {

Gauge::Gauge(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Gauge::setMinValue(int value)
{
    m_min = value;
    changed();
}

void Gauge::setMaxValue(int value)
{
    m_max = value;
    changed();
}

void Gauge::setProgress(int value)
{
    m_progress = value;
    changed();
}

void Gauge::setForeColor(const QColor &color)
{
    m_foreColor = color;
    update();
}

int Gauge::percentDone() const
{
    const qint64 range = qint64(m_max) - m_min;
    if (range <= 0)
        return 100;
    const qint64 done = std::clamp<qint64>(qint64(m_progress) - m_min, 0, range);
    return int(done * 100 / range);
}

int Gauge::barWidth() const
{
    const qint64 range = qint64(m_max) - m_min;
    const int inner = std::max(0, width() - 2);
    if (range <= 0)
        return inner;
    const qint64 done = std::clamp<qint64>(qint64(m_progress) - m_min, 0, range);
    return int(done * inner / range);
}

void Gauge::changed()
{
    if (percentDone() == m_shownPercent && barWidth() == m_shownWidth)
        return;
    update();
}

void Gauge::paintEvent(QPaintEvent *)
{
    m_shownPercent = percentDone();
    m_shownWidth = barWidth();
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QRect bar(1, 1, m_shownWidth, height() - 2);
    p.fillRect(bar, m_foreColor);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(frame);

    // The percentage in the foreground colour over the empty part and in the
    // background colour over the bar, like the classic gauge.
    const QString text = QString::number(m_shownPercent) + QLatin1Char('%');
    p.setPen(m_foreColor);
    p.drawText(rect(), Qt::AlignCenter, text);
    p.setClipRect(bar);
    p.setPen(palette().color(QPalette::Base));
    p.drawText(rect(), Qt::AlignCenter, text);
}

} // namespace controls
