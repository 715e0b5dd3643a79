#include <QTest>

#include "core/classfile/gradefile.h"
#include "support/scriptedplatform.h"
#include "support/windowfixture.h"
#include "ui/roster/addstudentdialog.h"
#include "ui/roster/newclassdialog.h"
#include "ui/roster/rostercommands.h"
#include "ui/roster/rostereditorwindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>

#include <memory>

using namespace tallyro;
using namespace tallyro::test;

namespace {

QString dataFile(const char* name) {
    return QString(TALLYRO_TEST_DATA) + "/" + name;
}

// One main window's worth of state, doubles and the commands under test.
struct Fixture {
    AppState state;
    ScriptedPlatform scripted;
    Platform platform = scripted.platform();
    RecordingShell shell;
    RosterCommands commands{state, platform, shell};

    Fixture() { state.workMode = WorkMode::Grades; }
    ~Fixture() { delete commands.rosterEditor(); }

    // Answers the "New" dialog and returns the roster editor it opened.
    RosterEditorWindow* newClass(const QString& name, bool sorted, bool duplicate = false) {
        commands.newClass();
        NewClassDialog* dialog = commands.newClassDialog();
        if (!dialog)
            return nullptr;
        dialog->Text1->setText(name);
        dialog->Check1->setChecked(sorted);
        (duplicate ? dialog->Option2 : dialog->Option1)->setChecked(true);
        dialog->Command1->click();
        RosterEditorWindow* editor = commands.rosterEditor();
        if (editor)
            editor->activate(); // as the main window does when it becomes active
        return editor;
    }
};

void typeName(RosterEditorWindow* editor, const QString& name) {
    QTest::keyClicks(editor->txtname, name);
    QTest::keyClick(editor->txtname, Qt::Key_Return);
}

QStringList listed(RosterEditorWindow* editor) {
    QStringList names;
    for (const std::string& name : editor->names())
        names << QString::fromStdString(name);
    return names;
}

QStringList roster(const ClassRecord& record) {
    QStringList names;
    for (int s = 0; s < record.studentCount; ++s)
        names << QString::fromStdString(record.studentNames[s]);
    return names;
}

void processDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> numbered(const char* stem, int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i)
        names.push_back(stem + std::to_string(i));
    return names;
}

void pasteWithKeys(RosterEditorWindow* editor, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    editor->txtname->setFocus();
    QTest::keyClick(editor->txtname, Qt::Key_V, Qt::ControlModifier);
}

// Pastes through the name box's own menu, as the right mouse button opens it.
bool pasteWithMenu(RosterEditorWindow* editor, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    bool found = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* paste = menu ? menu->findChild<QAction*>("edit-paste") : nullptr;
        found = paste && paste->isEnabled();
        if (found)
            paste->trigger();
        if (menu)
            menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                            editor->txtname->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(editor->txtname, &event);
    QTest::qWait(20);
    return found;
}

QString spoken(QWidget* widget) {
    return widget->accessibleName();
}

// The work area of the main window: the editor comes in without a frame at
// its top-left corner, sized by itself.
struct WorkAreaShell : RecordingShell {
    QMdiArea area;
    void showChild(QWidget* window) override {
        QMdiSubWindow* frame = area.addSubWindow(window, Qt::FramelessWindowHint);
        frame->move(0, 0);
        window->show();
        frame->show();
    }
};

// Controls of the window cut off by the work area's edges.
QStringList outOfReach(QWidget* window, QWidget* area) {
    QStringList cut;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window) || control->objectName().isEmpty() ||
            control->objectName().startsWith("qt_"))
            continue;
        QRect shown(control->mapTo(area, QPoint(0, 0)), control->size());
        if (!area->rect().contains(shown))
            cut << control->objectName();
    }
    return cut;
}

} // namespace

class RosterWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void newClassKeepsTheChosenOrder_data();
    void newClassKeepsTheChosenOrder();
    void newDialogNamesAndCancel();
    void editorActivationSetsUpTheNewClass();
    void duplicateTakesOnlyTheNames();
    void duplicateCancelOrBadFileReturnsToTheNewDialog();
    void rosterStopsAtFortyFiveNames();
    void removeAsksFirst();
    void nameBoxDiscardsDoubleQuotes();
    void emptyRosterCannotBeFinished();
    void importAddsNamesAsTyped();
    void pasteAddsEachLineAsTyped();
    void editorFitsTheWorkArea();
    void endOfFileClosesItsFrame();
    void addStudentExcusesTheNewcomer();
    void addStudentRefusesAFullClass();
    void addStudentFailuresLeaveNoClass();
    void renderWindows();
};

