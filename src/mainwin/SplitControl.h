#pragma once
// Drags a bar between two panels: while the button is held a guide line
// shows the pending split over the window's child controls; on release the
// target panel gets its new width (or height), bounded by a minimum and a
// maximum. Serves any bar, vertical or horizontal.

#include <QPoint>
#include <QPointer>
#include <QWidget>

class TSplitGuide;

class TSplitControl {
public:
    explicit TSplitControl(QWidget *form);
    ~TSplitControl();
    TSplitControl(const TSplitControl &) = delete;
    TSplitControl &operator=(const TSplitControl &) = delete;

    // 0 for minSize or maxSize means no bound. Qt already sends every
    // further mouse event of the pressed button to the bar, wherever the
    // pointer goes, so no explicit capture is needed.
    void BeginTrack(QWidget *bar, QWidget *target, int minSize, int maxSize);
    bool IsTracking() const { return !Bar.isNull(); }
    // Mouse position in the bar's client coordinates.
    void TrackTo(int x, int y);
    void EndTrack();
    // Shows the guide line at Pos; a second call at the same place removes it.
    void DrawGuide();
    static QPoint MapPoint(const QWidget *destination, const QWidget *source, const QPoint &point);

    // For tests: the guide line while it is shown, else nullptr.
    QWidget *guide() const;

private:
    QWidget *Form;
    QPointer<QWidget> Bar;
    QPointer<QWidget> Target;
    bool Horizontal = false;
    QPoint Pos;
    int MinSize = 0;
    int MaxSize = 0;

    QPointer<TSplitGuide> m_guide;   // child of Form while a drag runs
    bool m_guideShown = false;
};
