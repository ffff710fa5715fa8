#include "Application.h"

#include "IniFile.h"
#include "controls/Modal.h"
#include "data/DatabaseError.h"

#include <QWidget>

TourbuchApplication::TourbuchApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TourbuchApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

bool TourbuchApplication::guarded(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (...) {
        showException(std::current_exception());
        return false;
    }
}

void TourbuchApplication::showException(std::exception_ptr error)
{
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const data::DatabaseError &e) {
        text = e.message();
    } catch (const SettingsWriteError &e) {
        text = e.message();
    } catch (const std::exception &e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("Unbekannter Fehler.");
    }
    controls::Modal::error(QApplication::activeWindow(), text);
}
