#pragma once
// The hourglass cursor for the length of a scope, restored even when an
// error escapes.

#include <QApplication>
#include <QCursor>

namespace mainwin {

class Hourglass {
public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;
};

} // namespace mainwin
