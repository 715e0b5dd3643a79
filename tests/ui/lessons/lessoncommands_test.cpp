#include "core/lessons/lessonfile.h"
#include "support/windowfixture.h"
#include "ui/lessons/customperiodsdialog.h"
#include "ui/lessons/lessoncommands.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/newlessondialog.h"
#include "ui/lessons/plantextbox.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tallyro;
using namespace tallyro::test;

namespace {

QString dataFile(const char* name) {
    return QStringLiteral(TALLYRO_TEST_DATA "/") + name;
}

void copyInto(const QTemporaryDir& dir, const char* from, const QString& to) {
    QVERIFY(QFile::copy(dataFile(from), dir.filePath(to)));
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct CommandsFixture : WindowDoubles {
    QTemporaryDir dir;
    std::unique_ptr<LessonCommands> commands =
        std::make_unique<LessonCommands>(state, platform, shell);

    CommandsFixture() { QDir::setCurrent(dir.path()); }

    void press(QWidget* dialog, const char* button) {
        auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(button));
        QVERIFY(b);
        b->click();
    }
    void startNew(const char* option, const QString& name = QString()) {
        commands->newFile();
        NewLessonDialog* form1 = commands->newDialog();
        QVERIFY(form1 && form1->isVisible());
        form1->findChild<QRadioButton*>(QString::fromLatin1(option))->setChecked(true);
        form1->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(name);
        press(form1, "Command1");
    }
};

} // namespace

class LessonCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void openShowsTheWeekInTheEditor();
    void openFailureEmptiesThePlanAndSays();
    void cancelledOpenIsSilent();
    void saveWritesAndClearsModified();
    void failedSaveKeepsModified();
    void saveAsCompletesTheNameAndKeepsTheOpenFile();
    void backupProposesLbaAndRestoreOpensIt();
    void newDefaultWeekWithEmptyName();
    void customNamesWithEmptyAnswersQuotesAndLimit();
    void customCancelReturnsToNewDialog();
    void duplicateCopiesNamesOnly();
    void duplicateCancelledAndUnreadable();
    void newCancelRestoresTheBareCaption();
};

void LessonCommandsTest::openShowsTheWeekInTheEditor() {
    CommandsFixture f;
    copyInto(f.dir, "lessons-custom.pla", "week.pla");
    f.doubles.files.choose(f.dir.filePath("week.pla"));
    f.commands->open();
    QCOMPARE(f.doubles.files.shown.size(), size_t(1));
    const auto& shown = f.doubles.files.shown[0];
    QCOMPARE(shown.title, QStringLiteral("Open"));
    QCOMPARE(shown.flags, int(FileDialog::PathMustExist));
    QCOMPARE(shown.fileName, QStringLiteral("*.pla"));
    QCOMPARE(shown.filter, QStringLiteral("lesson files (*.pla)|*.pla"));
    QVERIFY(!shown.save);
    QCOMPARE(f.state.currentFileName, std::string("week.pla"));
    QCOMPARE(f.shell.caption, QStringLiteral("week.pla"));
    QCOMPARE(f.shell.calls, QStringList{QStringLiteral("showFileOpenState")});
    QVERIFY(!f.shell.stepPanelVisible);
    LessonEditorWindow* editor = f.commands->editor();
    QVERIFY(editor);
    QCOMPARE(f.shell.children, std::vector<QWidget*>{editor});
    QCOMPARE(editor->periodButton(1)->text(), QStringLiteral("Math"));
    QCOMPARE(editor->box(1)->toPlainText(), QStringLiteral("Read ch. 3\nQuiz on ch. 2"));
    QCOMPARE(f.state.classModified(), false);
    QVERIFY(f.doubles.messages.shown.empty());

    f.commands->closeEditor();
    QVERIFY(!f.commands->editor());
}

void LessonCommandsTest::openFailureEmptiesThePlanAndSays() {
    CommandsFixture f;
    copyInto(f.dir, "lessons-short.pla", "short.pla");
    f.doubles.files.choose(f.dir.filePath("short.pla"));
    f.commands->open();
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QVERIFY(f.doubles.messages.shown[0].text.startsWith(
        QStringLiteral("Unable to OPEN this file. The file ends at line")));
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Error!"));
    QCOMPARE(f.doubles.messages.shown[0].style, 0);
    QVERIFY(!f.state.lessonPlan().hasCapacity());
    QCOMPARE(f.state.lessonPlan().periodNames.size(), size_t(1));
    QVERIFY(!f.commands->editor());
    QVERIFY(f.shell.calls.isEmpty());
}

