#include "core/lessons/lessonfile.h"
#include "core/print/printdate.h"
#include "support/windowfixture.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/lessonprintdialog.h"
#include "ui/lessons/lessonprinting.h"
#include "ui/lessons/plantextbox.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <memory>

using namespace tallyro;
using namespace tallyro::test;

namespace {

// An editor over a week whose every box holds a short plan, its print
// button wired to the print routine as the main window wires it.
struct PrintFixture : WindowDoubles {
    std::unique_ptr<LessonEditorWindow> editor;

    PrintFixture() {
        startDefaultWeek(state);
        test::editWeek(state, [&](LessonPlan& r) { r.periodNames[2] = "Art & Music"; });
        for (int i = 0; i < kLessonCount; ++i)
            test::editWeek(state,
                           [&](LessonPlan& r) { r.lessonTexts[i] = "plan " + std::to_string(i); });
        editor = std::make_unique<LessonEditorWindow>(state, platform, shell);
        editor->loadPlan();
        editor->show();
        editor->activate();
        QObject::connect(editor.get(), &LessonEditorWindow::printRequested, editor.get(),
                         [this] { printLessonPlans(*editor, state, platform); });
    }
    void print(const std::string& date, int range) {
        state.printDate = date;
        state.printRange = static_cast<LessonPrintRange>(range);
        editor->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    }
    const RecordingSurface& job() const { return *doubles.printer.jobs.back(); }
};

} // namespace

class LessonPrintingTest : public QObject {
    Q_OBJECT
private slots:
    void fullWeekPrintsFivePagesAndEndsOnFriday() {
        PrintFixture f;
        f.print("09/15/1997", 1);
        QCOMPARE(f.doubles.messages.shown.at(0).title, QStringLiteral("Printer On?"));
        QCOMPARE(f.doubles.messages.shown.at(0).style, 33);
        const RecordingSurface& job = f.job();
        QCOMPARE(job.newPages, 4);
        for (const char* day : {"Monday 09/15/1997", "Tuesday 09/16/1997", "Wednesday 09/17/1997",
                                "Thursday 09/18/1997", "Friday 09/19/1997"})
            QVERIFY2(job.find(day), day);
        QVERIFY(job.find("plan 0"));
        QVERIFY(job.find("plan 49"));
        // The period caption prints as the teacher named it, in bold.
        const RecordingSurface::Placed* art = job.find("Art & Music");
        QVERIFY(art && art->font.bold);
        QCOMPARE(f.state.printDate, std::string("09/19/1997"));
    }

    void currentDayPrintsTheShownDayOnly() {
        PrintFixture f;
        f.editor->showDay(2);
        f.print("9/17/1997", 2);
        const RecordingSurface& job = f.job();
        QCOMPARE(job.newPages, 0);
        QVERIFY(job.find("Wednesday 09/17/1997"));
        QVERIFY(job.find("plan 20") && job.find("plan 29"));
        QVERIFY(!job.find("plan 19") && !job.find("plan 30"));
        QCOMPARE(f.state.printDate, std::string("9/17/1997"));
    }

    void linesFollowTheBoxWrapping() {
        PrintFixture f;
        std::string text;
        for (int i = 0; i < 30; ++i)
            text += "lesson" + std::to_string(i) + " ";
        f.editor->box(0)->setPlanText(QString::fromStdString(text));
        f.editor->box(1)->setPlanText(QString());
        std::vector<std::string> lines = boxDisplayLines(*f.editor->box(0));
        QVERIFY2(lines.size() >= 2, "a plan longer than the box wraps");
        // A narrower box wraps the same text over more lines.
        f.editor->box(0)->setFixedWidth(f.editor->box(0)->width() / 2);
        QVERIFY(boxDisplayLines(*f.editor->box(0)).size() > lines.size());
        lines = boxDisplayLines(*f.editor->box(0));
        f.print("09/15/1997", 2);
        for (const std::string& line : lines)
            QVERIFY(f.job().find(line));
        QCOMPARE(boxDisplayLines(*f.editor->box(1)), std::vector<std::string>{""});

        // The printed lines break where the box on screen breaks them, a word
        // wider than the box included, whatever room the box keeps round its
        // text.
        auto shownLines = [](PlanTextBox* box) {
            QApplication::processEvents();
            QStringList shown;
            for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
                for (int i = 0; i < block.layout()->lineCount(); ++i) {
                    QTextLine line = block.layout()->lineAt(i);
                    shown << block.text().mid(line.textStart(), line.textLength());
                }
            return shown;
        };
        for (const QString& plan : {QString::fromStdString(text), QString(150, QLatin1Char('w')),
                                    QStringLiteral("short\n") + QString(100, QLatin1Char('m')) +
                                        QStringLiteral(" end")}) {
            PlanTextBox* box = f.editor->box(2);
            box->setPlanText(plan);
            QStringList printed;
            for (const std::string& line : boxDisplayLines(*box))
                printed << QString::fromStdString(line);
            QCOMPARE(printed, shownLines(box));
        }
    }

