#include "core/lessons/lessonfile.h"
#include "support/windowfixture.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/lessonprintdialog.h"
#include "ui/lessons/lessonprinting.h"
#include "ui/lessons/plantextbox.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tallyro;
using namespace tallyro::test;

namespace {

// An editor over a new week with default period names, shown in a recording
// stand-in of the main window.
struct EditorFixture : WindowDoubles {
    std::unique_ptr<LessonEditorWindow> editor;

    EditorFixture() {
        startDefaultWeek(state);
        state.currentFileName = "week1.pla";
        editor = std::make_unique<LessonEditorWindow>(state, platform, shell);
        shell.showChild(editor.get());
        editor->activate();
    }
    void fillWeek() {
        test::editWeek(state, [](LessonPlan& r) {
            for (int i = 0; i < kLessonCount; ++i)
                r.lessonTexts[i] = "plan " + std::to_string(i);
        });
        editor->loadPlan();
    }
    // The editor as the teacher's active window, so that the focus moves.
    void makeActive() {
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
    }
};

// The index of the first block the box shows at its top.
int firstShownBlock(PlanTextBox* box) {
    return box->cursorForPosition(QPoint(0, 0)).blockNumber();
}

// Key presses sent where the focus is, as the keyboard sends them.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::keyClick(focused, Qt::Key(key), modifiers);
}

void type(const QString& text) {
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::keyClicks(focused, text);
}

} // namespace

class LessonEditorTest : public QObject {
    Q_OBJECT
private slots:
    void activationShowsMondayWithPeriodOneMarked();
    void typedQuoteBecomesApostropheAndMarksModified();
    void pastedTextLosesQuotesAndStopsAtTheLimit();
    void typingStopsAtTheLimit();
    void pageKeysMoveBetweenDaysWithinTheWeek();
    void periodButtonEnlargesAndShrinksItsBox();
    void anotherPeriodShrinksTheEnlargedBox();
    void clearCutsTheNewNameToEightCharacters();
    void clearThenCancelledNameKeepsOldNameAndEmptyWeek();
    void clearWithFailedSaveEmptiesNothing();
    void clearWithSaveWritesTheOldWeekFirst();
    void printButtonAsksForPrinting();
    void planBoxShowsItsFirstLineAndMarksTheRest();
    void editorFillsItsSpaceAsItGrowsAndShrinks();
    void keyboardAloneTypesMovesAndPrintsTheWeek();
};

void LessonEditorTest::activationShowsMondayWithPeriodOneMarked() {
    EditorFixture f;
    QCOMPARE(f.editor->objectName(), QStringLiteral("Form2"));
    QCOMPARE(f.editor->periodButton(9)->text(), QStringLiteral("Period 10"));
    f.editor->showDay(3);
    QCOMPARE(f.state.currentDayCaption, std::string("Thu&rsday"));
    QCOMPARE(f.editor->currentBox(), 30);
    f.editor->activate();
    QCOMPARE(f.editor->currentDay(), 0);
    QCOMPARE(f.state.currentDayCaption, std::string("&Monday"));
    QCOMPARE(f.editor->currentBox(), 0);
    QCOMPARE(f.editor->highlightedPeriod(), 0);
    QCOMPARE(f.editor->expandedBox(), -1);
    QVERIFY(f.editor->periodButton(0)->font().bold());
    QVERIFY(!f.editor->periodButton(1)->font().bold());
}

void LessonEditorTest::typedQuoteBecomesApostropheAndMarksModified() {
    EditorFixture f;
    QCOMPARE(f.state.classModified(), false);
    PlanTextBox* box = f.editor->box(0);
    QTest::keyClicks(box, "say \"hi\"");
    QCOMPARE(box->toPlainText(), QStringLiteral("say 'hi'"));
    QCOMPARE(f.state.lessonPlan().lessonTexts[0], std::string("say 'hi'"));
    QCOMPARE(f.state.classModified(), true);

    // Enter makes a two-line plan; Backspace also counts as an edit.
    test::markSaved(f.state);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "b");
    QCOMPARE(f.state.lessonPlan().lessonTexts[0], std::string("say 'hi'\nb"));
    test::markSaved(f.state);
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(f.state.classModified(), true);
    // Delete types no character but changes the plan: it must not be lost.
    test::markSaved(f.state);
    box->moveCursor(QTextCursor::Start);
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(f.state.lessonPlan().lessonTexts[0], std::string("ay 'hi'\n"));
    QCOMPARE(f.state.classModified(), true);

    // Loading a week is not an edit.
    test::markSaved(f.state);
    f.fillWeek();
    QCOMPARE(f.state.classModified(), false);
}

