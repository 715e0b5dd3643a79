#include "mainwindowfixture.h"
#include "ui/app/steppanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tallyro;
using namespace tallyro::test;

class PrintCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void gradeReportOpensTheReportWindowOnce() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        window.stepPanel()->click(Step::GradeReport);
        ReportCardWindow* report = window.reportWindow();
        QVERIFY(report);
        QCOMPARE(f.state.workMode, WorkMode::ReportCard);
        QCOMPARE(report->stucombo->count(), f.state.classRecord().studentCount);
        QVERIFY(window.stepPanel()->isBold(Step::GradeReport));
        // Saving and backing up wait: toolbar Save, Save As, Backup and
        // their menu entries, and the Name Entry step.
        for (int index : {4, 5, 7})
            QVERIFY(!window.toolbarButton(index)->isEnabled());
        QVERIFY(!window.fileMenuItem(2)->isEnabled() && !window.fileMenuItem(3)->isEnabled());
        QVERIFY(!window.obackup->isEnabled());
        QVERIFY(!window.stepPanel()->isStepEnabled(Step::NameEntry));
        QVERIFY(window.fileMenuItem(5)->isEnabled());
        int windows = f.subWindowCount();
        window.gradeReportClicked();
        QCOMPARE(f.subWindowCount(), windows);
        QVERIFY(f.doubles.messages.shown.empty());

        // File > Close closes the report window only, back to the grid.
        window.closeFile();
        QTRY_VERIFY(!window.reportWindow());
        QCOMPARE(f.state.workMode, WorkMode::Grades);
        QVERIFY(!window.stepPanel()->isBold(Step::GradeReport));
        QVERIFY(!window.stepPanel()->isRaised(Step::GradeReport));
        QVERIFY(window.stepPanel()->isBold(Step::EditGrid));
        QVERIFY(window.stepPanel()->isRaised(Step::EditGrid));
        for (int index : {4, 5, 7})
            QVERIFY(window.toolbarButton(index)->isEnabled());
        QVERIFY(window.fileMenuItem(2)->isEnabled() && window.obackup->isEnabled());
        QVERIFY(window.stepPanel()->isStepEnabled(Step::NameEntry));
        QCOMPARE(window.windowTitle(), QStringLiteral("Tallyro for ROOM5.grd"));
        QVERIFY(window.gradeBook());
    }

    // Leaving the program with a filled, unprinted card asks as Close does:
    // No keeps the program and the card.
    void exitAsksBeforeDiscardingAFilledCard() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        window.gradeReportClicked();
        ReportCardWindow* report = window.reportWindow();
        QVERIFY(report);
        report->txtcomment->setPlainText(QStringLiteral("Good work."));
        f.doubles.messages.answer(MessageButton::No);
        window.exitProgram();
        QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
        QVERIFY(f.doubles.messages.shown[0].text.endsWith(QStringLiteral("Discard it?")));
        QVERIFY(window.isVisible());
        QVERIFY(window.reportWindow());
        f.doubles.messages.answer(MessageButton::No);
        QVERIFY(!window.close());
        f.doubles.messages.answer(MessageButton::Yes);
        window.exitProgram();
        QVERIFY(!window.isVisible());
    }

    void printInReportModeAsksFirst() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        window.gradeReportClicked();
        f.doubles.messages.answer(MessageButton::Cancel);
        window.printFile();
        QCOMPARE(f.doubles.messages.shown.back().text,
                 QStringLiteral("Insure that your printer is on."));
        QCOMPARE(f.doubles.messages.shown.back().title, QStringLiteral("Printer On?"));
        QCOMPARE(f.doubles.messages.shown.back().style, 33);
        QVERIFY(f.doubles.printer.jobs.empty());
        f.doubles.messages.answer(MessageButton::Ok);
        window.printFile();
        QCOMPARE(f.doubles.printer.jobs.size(), size_t(1));
        QVERIFY(f.doubles.printer.jobs[0]->find("Lincoln Elementary"));

        // Changed details reach the open report window's boxes on Ok.
        window.showStartupForm();
        auto* form = window.findChild<StartupForm*>(QStringLiteral("form7"));
        QVERIFY(form);
        form->Text1->setText("Oak Hill");
        form->Command1->click();
        QCOMPARE(window.reportWindow()->txtschool->text(), QStringLiteral("Oak Hill"));
    }

    void printInGradeModeOpensTheListDialog() {
        Fixture f;
        MainWindow& window = f.start();
        f.openSample();
        window.gradeBook()->Combo1->setCurrentIndex(2);
        window.printFile();
        GradePrintDialog* dialog = window.gradePrintDialog();
        QVERIFY(dialog);
        QCOMPARE(dialog->Text1->text(), QStringLiteral("ROOM5"));
        dialog->optstudent->click();
        f.doubles.messages.answer(MessageButton::Ok);
        dialog->Command1->click();
        QCOMPARE(f.state.printMode, GradeListMode::CurrentStudent);
        QCOMPARE(f.state.printStudentIndex, 2);
        QCOMPARE(f.doubles.printer.jobs.size(), size_t(1));
        QVERIFY(f.doubles.printer.jobs[0]->find(f.state.classRecord().studentNames[2]));
        QTRY_VERIFY(!window.gradePrintDialog());
    }

    void printInLessonModeRunsTheEditorsPrint() {
        Fixture f;
        MainWindow& window = f.start();
        window.lessonCommands().openPath(QStringLiteral(TALLYRO_TEST_DATA "/reports-week.pla"));
        QVERIFY(window.lessonCommands().editor());
        window.printFile();
        LessonPrintDialog* dialog = window.lessonPrintDialog();
        QVERIFY(dialog);
        dialog->Text1->setText("01/01/2000");
        window.printFile(); // the open dialog starts again with today's date
        QCOMPARE(window.lessonPrintDialog(), dialog);
        QVERIFY(dialog->Text1->text() != QStringLiteral("01/01/2000"));
        dialog->Text1->setText("09/15/1997");
        f.doubles.messages.answer(MessageButton::Ok);
        dialog->Command1->click();
        QCOMPARE(f.doubles.printer.jobs.size(), size_t(1));
        QCOMPARE(f.doubles.printer.jobs[0]->newPages, 4);
        QVERIFY(f.doubles.printer.jobs[0]->find("Friday 09/19/1997"));
        QCOMPARE(f.state.printDate, std::string("09/19/1997"));
    }
};

QTEST_MAIN(PrintCommandsTest)
#include "printcommands_test.moc"