void LessonCommandsTest::cancelledOpenIsSilent() {
    CommandsFixture f;
    test::editWeek(f.state, [&](LessonPlan& r) { r.clearToCapacity(); });
    f.doubles.files.cancel();
    f.commands->restore();
    QCOMPARE(f.doubles.files.shown[0].title, QStringLiteral("Restore"));
    QVERIFY(f.doubles.messages.shown.empty());
    QVERIFY(!f.state.lessonPlan().hasCapacity());
    QVERIFY(!f.commands->editor());
}

void LessonCommandsTest::saveWritesAndClearsModified() {
    CommandsFixture f;
    copyInto(f.dir, "lessons-custom.pla", "week.pla");
    f.doubles.files.choose(f.dir.filePath("week.pla"));
    f.commands->open();
    QTest::keyClicks(f.commands->editor()->box(2), "Spelling \"test\"");
    QCOMPARE(f.state.classModified(), true);
    QVERIFY(f.commands->saveLessonFile());
    QCOMPARE(f.state.classModified(), false);
    LessonPlan saved;
    readLessonFile(f.dir.filePath("week.pla").toStdString(), saved);
    QCOMPARE(saved.lessonTexts[2], std::string("Spelling 'test'"));
    QCOMPARE(saved.lessonTexts[1], std::string("Read ch. 3\nQuiz on ch. 2"));
    QCOMPARE(saved.periodNames[0], std::string("Homeroom"));
}

void LessonCommandsTest::failedSaveKeepsModified() {
    CommandsFixture f;
    test::editWeek(f.state, [&](LessonPlan& r) { r.clearToCapacity(); });
    f.state.currentFileName = "missing-folder/week.pla";
    test::markUnsaved(f.state);
    QVERIFY(!f.commands->saveLessonFile());
    QCOMPARE(f.state.classModified(), true);
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QVERIFY(
        f.doubles.messages.shown[0].text.startsWith(QStringLiteral("Unable to SAVE this file. ")));
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Error!"));
    QCOMPARE(f.doubles.messages.shown[0].style, 0);
}

void LessonCommandsTest::saveAsCompletesTheNameAndKeepsTheOpenFile() {
    CommandsFixture f;
    test::editWeek(f.state, [&](LessonPlan& r) { r.clearToCapacity(); });
    test::editWeek(f.state, [&](LessonPlan& r) { r.lessonTexts[0] = "a\nb"; });
    f.state.currentFileName = "week.pla";
    test::markUnsaved(f.state);
    f.doubles.files.choose(f.dir.filePath("COPY"));
    f.doubles.files.choose(f.dir.filePath("NOTES.TXT"));
    f.doubles.files.cancel();
    f.commands->saveAs();
    f.commands->saveAs();
    f.commands->saveAs();
    const auto& shown = f.doubles.files.shown[0];
    QCOMPARE(shown.title, QStringLiteral("Save As"));
    QCOMPARE(shown.flags, int(FileDialog::OverwritePrompt));
    QCOMPARE(shown.filter, QStringLiteral("lesson files (*.pla)|*.pla"));
    QVERIFY(shown.save);
    QVERIFY(bytesOf(f.dir.filePath("COPY.pla")).contains("\"a\r\nb\"\r\n"));
    QVERIFY(QFile::exists(f.dir.filePath("NOTES.TXT")));
    QCOMPARE(f.state.currentFileName, std::string("week.pla"));
    QCOMPARE(f.state.classModified(), true);
    QVERIFY(f.doubles.messages.shown.empty());
}

void LessonCommandsTest::backupProposesLbaAndRestoreOpensIt() {
    CommandsFixture f;
    test::editWeek(f.state, [&](LessonPlan& r) { r.clearToCapacity(); });
    test::editWeek(f.state, [&](LessonPlan& r) { r.periodNames[0] = "Math"; });
    test::editWeek(f.state, [&](LessonPlan& r) { r.lessonTexts[10] = "in memory"; });
    f.state.currentFileName = "WEEK1.pla";
    test::markUnsaved(f.state);
    f.doubles.files.choose(f.dir.filePath("FLOPPY"));
    f.commands->backup();
    const auto& shown = f.doubles.files.shown[0];
    QCOMPARE(shown.title, QStringLiteral("BackUp (floppy recommended)"));
    QCOMPARE(shown.flags, int(FileDialog::OverwritePrompt));
    QCOMPARE(shown.fileName, QStringLiteral("WEEK1.lba"));
    QCOMPARE(shown.filter, QStringLiteral("lesson files (*.lba)|*.lba"));
    QCOMPARE(f.state.currentFileName, std::string("WEEK1.pla"));
    QCOMPARE(f.state.classModified(), true);
    // The backup holds what is in memory, not a copy of a file on disk.
    QVERIFY(!QFile::exists(f.dir.filePath("WEEK1.pla")));

    test::editWeek(f.state, [&](LessonPlan& r) { r.clearToNothing(); });
    test::markSaved(f.state);
    f.doubles.files.choose(f.dir.filePath("FLOPPY.lba"));
    f.commands->restore();
    const auto& restoreShown = f.doubles.files.shown[1];
    QCOMPARE(restoreShown.title, QStringLiteral("Restore"));
    QCOMPARE(restoreShown.flags, int(FileDialog::PathMustExist));
    QCOMPARE(restoreShown.fileName, QStringLiteral("*.lba"));
    QCOMPARE(restoreShown.filter, QStringLiteral("lesson files (*.lba)|*.lba"));
    QCOMPARE(f.state.currentFileName, std::string("FLOPPY.lba"));
    QCOMPARE(f.state.lessonPlan().lessonTexts[10], std::string("in memory"));
    QCOMPARE(f.commands->editor()->periodButton(0)->text(), QStringLiteral("Math"));
    QCOMPARE(f.shell.caption, QStringLiteral("FLOPPY.lba"));
}

