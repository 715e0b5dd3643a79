// Whole tasks done with the keyboard alone in the real main window, as a
// teacher who cannot use a mouse does them: only keys are pressed, on
// whatever control has the focus.
#include "accessibilitywalk.h"
#include "ui/app/mainwindowfixture.h"

#include "ui/app/appstyle.h"
#include "ui/gradebook/gradebookwindow.h"
#include "ui/gradebook/gradeentrywindow.h"

#include "ui/classfile/filedeletionwindow.h"
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeView>

using namespace tallyro;
using namespace tallyro::test;

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = focused();
    QVERIFY2(target, "nothing has the focus");
    QTest::keyClick(target, key, modifiers);
}

void type(const QString& text) {
    QWidget* target = focused();
    QVERIFY2(target, "nothing has the focus");
    QTest::keyClicks(target, text);
}

// Tab until the control has the focus, as a teacher does; fails after a full
// round of the window without reaching it.
bool tabTo(QWidget* control, int most = 40) {
    for (int i = 0; i < most && focused() != control; ++i)
        QTest::keyClick(focused(), Qt::Key_Tab);
    return focused() == control;
}

// The arrows to a grid cell from wherever its cursor stands.
void arrowTo(QTableWidget* grid, int row, int column) {
    for (int i = 0; i < 50 && grid->currentRow() != row; ++i)
        QTest::keyClick(grid, grid->currentRow() < row ? Qt::Key_Down : Qt::Key_Up);
    for (int i = 0; i < 50 && grid->currentColumn() != column; ++i)
        QTest::keyClick(grid, grid->currentColumn() < column ? Qt::Key_Right : Qt::Key_Left);
}

struct Open {
    Fixture f;
    MainWindow* main = nullptr;
    Open() {
        main = &f.start();
        main->activateWindow();
        if (!QTest::qWaitForWindowActive(main))
            qWarning("the main window did not become active");
    }
};

} // namespace

class KeyboardScenariosTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installKeyboardAids(*qApp); }
    void editOneScoreInTheGradeBook();
    void dropOneColumnInTheGradeBook();
    void enterAWholeColumnInGradeEntry();
    void fileDeletionOpensAtTheCurrentFolder();
    void renderForTheEye();
};

void KeyboardScenariosTest::editOneScoreInTheGradeBook() {
    Open open;
    open.f.openSample();
    GradeBookWindow* book = open.main->gradeBook();
    QVERIFY(book);
    const ClassRecord& record = open.f.state.classRecord();
    QVERIFY(record.gradeCount(1) >= 2);

    QVERIFY2(tabTo(book->grdscores), qPrintable("focus stops at " + describe(focused())));
    arrowTo(book->grdscores, 0, 1); // Homework, grade 2
    press(Qt::Key_F2);
    QCOMPARE(book->editMode(), GradeBookWindow::EditMode::Score);
    QCOMPARE(focused(), book->txtweight);
    QCOMPARE(book->txtweight->text(), QString::fromStdString(record.grades(0, 1, 2).toText()));
    QTest::keyClick(book->txtweight, Qt::Key_A, Qt::ControlModifier);
    type("95");
    press(Qt::Key_Return);
    QCOMPARE(record.grades(0, 1, 2), Value("95"));
    QCOMPARE(book->editMode(), GradeBookWindow::EditMode::Idle);
    // Back on the cell the edit began on, ready for the next one.
    QCOMPARE(focused(), book->grdscores);
    QCOMPARE(book->grdscores->currentRow(), 0);
    QCOMPARE(book->grdscores->currentColumn(), 1);
    QVERIFY(open.main->windowTitle().endsWith('*'));

    // Enter starts an edit as F2 does; Tab leaves the grid for the next one.
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    QCOMPARE(book->editMode(), GradeBookWindow::EditMode::Score);
    press(Qt::Key_Escape);
    press(Qt::Key_Tab);
    QCOMPARE(focused(), book->grdaverage);
    press(Qt::Key_Tab);
    QVERIFY2(focused() != book->grdaverage, "the average grid keeps the focus");
}

void KeyboardScenariosTest::dropOneColumnInTheGradeBook() {
    Open open;
    open.f.openSample();
    GradeBookWindow* book = open.main->gradeBook();
    const ClassRecord& record = open.f.state.classRecord();
    QVERIFY(record.gradeCount(2) >= 3);

    QVERIFY(tabTo(book->grdscores));
    arrowTo(book->grdscores, 1, 2); // Quiz, grade 3
    press(Qt::Key_Return);
    QCOMPARE(book->editMode(), GradeBookWindow::EditMode::Score);
    // Enter then Drop, each reached by Tab and pressed with Enter.
    QVERIFY(tabTo(book->cmddrop, 5));
    open.f.doubles.messages.answer(MessageButton::Ok);
    press(Qt::Key_Return);
    QCOMPARE(open.f.doubles.messages.shown.back().title, QStringLiteral("Drop a Grade"));
    for (int s = 0; s < record.studentCount; ++s)
        QCOMPARE(record.grades(s, 2, 3), Value("d"));
    QCOMPARE(book->grdscores->item(1, 2)->text(), QStringLiteral("d"));
    QCOMPARE(focused(), book->grdscores);
}

