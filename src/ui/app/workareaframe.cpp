#include "ui/app/workareaframe.h"

#include <QApplication>

namespace tallyro {

WorkAreaFrame::WorkAreaFrame(QWidget* parent, Qt::WindowFlags flags)
    : QMdiSubWindow(parent, flags) {
    // The frame itself is no stop: Tab goes straight to its controls.
    setFocusPolicy(Qt::ClickFocus);
}

QList<QWidget*> WorkAreaFrame::tabStops(const QWidget* root) {
    QList<QWidget*> stops;
    // The chain is a ring through the whole top-level window; the guard only
    // protects against a broken ring.
    int guard = 100000;
    for (QWidget* w = root->nextInFocusChain(); w && w != root && guard-- > 0;
         w = w->nextInFocusChain()) {
        if (!root->isAncestorOf(w) || w->focusProxy())
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(root) &&
            w->isEnabled())
            stops << w;
    }
    return stops;
}

bool WorkAreaFrame::focusNextPrevChild(bool next) {
    if (leave) {
        const QList<QWidget*> stops = tabStops(this);
        QWidget* focused = QApplication::focusWidget();
        // A compound control (a spin box's editor) counts as the control.
        while (focused && !stops.contains(focused) && isAncestorOf(focused))
            focused = focused->parentWidget();
        if (!stops.isEmpty() && focused &&
            focused == (next ? stops.constLast() : stops.constFirst()) && leave(next))
            return true;
    }
    return QMdiSubWindow::focusNextPrevChild(next);
}

} // namespace tallyro
