#pragma once
#include <QApplication>
#include <functional>

// The application object. Its one addition is the standard error box: an
// error that escapes an event handler is shown in a critical message box,
// the action is abandoned and the program goes on.
class TourbuchApplication : public QApplication {
    Q_OBJECT
public:
    TourbuchApplication(int &argc, char **argv);

    const QString &title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    const QString &helpFile() const { return m_helpFile; }
    void setHelpFile(const QString &file) { m_helpFile = file; }

    bool notify(QObject *receiver, QEvent *event) override;

    // Runs an action; an error it raises is shown in the standard error box.
    // Returns false when it failed.
    static bool guarded(const std::function<void()> &action);
    static void showException(std::exception_ptr error);

private:
    QString m_title;
    QString m_helpFile;
};
