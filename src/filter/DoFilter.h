#pragma once
// The progress window of the filter run: borderless and without buttons;
// the run starts 300 ms after the window is shown, so it is painted first,
// and the window closes itself when the run is over.

#include "app/Form.h"
#include "filter/FilterRun.h"

#include <QDialog>
#include <exception>

class QFrame;
class QTimer;

namespace controls {
class Gauge;
}

class TfrmDoFilter : public Form<QDialog> {
    Q_OBJECT
public:
    explicit TfrmDoFilter(QWidget *parent = nullptr);

    // Set by the caller between creating and showing the window.
    bool FilterATyp = false;
    bool FilterRaum = false;
    bool FilterStil = false;
    bool FilterLoka = false;
    bool FilterPLZ = false;

    // What the run did; meaningful after exec() when no error was raised.
    const filter::FilterResult &result() const { return m_result; }
    // The run's error, if it failed. The marks are then as before the run.
    std::exception_ptr error() const { return m_error; }

    QFrame *Panel1;
    controls::Gauge *Gauge;
    QTimer *Timer1;

protected:
    void reject() override {}   // Escape does not end the run

private:
    void FormShow() override;
    void Timer1Timer();

    filter::FilterResult m_result;
    std::exception_ptr m_error;
};

// Runs the filter in its progress window, modally over `parent`, with the
// postal-code bounds of the filter settings. An error of the run is shown in
// the standard error box after the window has closed; returns false then.
bool RunFilterWithProgress(QWidget *parent, bool filterATyp, bool filterRaum, bool filterStil, bool filterLoka,
                           bool filterPLZ);