void LessonCommandsTest::newDefaultWeekWithEmptyName() {
    CommandsFixture f;
    f.commands->newFile();
    NewLessonDialog* form1 = f.commands->newDialog();
    QCOMPARE(form1->objectName(), QStringLiteral("Form1"));
    QCOMPARE(form1->windowTitle(), QStringLiteral("New"));
    QVERIFY(form1->findChild<QRadioButton*>(QStringLiteral("optdefault"))->isChecked());
    QCOMPARE(form1->findChild<QLineEdit*>(QStringLiteral("Text1"))->maxLength(), 15);
    f.press(form1, "Command1");
    QCOMPARE(f.state.currentFileName, std::string("untitled.pla"));
    QCOMPARE(f.shell.caption, QStringLiteral("untitled.pla"));
    QCOMPARE(f.state.lessonPlan().periodNames[0], std::string("Period 1"));
    QCOMPARE(f.state.lessonPlan().periodNames[9], std::string("Period 10"));
    QCOMPARE(f.shell.calls, QStringList{QStringLiteral("showFileOpenState")});
    LessonEditorWindow* editor = f.commands->editor();
    QVERIFY(editor);
    QCOMPARE(editor->periodButton(9)->text(), QStringLiteral("Period 10"));
    for (int i = 0; i < kLessonCount; ++i)
        QVERIFY(editor->box(i)->toPlainText().isEmpty());
    processDeletes();
    QVERIFY(!f.commands->newDialog());

    // Saved at once, the new week is ten names and fifty empty records.
    QVERIFY(f.commands->saveLessonFile());
    QByteArray bytes = bytesOf(f.dir.filePath("untitled.pla"));
    QVERIFY(bytes.startsWith("\"Period 1\"\r\n\"Period 2\"\r\n"));
    QVERIFY(bytes.endsWith("\"Period 10\"\r\n" + QByteArray("\"\"\r\n").repeated(50)));
}

void LessonCommandsTest::customNamesWithEmptyAnswersQuotesAndLimit() {
    CommandsFixture f;
    f.startNew("optcustom", QStringLiteral("room5"));
    QVERIFY(!f.commands->newDialog()->isVisible());
    CustomPeriodsDialog* form12 = f.commands->customDialog();
    QVERIFY(form12 && form12->isVisible());
    QCOMPARE(form12->windowTitle(), QStringLiteral("Custom"));
    auto* label = form12->findChild<QLabel*>(QStringLiteral("Label2"));
    auto* name = form12->findChild<QLineEdit*>(QStringLiteral("Text1"));
    QCOMPARE(label->text(), QStringLiteral("Period 1"));

    QTest::keyClicks(name, "\"Art\" & Music");
    QCOMPARE(name->text(), QStringLiteral("Art & Musi"));
    f.press(form12, "Command1");
    QCOMPARE(label->text(), QStringLiteral("Period 2"));
    QVERIFY(name->text().isEmpty());
    QApplication::clipboard()->setText(QStringLiteral("\"Gym\""));
    name->paste();
    QCOMPARE(name->text(), QStringLiteral("Gym"));
    f.press(form12, "Command1");
    for (int p = 2; p < kPeriodCount; ++p)
        f.press(form12, "Command1");

    QCOMPARE(f.state.currentFileName, std::string("room5.pla"));
    QCOMPARE(f.state.lessonPlan().periodNames[0], std::string("Art & Musi"));
    QCOMPARE(f.state.lessonPlan().periodNames[1], std::string("Gym"));
    QCOMPARE(f.state.lessonPlan().periodNames[2], std::string("Period 3"));
    QCOMPARE(f.state.lessonPlan().periodNames[9], std::string("Period 10"));
    QVERIFY(f.commands->editor());
    QCOMPARE(f.commands->editor()->periodButton(0)->text(), QStringLiteral("Art && Musi"));
    processDeletes();
    QVERIFY(!f.commands->customDialog());
    QVERIFY(!f.commands->newDialog());
}

