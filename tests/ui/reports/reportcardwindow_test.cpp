#include "core/print/printdate.h"
#include "support/windowfixture.h"
#include "ui/reports/gradeprintdialog.h"
#include "ui/reports/reportcardwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

#include <memory>

using namespace tallyro;
using namespace tallyro::test;

namespace {

// A class of three (or no) students and a report card window over it, in a
// recording stand-in of the main window.
struct ReportFixture : WindowDoubles {
    std::unique_ptr<ReportCardWindow> window;

    explicit ReportFixture(int students = 3, const std::string& school = "Lincoln Elementary") {
        test::editClass(state, [&](ClassRecord& r) { r.clearToCapacity(); });
        const char* names[] = {"Adams, Ann", "Baker, Bob", "Cruz, Carla"};
        for (int s = 0; s < students; ++s)
            test::editClass(state, [&](ClassRecord& r) { r.studentNames[s] = names[s]; });
        test::editClass(state, [&](ClassRecord& r) { r.studentCount = students; });
        state.schoolName = school;
        state.teacherName = "Ms. Rivera";
        state.gradeLevel = "5";
        state.workMode = WorkMode::Grades;
        window = std::make_unique<ReportCardWindow>(state, platform, shell);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        QApplication::setActiveWindow(window.get());
        window->activate();
    }
    const RecordingSurface& lastJob() const { return *doubles.printer.jobs.back(); }
};

} // namespace

class ReportCardWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheFirstStudentInReportMode() {
        ReportFixture f;
        ReportCardWindow& w = *f.window;
        QCOMPARE(w.objectName(), QStringLiteral("Reportfrm"));
        QCOMPARE(w.stucombo->count(), 3);
        QCOMPARE(w.stucombo->currentText(), QStringLiteral("Adams, Ann"));
        QCOMPARE(w.Label7->text(), QString::fromStdString(PrintDate::today().slashed()));
        QCOMPARE(w.txtschool->text(), QStringLiteral("Lincoln Elementary"));
        QCOMPARE(f.state.workMode, WorkMode::ReportCard);
        QVERIFY(w.optA->isChecked());
        QVERIFY(w.Check34->isChecked());
        QVERIFY(!w.Check33->isChecked() && !w.Check32->isChecked() && !w.Check41->isChecked());
        QCOMPARE(w.framePages()->currentWidget(), w.Frame1);
        QCOMPARE(w.openMark(), QString());
        QCOMPARE(QApplication::focusWidget(), w.cmdnext);
        // Saving and backing up wait for the report; the name entry step too.
        for (ShellCommand command :
             {ShellCommand::Save, ShellCommand::SaveAs, ShellCommand::Backup})
            QVERIFY(f.shell.disabled.contains(command));
        QCOMPARE(f.shell.stepEnabled[Step::NameEntry], false);

