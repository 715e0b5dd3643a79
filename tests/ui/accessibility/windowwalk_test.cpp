// Every window walked as a teacher without a mouse, or with a screen reader,
// meets it: each control has a name, Tab goes round every control and comes
// back, no access key points at two things, the focus always shows, and the
// values on show are spoken and announced when they change.
#include "accessibilitywalk.h"
#include "ui/app/mainwindowfixture.h"

#include "core/gradebook/categories.h"
#include "ui/app/aboutbox.h"
#include "ui/app/appstyle.h"
#include "ui/app/startupform.h"
#include "ui/app/steppanel.h"
#include "ui/classfile/filedeletionwindow.h"
#include "ui/gradebook/gradebookwindow.h"
#include "ui/gradebook/gradeentrywindow.h"
#include "ui/lessons/customperiodsdialog.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/lessonprintdialog.h"
#include "ui/lessons/newlessondialog.h"
#include "ui/reports/gradeprintdialog.h"
#include "ui/reports/reportcardwindow.h"
#include "ui/roster/addstudentdialog.h"
#include "ui/roster/newclassdialog.h"
#include "ui/roster/rostereditorwindow.h"

#include <QAccessibleTableCellInterface>
#include <QAccessibleValueInterface>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace tallyro;
using namespace tallyro::test;

namespace {

// One window opened the way the program opens it: children of the main
// window inside its work area, under its menu bar; dialogs on their own.
struct Scene {
    Fixture fixture;
    std::unique_ptr<QWidget> dialog;
    QWidget* window = nullptr;
    QMenuBar* menus = nullptr;
};

const QStringList kWindows = {
    "main window",    "grade book",    "grade entry", "report card", "file deletion",
    "roster editor",  "lesson editor", "new class",   "add student", "new lesson",
    "custom periods", "lesson print",  "grade print", "about box",   "start-up form",
};

std::unique_ptr<Scene> openScene(const QString& which) {
    auto scene = std::make_unique<Scene>();
    Fixture& f = scene->fixture;
    MainWindow& main = f.start();
    auto childOfMain = [&](QWidget* window) {
        scene->window = window;
        scene->menus = main.menuBar();
    };
    if (which == "main window") {
        // With a class open, so the step panel is there as well.
        f.openSample();
        scene->window = &main;
    } else if (which == "grade book") {
        f.openSample();
        childOfMain(main.gradeBook());
    } else if (which == "grade entry") {
        f.openSample();
        main.gradeEntryClicked();
        childOfMain(child<GradeEntryWindow>(main));
    } else if (which == "report card") {
        f.openSample();
        main.gradeReportClicked();
        childOfMain(main.reportWindow());
    } else if (which == "file deletion") {
        main.deleteFiles();
        childOfMain(main.deletionWindow());
    } else if (which == "roster editor") {
        main.gradesMode();
        auto* editor = new RosterEditorWindow(f.state, f.platform, main);
        main.showChild(editor);
        childOfMain(editor);
    } else if (which == "lesson editor") {
        startDefaultWeek(f.state);
        auto* editor = new LessonEditorWindow(f.state, f.platform, main);
        main.showChild(editor);
        editor->loadPlan();
        childOfMain(editor);
    } else {
        startNumberedClass(f.state, 3);
        if (which == "new class")
            scene->dialog = std::make_unique<NewClassDialog>();
        else if (which == "add student")
            scene->dialog = std::make_unique<AddStudentDialog>();
        else if (which == "new lesson")
            scene->dialog = std::make_unique<NewLessonDialog>();
        else if (which == "custom periods")
            scene->dialog = std::make_unique<CustomPeriodsDialog>();
        else if (which == "lesson print")
            scene->dialog = std::make_unique<LessonPrintDialog>(f.state, f.doubles.messages);
        else if (which == "grade print")
            scene->dialog =
                std::make_unique<GradePrintDialog>(f.state, f.platform, [] { return 0; });
        else if (which == "about box")
            scene->dialog = std::make_unique<AboutBox>();
        else if (which == "start-up form")
            scene->dialog = std::make_unique<StartupForm>(f.state);
        scene->window = scene->dialog.get();
        scene->window->show();
    }
    QWidget* top = scene->window ? scene->window->window() : nullptr;
    if (top) {
        top->activateWindow();
        if (!QTest::qWaitForWindowActive(top))
            qWarning("%s did not become active", qPrintable(which));
    }
    return scene;
}

void addWindowRows() {
    QTest::addColumn<QString>("which");
    for (const QString& which : kWindows)
        QTest::newRow(qPrintable(which)) << which;
}

// Controls a screen reader must be able to name: every Tab stop, and the
// option buttons of a group that Tab passes over.
QList<QWidget*> namedControls(QWidget* window) {
    QList<QWidget*> controls = focusableControls(window);
    for (QRadioButton* option : window->findChildren<QRadioButton*>())
        if (option->isVisibleTo(window) && !controls.contains(option))
            controls << option;
    return controls;
}

QStringList names(const QList<QWidget*>& widgets) {
    QStringList list;
    for (QWidget* widget : widgets)
        list << describe(widget);
    return list;
}

} // namespace

class WindowWalkTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyControlHasAName_data() { addWindowRows(); }
    void everyControlHasAName();
    void tabGoesRoundEveryControl_data() { addWindowRows(); }
    void tabGoesRoundEveryControl();
    void shiftTabGoesRoundWithoutATrap_data() { addWindowRows(); }
    void shiftTabGoesRoundWithoutATrap();
    void noAccessKeyPointsAtTwoThings_data() { addWindowRows(); }
    void noAccessKeyPointsAtTwoThings();
    void textsReadAgainstTheirBackground_data() { addWindowRows(); }
    void textsReadAgainstTheirBackground();
    void focusFrameShowsOnEveryControl_data();
    void focusFrameShowsOnEveryControl();
    void gradeBookSpeaksItsValues();
    void gradeBookGridsSpeakTheirHeaders();
    void gradeEntrySpeaksTheWalk();
    void shortcutsAreShownAndDocumented();
    void contrastIsMeasuredAsTheGuidelinesDo();
};

void WindowWalkTest::initTestCase() {
    qputenv("XDG_DATA_HOME", QDir::tempPath().toUtf8() + "/tallyro-a11y-data");
    installKeyboardAids(*qApp);
}

void WindowWalkTest::everyControlHasAName() {
    QFETCH(QString, which);
    auto scene = openScene(which);
    QVERIFY(scene->window);
    QStringList unnamed;
    for (QWidget* control : namedControls(scene->window))
        if (spokenName(control).trimmed().isEmpty())
            unnamed << describe(control);
    QVERIFY2(unnamed.isEmpty(), qPrintable("no accessible name: " + unnamed.join(", ")));
    // A child window's frame is named by its caption.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(scene->window->parentWidget()))
        QVERIFY2(!spokenName(frame).isEmpty(), "the child window's frame has no name");
}

void WindowWalkTest::tabGoesRoundEveryControl() {
    QFETCH(QString, which);
    auto scene = openScene(which);
    QWidget* window = scene->window;
    QList<QWidget*> controls = focusableControls(window);
    QVERIFY(!controls.isEmpty());
    QWidget* start = controls.first();
    start->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), start);

    QList<QWidget*> stops = tabTrip(window, true, 3 * controls.size() + 3);
    // A child of the main window shares its Tab ring with the step panel.
    QWidget* panel = scene->menus ? scene->fixture.window->stepPanel() : nullptr;
    QStringList strays;
    for (QWidget* stop : stops)
        if (!stop || (!window->isAncestorOf(stop) && !(panel && panel->isAncestorOf(stop))))
            strays << describe(stop);
    QVERIFY2(strays.isEmpty(), qPrintable("Tab stops outside the controls: " + strays.join(", ")));
    QVERIFY2(
        !stops.isEmpty() && stops.last() == start,
        qPrintable("Tab never came back to " + describe(start) + ": " + names(stops).join(" > ")));
    QStringList skipped;
    for (QWidget* control : controls)
        if (!reached(stops, control))
            skipped << describe(control);
    QVERIFY2(skipped.isEmpty(), qPrintable("Tab never reaches " + skipped.join(", ")));
}