    void cancelAndFailureLeaveTheDate() {
        PrintFixture f;
        f.doubles.messages.answer(MessageButton::Cancel);
        f.print("09/15/1997", 1);
        QVERIFY(f.doubles.printer.jobs.empty());
        QCOMPARE(f.state.printDate, std::string("09/15/1997"));

        f.doubles.printer.failure = "The printer is offline.";
        f.print("09/15/1997", 1);
        QCOMPARE(f.doubles.messages.shown.back().title, QStringLiteral("Error!"));
        QCOMPARE(f.doubles.messages.shown.back().text,
                 QStringLiteral("Unable to PRINT this file. The printer is offline."));
        QCOMPARE(f.state.printDate, std::string("09/15/1997"));

        // A date that is no date prints nothing under today's date: it is
        // refused, before the printer is asked about.
        f.doubles.printer.failure.clear();
        f.doubles.messages.shown.clear();
        for (const char* bad : {"13/45/1997", ""}) {
            f.print(bad, 1);
            QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
            QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Print"));
            QCOMPARE(f.doubles.messages.shown[0].style, 48);
            QCOMPARE(f.doubles.messages.shown[0].text, notADateMessage(QString::fromLatin1(bad)));
            QCOMPARE(f.state.printDate, std::string(bad));
            f.doubles.messages.shown.clear();
        }
        QCOMPARE(f.doubles.printer.documentNames.size(), 1);
    }

    // Without a printer the pages go to a PDF file: nothing to turn on, so no
    // question, and the file proposed is named after the lesson file and what
    // is printed. With a printer the question comes first.
    void printerQuestionOnlyWithAPrinterAndPdfNameProposed() {
        PrintFixture f;
        f.state.currentFileFolder = "/home/teacher/plans";
        f.state.currentFileName = "ROOM5.pla";
        f.doubles.printer.installed = false;
        f.print("09/15/1997", 1);
        QVERIFY(f.doubles.messages.shown.empty());
        QCOMPARE(f.doubles.printer.jobs.size(), size_t(1));
        QCOMPARE(f.doubles.printer.pdfSuggestion(),
                 QStringLiteral("/home/teacher/plans/ROOM5 week of 09-15-1997.pdf"));

        f.editor->showDay(2);
        f.print("9/17/1997", 2);
        QVERIFY(f.doubles.messages.shown.empty());
        QCOMPARE(f.doubles.printer.pdfSuggestion(),
                 QStringLiteral("/home/teacher/plans/ROOM5 Wednesday 09-17-1997.pdf"));

        f.doubles.printer.installed = true;
        f.doubles.messages.answer(MessageButton::Cancel);
        f.print("09/15/1997", 1);
        QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
        QCOMPARE(f.doubles.messages.shown[0].text,
                 QStringLiteral("Insure that your printer is on."));
        QCOMPARE(f.doubles.printer.jobs.size(), size_t(2));
    }

    void dialogChecksTheDateAndStartsThePrinting() {
        AppState state;
        ScriptedMessageBox messages;
        state.currentDayCaption = "&Wednesday";
        auto* dialog = new LessonPrintDialog(state, messages);
        QPointer<LessonPrintDialog> guard(dialog);
        int started = 0;
        QObject::connect(dialog, &LessonPrintDialog::printChosen, [&] { ++started; });
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QString today = QString::fromStdString(PrintDate::today().slashed());
        QString monday = QString::fromStdString(mondayOfWeek(PrintDate::today()).slashed());
        QCOMPARE(dialog->objectName(), QStringLiteral("Form5"));
        QCOMPARE(dialog->Label1->text(), QStringLiteral("Week of : (Monday)"));
        // The week proposes its Monday, the day today; a date the teacher
        // typed stays whichever is chosen.
        QCOMPARE(dialog->Text1->text(), monday);
        QCOMPARE(dialog->Text1->maxLength(), 10);
        QCOMPARE(dialog->Label2->text(), QStringLiteral("mm/dd/yyyy"));
        dialog->optday->click();
        QCOMPARE(dialog->Label1->text(), QStringLiteral("&Wednesday's Date :"));
        QCOMPARE(dialog->Text1->text(), today);
        dialog->optweek->click();
        QCOMPARE(dialog->Label1->text(), QStringLiteral("Week of : (Monday)"));
        QCOMPARE(dialog->Text1->text(), monday);
        dialog->Text1->setFocus();
        dialog->Text1->selectAll();
        QTest::keyClicks(dialog->Text1, "9/8/1997");
        dialog->optday->click();
        QCOMPARE(dialog->Text1->text(), QStringLiteral("9/8/1997"));
        dialog->optweek->click();
        dialog->restart();
        QCOMPARE(dialog->Text1->text(), monday);

        // An impossible date is refused with a message and left to be typed
        // again: nothing starts and the dialog stays.
        dialog->Text1->setText("13/45/1997");
        dialog->Command1->setFocus();
        dialog->Command1->click();
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].text,
                 QStringLiteral("\"13/45/1997\" is not a date. Type it as month/day/year, for "
                                "example 09/15/%1.")
                     .arg(PrintDate::today().year));
        QCOMPARE(messages.shown[0].title, QStringLiteral("Print"));
        QCOMPARE(messages.shown[0].style, 48);
        QCOMPARE(dialog->Text1->text(), QStringLiteral("13/45/1997"));
        QCOMPARE(dialog->Text1->selectedText(), QStringLiteral("13/45/1997"));
        QVERIFY(dialog->Text1->hasFocus());
        QCOMPARE(started, 0);
        QVERIFY(dialog->isVisible());
        QVERIFY(state.printDate.empty());

        dialog->optday->click();
        dialog->Text1->setText("09/15/1997");
        dialog->Command1->click();
        QCOMPARE(started, 1);
        QCOMPARE(state.printDate, std::string("09/15/1997"));
        QCOMPARE(state.printRange, LessonPrintRange::CurrentDay);
        QTRY_VERIFY(guard.isNull());

        auto* cancelled = new LessonPrintDialog(state, messages);
        QPointer<LessonPrintDialog> cancelGuard(cancelled);
        cancelled->show();
        cancelled->Command2->click();
        QTRY_VERIFY(cancelGuard.isNull());
    }
};

QTEST_MAIN(LessonPrintingTest)
#include "lessonprinting_test.moc"