void RosterWindowsTest::newClassKeepsTheChosenOrder_data() {
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("frame");
    QTest::newRow("sorted") << true << QStringList{"A", "b", "c"} << "Student List (sorted)";
    QTest::newRow("unsorted") << false << QStringList{"b", "A", "c"} << "Student List (unsorted)";
}

void RosterWindowsTest::newClassKeepsTheChosenOrder() {
    QFETCH(bool, sorted);
    QFETCH(QStringList, expected);
    QFETCH(QString, frame);
    Fixture f;
    QPointer<RosterEditorWindow> editor = f.newClass("room5", sorted);
    QVERIFY(editor);
    QCOMPARE(f.state.currentFileName, std::string("room5.grd"));
    QCOMPARE(f.shell.caption, QString("room5.grd"));
    QCOMPARE(f.state.rosterSorted, sorted);
    QCOMPARE(f.shell.calls, QStringList{"showFileOpenState"});
    QCOMPARE(f.shell.children.size(), size_t(1));
    QCOMPARE(f.shell.children[0]->objectName(), QString("listform"));
    QVERIFY(f.shell.stepPanelVisible);
    QCOMPARE(editor->Frame6->title(), frame);
    QVERIFY(editor->listInUse()->isVisibleTo(editor));
    QVERIFY(!editor->lstclient[sorted ? 0 : 1]->isVisibleTo(editor));
    QVERIFY(!f.commands.newClassDialog() || !f.commands.newClassDialog()->isVisible());

    for (const char* name : {"b", "A", "c"})
        typeName(editor, name);
    QCOMPARE(listed(editor), expected);
    QCOMPARE(editor->lbldisplay->text(), QString("3"));
    // Typed names are unsaved work: Close offers to save them, Exit warns,
    // and a Save in between writes them.
    QCOMPARE(f.state.classModified(), true);
    QCOMPARE(roster(f.state.classRecord()), expected);

    editor->cmdendenter->click();
    QCOMPARE(roster(f.state.classRecord()), expected);
    QCOMPARE(f.state.classModified(), true);
    QCOMPARE(f.shell.calls, (QStringList{"showFileOpenState", "showGradeBook"}));
    QVERIFY(f.shell.stepBold[Step::EditGrid]);
    QVERIFY(f.shell.stepRaised[Step::EditGrid]);
    QVERIFY(!f.shell.stepBold[Step::NameEntry]);
    QVERIFY(!f.shell.stepRaised[Step::NameEntry]);
    QVERIFY(f.shell.stepEnabled[Step::GradeEntry]);
    QVERIFY(f.shell.stepEnabled[Step::GradeReport]);
    QVERIFY(f.shell.isCommandEnabled(ShellCommand::Print));
    processDeletes();
    QVERIFY(!editor);

    // The new class saves and reads back as typed.
    QTemporaryDir dir;
    std::string path = dir.filePath("room5.grd").toStdString();
    writeClassFile(path, f.state.classRecord());
    ClassRecord back;
    readClassFile(path, back);
    QCOMPARE(roster(back), expected);
    QCOMPARE(back.categoryWeights[1], Value(0));
    QCOMPARE(back.gradeCount(1), 0);
}

void RosterWindowsTest::newDialogNamesAndCancel() {
    Fixture f;
    f.commands.newClass();
    NewClassDialog* dialog = f.commands.newClassDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->Option1->isChecked());
    QVERIFY(dialog->Check1->isChecked());
    // Folder separators cannot sneak into the file name.
    QTest::keyClicks(dialog->Text1, "a/b\\c:d");
    QCOMPARE(dialog->Text1->text(), QString("abcd"));
    dialog->Text1->clear();
    dialog->Command1->click();
    QCOMPARE(f.state.currentFileName, std::string("untitled.grd"));
    QCOMPARE(f.shell.caption, QString("untitled.grd"));
    QCOMPARE(f.state.classRecord().studentCount, 0);

    Fixture g;
    g.state.currentFileName = "kept.grd";
    g.shell.caption = "kept.grd";
    g.commands.newClass();
    QTest::keyClick(g.commands.newClassDialog(), Qt::Key_Escape);
    QCOMPARE(g.shell.caption, QString());
    QCOMPARE(g.state.currentFileName, std::string("kept.grd"));
    QVERIFY(!g.state.classRecord().hasCapacity()); // untouched: still no class
    QVERIFY(g.shell.calls.isEmpty());
    QVERIFY(!g.commands.rosterEditor());
}