void LessonEditorTest::pastedTextLosesQuotesAndStopsAtTheLimit() {
    EditorFixture f;
    PlanTextBox* box = f.editor->box(12);
    QApplication::clipboard()->setText(QStringLiteral("read \"Hatchet\"\r\nch. 2"));
    box->paste();
    QCOMPARE(box->toPlainText(), QStringLiteral("read 'Hatchet'\nch. 2"));
    QCOMPARE(f.state.lessonPlan().lessonTexts[12], std::string("read 'Hatchet'\nch. 2"));
    QCOMPARE(f.state.classModified(), true);

    box->setPlanText(QString(170, QLatin1Char('a')));
    box->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString(30, QLatin1Char('b')));
    box->paste();
    QCOMPARE(box->toPlainText().size(), PlanTextBox::kMaxLength);
    QVERIFY(box->toPlainText().endsWith(QString(10, QLatin1Char('b'))));
}

void LessonEditorTest::typingStopsAtTheLimit() {
    EditorFixture f;
    PlanTextBox* box = f.editor->box(3);
    box->setPlanText(QString(179, QLatin1Char('a')));
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, "xyz");
    QCOMPARE(box->toPlainText(), QString(179, QLatin1Char('a')) + QLatin1Char('x'));
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->toPlainText().size(), PlanTextBox::kMaxLength);
}

void LessonEditorTest::pageKeysMoveBetweenDaysWithinTheWeek() {
    EditorFixture f;
    QTest::keyClick(f.editor->box(0), Qt::Key_PageDown);
    QCOMPARE(f.editor->currentDay(), 0);
    QTest::keyClick(f.editor->box(0), Qt::Key_PageUp);
    QCOMPARE(f.editor->currentDay(), 1);
    QCOMPARE(f.state.currentDayCaption, std::string("&Tuesday"));
    QCOMPARE(f.editor->currentBox(), 10);
    QCOMPARE(f.editor->highlightedPeriod(), 0);

    f.editor->showDay(4);
    QTest::keyClick(f.editor->box(45), Qt::Key_PageUp);
    QCOMPARE(f.editor->currentDay(), 4);
    QTest::keyClick(f.editor->box(45), Qt::Key_PageDown);
    QCOMPARE(f.editor->currentDay(), 3);
    QCOMPARE(f.state.currentDayCaption, std::string("Thu&rsday"));
    QCOMPARE(f.state.classModified(), false);
}

void LessonEditorTest::periodButtonEnlargesAndShrinksItsBox() {
    EditorFixture f;
    f.editor->showDay(2);
    int plain = f.editor->rowHeight();
    QVERIFY(f.editor->expandedHeight() > plain);
    f.editor->periodButton(4)->click();
    QCOMPARE(f.editor->currentBox(), 24);
    QCOMPARE(f.editor->highlightedPeriod(), 4);
    QCOMPARE(f.editor->expandedBox(), 24);
    QCOMPARE(f.editor->box(24)->height(), f.editor->expandedHeight());
    f.editor->periodButton(4)->click();
    QCOMPARE(f.editor->expandedBox(), -1);
    QCOMPARE(f.editor->box(24)->height(), plain);
}

void LessonEditorTest::anotherPeriodShrinksTheEnlargedBox() {
    EditorFixture f;
    f.editor->periodButton(0)->click();
    QCOMPARE(f.editor->expandedBox(), 0);
    f.editor->periodButton(2)->click();
    QCOMPARE(f.editor->expandedBox(), 2);
    QCOMPARE(f.editor->box(0)->height(), f.editor->rowHeight());
    QCOMPARE(f.editor->box(2)->height(), f.editor->expandedHeight());
    QCOMPARE(f.editor->highlightedPeriod(), 2);
    QVERIFY(f.editor->periodButton(2)->font().bold());
    QVERIFY(!f.editor->periodButton(0)->font().bold());
    // The enlarged box reaches exactly to the bottom of the box below it.
    QCOMPARE(f.editor->box(2)->geometry().bottom(), f.editor->box(3)->geometry().bottom());
}

