// Undo and redo through the main window's Edit menu, as a teacher uses them:
// every kind of change taken back, the unsaved mark telling the truth.
#include "mainwindowfixture.h"
#include "support/windowfixture.h"
#include "ui/app/steppanel.h"
#include "ui/gradebook/gradebookwindow.h"
#include "ui/gradebook/gradeentrywindow.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/plantextbox.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace tallyro;
using namespace tallyro::test;

namespace {

void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void dropUndoneRestoresEveryStudentsCell();
    void undoToTheSavedStateClearsTheMarkAndANewChangeEndsRedo();
    void gradeEntryGradesUndoneOneByOne();
    void typingInAPlanBoxIsOneStepPerBox();
};

void UndoTest::dropUndoneRestoresEveryStudentsCell() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    const ClassRecord& record = f.state.classRecord();
    int category = 1;
    while (record.gradeCount(category) < 2)
        ++category;
    std::vector<Value> before;
    for (int s = 0; s < record.studentCount; ++s)
        before.push_back(record.grades(s, category, 2));
    QVERIFY(!window.editundo->isEnabled());

    GradeBookWindow* book = window.gradeBook();
    f.doubles.messages.answer(MessageButton::Ok);
    book->selectScoreCell(category, 1);
    QVERIFY2(!window.editundo->isEnabled(), "waits while a cell is being edited");
    QTest::mouseClick(book->cmddrop, Qt::LeftButton);
    QCOMPARE(record.grades(0, category, 2), Value("d"));
    QCOMPARE(window.editundo->text(), QStringLiteral("&Undo drop of ") +
                                          QString::fromStdString(record.categoryNames[category]) +
                                          QStringLiteral(" 2"));
    QVERIFY(window.windowTitle().endsWith(QLatin1Char('*')));

    window.editundo->trigger();
    for (int s = 0; s < record.studentCount; ++s)
        QCOMPARE(record.grades(s, category, 2), before[s]);
    QCOMPARE(GradeBookWindow::cellText(book->grdscores, category, 1),
             QString::fromStdString(before[0].toText()));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd"));
    QVERIFY(window.editredo->isEnabled());
    window.editredo->trigger();
    QCOMPARE(record.grades(record.studentCount - 1, category, 2), Value("d"));
    f.state.classDocument.markSaved();
}

void UndoTest::undoToTheSavedStateClearsTheMarkAndANewChangeEndsRedo() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    GradeBookWindow* book = window.gradeBook();
    const Value openedWeight = f.state.classRecord().categoryWeights[1];
    book->selectWeightCell(1);
    type(book->txtweight, QStringLiteral("33"));
    QCOMPARE(window.editundo->text(), QStringLiteral("&Undo weight of Homework"));
    window.saveFile();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd"));
    book->selectScoreCell(1, 0);
    type(book->txtweight, QStringLiteral("55"));
    QVERIFY(f.state.classModified());
    window.editundo->trigger();
    QVERIFY(!f.state.classModified());
    window.editundo->trigger();
    QVERIFY2(f.state.classModified(), "undone past the saved state");
    QCOMPARE(f.state.classRecord().categoryWeights[1], openedWeight);

    // A new change throws the redo side away.
    book->selectWeightCell(2);
    type(book->txtweight, QStringLiteral("20"));
    QVERIFY(!window.editredo->isEnabled());
    // Back to the file as saved: Close asks nothing.
    window.editundo->trigger();
    window.editredo->trigger();
    window.editundo->trigger();
    QVERIFY(f.state.classModified());
    f.state.classDocument.markSaved();
    size_t asked = f.doubles.messages.shown.size();
    window.closeFile();
    QCOMPARE(f.doubles.messages.shown.size(), asked);
    QVERIFY2(!window.editundo->isEnabled(), "the history ends with the file");
}

void UndoTest::gradeEntryGradesUndoneOneByOne() {
    Fixture f;
    MainWindow& window = f.start();
    f.openSample();
    const ClassRecord& record = f.state.classRecord();
    const int students = record.studentCount;
    const int recorded = record.gradeCount(11);
    window.stepPanel()->click(Step::GradeEntry);
    auto* entry = child<GradeEntryWindow>(window);
    QVERIFY(entry);
    entry->Text[11]->setText(QStringLiteral("2"));
    QTest::mouseClick(entry->cmdselectready, Qt::LeftButton);
    QCOMPARE(entry->currentCategory(), 11);
    for (int i = 0; i < 30; ++i)
        type(entry->txtgrade, QString::number(60 + i));
    QCOMPARE(record.grades(4, 11, recorded + 2), Value("89"));
    QCOMPARE(entry->currentStudentIndex(), 30 - students);

    for (int i = 29; i >= 0; --i) {
        QVERIFY(window.editundo->isEnabled());
        window.editundo->trigger();
        int student = i % students;
        int number = recorded + 1 + i / students;
        QCOMPARE(record.grades(student, 11, number), Value());
        QCOMPARE(entry->currentStudentIndex(), student);
        QCOMPARE(entry->currentGradeNumber(), number);
    }
    // Typed again where it was undone.
    type(entry->txtgrade, QStringLiteral("77"));
    QCOMPARE(record.grades(0, 11, recorded + 1), Value("77"));
    window.editundo->trigger();
    // Last, the two reserved columns themselves.
    window.editundo->trigger();
    QCOMPARE(record.gradeCount(11), recorded);
    QVERIFY(!f.state.classModified());
    QVERIFY(!window.editundo->isEnabled());
}

void UndoTest::typingInAPlanBoxIsOneStepPerBox() {
    Fixture f;
    MainWindow& window = f.start();
    QVERIFY(QFile::copy(QStringLiteral(TALLYRO_SOURCE_DIR "/examples/WEEK1.pla"),
                        f.dir.filePath("WEEK1.pla")));
    window.openFileAtStartup(f.dir.filePath("WEEK1.pla"));
    auto* editor = child<LessonEditorWindow>(window);
    QVERIFY(editor);
    PlanTextBox* first = editor->box(0);
    PlanTextBox* second = editor->box(1);
    QString firstText = first->toPlainText();
    QString secondText = second->toPlainText();
    first->setFocus();
    editor->activate();
    first->moveCursor(QTextCursor::End);
    QTest::keyClicks(first, " and more");
    editor->box(1)->setFocus();
    QTest::keyClicks(second, "!");
    QCOMPARE(window.editundo->text(), QStringLiteral("&Undo typing"));
    window.editundo->trigger();
    QCOMPARE(second->toPlainText(), secondText);
    QCOMPARE(first->toPlainText(), firstText + QStringLiteral(" and more"));
    window.editundo->trigger();
    QCOMPARE(first->toPlainText(), firstText);
    QCOMPARE(f.state.lessonPlan().lessonTexts[0], firstText.toStdString());
    QVERIFY(!f.state.classModified());
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
