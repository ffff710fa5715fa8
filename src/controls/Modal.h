#pragma once
// The one way the program shows platform modal interactions: message boxes,
// the save-file dialog, the printer set-up dialog and printing. A test sets
// the next answer beforehand, so that no test ever blocks in a modal loop;
// every box shown is recorded for the test to read.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;
class QPrinter;

namespace controls {

class Modal {
public:
    // Information box with one OK button.
    static void information(QWidget *parent, const QString &text);
    // The application's standard error box.
    static void error(QWidget *parent, const QString &text);

    // Save-file dialog; empty when cancelled.
    static QString saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                const QString &filter, const QString &defaultSuffix = QString());

    // Printer set-up dialog on the given printer; true when accepted.
    static bool printerSetup(QWidget *parent, QPrinter &printer);

    // Printing: `job` paints on the printer and tells whether it could.
    // In test mode the job goes to the next queued PDF file instead of the
    // printer, or, with none queued, is only counted.
    static bool print(QWidget *parent, QPrinter &printer, const std::function<bool(QPrinter &)> &job);

    // --- test seam ---
    // While a test answers, no box is shown: information and error boxes
    // are only recorded, file dialogs and printer set-up take the next
    // answer (or cancel when none is queued).
    static void setTestMode(bool on);
    static bool testMode();
    static void setNextFileName(const QString &fileName);
    static void setNextPrinterSetup(bool accept);
    static void setNextPrintFile(const QString &pdfFileName);
    // True when the next print job goes to a queued PDF file.
    static bool printRedirected();
    // Print jobs asked for since test mode was set or this was last called.
    static int takePrintCount();
    struct Shown {
        enum Kind { Information, Error } kind;
        QString text;
    };
    static QList<Shown> takeShown();
};

} // namespace controls