void KeyboardScenariosTest::enterAWholeColumnInGradeEntry() {
    Open open;
    open.f.openSample();
    // Ctrl+E is the Grade Entry step.
    press(Qt::Key_E, Qt::ControlModifier);
    GradeEntryWindow* entry = child<GradeEntryWindow>(*open.main);
    QVERIFY(entry);
    QTRY_VERIFY(entry->isAncestorOf(focused()));
    const ClassRecord& record = open.f.state.classRecord();
    const int tests = record.gradeCount(3);

    // One Weekly Test for everyone: its quantity box, then Continue.
    QVERIFY(tabTo(entry->Text[3]));
    type("1");
    QVERIFY(tabTo(entry->cmdselectready));
    press(Qt::Key_Return);
    QCOMPARE(entry->phase(), GradeEntryWindow::Phase::Entering);
    QCOMPARE(focused(), entry->txtgrade);
    for (int s = 0; s < record.studentCount; ++s) {
        type(QString::number(60 + s));
        press(Qt::Key_Return);
    }
    QCOMPARE(entry->phase(), GradeEntryWindow::Phase::Finished);
    QCOMPARE(record.gradeCount(3), tests + 1);
    for (int s = 0; s < record.studentCount; ++s)
        QCOMPARE(record.grades(s, 3, tests + 1), Value(std::to_string(60 + s)));
    // Close has the focus; Enter presses it and the grade book is back.
    QCOMPARE(focused(), entry->cmdexitgradentry);
    QPointer<GradeEntryWindow> closing(entry);
    press(Qt::Key_Return);
    QTRY_VERIFY(closing.isNull());
    QCOMPARE(open.f.doubles.messages.unscripted, 0);
}

// Options > Delete from a folder deep down a full disk: the folder tree opens
// there, with that folder chosen and in view, and the keyboard in the tree.
void KeyboardScenariosTest::fileDeletionOpensAtTheCurrentFolder() {
    Open open;
    const QString deep = open.f.dir.filePath(QStringLiteral("Teacher/Classes/2026"));
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QFile::copy(kRoom5, deep + QStringLiteral("/Room5.grd")));
    // Many folders beside it, read after it, push it down the tree.
    for (int i = 0; i < 60; ++i)
        QVERIFY(QDir().mkpath(open.f.dir.filePath(QStringLiteral("Teacher/A%1").arg(i))));
    const QString before = QDir::currentPath();
    QDir::setCurrent(deep);
    open.main->deleteFiles();
    QDir::setCurrent(before);
    FileDeletionWindow* deletion = open.main->deletionWindow();
    QVERIFY(deletion);
    QTreeView* tree = deletion->Dir1;
    QTRY_COMPARE(tree->currentIndex().data(QFileSystemModel::FilePathRole).toString(),
                 QDir(deep).absolutePath());
    QTest::qWait(300); // the folders around it go on arriving
    QTRY_VERIFY_WITH_TIMEOUT(
        tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex()).center()), 5000);
    QCOMPARE(focused(), tree);
    QTRY_COMPARE(deletion->listedFiles(), QStringList{QStringLiteral("Room5.grd")});
}

// With TALLYRO_SCREENSHOTS set to a folder, the grade book is saved there
// with the focus on a score cell, on the spinner and on Next, to be looked at
// by a person; on a real display the whole screen is saved as well.
void KeyboardScenariosTest::renderForTheEye() {
    const QString folder = qEnvironmentVariable("TALLYRO_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("TALLYRO_SCREENSHOTS not set");
    Open open;
    open.main->resize(1100, 700);
    open.f.openSample();
    GradeBookWindow* book = open.main->gradeBook();
    QVERIFY(tabTo(book->grdscores));
    arrowTo(book->grdscores, 1, 2);
    struct Shot {
        QWidget* focus;
        const char* name;
    };
    for (const Shot& shot :
         {Shot{book->grdscores, "focus-scores"}, Shot{book->spnfail, "focus-spinner"},
          Shot{book->cmdnextstudent, "focus-next"}}) {
        shot.focus->setFocus(Qt::TabFocusReason);
        QTest::qWait(50);
        const QString file = QDir(folder).filePath(QString::fromLatin1(shot.name));
        QVERIFY(open.main->grab().save(file + ".png"));
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QProcess::execute(QStringLiteral("import"),
                              {QStringLiteral("-window"), QStringLiteral("root"), file + "-x.png"});
    }

    // File deletion opened from a folder deep down: the tree stands open there.
    Open second;
    second.main->resize(1100, 700);
    const QString deep = second.f.dir.filePath(QStringLiteral("Teacher/Classes/2026"));
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QFile::copy(kRoom5, deep + QStringLiteral("/Room5.grd")));
    const QString before = QDir::currentPath();
    QDir::setCurrent(deep);
    second.main->deleteFiles();
    QDir::setCurrent(before);
    QTest::qWait(1500);
    const QString file = QDir(folder).filePath(QStringLiteral("file-deletion"));
    QVERIFY(second.main->grab().save(file + ".png"));
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"), file + "-x.png"});
}

QTEST_MAIN(KeyboardScenariosTest)
#include "keyboardscenarios_test.moc"
