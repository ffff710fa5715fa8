#pragma once
#include <QApplication>
#include <QCursor>

namespace controls {

// The hourglass for the length of a scope, restored even when an error escapes.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace controls
