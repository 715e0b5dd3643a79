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
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QStackedWidget>
#include <QTest>

#include <functional>
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
        QCOMPARE(w.Label7->accessibleName(), QStringLiteral("Date ") + w.Label7->text());
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

    void printProposesAPdfNamedForTheStudent() {
        ReportFixture f;
        f.state.currentFileName = "ROOM5.grd";
        f.state.currentFileFolder = "/home/t";
        ReportCardWindow& w = *f.window;
        w.cmdnext->click();
        // Without a printer the pages go to a PDF file named for the student,
        // in the class's folder; the card's own Print never asks.
        f.doubles.printer.installed = false;
        w.cmdprint->click();
        w.pressPrint();
        QVERIFY(f.doubles.messages.shown.empty());
        QCOMPARE(f.doubles.printer.jobs.size(), size_t(2));
        QCOMPARE(f.doubles.printer.pdfSuggestion(),
                 QStringLiteral("/home/t/ROOM5 report card Baker, Bob.pdf"));
    }

    void closeAsksOnlyBeforeThrowingAwayAnUnprintedReport() {
        using Fill = std::function<void(ReportCardWindow&)>;
        struct Case {
            const char* what;
            Fill fill;
            bool asks;
        };
        auto comment = [](ReportCardWindow& w) { w.txtcomment->setPlainText("Good work."); };
        const Case cases[] = {
            {"nothing typed", [](ReportCardWindow&) {}, false},
            {"the teacher's details, the student and the copies: kept or only choices",
             [](ReportCardWindow& w) {
                 w.txtschool->setText("Oak Hill");
                 w.txtteacher->setText("Mr. Chen");
                 w.cmdnext->click();
                 w.Check41->click();
             },
             false},
            {"a mark without its tick", [](ReportCardWindow& w) { w.Text7->setText("B"); }, true},
            {"a recommendation", [](ReportCardWindow& w) { w.Check16->setChecked(true); }, true},
            {"the conduct", [](ReportCardWindow& w) { w.optC->setChecked(true); }, true},
            {"a tardies count", [](ReportCardWindow& w) { w.txttardies->setText("1"); }, true},
            {"a comment", comment, true},
            {"cleared", [&](ReportCardWindow& w) { comment(w), w.Command1->click(); }, false},
            {"printed", [&](ReportCardWindow& w) { comment(w), w.cmdprint->click(); }, false},
            {"printed, then the next student",
             [&](ReportCardWindow& w) { comment(w), w.cmdprint->click(), w.cmdnext->click(); },
             false},
            {"printed with its empty counts filled in as ___",
             [](ReportCardWindow& w) { w.Check4->setChecked(true), w.cmdprint->click(); }, false},
            {"printed, then changed",
             [&](ReportCardWindow& w) { comment(w), w.cmdprint->click(), w.Text1->setText("A"); },
             true},
            {"a print that failed", [&](ReportCardWindow& w) { comment(w), w.cmdprint->click(); },
             true},
        };
        for (const Case& c : cases) {
            ReportFixture f;
            f.doubles.printer.installed = false; // no "Printer On?" in between
            if (QString::fromLatin1(c.what).contains("failed"))
                f.doubles.printer.failure = "Out of paper";
            ReportCardWindow& w = *f.window;
            c.fill(w);
            auto questions = [&] {
                int n = 0;
                for (const auto& m : f.doubles.messages.shown)
                    n += m.title == QStringLiteral("Grade Report");
                return n;
            };
            if (c.asks) {
                // File > Close asks once; No, or the box closed, keeps it all.
                f.doubles.messages.answer(MessageButton::No);
                w.pressClose();
                QVERIFY2(questions() == 1, c.what);
                const auto& asked = f.doubles.messages.shown.back();
                QCOMPARE(asked.text, QStringLiteral("The report card of %1 is filled in but not "
                                                    "printed.\n\nDiscard it?")
                                         .arg(w.stucombo->currentText()));
                QCOMPARE(asked.style, 4 + 32 + 256); // Yes/No, question, No the default
                w.cmdexit->click();
                QVERIFY2(questions() == 2, c.what);
                QVERIFY2(w.isVisible(), c.what);
                QCOMPARE(f.state.workMode, WorkMode::ReportCard);
                QVERIFY(f.shell.disabled.contains(ShellCommand::Save));
                f.doubles.messages.answer(MessageButton::Yes);
            }
            w.cmdexit->click();
            QVERIFY2(questions() == (c.asks ? 3 : 0), c.what);
            QVERIFY2(!w.isVisible(), c.what);
            QCOMPARE(f.state.workMode, WorkMode::Grades);
            QVERIFY(f.shell.disabled.empty());
        }
    }

    void fitsASmallWorkAreaByScrollingAndALargeOneWithoutStretching() {
        ReportFixture f;
        ReportCardWindow& w = *f.window;
        QWidget* viewport = w.scrollArea()->viewport();
        auto inView = [&](QWidget* control) {
            QRect rect(control->mapTo(viewport, QPoint(0, 0)), control->size());
            return viewport->rect().contains(rect);
        };

        // 1024x600 leaves a work area of about 1024x500: the sheet scrolls,
        // and whatever Tab or an access key reaches comes into view.
        w.resize(1024, 470);
        QApplication::processEvents();
        QVERIFY(w.scrollArea()->verticalScrollBar()->maximum() > 0);
        QCOMPARE(w.scrollArea()->horizontalScrollBar()->maximum(), 0);
        w.txtschool->setFocus(Qt::TabFocusReason);
        QVERIFY(inView(w.txtschool));
        QSet<QWidget*> reached;
        for (int i = 0; i < 100; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            QVERIFY2(inView(now), qPrintable(now->objectName()));
            reached << now;
            if (now == w.txtschool)
                break;
        }
        for (QWidget* below : std::initializer_list<QWidget*>{w.txtcomment, w.Check34, w.Check41,
                                                              w.Command1, w.cmdprint, w.cmdexit})
            QVERIFY2(reached.contains(below), qPrintable(below->objectName()));
        QCOMPARE(QApplication::focusWidget(), w.txtschool);
        QTest::keyClick(&w, Qt::Key_M, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), w.txtcomment);
        QVERIFY(inView(w.txtcomment));

        // A large work area holds it all; the buttons keep their size.
        w.resize(1920, 980);
        QApplication::processEvents();
        QCOMPARE(w.scrollArea()->verticalScrollBar()->maximum(), 0);
        for (QPushButton* b :
             {w.Command4, w.Command6, w.Command1, w.cmdnext, w.cmdprint, w.cmdexit})
            QVERIFY2(b->width() == b->sizeHint().width(), qPrintable(b->objectName()));
        QVERIFY(w.txtcomment->height() > w.txtcomment->minimumHeight());

        // However wide the window, the comment's lines fit a printed line,
        // so the page carries all of it.
        QString text;
        for (int i = 0; i < 60; ++i)
            text += QStringLiteral("Reads well%1 ").arg(i);
        w.txtcomment->setPlainText(text);
        std::string printed;
        for (const std::string& line : w.commentLines()) {
            QVERIFY2(line.size() <= 110, line.c_str());
            printed += line;
        }
        QCOMPARE(QString::fromStdString(printed), text);
    }

    // A teacher without a mouse: every step by keys on the shown window.
    void fillInAndPrintByKeyboardOnly() {
        ReportFixture f;
        ReportCardWindow& w = *f.window;
        auto keys = [](const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); };
        auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        };
        auto alt = [&](Qt::Key key) { QTest::keyClick(&w, key, Qt::AltModifier); };
        QCOMPARE(QApplication::focusWidget(), w.cmdnext);
        press(Qt::Key_Space); // Next: Baker, Bob
        alt(Qt::Key_U);       // the student list, then the first subject
        QCOMPARE(QApplication::focusWidget(), w.stucombo);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.Check1);
        press(Qt::Key_Space); // Science, and its mark box
        QCOMPARE(QApplication::focusWidget(), w.Text1);
        keys("A");
        for (int i = 0; i < 11; ++i)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.Check28);
        press(Qt::Key_Space); // Math
        keys("B+");
        // A button's access key presses it as a click would, a moment later.
        alt(Qt::Key_D); // Conduct...
        QTRY_COMPARE(w.framePages()->currentWidget(), w.Frame2);
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w.optA);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QVERIFY(w.optC->isChecked());
        alt(Qt::Key_A); // Back...
        QTRY_COMPARE(w.framePages()->currentWidget(), w.Frame1);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.Check4);
        press(Qt::Key_Space); // Attendance, and its counts
        QCOMPARE(QApplication::focusWidget(), w.txtabsences);
        keys("3");
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.txttardies);
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.Check6);
        press(Qt::Key_Space); // Makeup Work
        alt(Qt::Key_M);
        QCOMPARE(QApplication::focusWidget(), w.txtcomment);
        keys("Reads every day.");
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.Check34);
        press(Qt::Key_Tab);
        press(Qt::Key_Space); // a Teacher copy as well
        alt(Qt::Key_P);

        QTRY_COMPARE(f.doubles.printer.jobs.size(), size_t(1));
        QVERIFY(f.doubles.messages.shown.empty());
        const RecordingSurface& job = f.lastJob();
        for (const char* text :
             {"Baker, Bob", "Science--A", "Math--B+", "C = Needs Improvement", " Absences-",
              "Makeup Work", "Reads every day.", "Parent Copy", "Teacher Copy"})
            QVERIFY2(job.find(text), text);
        QVERIFY(!job.find("Office Copy"));
        QCOMPARE(w.entry().absences, std::string("3"));
        QCOMPARE(w.entry().tardies, std::string("___"));
        // Printed: Close closes without a question.
        alt(Qt::Key_C);
        QTRY_VERIFY(!w.isVisible());
        QVERIFY(f.doubles.messages.shown.empty());
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

        // Each list proposes a PDF file named by what it holds, should no
        // printer be there.
        struct Case {
            const char* option;
            bool sorted;
            int mode;
            const char* expected;
            const char* pdf;
        };
        const Case cases[] = {
            {"optgrand", true, 4, "Student Averages for ", "ROOM5 grand averages sorted.pdf"},
            {"optgrand", false, 1, "Student Averages for ", "ROOM5 grand averages.pdf"},
            {"optall", true, 2, "Student Grades for ", "ROOM5 all information.pdf"},
            {"optstudent", true, 3, "Student Grades for ", "ROOM5 grades Adams, Ann.pdf"},
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
            QCOMPARE(doubles.printer.pdfSuggestion(), QString::fromLatin1(c.pdf));
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

        // Without a printer nothing asks to turn one on; the pages go to the
        // PDF file proposed in the class's folder.
        doubles.printer.installed = false;
        state.currentFileFolder = "/home/t";
        size_t asked = doubles.messages.shown.size();
        d = open();
        d->optall->click();
        d->Command1->click();
        QCOMPARE(doubles.messages.shown.size(), asked);
        QCOMPARE(doubles.printer.jobs.size(), size_t(5));
        QCOMPARE(doubles.printer.pdfSuggestion(),
                 QStringLiteral("/home/t/ROOM5 all information.pdf"));
        QTRY_VERIFY(d.isNull());
    }
};

QTEST_MAIN(ReportCardWindowTest)
#include "reportcardwindow_test.moc"