void WindowWalkTest::shiftTabGoesRoundWithoutATrap() {
    QFETCH(QString, which);
    auto scene = openScene(which);
    QWidget* window = scene->window;
    QList<QWidget*> controls = focusableControls(window);
    QVERIFY(!controls.isEmpty());
    QWidget* start = controls.last();
    start->setFocus(Qt::BacktabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), start);
    // Twice the controls: a control may hand the focus on once (the grade
    // book's student list goes to Next), but never round and round.
    QList<QWidget*> stops = tabTrip(window, false, 3 * controls.size() + 3);
    QVERIFY2(!stops.isEmpty() && stops.last() == start,
             qPrintable("Shift+Tab never came back to " + describe(start) + ": " +
                        names(stops).join(" < ")));
    QStringList skipped;
    for (QWidget* control : controls)
        if (!reached(stops, control))
            skipped << describe(control);
    QVERIFY2(skipped.isEmpty(), qPrintable("Shift+Tab never reaches " + skipped.join(", ") + ": " +
                                           names(stops).join(" < ")));
}

void WindowWalkTest::noAccessKeyPointsAtTwoThings() {
    QFETCH(QString, which);
    auto scene = openScene(which);
    QStringList clashes = accessKeyClashes(scene->window, scene->menus);
    if (which == "main window")
        clashes = accessKeyClashes(scene->window); // its own menus are part of it
    QVERIFY2(clashes.isEmpty(), qPrintable("Alt+ " + clashes.join(" | ")));
}

// Text colours on their backgrounds: 4.5:1, or 3:1 for large text (18 points,
// or 14 points bold).
void WindowWalkTest::textsReadAgainstTheirBackground() {
    QFETCH(QString, which);
    auto scene = openScene(which);
    QStringList faint;
    for (QLabel* label : scene->window->findChildren<QLabel*>()) {
        // Greyed-out captions of commands out of use are exempt, as the
        // guidelines have it.
        if (!label->isVisibleTo(scene->window) || !label->isEnabled() ||
            label->text().trimmed().isEmpty() || !label->styleSheet().isEmpty())
            continue;
        QColor text = label->palette().color(QPalette::WindowText);
        const QWidget* behind = label;
        while (!behind->autoFillBackground() && behind->parentWidget() && !behind->isWindow())
            behind = behind->parentWidget();
        QColor background = behind->palette().color(behind->backgroundRole());
        QFontInfo font(label->font());
        bool large = font.pointSizeF() >= 18 || (font.pointSizeF() >= 14 && font.bold());
        double ratio = contrastRatio(text, background);
        if (ratio < (large ? 3.0 : 4.5))
            faint << QStringLiteral("%1 %2:1").arg(describe(label)).arg(ratio, 0, 'f', 2);
    }
    QVERIFY2(faint.isEmpty(), qPrintable("too faint: " + faint.join(", ")));
}

void WindowWalkTest::focusFrameShowsOnEveryControl_data() {
    QTest::addColumn<QString>("which");
    for (const char* which : {"grade book", "grade entry", "file deletion", "new class",
                              "lesson editor", "roster editor", "report card"})
        QTest::newRow(which) << QString::fromLatin1(which);
}