void LessonEditorTest::clearCutsTheNewNameToEightCharacters() {
    EditorFixture f;
    f.fillWeek();
    f.doubles.messages.answer(MessageButton::No);
    f.doubles.input.answer(QStringLiteral("ninechars"));
    f.editor->clearWeek();
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QCOMPARE(f.doubles.messages.shown[0].text, QStringLiteral("SAVE current file?"));
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Plans"));
    QCOMPARE(f.doubles.messages.shown[0].style, 35);
    QCOMPARE(f.doubles.input.asked.size(), size_t(1));
    QCOMPARE(f.doubles.input.asked[0].prompt,
             QStringLiteral("\n\n\n\nFILE NAME (8 characters max.)"));
    QCOMPARE(f.doubles.input.asked[0].title, QStringLiteral("new file name"));
    QCOMPARE(f.doubles.input.asked[0].defaultAnswer, QStringLiteral("untitled"));
    QCOMPARE(f.state.currentFileName, std::string("ninechar.pla"));
    QCOMPARE(f.shell.caption, QStringLiteral("ninechar.pla"));
    for (int i = 0; i < kLessonCount; ++i) {
        QVERIFY(f.editor->box(i)->toPlainText().isEmpty());
        QVERIFY(f.state.lessonPlan().lessonTexts[i].empty());
    }
    QCOMPARE(f.state.lessonPlan().periodNames[0], std::string("Period 1"));
}

void LessonEditorTest::clearThenCancelledNameKeepsOldNameAndEmptyWeek() {
    EditorFixture f;
    f.fillWeek();
    f.doubles.messages.answer(MessageButton::No);
    f.doubles.input.answer(std::nullopt);
    f.editor->clearWeek();
    QCOMPARE(f.state.currentFileName, std::string("week1.pla"));
    QVERIFY(f.shell.caption.isEmpty());
    QVERIFY(f.editor->box(49)->toPlainText().isEmpty());
    QVERIFY(f.state.lessonPlan().lessonTexts[49].empty());

    // Cancel in the question changes nothing at all.
    f.fillWeek();
    f.doubles.messages.answer(MessageButton::Cancel);
    f.editor->clearWeek();
    QCOMPARE(f.state.lessonPlan().lessonTexts[7], std::string("plan 7"));
    QCOMPARE(f.doubles.input.asked.size(), size_t(1));
}

void LessonEditorTest::clearWithFailedSaveEmptiesNothing() {
    EditorFixture f;
    f.fillWeek();
    test::markUnsaved(f.state);
    f.state.currentFileName = "/no/such/folder/week1.pla";
    f.doubles.messages.answer(MessageButton::Yes);
    f.editor->clearWeek();
    QCOMPARE(f.doubles.messages.shown.size(), size_t(2));
    QVERIFY(
        f.doubles.messages.shown[1].text.startsWith(QStringLiteral("Unable to SAVE this file. ")));
    QCOMPARE(f.doubles.messages.shown[1].title, QStringLiteral("Error!"));
    QCOMPARE(f.doubles.messages.shown[1].style, 0);
    QVERIFY(f.doubles.input.asked.empty());
    QCOMPARE(f.state.classModified(), true);
    QCOMPARE(f.editor->box(7)->toPlainText(), QStringLiteral("plan 7"));
    QCOMPARE(f.state.lessonPlan().lessonTexts[7], std::string("plan 7"));
}

void LessonEditorTest::clearWithSaveWritesTheOldWeekFirst() {
    QTemporaryDir dir;
    EditorFixture f;
    f.fillWeek();
    test::markUnsaved(f.state);
    f.state.currentFileName = dir.filePath("week1.pla").toStdString();
    f.doubles.messages.answer(MessageButton::Yes);
    f.doubles.input.answer(QStringLiteral("week2"));
    f.editor->clearWeek();
    QCOMPARE(f.state.classModified(), false);
    QCOMPARE(f.state.currentFileName, std::string("week2.pla"));
    LessonPlan saved;
    readLessonFile(dir.filePath("week1.pla").toStdString(), saved);
    QCOMPARE(saved.lessonTexts[7], std::string("plan 7"));
}

