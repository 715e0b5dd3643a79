#include "core/lessons/lessonfile.h"
#include "core/print/printdate.h"
#include "support/windowfixture.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/lessonprintdialog.h"
#include "ui/lessons/lessonprinting.h"
#include "ui/lessons/plantextbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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
    }

    void dialogChecksTheDateAndStartsThePrinting() {
        AppState state;
        state.currentDayCaption = "&Wednesday";
        auto* dialog = new LessonPrintDialog(state);
        QPointer<LessonPrintDialog> guard(dialog);
        int started = 0;
        QObject::connect(dialog, &LessonPrintDialog::printChosen, [&] { ++started; });
        dialog->show();
        QString today = QString::fromStdString(PrintDate::today().slashed());
        QCOMPARE(dialog->objectName(), QStringLiteral("Form5"));
        QCOMPARE(dialog->Label1->text(), QStringLiteral("Week of : (Monday)"));
        QCOMPARE(dialog->Text1->text(), today);
        QCOMPARE(dialog->Text1->maxLength(), 10);
        QCOMPARE(dialog->Label2->text(), QStringLiteral("mm/dd/yyyy"));
        dialog->optday->click();
        QCOMPARE(dialog->Label1->text(), QStringLiteral("&Wednesday's Date :"));
        dialog->optweek->click();
        QCOMPARE(dialog->Label1->text(), QStringLiteral("Week of : (Monday)"));

        // An impossible date is replaced by today's and nothing starts.
        dialog->Text1->setText("13/45/1997");
        dialog->Command1->click();
        QCOMPARE(dialog->Text1->text(), today);
        QCOMPARE(started, 0);
        QVERIFY(dialog->isVisible());

        dialog->Text1->setText("09/15/1997");
        dialog->optday->click();
        dialog->Command1->click();
        QCOMPARE(started, 1);
        QCOMPARE(state.printDate, std::string("09/15/1997"));
        QCOMPARE(state.printRange, LessonPrintRange::CurrentDay);
        QTRY_VERIFY(guard.isNull());

        auto* cancelled = new LessonPrintDialog(state);
        QPointer<LessonPrintDialog> cancelGuard(cancelled);
        cancelled->show();
        cancelled->Command2->click();
        QTRY_VERIFY(cancelGuard.isNull());
    }
};

QTEST_MAIN(LessonPrintingTest)
#include "lessonprinting_test.moc"
