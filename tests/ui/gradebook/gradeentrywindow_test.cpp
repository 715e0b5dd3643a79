#include <QTest>

#include "core/classfile/gradefile.h"
#include "support/windowfixture.h"
#include "ui/gradebook/gradeentrywindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace tallyro;

namespace {

// A class and the doubles a grade entry window talks to. The window deletes
// itself when closed, so it is held by a QPointer.
class Bench : public test::WindowDoubles {
public:
    explicit Bench(int students) { test::startNumberedClass(state, students); }
    ~Bench() { delete window.data(); }

    void recorded(int category, int count) {
        test::editClass(state, [&](ClassRecord& r) {
            r.gradeCounts[category] = Value(count);
            for (int s = 0; s < r.studentCount; ++s)
                for (int k = 1; k <= count; ++k)
                    r.grades(s, category, k) = Value("50");
        });
    }

    GradeEntryWindow& open() {
        window = new GradeEntryWindow(state, platform, shell);
        window->show();
        window->activate();
        return *window;
    }

    // Types a quantity the way a teacher does: into the box, then away.
    void quantity(int category, const QString& text) {
        QLineEdit* box = window->Text[category];
        box->clear();
        QTest::keyClicks(box, text);
    }

    void enter(const QString& grade) {
        QTest::keyClicks(window->txtgrade, grade);
        QTest::keyClick(window->txtgrade, Qt::Key_Return);
    }

    const Value& grade(int student, int category, int number) const {
        return state.classRecord().grades(student, category, number);
    }

    QPointer<GradeEntryWindow> window;
};

} // namespace

class GradeEntryWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsCarryTheirNamesAndCaptions();
    void activationHoldsBackTheMainWindowCommands();
    void quantityChecks();
    void allZeroFinishesAtOnce();
    void gradesGoToNewColumnsInRosterOrder();
    void classGradeGivesEveryoneTheGrade();
    void gradeBoxTakesNumbersAndXOnly();
    void closeButtonReturnsToTheGradeBook();
    void closingMidCategoryExcusesWhatWasNotEntered();
    void enteredGradesSurviveSavingAndReopening();
    void renderForTheEye();
};

void GradeEntryWindowTest::controlsCarryTheirNamesAndCaptions() {
    Bench bench(2);
    GradeEntryWindow& w = bench.open();
    QCOMPARE(w.objectName(), QStringLiteral("frmgradentry"));
    QCOMPARE(w.Frame1->title(), QStringLiteral("Category  Quantity"));
    QCOMPARE(w.Frame2->title(), QStringLiteral("Grade Entry"));
    QCOMPARE(w.Label[1]->text(), QStringLiteral("Homework"));
    QCOMPARE(w.Label[11]->text(), QStringLiteral("Special Project"));
    QCOMPARE(w.findChildren<QLineEdit*>(QStringLiteral("Text")).size(), 11);
    QCOMPARE(w.Text[5]->maxLength(), 2);
    QCOMPARE(w.Text[5]->accessibleName(), QStringLiteral("6 Week Test"));
    QCOMPARE(w.cmdselectready->text(), QStringLiteral("Con&tinue"));
    QCOMPARE(w.Check1->text(), QStringLiteral("  ClassGrade"));
    QCOMPARE(w.cmdentergrade->text(), QStringLiteral("E&nter"));
    QCOMPARE(w.cmdbackward->text(), QStringLiteral("<<&Backward"));
    QCOMPARE(w.cmdforward->text(), QStringLiteral("Fo&rward>>"));
    QCOMPARE(w.cmdexitgradentry->text(), QStringLiteral("&Close"));
    QCOMPARE(w.Label1->text(), QStringLiteral("Student#:"));
    QCOMPARE(w.Label3->text(), QStringLiteral("Grade#:"));
    QCOMPARE(w.lblstudname->text(), QStringLiteral("student name"));
    QCOMPARE(w.txtgrade->maxLength(), 3);
    QVERIFY(!w.cmdbackward->isEnabled() && !w.cmdforward->isEnabled());
    QVERIFY(!w.txtgrade->isEnabled() && !w.cmdentergrade->isEnabled());
    QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
}