void LessonEditorTest::printButtonAsksForPrinting() {
    EditorFixture f;
    auto* button = f.editor->findChild<QPushButton*>(QStringLiteral("Command1"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Command1"));
    // The teacher has no use for it: it is not on show, yet printing goes
    // through it.
    QVERIFY(f.editor->isVisible());
    QVERIFY(!button->isVisible());
    int requests = 0;
    QObject::connect(f.editor.get(), &LessonEditorWindow::printRequested, [&] { ++requests; });
    button->click();
    f.editor->pressPrint();
    QCOMPARE(requests, 2);
}

void LessonEditorTest::planBoxShowsItsFirstLineAndMarksTheRest() {
    EditorFixture f;
    f.makeActive();
    test::editWeek(f.state, [](LessonPlan& r) {
        r.lessonTexts[0] = "one\ntwo\nthree";
        r.lessonTexts[1] = "single";
    });
    f.editor->loadPlan();
    QCOMPARE(f.editor->linesPerBox(), 1);
    PlanTextBox* box = f.editor->box(0);
    QCOMPARE(firstShownBlock(box), 0);
    QVERIFY(box->showsMoreMark());
    QVERIFY(!f.editor->box(1)->showsMoreMark());
    // The scrolled area holds whole lines, so no piece of the line above or
    // below peeks in at an edge.
    QCOMPARE((box->viewport()->height() - 1) % box->fontMetrics().lineSpacing(), 0);

    // Typing shows the line typed in; leaving the box shows the first again,
    // and so does a plan loaded while the box was scrolled.
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, " more");
    QCOMPARE(firstShownBlock(box), 2);
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.editor->box(1));
    QCOMPARE(firstShownBlock(box), 0);
    QVERIFY(box->showsMoreMark());
    QCOMPARE(f.state.lessonPlan().lessonTexts[0], std::string("one\ntwo\nthree more"));
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    box->ensureCursorVisible();
    f.editor->loadPlan();
    QCOMPARE(firstShownBlock(box), 0);

    // Enlarged, the box shows the whole plan: no mark, and a scroll bar only
    // where the plan is longer still.
    f.editor->periodButton(0)->click();
    QCOMPARE(firstShownBlock(box), 0);
    QVERIFY(!box->showsMoreMark());
    QCOMPARE(box->verticalScrollBar()->maximum(), 0);
    box->setPlanText(QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8"));
    QTRY_VERIFY(box->verticalScrollBar()->isVisible());
    QVERIFY(!box->showsMoreMark());

    // A word wider than the box breaks between characters, as it prints.
    PlanTextBox* wide = f.editor->box(2);
    wide->setPlanText(QString(170, QLatin1Char('w')));
    QVERIFY(!wide->horizontalScrollBar()->isVisible());
    QCOMPARE(wide->horizontalScrollBar()->maximum(), 0);
    QVERIFY(wide->showsMoreMark());
}

void LessonEditorTest::editorFillsItsSpaceAsItGrowsAndShrinks() {
    EditorFixture f;
    QCOMPARE(f.editor->accessibleName(), QStringLiteral("Lesson Plans"));
    // A work area of 1024 by 500 (a 1024 by 600 screen) holds the editor whole.
    QVERIFY(f.editor->minimumWidth() <= 1024 && f.editor->minimumHeight() <= 500);

    struct Seen {
        int boxWidth, lines, buttonHeight;
    };
    auto check = [&](QSize size) -> Seen {
        f.editor->resize(size);
        QApplication::processEvents();
        QWidget* page = f.editor->box(0)->parentWidget();
        QRect inEditor(page->mapTo(f.editor.get(), QPoint(0, 0)), page->size());
        [&] {
            QVERIFY(f.editor->rect().contains(inEditor));
            for (int p = 0; p < kPeriodCount; ++p) {
                QRect box = f.editor->box(p)->geometry();
                QVERIFY2(page->rect().contains(box), qPrintable(QString::number(p)));
                if (p + 1 < kPeriodCount)
                    QVERIFY(box.top() + f.editor->rowHeight() <
                            f.editor->box(p + 1)->geometry().top());
                QRect button = f.editor->periodButton(p)->geometry();
                QVERIFY(f.editor->rect().contains(button));
                // Level with the first line of its box, left of the tabs.
                int line = inEditor.top() + box.top() + f.editor->box(0)->heightForLines(1) / 2;
                QVERIFY2(qAbs(button.center().y() - line) <= 1, qPrintable(QString::number(p)));
                QVERIFY(button.right() < inEditor.left());
            }
            QCOMPARE(f.editor->box(0)->height(), f.editor->rowHeight());
            QCOMPARE(f.editor->rowHeight(),
                     f.editor->box(0)->heightForLines(f.editor->linesPerBox()));
            // The tenth box, enlarged, still stands on the page.
            QVERIFY(f.editor->box(9)->geometry().top() + f.editor->expandedHeight() <=
                    page->height());
        }();
        return {f.editor->box(0)->width(), f.editor->linesPerBox(),
                f.editor->periodButton(0)->height()};
    };
    Seen small = check({1024, 500});
    QCOMPARE(small.lines, 1);
    f.editor->periodButton(4)->click();
    Seen large = check({1920, 980});
    QVERIFY(large.boxWidth > small.boxWidth + 800);
    QVERIFY(large.lines > 1);
    QCOMPARE(large.buttonHeight, small.buttonHeight);
    // The box enlarged before keeps covering exactly the box below it.
    QCOMPARE(f.editor->box(4)->geometry().bottom(), f.editor->box(5)->geometry().bottom());
    Seen again = check({1024, 500});
    QCOMPARE(again.boxWidth, small.boxWidth);
    QCOMPARE(again.lines, 1);
    QCOMPARE(f.editor->box(4)->height(), f.editor->expandedHeight());
}

// A teacher without a mouse: types a plan, goes on to the next period with
// Tab and to Thursday with its access key, then prints the week from the
// print dialog the main window's File > Print opens.
void LessonEditorTest::keyboardAloneTypesMovesAndPrintsTheWeek() {
    EditorFixture f;
    QObject::connect(f.editor.get(), &LessonEditorWindow::printRequested, f.editor.get(),
                     [&] { printLessonPlans(*f.editor, f.state, f.platform); });
    f.makeActive();
    f.editor->activate();
    QCOMPARE(QApplication::focusWidget(), f.editor->box(0));
    type(QStringLiteral("Read \"Hatchet\""));
    press(Qt::Key_Return);
    type(QStringLiteral("ch. 2"));
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.editor->box(1));
    type(QStringLiteral("Fractions"));
    press(Qt::Key_R, Qt::AltModifier);
    QCOMPARE(f.editor->currentDay(), 3);
    QCOMPARE(QApplication::focusWidget(), f.editor->box(30));
    type(QStringLiteral("Field trip"));
    press(Qt::Key_I, Qt::AltModifier);
    QCOMPARE(f.editor->currentDay(), 4);
    press(Qt::Key_Down);
    QCOMPARE(f.editor->currentDay(), 4);
    press(Qt::Key_PageDown);
    QCOMPARE(f.editor->currentDay(), 3);
    QCOMPARE(f.state.lessonPlan().lessonTexts[0], std::string("Read 'Hatchet'\nch. 2"));
    QCOMPARE(f.state.lessonPlan().lessonTexts[30], std::string("Field trip"));

    auto* dialog = new LessonPrintDialog(f.state, f.doubles.messages, f.editor.get());
    QPointer<LessonPrintDialog> guard(dialog);
    QObject::connect(dialog, &LessonPrintDialog::printChosen, f.editor.get(),
                     [&] { f.editor->pressPrint(); });
    dialog->show();
    dialog->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), dialog);
    QCOMPARE(QApplication::focusWidget(), dialog->Text1);
    type(QStringLiteral("9/15/1997"));
    // Back to the choice, just above the date: Space takes "Current Day",
    // the arrow "Full Week" again, and the date typed stays.
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), dialog->optday);
    press(Qt::Key_Space);
    QVERIFY(dialog->optday->isChecked());
    QCOMPARE(dialog->Label1->text(), QStringLiteral("Thu&rsday's Date :"));
    press(Qt::Key_Up);
    QVERIFY(dialog->optweek->isChecked());
    QCOMPARE(dialog->Label1->text(), QStringLiteral("Week of : (Monday)"));
    QCOMPARE(dialog->Text1->text(), QStringLiteral("9/15/1997"));
    f.doubles.messages.answer(MessageButton::Ok);
    press(Qt::Key_Return);
    QTRY_VERIFY(guard.isNull());

    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Printer On?"));
    QCOMPARE(f.doubles.printer.jobs.size(), size_t(1));
    const RecordingSurface& job = *f.doubles.printer.jobs.back();
    QCOMPARE(job.newPages, 4);
    QVERIFY(job.find("Monday 09/15/1997"));
    QVERIFY(job.find("Read 'Hatchet'"));
    QVERIFY(job.find("ch. 2"));
    QVERIFY(job.find("Fractions"));
    QVERIFY(job.find("Thursday 09/18/1997"));
    QVERIFY(job.find("Field trip"));
    QCOMPARE(f.state.printDate, std::string("09/19/1997"));
}

QTEST_MAIN(LessonEditorTest)
#include "lessoneditor_test.moc"