void RosterWindowsTest::editorActivationSetsUpTheNewClass() {
    Fixture f;
    test::editClass(f.state, [&](ClassRecord& r) { r.clearToCapacity(); });
    test::editClass(f.state, [&](ClassRecord& r) { r.categoryWeights[2] = Value("30"); });
    test::editClass(f.state, [&](ClassRecord& r) { r.gradeCounts[2] = Value(4); });
    RosterEditorWindow* editor = f.newClass("x", true);
    QVERIFY(editor);
    QVERIFY(!editor->cmdadd->isEnabled());
    QVERIFY(!editor->Command3->isEnabled());
    QVERIFY(editor->cmdendenter->isEnabled());
    QVERIFY(editor->txtname->isEnabled());
    QCOMPARE(editor->focusWidget(), editor->txtname);
    QCOMPARE(editor->lbldisplay->text(), QString("0"));
    for (int c = 1; c <= kCategoryCount; ++c) {
        QCOMPARE(f.state.classRecord().categoryWeights[c], Value(0));
        QCOMPARE(f.state.classRecord().gradeCounts[c], Value(0));
    }
    QVERIFY(f.shell.stepBold[Step::NameEntry]);
    QVERIFY(f.shell.stepRaised[Step::NameEntry]);
    QVERIFY(!f.shell.stepBold[Step::EditGrid]);
    QVERIFY(!f.shell.stepRaised[Step::EditGrid]);
    QVERIFY(!f.shell.stepEnabled[Step::GradeEntry]);
    QVERIFY(!f.shell.stepEnabled[Step::GradeReport]);
    QVERIFY(!f.shell.isCommandEnabled(ShellCommand::Print));

    // Closing the editor any other way gives Print back; the names typed stay
    // unsaved changes, for the main window's Close to offer saving.
    typeName(editor, "Kept");
    editor->close();
    QVERIFY(f.shell.isCommandEnabled(ShellCommand::Print));
    QVERIFY(f.shell.stepEnabled[Step::GradeEntry]);
    QCOMPARE(f.state.classRecord().studentCount, 1);
    QCOMPARE(f.state.classModified(), true);
    QVERIFY(!f.shell.calls.contains("showGradeBook"));
}

void RosterWindowsTest::duplicateTakesOnlyTheNames() {
    Fixture f;
    f.scripted.files.choose(dataFile("roster-three-students.grd"));
    RosterEditorWindow* editor = f.newClass("copy", true, true);
    QVERIFY(editor);
    QCOMPARE(f.scripted.files.shown.size(), size_t(1));
    const auto& shown = f.scripted.files.shown[0];
    QCOMPARE(shown.title, QString("Open to extract student list"));
    QCOMPARE(shown.fileName, QString("*.grd"));
    QCOMPARE(shown.filter, QString("grade files (*.grd)|*.grd"));
    QCOMPARE(shown.flags, int(FileDialog::PathMustExist));
    QVERIFY(!shown.save);
    QCOMPARE(listed(editor), (QStringList{"adams, Beth", "Moreno, Luis", "Zimmer, Karl"}));
    QCOMPARE(editor->lbldisplay->text(), QString("3"));
    QCOMPARE(f.state.currentFileName, std::string("copy.grd"));
    QVERIFY(f.scripted.messages.shown.empty());

    editor->cmdendenter->click();
    const ClassRecord& record = f.state.classRecord();
    QCOMPARE(record.studentCount, 3);
    for (int c = 1; c <= kCategoryCount; ++c) {
        QCOMPARE(record.categoryWeights[c], Value(0));
        QCOMPARE(record.gradeCounts[c], Value(0));
        for (int s = 0; s < 3; ++s)
            QVERIFY(record.grades(s, c, 1).isEmpty());
    }
}

