#pragma once
// Scope guards of the main window: undone even when an error escapes.

#include "data/Table.h"

#include <QApplication>
#include <QCursor>

namespace mainwin {

// The hourglass cursor.
class Hourglass {
public:
    Hourglass() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;
};

// The table's bound controls detached for the length of a scope: only the
// record reached at the end is shown and notified.
class DetachedControls {
public:
    explicit DetachedControls(data::Table &table) : m_table(table) { m_table.disableControls(); }
    ~DetachedControls() { m_table.enableControls(); }
    DetachedControls(const DetachedControls &) = delete;
    DetachedControls &operator=(const DetachedControls &) = delete;

private:
    data::Table &m_table;
};

} // namespace mainwin
