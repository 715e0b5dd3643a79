#pragma once

#include <QMdiSubWindow>

#include <functional>

namespace tallyro {

// The frame of a child window in the main window's work area. Qt keeps Tab
// inside a sub-window, going round its controls for ever; this frame hands
// the focus back to the main window at either end instead, so that Tab and
// Shift+Tab go round the whole window (step panel included) with no trap.
class WorkAreaFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit WorkAreaFrame(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Called when Tab (next) or Shift+Tab would go round to the frame's own
    // first or last control; true when it took the focus elsewhere.
    std::function<bool(bool next)> leave;

    // The controls Tab stops at inside `root`, in Tab order.
    static QList<QWidget*> tabStops(const QWidget* root);

protected:
    bool focusNextPrevChild(bool next) override;
};

} // namespace tallyro