void RosterWindowsTest::duplicateCancelOrBadFileReturnsToTheNewDialog() {
    Fixture f;
    f.scripted.files.cancel();
    QVERIFY(!f.newClass("again", false, true));
    NewClassDialog* dialog = f.commands.newClassDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(dialog->Option2->isChecked());
    QVERIFY(!dialog->Check1->isChecked());
    QCOMPARE(dialog->Text1->text(), QString("again"));
    QVERIFY(f.scripted.messages.shown.empty());
    QVERIFY(f.shell.calls.isEmpty());

    // A file that cannot be read is reported and the teacher chooses again.
    QTemporaryDir dir;
    QString bad = dir.filePath("bad.grd");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("40,2\r\n20,1\r\n");
    file.close();
    f.scripted.files.choose(bad);
    dialog->Command1->click();
    QVERIFY(!f.commands.rosterEditor());
    QCOMPARE(f.scripted.messages.shown.size(), size_t(1));
    QVERIFY(f.scripted.messages.shown[0].text.startsWith("Unable to OPEN this file. "));
    QCOMPARE(f.scripted.messages.shown[0].title, QString("Error!"));
    QCOMPARE(f.scripted.messages.shown[0].style, 0);
    QVERIFY(dialog->isVisible());
    QCOMPARE(f.state.classRecord().studentCount, 0);

    // Starting a new list instead gives a class with room for every student.
    dialog->Option1->setChecked(true);
    dialog->Command1->click();
    RosterEditorWindow* editor = f.commands.rosterEditor();
    QVERIFY(editor);
    editor->activate();
    QVERIFY(f.state.classRecord().hasCapacity());
    typeName(editor, "Solo");
    editor->cmdendenter->click();
    QCOMPARE(roster(f.state.classRecord()), QStringList{"Solo"});
}

void RosterWindowsTest::rosterStopsAtFortyFiveNames() {
    Fixture f;
    RosterEditorWindow* editor = f.newClass("big", false);
    for (int i = 1; i <= 44; ++i)
        typeName(editor, QString("Student %1").arg(i));
    QVERIFY(editor->txtname->isEnabled());
    typeName(editor, "Student 45");
    QCOMPARE(editor->lbldisplay->text(), QString("45"));
    QVERIFY(!editor->txtname->isEnabled());
    QCOMPARE(editor->focusWidget(), editor->cmdendenter);

    // Becoming active again does not reopen a full roster.
    editor->activate();
    QVERIFY(!editor->txtname->isEnabled());

    // A removal makes room again.
    f.scripted.messages.answer(MessageButton::Ok);
    editor->listInUse()->setCurrentRow(3);
    editor->Command3->click();
    QCOMPARE(editor->lbldisplay->text(), QString("44"));
    QVERIFY(editor->txtname->isEnabled());
    typeName(editor, "Late Comer");
    QVERIFY(!editor->txtname->isEnabled());

    editor->cmdendenter->click();
    QCOMPARE(f.state.classRecord().studentCount, 45);
    QCOMPARE(f.state.classRecord().studentNames[44], std::string("Late Comer"));
}

void RosterWindowsTest::removeAsksFirst() {
    Fixture f;
    RosterEditorWindow* editor = f.newClass("r", true);
    for (const char* name : {"Cole", "Ames", "Bell"})
        typeName(editor, name);
    QListWidget* list = editor->listInUse();
    list->setCurrentRow(1);
    QVERIFY(editor->Command3->isEnabled());

    f.scripted.messages.answer(MessageButton::Cancel);
    editor->Command3->click();
    QCOMPARE(f.scripted.messages.shown.size(), size_t(1));
    QCOMPARE(f.scripted.messages.shown[0].text,
             QString("Do you wish to remove this student PERMANENTLY?"));
    QCOMPARE(f.scripted.messages.shown[0].title, QString("Student Removal"));
    QCOMPARE(f.scripted.messages.shown[0].style, 33);
    QCOMPARE(listed(editor), (QStringList{"Ames", "Bell", "Cole"}));
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!editor->Command3->isEnabled());
    QCOMPARE(editor->focusWidget(), editor->txtname);

    // OK with nothing chosen only beeps.
    f.scripted.messages.answer(MessageButton::Ok);
    editor->Command3->setEnabled(true);
    editor->Command3->click();
    QCOMPARE(f.scripted.messages.beeps, 1);
    QCOMPARE(list->count(), 3);

    f.scripted.messages.answer(MessageButton::Ok);
    list->setCurrentRow(1);
    editor->Command3->click();
    QCOMPARE(listed(editor), (QStringList{"Ames", "Cole"}));
    QCOMPARE(editor->lbldisplay->text(), QString("2"));
    QCOMPARE(roster(f.state.classRecord()), (QStringList{"Ames", "Cole"}));
    QVERIFY(!editor->Command3->isEnabled());
    // Later names still go in their alphabetical place.
    typeName(editor, "bates");
    QCOMPARE(listed(editor), (QStringList{"Ames", "bates", "Cole"}));
}

