// The main window on the screen: inside the available area, placed as it was
// last time, and the open file's own window always reachable.
#include "mainwindowfixture.h"
#include "ui/gradebook/gradebookwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>

using namespace tallyro;
using namespace tallyro::test;

class WorkAreaTest : public QObject {
    Q_OBJECT
private slots:
    void theGradeBookCannotBeClosedWhileItsClassIsOpen() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        auto* frame = qobject_cast<QMdiSubWindow*>(window.gradeBook()->parentWidget());
        QVERIFY(frame);
        QVERIFY(!(frame->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!frame->close());
        QVERIFY(window.gradeBook());
        QCOMPARE(frame->geometry(), QRect(QPoint(0, 0), window.workArea()->viewport()->size()));
        // The work area grows: so does the grade book.
        window.resize(window.size() + QSize(0, 40));
        QTRY_COMPARE(frame->height(), window.workArea()->viewport()->height());
        // Close closes the file, and its windows with it.
        window.closeFile();
        QCOMPARE(f.subWindowCount(), 0);
    }

    void theWindowStartsInsideTheScreenAndWhereItWasLeft() {
        QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        Fixture f;
        MainWindow& window = f.start();
        QVERIFY(available.contains(window.frameGeometry().adjusted(0, 0, 0, -4)) ||
                available.contains(window.geometry()));
        // A window manager's frame (title bar, borders) goes around the
        // inside, from the corner the window was moved to: it fits as well.
        QVERIFY(available.contains(QRect(window.pos(), window.size() + QSize(8, 34))));
        window.move(available.topLeft() + QPoint(40, 40));
        window.resize(700, 500);
        window.exitProgram();
        QVERIFY(f.doubles.settings.values.contains("window geometry"));
        QCOMPARE(f.doubles.settings.values["window maximized"], QStringLiteral("0"));

        AppState state;
        MainWindow next(state, f.platform, f.recoveryFolder());
        QCOMPARE(next.size(), QSize(700, 500));
    }
};

QTEST_MAIN(WorkAreaTest)
#include "workarea_test.moc"
