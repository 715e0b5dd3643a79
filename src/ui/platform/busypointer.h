#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <QWindow>

#include <algorithm>

namespace tallyro {

// The hourglass for long work, restored on every way out of the scope. Before
// any window is on screen there is nothing for it to show over, and setting
// it would only cost the start-up the reading of the cursor theme.
class BusyPointer {
public:
    BusyPointer() : shown_(anyWindowOnScreen()) {
        if (shown_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyPointer() {
        if (shown_)
            QGuiApplication::restoreOverrideCursor();
    }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    static bool anyWindowOnScreen() {
        const QWindowList windows = QGuiApplication::topLevelWindows();
        return std::any_of(windows.begin(), windows.end(),
                           [](const QWindow* window) { return window->isExposed(); });
    }

    bool shown_;
};

} // namespace tallyro