void RosterWindowsTest::nameBoxDiscardsDoubleQuotes() {
    Fixture f;
    RosterEditorWindow* editor = f.newClass("q", false);
    QTest::keyClicks(editor->txtname, "Bud \"Jr\", Smith");
    QCOMPARE(editor->txtname->text(), QString("Bud Jr, Smith"));
    QVERIFY(editor->cmdadd->isEnabled());
    QVERIFY(editor->cmdadd->isDefault());
    QTest::keyClick(editor->txtname, Qt::Key_Return);
    QVERIFY(!editor->cmdadd->isEnabled());
    QCOMPARE(editor->txtname->text(), QString());

    // Pasted text loses its quotes too, and the cursor stays after it.
    editor->txtname->insert("\"Ann\" Lee");
    QCOMPARE(editor->txtname->text(), QString("Ann Lee"));
    QCOMPARE(editor->txtname->cursorPosition(), 7);
    editor->cmdadd->click();
    // A lone quote leaves nothing to add.
    QTest::keyClick(editor->txtname, '"');
    QVERIFY(!editor->cmdadd->isEnabled());
    editor->cmdendenter->click();
    QCOMPARE(roster(f.state.classRecord()), (QStringList{"Bud Jr, Smith", "Ann Lee"}));
}

void RosterWindowsTest::emptyRosterCannotBeFinished() {
    Fixture f;
    QPointer<RosterEditorWindow> editor = f.newClass("none", true);
    editor->cmdendenter->setFocus();
    editor->cmdendenter->click();
    QCOMPARE(editor->focusWidget(), editor->txtname);
    QVERIFY(!f.shell.calls.contains("showGradeBook"));
    QCOMPARE(f.state.classModified(), false);
    processDeletes();
    QVERIFY(editor);
    QVERIFY(!f.shell.isCommandEnabled(ShellCommand::Print));
}

void RosterWindowsTest::importAddsNamesAsTyped() {
    Fixture f;
    RosterEditorWindow* editor = f.newClass("imp", true);
    QCOMPARE(editor->accessibleName(), QString("Roster Editor"));
    QCOMPARE(spoken(editor->lbldisplay), QString("Count 0"));
    typeName(editor, "Cole");
    typeName(editor, "Ames");
    QCOMPARE(spoken(editor->lbldisplay), QString("Count 2"));

    // A name list goes where typed names go: quotes and blanks dropped, empty
    // names skipped, the sorted list keeping its order and equal names.
    f.shell.namesFile = std::vector<std::string>{"bates", "Zed \"Z\" Lee", "  ", "ames"};
    int steps = f.platform.history.stack().count();
    QTest::keyClicks(editor->txtname, "Hal");
    editor->cmdimport->click();
    QCOMPARE(f.shell.askedRoom, 43);
    QCOMPARE(listed(editor), (QStringList{"Ames", "ames", "bates", "Cole", "Zed Z Lee"}));
    QCOMPARE(editor->lbldisplay->text(), QString("5"));
    QCOMPARE(spoken(editor->lbldisplay), QString("Count 5"));
    QCOMPARE(roster(f.state.classRecord()), listed(editor));
    QCOMPARE(editor->txtname->text(), QString("Hal")); // what was being typed stays
    QCOMPARE(editor->focusWidget(), editor->txtname);
    // One step: Undo takes the whole file back.
    QCOMPARE(f.platform.history.stack().count(), steps + 1);
    f.platform.history.undo();
    QCOMPARE(listed(editor), (QStringList{"Ames", "Cole"}));
    QCOMPARE(spoken(editor->lbldisplay), QString("Count 2"));

    // Cancel in the file dialog (or a file refused there) adds nothing.
    f.shell.namesFile.reset();
    editor->cmdimport->click();
    QCOMPARE(listed(editor), (QStringList{"Ames", "Cole"}));
    QCOMPARE(f.platform.history.stack().index(), steps);

    // The room asked for is the room there is; the roster never passes 45.
    f.shell.namesFile = numbered("Student ", 44);
    editor->cmdimport->click();
    QCOMPARE(f.shell.askedRoom, 43);
    QCOMPARE(editor->lbldisplay->text(), QString("45"));
    QCOMPARE(f.state.classRecord().studentCount, 45);
    QVERIFY(!editor->txtname->isEnabled());
    QVERIFY(!editor->cmdimport->isEnabled());
    QCOMPARE(editor->focusWidget(), editor->cmdendenter);
    f.scripted.messages.answer(MessageButton::Ok);
    editor->listInUse()->setCurrentRow(0);
    editor->Command3->click();
    QVERIFY(editor->cmdimport->isEnabled());
    f.shell.namesFile = std::vector<std::string>{"Last One"};
    editor->cmdimport->click();
    QCOMPARE(f.shell.askedRoom, 1);
    editor->cmdendenter->click();
    QCOMPARE(f.state.classRecord().studentCount, 45);
    QVERIFY(roster(f.state.classRecord()).contains("Last One"));
}

