// Tests that open a modal dialog answer it from a timer: exec() blocks the
// test until the dialog is closed.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tallyro::test {

// Runs act on the modal dialog of type T once it is up; act answers it. A
// dialog that never shows up fails the test instead of blocking it: after ten
// seconds (a first dialog under the sanitizers on a busy machine can take
// more than one) whatever modal window is up is closed.
template <typename T> void whenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    const QDeadlineTimer deadline(10'000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, deadline] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        const bool found = dialog && dialog->isVisible();
        if (!found && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (found)
            act(dialog);
        else if (QWidget* other = QApplication::activeModalWidget())
            other->close();
    });
    timer->start();
}

} // namespace tallyro::test