        w.cmdexit->click();
        QCOMPARE(f.state.workMode, WorkMode::Grades);
        QVERIFY(f.shell.disabled.empty());
        QCOMPARE(f.shell.stepEnabled[Step::NameEntry], true);
        QCOMPARE(f.shell.stepBold[Step::GradeReport], false);
        QCOMPARE(f.shell.stepRaised[Step::GradeReport], false);
        QCOMPARE(f.shell.stepBold[Step::EditGrid], true);
        QCOMPARE(f.shell.stepRaised[Step::EditGrid], true);
        QVERIFY(!w.isVisible());
    }

    void emptySchoolFocusesItAndTypingChangesTheSchool() {
        ReportFixture f(3, "");
        QCOMPARE(QApplication::focusWidget(), f.window->txtschool);
        QTest::keyClicks(f.window->txtschool, "Oak Hill");
        QCOMPARE(f.state.schoolName, std::string("Oak Hill"));
        f.window->txtteacher->setText("Mr. Chen");
        f.window->txtgrade->setText("4th");
        QCOMPARE(f.state.teacherName, std::string("Mr. Chen"));
        QCOMPARE(f.state.gradeLevel, std::string("4th"));
        f.window->cmdprint->click();
        QVERIFY(f.lastJob().find("Oak Hill"));
        QVERIFY(f.lastJob().find("Mr. Chen"));
    }

    void copySelectionKeepsOneOfParentTeacherOffice() {
        ReportFixture f;
        ReportCardWindow& w = *f.window;
        // Unticking Parent with Office unticked ticks Teacher.
        w.Check34->click();
        QVERIFY(!w.Check34->isChecked());
        QVERIFY(w.Check33->isChecked());
        // Unticking Teacher with Parent unticked ticks Office.
        w.Check33->click();
        QVERIFY(w.Check32->isChecked());
        // Unticking Office with Teacher unticked ticks Parent.
        w.Check32->click();
        QVERIFY(w.Check34->isChecked());
        QVERIFY(!w.Check33->isChecked() && !w.Check32->isChecked());
        // Two ticked: one may go.
        w.Check33->click();
        w.Check34->click();
        QVERIFY(!w.Check34->isChecked() && w.Check33->isChecked() && !w.Check32->isChecked());
        // The Student copy is independent.
        w.Check41->click();
        QVERIFY(w.Check41->isChecked());
        w.Check41->click();
        QVERIFY(!w.Check41->isChecked());
        QVERIFY(w.Check33->isChecked());
    }

    void framesTurnLikePages() {
        ReportFixture f;
        ReportCardWindow& w = *f.window;
        w.Command4->click();
        QCOMPARE(w.framePages()->currentWidget(), w.Frame3);
        QCOMPARE(QApplication::focusWidget(), w.Command3);
        w.Command3->click();
        QCOMPARE(w.framePages()->currentWidget(), w.Frame1);
        QCOMPARE(QApplication::focusWidget(), w.Command6);
        w.Command6->click();
        QCOMPARE(w.framePages()->currentWidget(), w.Frame2);
        QCOMPARE(QApplication::focusWidget(), w.Command5);
        w.optA->setFocus();
        w.optB->click(); // as the arrow keys do: the focus stays among the marks
        QCOMPARE(QApplication::focusWidget(), w.optA);
        QTest::mouseClick(w.optC, Qt::LeftButton);
        QVERIFY(w.optC->isChecked());
        QCOMPARE(QApplication::focusWidget(), w.Command5);
        w.Command5->click();
        QCOMPARE(w.framePages()->currentWidget(), w.Frame1);
        QCOMPARE(QApplication::focusWidget(), w.Command4);
        // A subject just ticked puts the cursor in its mark box.
        w.Check25->click();
        QCOMPARE(QApplication::focusWidget(), w.Text4);
        w.Check4->click();
        QCOMPARE(QApplication::focusWidget(), w.txtabsences);
    }

    void clearFormAndNextKeepWhatTheyShould() {
        ReportFixture f;
        ReportCardWindow& w = *f.window;
        w.Check1->setChecked(true);
        w.Text1->setText("A");
        w.optD->setChecked(true);
        w.Check4->setChecked(true);
        w.txtabsences->setText("2");
        w.Check16->setChecked(true);
        w.txtcomment->setPlainText("Good work.");
        w.Check41->setChecked(true);

        // Next keeps every tick and text, and wraps after the last student.
        w.cmdnext->click();
        QCOMPARE(w.stucombo->currentText(), QStringLiteral("Baker, Bob"));
        w.cmdnext->click();
        w.cmdnext->click();
        QCOMPARE(w.stucombo->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget(), w.cmdnext);
        QVERIFY(w.Check1->isChecked() && w.optD->isChecked());
        QCOMPARE(w.Text1->text(), QStringLiteral("A"));
        QCOMPARE(w.txtcomment->toPlainText(), QStringLiteral("Good work."));

        w.cmdnext->click();
        w.Command1->click();
        QVERIFY(w.optA->isChecked());
        for (QCheckBox* box : w.subjectChecks())
            QVERIFY(!box->isChecked());
        for (QCheckBox* box : w.areaChecks())
            QVERIFY(!box->isChecked());
        for (QCheckBox* box : w.recommendationChecks())
            QVERIFY(!box->isChecked());
        QVERIFY(w.Text1->text().isEmpty() && w.txtabsences->text().isEmpty());
        QVERIFY(w.txtcomment->toPlainText().isEmpty());
        // Copies, student and the teacher's details stay.
        QVERIFY(w.Check34->isChecked() && w.Check41->isChecked());
        QCOMPARE(w.stucombo->currentText(), QStringLiteral("Baker, Bob"));
        QCOMPARE(w.txtschool->text(), QStringLiteral("Lincoln Elementary"));
    }

    void printComposesTheEntryAndWritesBackBlankCounts() {
        ReportFixture f;
        ReportCardWindow& w = *f.window;
        w.cmdnext->click();
        w.Check28->setChecked(true);
        w.Text7->setText("B+");
        w.Check4->setChecked(true);
        w.txttardies->setText("1");
        w.optTC->setChecked(true);
        w.Check33->setChecked(true);
        w.Check24->setChecked(true);
        // A long comment wraps as the box shows it.
        QString comment;
        for (int i = 0; i < 40; ++i)
            comment += QStringLiteral("word%1 ").arg(i);
        w.txtcomment->setPlainText(comment.trimmed() + QStringLiteral("\nSecond paragraph."));
        std::vector<std::string> lines = w.commentLines();
        QVERIFY(lines.size() >= 3);
        QCOMPARE(lines.back(), std::string("Second paragraph."));

        w.cmdprint->click();
        QCOMPARE(f.doubles.printer.jobs.size(), size_t(1));
        QVERIFY(f.doubles.messages.shown.empty()); // no prompt from the window itself
        const RecordingSurface& job = f.lastJob();
        QVERIFY(job.find("Baker, Bob"));
        QVERIFY(job.find("Math--B+"));
        QVERIFY(job.find("See Comments"));
        QVERIFY(job.find("See Teacher Comments"));
        QVERIFY(job.find("___"));
        QVERIFY(job.find("Parent Copy"));
        QVERIFY(job.find("Teacher Copy"));
        for (const std::string& line : lines)
            QVERIFY(job.find(line));
        QCOMPARE(job.endDocs, 1);
        QCOMPARE(w.txtabsences->text(), QStringLiteral("___"));
        QCOMPARE(w.txttardies->text(), QStringLiteral("1"));
    }

    void failingPrinterIsReported() {
        ReportFixture f;
        f.doubles.printer.failure = "Out of paper";
        f.window->Check4->setChecked(true);
        f.window->cmdprint->click();
        QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
        QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Error!"));
        QCOMPARE(f.doubles.messages.shown[0].text,
                 QStringLiteral("Unable to PRINT this file. Out of paper"));
        QCOMPARE(f.doubles.messages.shown[0].style, 0);
        QVERIFY(f.doubles.printer.jobs.empty());
        QVERIFY(f.window->isVisible());
    }

    void classWithoutStudents() {
        ReportFixture f(0);
        ReportCardWindow& w = *f.window;
        QCOMPARE(w.stucombo->count(), 0);
        QCOMPARE(w.stucombo->currentIndex(), -1);
        w.cmdnext->click();
        QCOMPARE(w.stucombo->currentIndex(), -1);
        QCOMPARE(w.entry().studentName, std::string());
        w.cmdprint->click();
        QVERIFY(f.lastJob().find("STUDENT:"));
        QCOMPARE(f.lastJob().endDocs, 1);
    }

    void gradePrintDialogChoosesTheList() {
        AppState state;
        ScriptedPlatform doubles;
        Platform platform = doubles.platform();
        test::editClass(state, [&](ClassRecord& r) { r.clearToCapacity(); });
        test::editClass(state, [&](ClassRecord& r) { r.studentNames[0] = "Cruz, Carla"; });
        test::editClass(state, [&](ClassRecord& r) { r.studentNames[1] = "Adams, Ann"; });
        test::editClass(state, [&](ClassRecord& r) { r.studentCount = 2; });
        state.currentFileName = "ROOM5.grd";
        int selected = 1;
        auto open = [&] {
            auto* dialog = new GradePrintDialog(state, platform, [&] { return selected; });
            dialog->show();
            return QPointer<GradePrintDialog>(dialog);
        };

        QPointer<GradePrintDialog> d = open();
        QCOMPARE(d->objectName(), QStringLiteral("Form4"));
        QCOMPARE(d->Text1->text(), QStringLiteral("ROOM5"));
        QCOMPARE(state.printClassName, std::string("ROOM5"));
        d->Text1->setText("Room 5");
        QCOMPARE(state.printClassName, std::string("Room 5"));
        // "Sorted" is greyed out for the other two lists.
        QVERIFY(d->optgrand->isChecked() && d->Check1->isChecked() && d->Check1->isEnabled());
        d->optall->click();
        QVERIFY(!d->Check1->isEnabled());
        d->optstudent->click();
        QVERIFY(!d->Check1->isEnabled());
        d->optgrand->click();
        QVERIFY(d->Check1->isEnabled());

        // Cancel at "Printer On?" prints nothing and closes the dialog.
        doubles.messages.answer(MessageButton::Cancel);
        d->Command1->click();
        QCOMPARE(doubles.messages.shown.back().title, QStringLiteral("Printer On?"));
        QCOMPARE(doubles.messages.shown.back().text,
                 QStringLiteral("Insure that your printer is on."));
        QCOMPARE(doubles.messages.shown.back().style, 33);
        QVERIFY(doubles.printer.jobs.empty());
        QTRY_VERIFY(d.isNull());

        struct Case {
            const char* option;
            bool sorted;
            int mode;
            const char* expected;
        };
        const Case cases[] = {
            {"optgrand", true, 4, "Student Averages for "},
            {"optgrand", false, 1, "Student Averages for "},
            {"optall", true, 2, "Student Grades for "},
            {"optstudent", true, 3, "Student Grades for "},
        };
        for (const Case& c : cases) {
            d = open();
            d->Check1->setChecked(c.sorted);
            d->findChild<QRadioButton*>(QString::fromLatin1(c.option))->click();
            doubles.messages.answer(MessageButton::Ok);
            d->Command1->click();
            QCOMPARE(static_cast<int>(state.printMode), c.mode);
            const RecordingSurface& job = *doubles.printer.jobs.back();
            QVERIFY(job.find(c.expected));
            QVERIFY(job.find("ROOM5"));
            QTRY_VERIFY(d.isNull());
        }
        // The current student is the one the grade book shows.
        QCOMPARE(state.printStudentIndex, 1);
        QVERIFY(doubles.printer.jobs.back()->find("Adams, Ann"));
        QVERIFY(!doubles.printer.jobs.back()->find("Cruz, Carla"));
        // The sorted list put Adams before Cruz.
        const RecordingSurface& sortedJob = *doubles.printer.jobs[0];
        QVERIFY(sortedJob.find("Adams, Ann")->y < sortedJob.find("Cruz, Carla")->y);
        const RecordingSurface& rosterJob = *doubles.printer.jobs[1];
        QVERIFY(rosterJob.find("Adams, Ann")->y > rosterJob.find("Cruz, Carla")->y);
    }
};

QTEST_MAIN(ReportCardWindowTest)
#include "reportcardwindow_test.moc"