void RosterWindowsTest::pasteAddsEachLineAsTyped() {
    Fixture f;
    RosterEditorWindow* editor = f.newClass("paste", false);
    typeName(editor, "Lee, Ann");

    // Lines from a document or a spreadsheet (its first cell): each is a
    // name, a duplicate as typed, quotes dropped, blank lines skipped.
    QTest::keyClicks(editor->txtname, "Hal");
    pasteWithKeys(editor, "Lee, Ann\r\n\"Bud\" Smith\t90\t80\n\n  \"\"\nAmes\n");
    QCOMPARE(listed(editor), (QStringList{"Lee, Ann", "Lee, Ann", "Bud Smith", "Ames"}));
    QCOMPARE(spoken(editor->lbldisplay), QString("Count 4"));
    QCOMPARE(roster(f.state.classRecord()), listed(editor));
    QCOMPARE(editor->txtname->text(), QString("Hal"));
    f.platform.history.undo();
    QCOMPARE(listed(editor), QStringList{"Lee, Ann"});

    // One line pastes into the box, to be finished and added as typed.
    editor->txtname->clear();
    pasteWithKeys(editor, "Kim \"K\" Lo\t77\r\n");
    QCOMPARE(editor->txtname->text(), QString("Kim K Lo"));
    pasteWithKeys(editor, " Jr");
    QCOMPARE(editor->txtname->text(), QString("Kim K Lo Jr"));
    QCOMPARE(listed(editor), QStringList{"Lee, Ann"});
    QVERIFY(editor->cmdadd->isEnabled());
    editor->txtname->clear();

    // The box's own menu pastes the same way.
    QVERIFY(pasteWithMenu(editor, "Cole\nDunn"));
    QCOMPARE(listed(editor), (QStringList{"Lee, Ann", "Cole", "Dunn"}));

    // More lines than the roster has room for are refused whole.
    f.shell.namesFile = numbered("Student ", 40);
    editor->cmdimport->click();
    QCOMPARE(editor->lbldisplay->text(), QString("43"));
    pasteWithKeys(editor, "One\nTwo\nThree\n");
    QCOMPARE(editor->lbldisplay->text(), QString("43"));
    QCOMPARE(f.scripted.messages.shown.size(), size_t(1));
    QVERIFY(f.scripted.messages.shown[0].text.contains("holds 3 names"));
    QVERIFY(f.scripted.messages.shown[0].text.contains("room for 2 more"));
    pasteWithKeys(editor, "One\nTwo\n");
    QCOMPARE(editor->lbldisplay->text(), QString("45"));
    QCOMPARE(listed(editor).mid(43), (QStringList{"One", "Two"}));
    QVERIFY(!editor->txtname->isEnabled());
    QCOMPARE(editor->focusWidget(), editor->cmdendenter);
}