void LessonCommandsTest::customCancelReturnsToNewDialog() {
    CommandsFixture f;
    f.startNew("optcustom");
    CustomPeriodsDialog* form12 = f.commands->customDialog();
    auto* name = form12->findChild<QLineEdit*>(QStringLiteral("Text1"));
    for (const char* typed : {"Math", "Art", "Gym"}) {
        name->setText(QString::fromLatin1(typed));
        f.press(form12, "Command1");
    }
    f.press(form12, "Command2");
    QVERIFY(f.commands->newDialog()->isVisible());
    QVERIFY(!f.state.lessonPlan().hasCapacity());
    QVERIFY(!f.commands->editor());
    processDeletes();
    QVERIFY(!f.commands->customDialog());

    // Choosing again starts from empty arrays; the typed names are gone.
    f.commands->newDialog()
        ->findChild<QRadioButton*>(QStringLiteral("optdefault"))
        ->setChecked(true);
    f.press(f.commands->newDialog(), "Command1");
    QCOMPARE(f.state.lessonPlan().periodNames[0], std::string("Period 1"));
    QVERIFY(f.commands->editor());
}

void LessonCommandsTest::duplicateCopiesNamesOnly() {
    CommandsFixture f;
    copyInto(f.dir, "lessons-custom.pla", "old.pla");
    f.doubles.files.choose(f.dir.filePath("old.pla"));
    f.startNew("optduplicate", QStringLiteral("week2"));
    const auto& shown = f.doubles.files.shown[0];
    QCOMPARE(shown.title, QStringLiteral("Open to extract period list"));
    QCOMPARE(shown.flags, int(FileDialog::PathMustExist));
    QCOMPARE(shown.fileName, QStringLiteral("*.pla"));
    QCOMPARE(shown.filter, QStringLiteral("lesson files (*.pla)|*.pla"));
    LessonPlan old;
    readLessonFile(f.dir.filePath("old.pla").toStdString(), old);
    for (int p = 0; p < kPeriodCount; ++p)
        QCOMPARE(f.state.lessonPlan().periodNames[p], old.periodNames[p]);
    for (int i = 0; i < kLessonCount; ++i)
        QVERIFY(f.state.lessonPlan().lessonTexts[i].empty());
    QCOMPARE(f.state.currentFileName, std::string("week2.pla"));
    QVERIFY(f.commands->editor());
    QVERIFY(f.commands->editor()->box(1)->toPlainText().isEmpty());
}

void LessonCommandsTest::duplicateCancelledAndUnreadable() {
    CommandsFixture f;
    f.doubles.files.cancel();
    f.startNew("optduplicate");
    QVERIFY(f.commands->newDialog()->isVisible());
    QVERIFY(!f.commands->editor());
    QVERIFY(f.doubles.messages.shown.empty());

    // A file too short to hold ten names: the message, then the default names.
    QFile shortFile(f.dir.filePath("bad.pla"));
    QVERIFY(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("\"Math\"\r\n\"Art\"\r\n");
    shortFile.close();
    f.doubles.files.choose(shortFile.fileName());
    f.press(f.commands->newDialog(), "Command1");
    QCOMPARE(f.doubles.messages.shown.size(), size_t(1));
    QVERIFY(
        f.doubles.messages.shown[0].text.startsWith(QStringLiteral("Unable to OPEN this file. ")));
    QCOMPARE(f.doubles.messages.shown[0].title, QStringLiteral("Error!"));
    QCOMPARE(f.doubles.messages.shown[0].style, 0);
    QVERIFY(f.commands->editor());
    QCOMPARE(f.state.lessonPlan().periodNames[0], std::string("Period 1"));
    QCOMPARE(f.state.lessonPlan().lessonTexts.size(), size_t(kLessonCount + 1));
    QCOMPARE(f.commands->editor()->periodButton(3)->text(), QStringLiteral("Period 4"));
}

void LessonCommandsTest::newCancelRestoresTheBareCaption() {
    CommandsFixture f;
    f.shell.caption = QStringLiteral("something");
    f.commands->newFile();
    f.press(f.commands->newDialog(), "Command2");
    QVERIFY(f.shell.caption.isEmpty());
    QVERIFY(!f.commands->editor());
    processDeletes();
    QVERIFY(!f.commands->newDialog());
}

QTEST_MAIN(LessonCommandsTest)
#include "lessoncommands_test.moc"
