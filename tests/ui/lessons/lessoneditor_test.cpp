#include "core/lessons/lessonfile.h"
#include "support/windowfixture.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/plantextbox.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPushButton>
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
};

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
};

void LessonEditorTest::activationShowsMondayWithPeriodOneMarked() {
    EditorFixture f;
    QCOMPARE(f.editor->objectName(), QStringLiteral("Form2"));
    QCOMPARE(f.editor->periodButton(9)->text(), QStringLiteral("Period 10"));
    f.editor->showDay(3);
    QCOMPARE(f.state.currentDayCaption, std::string("T&hursday"));
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
    QCOMPARE(f.state.currentDayCaption, std::string("T&hursday"));
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
    int requests = 0;
    QObject::connect(f.editor.get(), &LessonEditorWindow::printRequested, [&] { ++requests; });
    button->click();
    QCOMPARE(requests, 1);
}

QTEST_MAIN(LessonEditorTest)
#include "lessoneditor_test.moc"