void RosterWindowsTest::editorFitsTheWorkArea() {
    AppState state;
    ScriptedPlatform scripted;
    Platform platform = scripted.platform();
    WorkAreaShell shell;
    // A 1024x600 screen leaves about this much below the menus and the steps.
    shell.area.resize(1024, 500);
    shell.area.show();
    RosterCommands commands(state, platform, shell);
    commands.newClass();
    commands.newClassDialog()->Command1->click();
    QPointer<RosterEditorWindow> editor = commands.rosterEditor();
    QVERIFY(editor);
    editor->activate();
    QWidget* area = shell.area.viewport();
    QListWidget* list = editor->listInUse();
    const int rows = list->fontMetrics().height();
    QVERIFY2(outOfReach(editor, area).isEmpty(), qPrintable(outOfReach(editor, area).join(", ")));
    QVERIFY(list->height() >= 16 * rows);

    // Less room (larger fonts, a smaller screen): the list gives up rows and
    // every control stays in reach; with room again it takes them back.
    const QSize natural = editor->size();
    shell.area.resize(natural.width() + 40, natural.height() - 6 * rows);
    QApplication::processEvents();
    QVERIFY2(outOfReach(editor, area).isEmpty(), qPrintable(outOfReach(editor, area).join(", ")));
    QVERIFY(list->height() < 16 * rows);
    QVERIFY(list->height() >= 6 * rows);
    shell.area.resize(1024, 500);
    QApplication::processEvents();
    QCOMPARE(editor->size(), natural);
    delete editor;
}

void RosterWindowsTest::endOfFileClosesItsFrame() {
    // As in the main window: the editor sits in a frame of the work area.
    struct AreaShell : RecordingShell {
        QMdiArea area;
        void showChild(QWidget* window) override { area.addSubWindow(window)->show(); }
    };
    AppState state;
    ScriptedPlatform scripted;
    Platform platform = scripted.platform();
    AreaShell shell;
    RosterCommands commands(state, platform, shell);
    commands.newClass();
    commands.newClassDialog()->Command1->click();
    QPointer<RosterEditorWindow> editor = commands.rosterEditor();
    QCOMPARE(shell.area.subWindowList().size(), 1);
    editor->activate();
    typeName(editor, "Only");
    editor->cmdendenter->click();
    processDeletes();
    QVERIFY(!editor);
    QVERIFY(shell.area.subWindowList().isEmpty());
    QCOMPARE(roster(state.classRecord()), QStringList{"Only"});
}

void RosterWindowsTest::addStudentExcusesTheNewcomer() {
    Fixture f;
    f.commands.addStudent();
    AddStudentDialog* dialog = f.commands.addStudentDialog();
    QVERIFY(dialog);

    // An empty name is refused where it was typed.
    dialog->Command1->click();
    QVERIFY(dialog->isVisible());
    QVERIFY(f.scripted.files.shown.empty());

    QTest::keyClicks(dialog->Text1, "Kim \"K\" Lo");
    QCOMPARE(dialog->Text1->text(), QString("Kim K Lo"));
    f.scripted.files.choose(dataFile("roster-ten-students.grd"));
    dialog->Command1->click();
    QVERIFY(!dialog->isVisible());

    QCOMPARE(f.scripted.files.shown.size(), size_t(1));
    const auto& shown = f.scripted.files.shown[0];
    QCOMPARE(shown.title, QString("Open to Add a Student"));
    QCOMPARE(shown.fileName, QString("*.grd"));
    QCOMPARE(shown.filter, QString("grade files (*.grd)|*.grd"));
    QCOMPARE(shown.flags, int(FileDialog::PathMustExist));

    const ClassRecord& record = f.state.classRecord();
    QCOMPARE(record.studentCount, 11);
    QCOMPARE(record.studentNames[10], std::string("Kim K Lo"));
    for (int k = 1; k <= 4; ++k)
        QCOMPARE(record.grades(10, 1, k), Value("x"));
    for (int k = 1; k <= 2; ++k)
        QCOMPARE(record.grades(10, 2, k), Value("x"));
    QVERIFY(record.grades(10, 3, 1).isEmpty());
    QCOMPARE(record.grades(0, 1, 1), Value("70"));
    QCOMPARE(f.state.classModified(), true);
    QCOMPARE(f.state.currentFileName, std::string("roster-ten-students.grd"));
    QCOMPARE(f.shell.caption, QString("roster-ten-students.grd"));
    QCOMPARE(f.shell.calls, (QStringList{"showFileOpenState", "showGradeBook"}));
    QVERIFY(f.scripted.messages.shown.empty());

    // Saved, the class reads back with the eleventh student.
    QTemporaryDir dir;
    std::string path = dir.filePath("ten.grd").toStdString();
    writeClassFile(path, record);
    ClassRecord back;
    readClassFile(path, back);
    QCOMPARE(back.studentCount, 11);
    QCOMPARE(back.studentNames[10], std::string("Kim K Lo"));
    QCOMPARE(back.grades(10, 2, 2), Value("x"));
    QCOMPARE(back.grades(9, 2, 2), Value("d"));
}

