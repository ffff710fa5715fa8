#pragma once
// A horizontal progress bar with the share done as a percentage in it.
// Repaints only when the shown percentage or bar width changes, so a long
// loop may set the progress as often as it likes.

#include <QColor>
#include <QWidget>

namespace controls {

class Gauge : public QWidget {
    Q_OBJECT
public:
    explicit Gauge(QWidget *parent = nullptr);

    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    int progress() const { return m_progress; }
    void setMinValue(int value);
    void setMaxValue(int value);
    void setProgress(int value);
    void addProgress(int step) { setProgress(m_progress + step); }
    // 0..100; a range of 0 counts as done.
    int percentDone() const;

    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void changed();
    int barWidth() const;

    int m_min = 0;
    int m_max = 100;
    int m_progress = 0;
    int m_shownPercent = -1;
    int m_shownWidth = -1;
    QColor m_foreColor = Qt::black;
};

} // namespace controls