void GradeEntryWindowTest::activationHoldsBackTheMainWindowCommands() {
    Bench bench(2);
    GradeEntryWindow& w = bench.open();
    for (ShellCommand command : {ShellCommand::Save, ShellCommand::SaveAs, ShellCommand::Print,
                                 ShellCommand::Close, ShellCommand::Backup})
        QVERIFY(!bench.shell.isCommandEnabled(command));
    QVERIFY(bench.shell.isCommandEnabled(ShellCommand::Exit));
    QCOMPARE(bench.shell.stepEnabled[Step::GradeReport], false);
    QVERIFY(!w.cmdselectready->isEnabled());
    for (int c = 1; c <= kCategoryCount; ++c) {
        QVERIFY(w.Text[c]->isEnabled());
        QCOMPARE(w.Text[c]->text(), QStringLiteral("0"));
    }

    // Activated again while grades are being typed, the quantities stay put.
    bench.quantity(2, QStringLiteral("1"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);
    w.activate();
    QVERIFY(!w.Text[2]->isEnabled());
    QVERIFY(!w.cmdselectready->isEnabled());
    QCOMPARE(w.phase(), GradeEntryWindow::Phase::Entering);
}

void GradeEntryWindowTest::quantityChecks() {
    Bench bench(1);
    bench.recorded(1, 43);
    bench.recorded(2, 45);
    GradeEntryWindow& w = bench.open();
    auto& shown = bench.doubles.messages.shown;

    bench.quantity(1, QStringLiteral("3"));
    QCOMPARE(shown.size(), size_t(1));
    QCOMPARE(shown[0].title, QStringLiteral("Over 45..."));
    QCOMPARE(shown[0].style, 16);
    QCOMPARE(shown[0].text, QStringLiteral("Total grades exceeds the allowable maximum of 45!\n\n"
                                           "Please enter 2 or less."));
    QCOMPARE(w.Text[1]->text(), QString());
    bench.quantity(1, QStringLiteral("2"));
    QCOMPARE(w.Text[1]->text(), QStringLiteral("2"));
    QCOMPARE(shown.size(), size_t(1));
    QVERIFY(w.cmdselectready->isEnabled());

    // Entering the box of a full category tells the teacher at once.
    QFocusEvent entering(QEvent::FocusIn);
    QApplication::sendEvent(w.Text[2], &entering);
    QCOMPARE(shown.size(), size_t(2));
    QCOMPARE(shown[1].title, QStringLiteral("Already 45..."));
    QCOMPARE(shown[1].style, 16);
    QCOMPARE(shown[1].text, QStringLiteral("This grade type has reached the maximum\n"
                                           "allowable totalgrades of 45!\n\n"
                                           "No more grades can be entered."));
    QVERIFY(!w.Text[2]->isEnabled());

    // Letters and half grades are refused; an empty box reads 0 once left.
    bench.quantity(3, QStringLiteral("a"));
    QCOMPARE(w.Text[3]->text(), QString());
    w.Text[3]->setText(QStringLiteral(".5"));
    QCOMPARE(w.Text[3]->text(), QString());
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(w.Text[3], &out);
    QCOMPARE(w.Text[3]->text(), QStringLiteral("0"));
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(w.Text[3], &in);
    QCOMPARE(w.Text[3]->text(), QString());
}

void GradeEntryWindowTest::allZeroFinishesAtOnce() {
    Bench bench(3);
    bench.recorded(2, 4);
    GradeEntryWindow& w = bench.open();
    bench.quantity(1, QStringLiteral("0"));
    QVERIFY(w.cmdselectready->isEnabled());
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);
    QCOMPARE(w.phase(), GradeEntryWindow::Phase::Finished);
    QCOMPARE(w.txtgrade->text(), QStringLiteral("end"));
    QVERIFY(!w.txtgrade->isEnabled());
    QVERIFY(w.cmdexitgradentry->isEnabled());
    // No column was reserved and no grade typed: nothing is unsaved.
    QCOMPARE(bench.state.classModified(), false);
    QCOMPARE(bench.shell.stepEnabled[Step::EditGrid], true);
    // Counts are written back as numbers, unchanged.
    QCOMPARE(bench.state.classRecord().gradeCounts[2], Value(4));
    QCOMPARE(bench.state.classRecord().gradeCounts[5], Value(0));
}

