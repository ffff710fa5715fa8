#include "DoFilter.h"

#include "app/Application.h"
#include "app/Globals.h"
#include "controls/Gauge.h"
#include "controls/WaitCursor.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace {

// The hourglass for the length of a scope, also when an error escapes.
} // namespace

TfrmDoFilter::TfrmDoFilter(QWidget *parent)
    : Form<QDialog>(parent, Qt::Dialog | Qt::FramelessWindowHint),
      Panel1(new QFrame(this)),
      Gauge(new controls::Gauge(Panel1)),
      Timer1(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Filter wird gesetzt"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    setFixedSize(341, 58);

    Panel1->setGeometry(0, 0, 341, 58);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);

    Gauge->setGeometry(14, 11, 313, 36);
    Gauge->setForeColor(QColor(0, 0, 128));   // navy
    Gauge->hide();

    Timer1->setInterval(300);
    Timer1->setSingleShot(false);
    connect(Timer1, &QTimer::timeout, this, &TfrmDoFilter::Timer1Timer);
}

void TfrmDoFilter::FormShow()
{
    // Centred on the screen, not over the parent.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    Timer1->start();
}

void TfrmDoFilter::Timer1Timer()
{
    Timer1->stop();   // one run per window
    try {
        controls::WaitCursor wait;
        filter::FilterFlags flags;
        flags.FilterATyp = FilterATyp;
        flags.FilterRaum = FilterRaum;
        flags.FilterStil = FilterStil;
        flags.FilterLoka = FilterLoka;
        flags.FilterPLZ = FilterPLZ;
        flags.PLZFrom = Globals::PLZFrom;
        flags.PLZTo = Globals::PLZTo;
        filter::FilterPass pass(flags);
        bool started = false;
        pass.setProgress([this, &started](int done, int total) {
            if (!started) {
                Gauge->setMinValue(0);
                Gauge->setMaxValue(total);
                Gauge->setProgress(0);
                Gauge->show();
                started = true;
            }
            Gauge->setProgress(done);
            // Lets the bar repaint; the window is modal, so nothing else runs.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        m_result = pass.run();
    } catch (...) {
        m_error = std::current_exception();
    }
    done(QDialog::Accepted);
}

bool RunFilterWithProgress(QWidget *parent, bool filterATyp, bool filterRaum, bool filterStil, bool filterLoka,
                           bool filterPLZ)
{
    std::exception_ptr error;
    {
        TfrmDoFilter frmDoFilter(parent);
        frmDoFilter.FilterATyp = filterATyp;
        frmDoFilter.FilterRaum = filterRaum;
        frmDoFilter.FilterStil = filterStil;
        frmDoFilter.FilterLoka = filterLoka;
        frmDoFilter.FilterPLZ = filterPLZ;
        frmDoFilter.exec();
        error = frmDoFilter.error();
    }
    if (error) {
        TourbuchApplication::showException(error);
        return false;
    }
    return true;
}