// With the focus on a control, its outline wears the focus colour all round
// (where the window leaves room), and a grid's current cell wears it too; the
// colour stands out 3:1 from what surrounds it.
void WindowWalkTest::focusFrameShowsOnEveryControl() {
    QFETCH(QString, which);
    auto scene = openScene(which);
    QWidget* top = scene->window->window();
    const QColor frame = focusFrameColour();
    QStringList unmarked;
    double weakest = 21;
    for (QWidget* control : focusableControls(scene->window)) {
        control->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QImage image = top->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        QRect rect(control->mapTo(top, QPoint(0, 0)), control->size());
        rect = QRect(rect.topLeft() * ratio, rect.size() * ratio);
        double share = outlineShare(image, rect.adjusted(-1, -1, 1, 1), frame);
        if (share < 0.85)
            unmarked << QStringLiteral("%1 (%2%)").arg(describe(control)).arg(int(share * 100));
        // Just outside the frame: what it must stand out from.
        QRect around = rect.adjusted(-4, -4, 4, 4);
        for (QPoint p :
             {around.topLeft(), around.bottomRight(), QPoint(around.center().x(), around.top())})
            if (image.rect().contains(p))
                weakest = std::min(weakest, contrastRatio(frame, QColor(image.pixel(p))));
        if (auto* grid = qobject_cast<QTableWidget*>(control)) {
            QRect cell = grid->visualRect(grid->currentIndex());
            cell.moveTopLeft(grid->viewport()->mapTo(top, cell.topLeft()));
            cell = QRect(cell.topLeft() * ratio, cell.size() * ratio);
            double inside = outlineShare(image, cell.adjusted(1, 1, -1, -1), frame);
            if (inside < 0.85)
                unmarked << describe(grid) + QStringLiteral(" current cell");
        }
    }
    QVERIFY2(unmarked.isEmpty(), qPrintable("no focus frame: " + unmarked.join(", ")));
    QVERIFY2(weakest >= 3.0, qPrintable(QStringLiteral("focus frame contrast %1:1").arg(weakest)));
}

void WindowWalkTest::gradeBookSpeaksItsValues() {
    auto scene = openScene("grade book");
    auto* book = qobject_cast<GradeBookWindow*>(scene->window);
    QVERIFY(book);
    AccessibleEvents events;
    if (!events.live())
        qInfo("no accessibility bridge: the values are checked, not their announcements");

    auto expectedSpoken = [&] {
        QString spoken = "Grand Average " + book->lblgrandave->text();
        QColor colour = book->lblgrandave->palette().color(QPalette::WindowText);
        if (colour == QColor(255, 0, 0))
            spoken += ", below the failing limit " + book->lblfail->text();
        else if (colour == QColor(0, 128, 0))
            spoken += ", 100 or more";
        return spoken;
    };
    QVERIFY(!book->lblgrandave->text().isEmpty());
    QCOMPARE(spokenName(book->lblgrandave), expectedSpoken());
    QCOMPARE(spokenName(book->lblweighttotal), QStringLiteral("Weight total 100"));

    // Next, pressed with Enter, shows the next student: the values are
    // spoken anew, with an announcement, and Next says whose they are.
    bool sawFailing = false;
    for (int s = 1; s < scene->fixture.state.classRecord().studentCount; ++s) {
        const QString before = book->lblgrandave->text();
        const int namesBefore = events.count(book->lblgrandave, QAccessible::NameChanged);
        book->cmdnextstudent->setFocus();
        QTest::keyClick(book->cmdnextstudent, Qt::Key_Return);
        QCOMPARE(book->currentStudent(), s);
        QCOMPARE(spokenName(book->lblgrandave), expectedSpoken());
        if (events.live() && book->lblgrandave->text() != before)
            QVERIFY(events.count(book->lblgrandave, QAccessible::NameChanged) > namesBefore);
        QString description = QAccessible::queryAccessibleInterface(book->cmdnextstudent)
                                  ->text(QAccessible::Description);
        QVERIFY2(description.startsWith(book->Combo1->currentText()), qPrintable(description));
        QVERIFY(description.endsWith(expectedSpoken()));
        if (spokenName(book->lblgrandave).contains("below the failing limit 70")) {
            sawFailing = true;
            QCOMPARE(book->lblgrandmark->text(), QStringLiteral("below 70"));
        }
    }
    QVERIFY2(sawFailing, "the sample class has a failing student");

    // The limit is a spin box: a screen reader hears its value and each step.
    QAccessibleInterface* limit = QAccessible::queryAccessibleInterface(book->spnfail);
    QCOMPARE(limit->text(QAccessible::Name), QStringLiteral("Failing Below"));
    QVERIFY(limit->valueInterface());
    QCOMPARE(limit->valueInterface()->currentValue().toDouble(), 70.0);
    book->spnfail->setFocus();
    QTest::keyClick(book->spnfail, Qt::Key_Up);
    QCOMPARE(limit->valueInterface()->currentValue().toDouble(), 70.1);
    QVERIFY(!events.live() || events.count(book->spnfail, QAccessible::ValueChanged) > 0);
    QCOMPARE(spokenName(book->lblgrandave), expectedSpoken());
}

