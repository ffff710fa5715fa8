#include "SplitControl.h"

#include <QPainter>

// The guide line: an overlay over the form's child controls that inverts
// what lies under it, so it stands out on any background. Hiding it lets
// the controls repaint, which leaves no trace.
class TSplitGuide : public QWidget {
public:
    explicit TSplitGuide(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setObjectName(QStringLiteral("SplitGuide"));
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setCompositionMode(QPainter::CompositionMode_Difference);
        p.fillRect(rect(), Qt::white);
    }
};

TSplitControl::TSplitControl(QWidget *form) : Form(form) {}

TSplitControl::~TSplitControl()
{
    delete m_guide.data();   // normally gone with the form already
}

QWidget *TSplitControl::guide() const
{
    return m_guide && m_guideShown ? m_guide.data() : nullptr;
}

QPoint TSplitControl::MapPoint(const QWidget *destination, const QWidget *source, const QPoint &point)
{
    return destination->mapFromGlobal(source->mapToGlobal(point));
}

void TSplitControl::BeginTrack(QWidget *bar, QWidget *target, int minSize, int maxSize)
{
    Bar = bar;
    Target = target;
    MinSize = minSize;
    MaxSize = maxSize;
    Horizontal = bar->width() > bar->height();
    Pos = QPoint(0, 0);
    if (!m_guide)
        m_guide = new TSplitGuide(Form);
    m_guideShown = false;
    DrawGuide();
}

void TSplitControl::DrawGuide()
{
    if (!Bar || !m_guide)
        return;
    if (m_guideShown) {
        m_guide->hide();
        m_guideShown = false;
        return;
    }
    const QPoint from = MapPoint(Form, Bar, Pos);
    QRect line;
    if (Horizontal) {
        // across the bar at the split point's height, as thick as the bar
        const QPoint to = MapPoint(Form, Bar, QPoint(Bar->width(), 0));
        const int thickness = Bar->height();
        line = QRect(from.x(), from.y() - thickness / 2, to.x() - from.x(), thickness);
    } else {
        // down the whole height of the bar at the split point, as wide as the bar
        const QPoint to = MapPoint(Form, Bar, QPoint(0, Bar->height()));
        const int thickness = Bar->width();
        line = QRect(from.x() - thickness / 2, from.y(), thickness, to.y() - from.y());
    }
    m_guide->setGeometry(line);
    m_guide->raise();
    m_guide->show();
    m_guideShown = true;
}

void TSplitControl::TrackTo(int x, int y)
{
    if (!IsTracking())
        return;
    DrawGuide();
    if (Horizontal)
        Pos.setY(y);
    else
        Pos.setX(x);
    DrawGuide();
}

void TSplitControl::EndTrack()
{
    if (!IsTracking())
        return;
    if (m_guideShown)
        DrawGuide();
    QWidget *target = Target;
    QWidget *bar = Bar;
    Bar.clear();
    Target.clear();
    if (!target)
        return;
    const QPoint split = MapPoint(target, bar, Pos);
    const bool before = Horizontal ? target->y() < bar->y() : target->x() < bar->x();
    const int current = Horizontal ? target->height() : target->width();
    const int offset = Horizontal ? split.y() : split.x();
    int size = before ? offset : current - offset;
    if (MinSize != 0 && size < MinSize)
        size = MinSize;
    if (MaxSize != 0 && size > MaxSize)
        size = MaxSize;
    // The panels sit in layouts: a fixed size is what makes the new one stick.
    if (Horizontal)
        target->setFixedHeight(size);
    else
        target->setFixedWidth(size);
}