void RosterWindowsTest::addStudentRefusesAFullClass() {
    QTemporaryDir dir;
    for (int students : {45, 46}) {
        ClassRecord full;
        full.clearToCapacity();
        full.gradeCounts[1] = Value(1);
        for (int s = 0; s < students; ++s) {
            full.studentNames[s] = "S" + std::to_string(s);
            full.grades(s, 1, 1) = Value("90");
        }
        full.studentCount = students;
        QString path = dir.filePath(QString("full%1.grd").arg(students));
        writeClassFile(path.toStdString(), full);

        Fixture f;
        f.scripted.files.choose(path);
        f.commands.addStudentToFile("One More");
        QCOMPARE(f.scripted.messages.shown.size(), size_t(1));
        QCOMPARE(f.scripted.messages.shown[0].text,
                 QString("Number of students is already at the maximum of 45!!"));
        QCOMPARE(f.scripted.messages.shown[0].title, QString("45 Students"));
        QCOMPARE(f.scripted.messages.shown[0].style, 16);
        QCOMPARE(f.state.classRecord().studentCount, 0);
        QVERIFY(!f.state.classRecord().hasCapacity());
        QCOMPARE(f.state.classModified(), false);
        QVERIFY(f.shell.calls.isEmpty());
    }
}

void RosterWindowsTest::addStudentFailuresLeaveNoClass() {
    Fixture f;
    f.commands.addStudent();
    f.commands.addStudentDialog()->Text1->setText("Nobody");
    f.commands.addStudentDialog()->Command1->click(); // the file dialog is cancelled
    QVERIFY(f.scripted.messages.shown.empty());
    QVERIFY(!f.state.classRecord().hasCapacity());
    QCOMPARE(f.state.classModified(), false);
    QVERIFY(f.shell.calls.isEmpty());

    test::markUnsaved(f.state);
    f.scripted.files.choose(dataFile("roster-no-such-file.grd"));
    f.commands.addStudentToFile("Nobody");
    QCOMPARE(f.scripted.messages.shown.size(), size_t(1));
    QVERIFY(f.scripted.messages.shown[0].text.startsWith("Unable to OPEN this file. "));
    QVERIFY(f.scripted.messages.shown[0].text.size() > 26);
    QCOMPARE(f.scripted.messages.shown[0].title, QString("Error!"));
    QCOMPARE(f.scripted.messages.shown[0].style, 0);
    QCOMPARE(f.state.classRecord().studentCount, 0);
    QVERIFY(!f.state.classRecord().hasCapacity());
    QCOMPARE(f.state.classModified(), false);

    // Cancel in the dialog itself asks for no file.
    f.commands.addStudent();
    QCOMPARE(f.commands.addStudentDialog()->Text1->text(), QString()); // a fresh dialog
    f.commands.addStudentDialog()->Command2->click();
    QCOMPARE(f.scripted.files.shown.size(), size_t(2));
}

// Pictures of the two windows for the documentation, when a folder is given.
void RosterWindowsTest::renderWindows() {
    QString folder = qEnvironmentVariable("TALLYRO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("TALLYRO_SCREENSHOT_DIR is not set");
    Fixture f;
    f.commands.newClass();
    NewClassDialog* dialog = f.commands.newClassDialog();
    dialog->Text1->setText("room5");
    dialog->adjustSize();
    QVERIFY(dialog->grab().save(folder + "/form3.png"));
    dialog->Command1->click();

    RosterEditorWindow* editor = f.commands.rosterEditor();
    editor->activate();
    for (const char* name : {"Moreno, Luis", "adams, Beth", "Zimmer, Karl", "Nguyen, Anh",
                             "O'Brien, Kate", "Baker, Sam"})
        typeName(editor, name);
    QTest::keyClicks(editor->txtname, "Castillo, Rosa");
    editor->listInUse()->setCurrentRow(2);
    editor->resize(editor->sizeHint());
    QVERIFY(editor->grab().save(folder + "/listform.png"));
}

QTEST_MAIN(RosterWindowsTest)
#include "rosterwindows_test.moc"