void WindowWalkTest::gradeBookGridsSpeakTheirHeaders() {
    auto scene = openScene("grade book");
    auto* book = qobject_cast<GradeBookWindow*>(scene->window);
    QVERIFY(book);
    struct Expected {
        QTableWidget* grid;
        QString name;
        int column;
        QString heading;
    };
    for (const Expected& e :
         {Expected{book->grdweight, "Weights", 0, "%"}, Expected{book->grdscores, "Scores", 2, "3"},
          Expected{book->grdscores, "Scores", 44, "45"},
          Expected{book->grdaverage, "Averages", 0, "avg."}}) {
        QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(e.grid);
        QCOMPARE(grid->text(QAccessible::Name), e.name);
        QAccessibleTableInterface* table = grid->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), kCategoryCount);
        for (int row : {0, 1, 10}) {
            QAccessibleTableCellInterface* cell =
                table->cellAt(row, e.column)->tableCellInterface();
            QVERIFY(cell);
            // Qt hands the header cells to the caller; the accessibility
            // cache takes them back once read.
            auto names = [](const QList<QAccessibleInterface*>& heads) {
                QStringList texts;
                for (QAccessibleInterface* head : heads) {
                    texts << head->text(QAccessible::Name);
                    QAccessible::deleteAccessibleInterface(
                        QAccessible::registerAccessibleInterface(head));
                }
                return texts;
            };
            QCOMPARE(names(cell->rowHeaderCells()),
                     QStringList{QString::fromStdString(kCategoryNames[row + 1])});
            QCOMPARE(names(cell->columnHeaderCells()), QStringList{e.heading});
        }
        // A cell speaks what the grid shows in it.
        QCOMPARE(table->cellAt(0, e.column)->text(QAccessible::Name),
                 e.grid->item(0, e.column)->text());
    }
}

void WindowWalkTest::gradeEntrySpeaksTheWalk() {
    auto scene = openScene("grade entry");
    auto* entry = qobject_cast<GradeEntryWindow*>(scene->window);
    QVERIFY(entry);
    AccessibleEvents events;
    const ClassRecord& record = scene->fixture.state.classRecord();
    const int quizzes = record.gradeCount(2);
    entry->Text[2]->setFocus();
    QTest::keyClicks(entry->Text[2], "1");
    QTest::keyClick(entry->Text[2], Qt::Key_Tab);
    entry->cmdselectready->setFocus();
    QTest::keyClick(entry->cmdselectready, Qt::Key_Return);
    QCOMPARE(entry->phase(), GradeEntryWindow::Phase::Entering);
    const QString first = QString::fromStdString(record.studentNames[0]);
    const QString count = QString::number(record.studentCount);
    QCOMPARE(spokenName(entry->lblstudname), "Student name " + first);
    QCOMPARE(spokenName(entry->lblstudentnumber), QStringLiteral("Student number 1"));
    QCOMPARE(spokenName(entry->lblgradetotal), "Grade number " + QString::number(quizzes + 1));
    QAccessibleInterface* grade = QAccessible::queryAccessibleInterface(entry->txtgrade);
    QCOMPARE(
        grade->text(QAccessible::Description),
        QStringLiteral("Quiz grade %1 for %2, student 1 of %3").arg(quizzes + 1).arg(first, count));

    QTest::keyClicks(entry->txtgrade, "88");
    QTest::keyClick(entry->txtgrade, Qt::Key_Return);
    const QString second = QString::fromStdString(record.studentNames[1]);
    QCOMPARE(spokenName(entry->lblstudname), "Student name " + second);
    QCOMPARE(spokenName(entry->lblstudentnumber), QStringLiteral("Student number 2"));
    QVERIFY(grade->text(QAccessible::Description).contains(second + ", student 2 of " + count));
    if (events.live()) {
        QVERIFY(events.count(entry->txtgrade, QAccessible::DescriptionChanged) > 0);
        QVERIFY(events.count(entry->lblstudname, QAccessible::NameChanged) > 0);
    }
}

