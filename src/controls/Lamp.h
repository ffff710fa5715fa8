#pragma once
// A round indicator lamp in one colour, drawn at any size.

#include <QColor>
#include <QWidget>

namespace controls {

class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(const QColor &color, QWidget *parent = nullptr);
    QColor color() const { return m_color; }
    QSize sizeHint() const override { return {17, 17}; }

    // The lamp as a picture, e.g. for a window icon.
    static QPixmap picture(const QColor &color, int size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
};

} // namespace controls