void GradeEntryWindowTest::gradesGoToNewColumnsInRosterOrder() {
    Bench bench(2);
    bench.recorded(2, 4);
    GradeEntryWindow& w = bench.open();
    bench.quantity(2, QStringLiteral("2"));
    bench.quantity(5, QStringLiteral("1"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);

    // The Quiz columns are reserved as soon as Quiz starts.
    QCOMPARE(w.phase(), GradeEntryWindow::Phase::Entering);
    QCOMPARE(bench.state.classRecord().gradeCount(2), 6);
    QCOMPARE(bench.state.classRecord().gradeCount(5), 0);
    QCOMPARE(bench.shell.stepEnabled[Step::EditGrid], false);
    QVERIFY(!w.cmdexitgradentry->isEnabled());
    QCOMPARE(w.Label[2]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(w.lblstudname->text(), QStringLiteral("Student 1"));
    QCOMPARE(w.lblstudentnumber->text(), QStringLiteral("1"));
    QCOMPARE(w.lblgradetotal->text(), QStringLiteral("5"));

    bench.enter(QStringLiteral("81"));
    QCOMPARE(w.lblstudname->text(), QStringLiteral("Student 2"));
    QCOMPARE(w.lblstudentnumber->text(), QStringLiteral("2"));
    bench.enter(QStringLiteral("82"));
    QCOMPARE(w.lblgradetotal->text(), QStringLiteral("6"));
    QCOMPARE(w.lblstudname->text(), QStringLiteral("Student 1"));
    bench.enter(QStringLiteral("91"));
    bench.enter(QStringLiteral("x"));
    QCOMPARE(bench.grade(0, 2, 5), Value("81"));
    QCOMPARE(bench.grade(1, 2, 5), Value("82"));
    QCOMPARE(bench.grade(0, 2, 6), Value("91"));
    QCOMPARE(bench.grade(1, 2, 6), Value("x"));
    QCOMPARE(bench.grade(0, 2, 4), Value("50"));
    QCOMPARE(w.Label[2]->palette().color(QPalette::WindowText), QColor(0, 0, 0));

    // On to the 6 Week Test, then the end.
    QCOMPARE(bench.state.classRecord().gradeCount(5), 1);
    QCOMPARE(w.lblgradetotal->text(), QStringLiteral("1"));
    bench.enter(QStringLiteral("70"));
    bench.enter(QStringLiteral("75"));
    QCOMPARE(w.phase(), GradeEntryWindow::Phase::Finished);
    QCOMPARE(w.txtgrade->text(), QStringLiteral("end"));
    QCOMPARE(w.lblstudname->text(), QStringLiteral("student name"));
    QCOMPARE(w.lblstudentnumber->text(), QString());
    QVERIFY(w.cmdexitgradentry->isEnabled());
    QCOMPARE(bench.grade(1, 5, 1), Value("75"));
    QCOMPARE(bench.doubles.messages.shown.size(), size_t(0));
}

void GradeEntryWindowTest::classGradeGivesEveryoneTheGrade() {
    Bench bench(3);
    GradeEntryWindow& w = bench.open();
    bench.quantity(1, QStringLiteral("2"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);
    bench.enter(QStringLiteral("60")); // the first student's own grade
    w.Check1->setChecked(true);
    bench.enter(QStringLiteral("100"));
    for (int s = 0; s < 3; ++s)
        QCOMPARE(bench.grade(s, 1, 1), Value("100"));
    QCOMPARE(w.lblgradetotal->text(), QStringLiteral("2"));
    QCOMPARE(w.lblstudname->text(), QStringLiteral("Student 1"));
    QCOMPARE(w.txtgrade->text(), QString());
    bench.enter(QStringLiteral("x"));
    for (int s = 0; s < 3; ++s)
        QCOMPARE(bench.grade(s, 1, 2), Value("x"));
    QCOMPARE(w.phase(), GradeEntryWindow::Phase::Finished);
}

void GradeEntryWindowTest::gradeBoxTakesNumbersAndXOnly() {
    Bench bench(2);
    GradeEntryWindow& w = bench.open();
    bench.quantity(3, QStringLiteral("1"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);

    QTest::keyClicks(w.txtgrade, QStringLiteral("d"));
    QVERIFY(!w.cmdentergrade->isEnabled());
    QTest::keyClick(w.txtgrade, Qt::Key_Return);
    QCOMPARE(bench.doubles.messages.beeps, 1);
    QVERIFY(bench.grade(0, 3, 1).isEmpty());
    QCOMPARE(w.lblstudentnumber->text(), QStringLiteral("1"));

    w.txtgrade->clear();
    QTest::keyClick(w.txtgrade, Qt::Key_Enter);
    QCOMPARE(bench.doubles.messages.beeps, 2);
    QTest::keyClicks(w.txtgrade, QStringLiteral("150")); // no range check
    QVERIFY(w.cmdentergrade->isEnabled());
    QVERIFY(w.cmdentergrade->isDefault());
    QTest::mouseClick(w.cmdentergrade, Qt::LeftButton);
    QCOMPARE(bench.grade(0, 3, 1), Value("150"));
    QTest::keyClicks(w.txtgrade, QStringLiteral("-5"));
    QTest::keyClick(w.txtgrade, Qt::Key_Return);
    QCOMPARE(bench.grade(1, 3, 1), Value("-5"));
    QCOMPARE(bench.doubles.messages.beeps, 2);
}

void GradeEntryWindowTest::closeButtonReturnsToTheGradeBook() {
    Bench bench(2);
    GradeEntryWindow& w = bench.open();
    bench.quantity(1, QStringLiteral("1"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);
    bench.enter(QStringLiteral("90"));
    bench.enter(QStringLiteral("80"));
    bench.shell.stepBold[Step::GradeEntry] = true;
    QTest::mouseClick(w.cmdexitgradentry, Qt::LeftButton);
    QTRY_VERIFY(bench.window.isNull());
    for (ShellCommand command : {ShellCommand::Save, ShellCommand::SaveAs, ShellCommand::Print,
                                 ShellCommand::Close, ShellCommand::Backup})
        QVERIFY(bench.shell.isCommandEnabled(command));
    QCOMPARE(bench.shell.stepEnabled[Step::GradeReport], true);
    QCOMPARE(bench.shell.stepEnabled[Step::EditGrid], true);
    QCOMPARE(bench.shell.stepBold[Step::EditGrid], true);
    QCOMPARE(bench.shell.stepRaised[Step::EditGrid], true);
    QCOMPARE(bench.shell.stepBold[Step::GradeEntry], false);
    QCOMPARE(bench.doubles.messages.shown.size(), size_t(0));
}

void GradeEntryWindowTest::closingMidCategoryExcusesWhatWasNotEntered() {
    Bench bench(3);
    bench.recorded(2, 1);
    GradeEntryWindow& w = bench.open();
    bench.quantity(2, QStringLiteral("2"));
    bench.quantity(4, QStringLiteral("1"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);
    bench.enter(QStringLiteral("77")); // only the first student of Quiz 2
    QCOMPARE(bench.state.classRecord().gradeCount(2), 3);

    w.close(); // by the window frame, Close being disabled
    QTRY_VERIFY(bench.window.isNull());
    QCOMPARE(bench.grade(0, 2, 2), Value("77"));
    for (auto [student, number] : {std::pair{1, 2}, {2, 2}, {0, 3}, {1, 3}, {2, 3}})
        QCOMPARE(bench.grade(student, 2, number), Value("x"));
    QCOMPARE(bench.grade(0, 2, 1), Value("50"));
    // The later category had not started: nothing reserved there.
    QCOMPARE(bench.state.classRecord().gradeCount(4), 0);
    auto& shown = bench.doubles.messages.shown;
    QCOMPARE(shown.size(), size_t(1));
    QCOMPARE(shown[0].style, 64);
    QVERIFY(shown[0].text.contains(QStringLiteral("5 grades were not entered")));
    QVERIFY(bench.shell.isCommandEnabled(ShellCommand::Save));
    QCOMPARE(bench.shell.stepEnabled[Step::EditGrid], true);
    QCOMPARE(bench.shell.stepBold[Step::EditGrid], true);
}

void GradeEntryWindowTest::enteredGradesSurviveSavingAndReopening() {
    Bench bench(2);
    bench.recorded(2, 4);
    GradeEntryWindow& w = bench.open();
    bench.quantity(2, QStringLiteral("2"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);
    for (const char* grade : {"81", "82", "x", "88"})
        bench.enter(QString::fromLatin1(grade));

    QTemporaryDir dir;
    std::string path = QDir(dir.path()).filePath(QStringLiteral("math.grd")).toStdString();
    writeClassFile(path, bench.state.classRecord());
    ClassRecord reopened;
    readClassFile(path, reopened);
    QCOMPARE(reopened.gradeCount(2), 6);
    QCOMPARE(reopened.grades(0, 2, 5).toText(), std::string("81"));
    QCOMPARE(reopened.grades(1, 2, 5).toText(), std::string("82"));
    QCOMPARE(reopened.grades(0, 2, 6).toText(), std::string("x"));
    QCOMPARE(reopened.grades(1, 2, 6).toText(), std::string("88"));
}

// With TALLYRO_SCREENSHOTS set to a folder, the window is saved there in the
// middle of entering quiz grades, to be looked at by a person.
void GradeEntryWindowTest::renderForTheEye() {
    QString folder = qEnvironmentVariable("TALLYRO_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("TALLYRO_SCREENSHOTS not set");
    Bench bench(8);
    const char* names[] = {"Alvarez, Maria", "Brooks, Daniel", "Chen, Lily",    "Dawson, Tyler",
                           "Evans, Grace",   "Foster, Noah",   "Garcia, Sofia", "Hughes, Ethan"};
    for (int s = 0; s < 8; ++s)
        test::editClass(bench.state, [&](ClassRecord& r) { r.studentNames[s] = names[s]; });
    bench.recorded(2, 6);
    GradeEntryWindow& w = bench.open();
    bench.quantity(2, QStringLiteral("2"));
    QTest::mouseClick(w.cmdselectready, Qt::LeftButton);
    bench.enter(QStringLiteral("88"));
    bench.enter(QStringLiteral("92"));
    QTest::keyClicks(w.txtgrade, QStringLiteral("7"));
    w.resize(w.sizeHint());
    QApplication::processEvents();
    QVERIFY(w.grab().save(QDir(folder).filePath(QStringLiteral("frmgradentry.png"))));
}

QTEST_MAIN(GradeEntryWindowTest)
#include "gradeentrywindow_test.moc"