// Every shortcut is discoverable: beside its menu item or in its button's
// tooltip; and the help's keyboard page lists exactly the program's shortcuts.
void WindowWalkTest::shortcutsAreShownAndDocumented() {
    // A child window open, so that its frame's keys count too.
    auto scene = openScene("grade entry");
    MainWindow& main = *scene->fixture.window;
    QSet<QString> shortcuts;
    QStringList hidden;
    QStringList tooltips;
    for (QWidget* widget : main.findChildren<QWidget*>())
        if (widget->isVisibleTo(&main) && !widget->toolTip().isEmpty())
            tooltips << widget->toolTip();
    for (QAction* action : main.findChildren<QAction*>()) {
        if (action->shortcuts().isEmpty())
            continue;
        bool inMenu = false;
        for (QObject* owner : action->associatedObjects())
            inMenu |= qobject_cast<QMenu*>(owner) != nullptr;
        const QString keys = action->shortcut().toString(QKeySequence::NativeText);
        // Beside its menu item, or in the tooltip of its button or caption.
        bool inTooltip = action->toolTip().contains(keys) ||
                         std::any_of(tooltips.cbegin(), tooltips.cend(),
                                     [&](const QString& tip) { return tip.contains(keys); });
        if (!inMenu && !inTooltip)
            hidden << action->objectName() + " " + keys;
        for (const QKeySequence& key : action->shortcuts())
            shortcuts << key.toString(QKeySequence::PortableText);
    }

    QFile page(QStringLiteral(TALLYRO_SOURCE_DIR "/help/keyboard.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    QSet<QString> documented;
    QRegularExpression ctrl(QStringLiteral("\\bCtrl\\+(?:Shift\\+)?(?:F[0-9]+|[A-Z0-9])\\b"));
    for (auto match = ctrl.globalMatch(html); match.hasNext();)
        documented << match.next().captured(0);
    QStringList missing, extra;
    for (const QString& key : shortcuts)
        if (!documented.contains(key))
            missing << key;
    for (const QString& key : documented)
        if (!shortcuts.contains(key))
            extra << key;
    QVERIFY2(missing.isEmpty(), qPrintable("not on the keyboard page: " + missing.join(", ")));
    QVERIFY2(extra.isEmpty(),
             qPrintable("on the keyboard page, not in the program: " + extra.join(", ")));
    QVERIFY2(hidden.isEmpty(), qPrintable("shortcut shown nowhere: " + hidden.join(", ")));
}

// The measure every contrast check above relies on, against known figures.
void WindowWalkTest::contrastIsMeasuredAsTheGuidelinesDo() {
    QCOMPARE(qRound(contrastRatio(Qt::black, Qt::white) * 100), 2100);
    QCOMPARE(qRound(contrastRatio(Qt::white, Qt::white) * 100), 100);
    // The grade book's red on the window's grey, as measured on screen.
    QCOMPARE(qRound(contrastRatio(QColor(255, 0, 0), QColor(239, 239, 239)) * 100), 348);
    QCOMPARE(qRound(contrastRatio(QColor(255, 0, 0), Qt::white) * 100), 400);
    QCOMPARE(contrastRatio(QColor(0, 128, 0), Qt::white),
             contrastRatio(Qt::white, QColor(0, 128, 0)));
}

QTEST_MAIN(WindowWalkTest)
#include "windowwalk_test.moc"
