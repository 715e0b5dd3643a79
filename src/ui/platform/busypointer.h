#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace tallyro {

// The hourglass for long work, restored on every way out of the scope.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace tallyro
