#include <QTest>

#include "core/classfile/gradefile.h"
#include "support/windowfixture.h"
#include "ui/gradebook/gradebookwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <memory>

using namespace tallyro;

namespace {

// One class held by a window under test, with the doubles it talks to.
class Bench : public test::WindowDoubles {
public:
    explicit Bench(int students) { test::startNumberedClass(state, students); }

    // Gives a category its weight and one student its grades ("" = never entered).
    void grades(int category, const char* weight, int student, std::vector<std::string> texts) {
        test::editClass(state, [&](ClassRecord& r) {
            r.categoryWeights[category] = Value(weight);
            r.gradeCounts[category] =
                Value(std::max(r.gradeCount(category), static_cast<int>(texts.size())));
            for (size_t k = 0; k < texts.size(); ++k)
                r.grades(student, category, static_cast<int>(k) + 1) =
                    texts[k].empty() ? Value() : Value(texts[k]);
        });
    }

    GradeBookWindow& open() {
        window = std::make_unique<GradeBookWindow>(state, platform, shell);
        window->resize(900, 480);
        window->show();
        window->activate();
        window->fillStudentList();
        return *window;
    }

    QString score(int row, int column) const {
        return GradeBookWindow::cellText(window->grdscores, row, column);
    }
    QString average(int row) const { return GradeBookWindow::cellText(window->grdaverage, row, 0); }
    QColor grandColour() const {
        return window->lblgrandave->palette().color(QPalette::WindowText);
    }

    std::unique_ptr<GradeBookWindow> window;
};

QColor colourOf(QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}

} // namespace

class GradeBookWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsCarryTheirNamesAndCaptions();
    void activationShowsWeightsAndLimit();
    void grandAverageColourFollowsTheLimit_data();
    void grandAverageColourFollowsTheLimit();
    void weightTotalSaysWhenItIsNot100();
    void decimalAndRoundedModes();
    void averagesAreCutAndLaterColumnsUntouched();
    void failLimitSpinnerStepsAndStops();
    void nextWrapsAndCycleEndsOnTheStart();
    void badGradeIsReportedAndTheWindowStaysUsable();
    void editingAWeight();
    void editingAGrade();
    void onlyRecordedGradesCanBeEdited();
    void editKeepsLongValuesAndOutlivesAnEmptiedClass();
    void droppingAColumnForEveryone();
    void cancellingTheDropStoresForOneStudent();
    void editsSurviveSavingAndReopening();
    void cellsAreEditedFromTheKeyboard();
    void tabAndShiftTabLeaveTheStudentListForNext();
    void renderForTheEye();
};

void GradeBookWindowTest::controlsCarryTheirNamesAndCaptions() {
    Bench bench(1);
    GradeBookWindow& w = bench.open();
    QCOMPARE(w.objectName(), QStringLiteral("frmlistbox"));
    QCOMPARE(w.findChildren<QLabel*>(QStringLiteral("Label20")).size(), 11);
    QCOMPARE(w.Label20[0]->text(), QStringLiteral("Homework"));
    QCOMPARE(w.Label20[10]->text(), QStringLiteral("Special Project"));
    QCOMPARE(w.grdweight->accessibleName(), QStringLiteral("Weights"));
    QCOMPARE(w.grdscores->accessibleName(), QStringLiteral("Scores"));
    QCOMPARE(w.grdaverage->accessibleName(), QStringLiteral("Averages"));
    QCOMPARE(w.grdscores->columnCount(), 45);
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 0, 0), QStringLiteral("%"));
    QCOMPARE(GradeBookWindow::cellText(w.grdscores, 0, 44), QStringLiteral("45"));
    QCOMPARE(w.cmdweight->text(), QStringLiteral("En&ter"));
    QCOMPARE(w.cmddrop->text(), QStringLiteral("&Drop"));
    QCOMPARE(w.cmdnextstudent->text(), QStringLiteral("&Next"));
    QCOMPARE(w.Frame24->title(), QStringLiteral("Average"));
    QCOMPARE(w.Label16->text(), QStringLiteral("(also used in printing)"));
    QCOMPARE(w.txtweight->maxLength(), 3);
    // Opening state: Decimal, nothing being edited, Drop off.
    QVERIFY(w.Option1->isChecked());
    QCOMPARE(bench.state.averageMode, AverageMode::Decimal);
    QVERIFY(!w.txtweight->isEnabled());
    QVERIFY(!w.cmdweight->isEnabled());
    QVERIFY(!w.cmddrop->isEnabled());
    for (QWidget* control : w.findChildren<QWidget*>()) {
        bool reachable = qobject_cast<QPushButton*>(control) || qobject_cast<QLineEdit*>(control) ||
                         qobject_cast<QComboBox*>(control) || qobject_cast<QRadioButton*>(control);
        if (reachable && control->parent() != w.Combo1)
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
}

void GradeBookWindowTest::activationShowsWeightsAndLimit() {
    Bench bench(1);
    bench.grades(1, "20", 0, {"90"});
    bench.grades(2, "-5", 0, {"80"});
    bench.grades(3, "65", 0, {"70"});
    test::editClass(bench.state, [&](ClassRecord& r) { r.categoryWeights[4] = Value("abc"); });
    GradeBookWindow& w = bench.open();

    QCOMPARE(bench.shell.stepEnabled[Step::NameEntry], false);
    QCOMPARE(w.lblfail->text(), QStringLiteral("70"));
    QCOMPARE(bench.state.failLimit.toNumber(), 70.0);
    QCOMPARE(bench.state.classRecord().categoryNames[11], std::string("Special Project"));

    QCOMPARE(colourOf(w.Label20[0]), QColor(0, 0, 255));
    QVERIFY(w.Label20[0]->font().bold());
    // A weight below 0 or not a number is stored as 0 and its label is plain.
    QCOMPARE(bench.state.classRecord().categoryWeights[2], Value(0));
    QCOMPARE(bench.state.classRecord().categoryWeights[4], Value(0));
    QCOMPARE(colourOf(w.Label20[1]), QColor(0, 0, 0));
    QVERIFY(!w.Label20[1]->font().bold());
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 2, 0), QStringLiteral("0"));
    QCOMPARE(w.lblweighttotal->text(), QStringLiteral("85"));

    // A limit already chosen is shown as it is.
    Bench second(1);
    second.state.failLimit = Value("65.5");
    second.open();
    QCOMPARE(second.window->lblfail->text(), QStringLiteral("65.5"));
}

void GradeBookWindowTest::grandAverageColourFollowsTheLimit_data() {
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("just below") << "69.99" << QColor(255, 0, 0) << "below 70"
                                << "Grand Average 69.99, below the failing limit 70";
    QTest::newRow("at the limit") << "70" << QColor(0, 0, 128) << ""
                                  << "Grand Average 70";
    QTest::newRow("full marks") << "100" << QColor(0, 128, 0) << "100 or more"
                                << "Grand Average 100, 100 or more";
    QTest::newRow("above full") << "105" << QColor(0, 128, 0) << "100 or more"
                                << "Grand Average 105, 100 or more";
}

// The colour is never the only sign: a word beside the value, and the same
// meaning in what a screen reader says.
void GradeBookWindowTest::grandAverageColourFollowsTheLimit() {
    QFETCH(QString, grade);
    QFETCH(QColor, colour);
    QFETCH(QString, mark);
    QFETCH(QString, spoken);
    Bench bench(1);
    bench.grades(1, "100", 0, {grade.toStdString()});
    bench.open();
    QCOMPARE(bench.window->lblgrandave->text(), grade);
    QCOMPARE(bench.grandColour(), colour);
    QCOMPARE(bench.window->lblgrandmark->text(), mark);
    QCOMPARE(bench.window->lblgrandave->accessibleName(), spoken);
    QCOMPARE(bench.window->cmdnextstudent->accessibleDescription(),
             QStringLiteral("Student 1, ") + spoken);
}

// The averages are not scaled to the weights, so a total other than 100 is
// said in words beside it, in its tooltip and to a screen reader.
void GradeBookWindowTest::weightTotalSaysWhenItIsNot100() {
    Bench bench(1);
    bench.grades(1, "60", 0, {"90"});
    bench.grades(2, "40", 0, {"80"});
    GradeBookWindow& w = bench.open();
    QCOMPARE(w.lblweighttotal->text(), QStringLiteral("100"));
    QCOMPARE(w.lblweightwarning->text(), QString());
    QCOMPARE(w.lblweighttotal->accessibleName(), QStringLiteral("Weight total 100"));

    w.selectWeightCell(2);
    type(w.txtweight, QStringLiteral("25"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    const QString warning = QStringLiteral("weights add up to 85%, not 100%");
    QCOMPARE(w.lblweighttotal->text(), QStringLiteral("85"));
    QCOMPARE(w.lblweightwarning->text(), warning);
    QVERIFY(w.lblweightwarning->isVisibleTo(&w));
    QCOMPARE(w.lblweighttotal->toolTip(), warning);
    QCOMPARE(w.lblweighttotal->accessibleName(), QStringLiteral("Weight total 85, ") + warning);
    // The average is still the plain weighted sum.
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("74"));

    w.selectWeightCell(2);
    type(w.txtweight, QStringLiteral("50"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    QCOMPARE(w.lblweightwarning->text(), QStringLiteral("weights add up to 110%, not 100%"));
}

void GradeBookWindowTest::decimalAndRoundedModes() {
    Bench bench(1);
    bench.grades(1, "100", 0, {"80", "90", "90"}); // 86.666...
    GradeBookWindow& w = bench.open();
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("86.66"));
    QTest::mouseClick(w.Option2, Qt::LeftButton);
    QCOMPARE(bench.state.averageMode, AverageMode::Rounded);
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("87"));
    QCOMPARE(bench.state.classRecord().grandAverages[0], Value(87));
    QTest::mouseClick(w.Option1, Qt::LeftButton);
    QCOMPARE(bench.state.averageMode, AverageMode::Decimal);
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("86.66"));
}

void GradeBookWindowTest::averagesAreCutAndLaterColumnsUntouched() {
    Bench bench(2);
    bench.grades(1, "50", 0, {"90", "x", "80"});
    bench.grades(2, "30", 0, {"x", "d", "x"});
    bench.grades(3, "20", 0, {"80", "90", "90"});
    bench.grades(3, "20", 1, {"1", "2", "3"});
    GradeBookWindow& w = bench.open();
    QCOMPARE(bench.average(1), QStringLiteral("85"));
    QCOMPARE(bench.average(2), QStringLiteral("100"));
    QCOMPARE(bench.average(3), QStringLiteral("86.66"));
    QCOMPARE(bench.average(4), QStringLiteral("0"));
    QCOMPARE(bench.score(1, 1), QStringLiteral("x"));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("89.83")); // 42.5 + 30 + 17.333

    // Cells past a category's recorded grades are left as they were.
    w.grdscores->item(0, 10)->setText(QStringLiteral("keep"));
    w.nextStudent();
    QCOMPARE(w.currentStudent(), 1);
    QCOMPARE(bench.score(3, 0), QStringLiteral("1"));
    QCOMPARE(bench.score(1, 10), QStringLiteral("keep"));
    QCOMPARE(bench.average(3), QStringLiteral("2"));
}

QPoint arrowCentre(QDoubleSpinBox* box, QStyle::SubControl arrow) {
    QStyleOptionSpinBox option;
    option.initFrom(box);
    option.subControls = QStyle::SC_All;
    option.buttonSymbols = box->buttonSymbols();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return box->style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, box).center();
}

void GradeBookWindowTest::failLimitSpinnerStepsAndStops() {
    Bench bench(1);
    bench.grades(1, "100", 0, {"70"});
    GradeBookWindow& w = bench.open();
    FailLimitBox* spinner = w.spnfail;
    const QPoint up = arrowCentre(spinner, QStyle::SC_SpinBoxUp);
    const QPoint down = arrowCentre(spinner, QStyle::SC_SpinBoxDown);

    QTest::mouseClick(spinner, Qt::LeftButton, {}, up);
    QCOMPARE(w.lblfail->text(), QStringLiteral("70.1"));
    QCOMPARE(bench.state.failLimit.toText(), std::string("70.1"));
    // The colour follows the new limit at once, without a refresh.
    QCOMPARE(bench.grandColour(), QColor(255, 0, 0));
    QCOMPARE(w.lblgrandmark->text(), QStringLiteral("below 70.1"));
    QTest::keyClick(spinner, Qt::Key_Down);
    QCOMPARE(w.lblfail->text(), QStringLiteral("70"));
    QCOMPARE(bench.grandColour(), QColor(0, 0, 128));
    QCOMPARE(w.lblgrandmark->text(), QString());

    // The wheel steps like the arrows.
    QWheelEvent wheel(QPointF(5, 5), spinner->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(spinner, &wheel);
    QCOMPARE(w.lblfail->text(), QStringLiteral("70.1"));

    // Held down, an arrow goes on stepping.
    QTest::mousePress(spinner, Qt::LeftButton, {}, down);
    QTest::qWait(1200);
    QTest::mouseRelease(spinner, Qt::LeftButton, {}, down);
    QVERIFY2(spinner->value() < 69.75, qPrintable(w.lblfail->text()));

    // A limit can be typed; it counts once Enter is pressed.
    const std::string held = bench.state.failLimit.toText();
    spinner->selectAll();
    QTest::keyClicks(spinner, QStringLiteral("65.5"));
    QCOMPARE(bench.state.failLimit.toText(), held); // "6" alone is no limit
    QTest::keyClick(spinner, Qt::Key_Return);
    QCOMPARE(bench.state.failLimit.toText(), std::string("65.5"));
    QCOMPARE(w.lblfail->text(), QStringLiteral("65.5"));
    // Letters and values past 100 cannot be typed.
    spinner->selectAll();
    QTest::keyClicks(spinner, QStringLiteral("abc"));
    QTest::keyClick(spinner, Qt::Key_Return);
    QCOMPARE(w.lblfail->text(), QStringLiteral("65.5"));
    spinner->selectAll();
    QTest::keyClicks(spinner, QStringLiteral("150"));
    QTest::keyClick(spinner, Qt::Key_Return);
    QCOMPARE(bench.state.failLimit.toText(), std::string("15"));

    // Up stops at 100 and Down at 0.
    spinner->setValue(99.9);
    QTest::keyClick(spinner, Qt::Key_Up);
    QCOMPARE(w.lblfail->text(), QStringLiteral("100"));
    QTest::keyClick(spinner, Qt::Key_Up);
    QCOMPARE(w.lblfail->text(), QStringLiteral("100"));
    QCOMPARE(bench.state.failLimit.toText(), std::string("100"));
    spinner->setValue(0.1);
    QTest::keyClick(spinner, Qt::Key_Down);
    QCOMPARE(w.lblfail->text(), QStringLiteral("0"));
    QTest::keyClick(spinner, Qt::Key_Down);
    QCOMPARE(w.lblfail->text(), QStringLiteral("0"));
    // Nobody fails below a limit of 0.
    QCOMPARE(bench.grandColour(), QColor(0, 0, 128));
}

void GradeBookWindowTest::nextWrapsAndCycleEndsOnTheStart() {
    Bench bench(3);
    for (int s = 0; s < 3; ++s)
        bench.grades(1, "100", s, {std::to_string(80 + s)});
    GradeBookWindow& w = bench.open();
    QCOMPARE(w.Combo1->count(), 3);
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("Student 1"));
    QTest::mouseClick(w.cmdnextstudent, Qt::LeftButton);
    QTest::mouseClick(w.cmdnextstudent, Qt::LeftButton);
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("82"));
    QTest::mouseClick(w.cmdnextstudent, Qt::LeftButton);
    QCOMPARE(w.Combo1->currentIndex(), 0);
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("80"));

    w.Combo1->setCurrentIndex(1);
    test::editClass(bench.state, [](ClassRecord& r) {
        for (Value& g : r.grandAverages)
            g = Value();
    });
    QTest::mouseClick(w.cmdcycle, Qt::LeftButton);
    QCOMPARE(w.Combo1->currentIndex(), 1);
    QCOMPARE(w.currentStudent(), 1);
    QCOMPARE(bench.state.classRecord().grandAverages[0], Value("80"));
    QCOMPARE(bench.state.classRecord().grandAverages[1], Value("81"));
    QCOMPARE(bench.state.classRecord().grandAverages[2], Value("82"));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void GradeBookWindowTest::badGradeIsReportedAndTheWindowStaysUsable() {
    Bench bench(2);
    bench.grades(1, "50", 0, {"90"});
    bench.grades(2, "50", 0, {"80", "8O"});
    bench.grades(1, "50", 1, {"70"});
    bench.grades(2, "50", 1, {"60", "60"});
    test::editClass(bench.state, [&](ClassRecord& r) { r.studentNames[0] = "Ann Avery"; });
    GradeBookWindow& w = bench.open();
    auto& shown = bench.doubles.messages.shown;
    QCOMPARE(shown.size(), size_t(1)); // once per refresh, not once per cell
    QCOMPARE(shown[0].title, QStringLiteral("Error!"));
    QCOMPARE(shown[0].style, 48);
    QVERIFY(shown[0].text.contains(QStringLiteral("Ann Avery")));
    QVERIFY(shown[0].text.contains(QStringLiteral("Quiz")));
    QVERIFY(shown[0].text.contains(QStringLiteral("8O")));
    QVERIFY(shown[0].text.contains(QStringLiteral("grade 2")));
    // What was shown before the bad grade stays.
    QCOMPARE(bench.average(1), QStringLiteral("90"));
    QCOMPARE(bench.score(2, 1), QStringLiteral("8O"));

    QTest::mouseClick(w.cmdnextstudent, Qt::LeftButton);
    QCOMPARE(shown.size(), size_t(1));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("65"));
    QTest::mouseClick(w.cmdrefresh, Qt::LeftButton);
    QCOMPARE(shown.size(), size_t(1));
}

void GradeBookWindowTest::editingAWeight() {
    Bench bench(1);
    bench.grades(1, "20", 0, {"50"});
    bench.grades(2, "80", 0, {"100"});
    GradeBookWindow& w = bench.open();
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("90"));

    // A real click on the Homework weight cell starts the edit.
    QRect cell = w.grdweight->visualItemRect(w.grdweight->item(0, 0));
    QTest::mouseClick(w.grdweight->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Weight);
    QCOMPARE(w.txtweight->text(), QStringLiteral("20"));
    QVERIFY(!w.grdweight->isEnabled() && !w.grdscores->isEnabled());
    QVERIFY(!w.cmdnextstudent->isEnabled() && !w.cmdrefresh->isEnabled());
    type(w.txtweight, QStringLiteral("25"));
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 1, 0), QStringLiteral("25"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    QCOMPARE(bench.state.classRecord().categoryWeights[1], Value("25"));
    QCOMPARE(w.lblweighttotal->text(), QStringLiteral("105"));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("92.5"));
    QCOMPARE(bench.state.classModified(), true);
    QVERIFY(w.grdweight->isEnabled() && w.cmdnextstudent->isEnabled());

    // A weight of -5 is stored as 0 and the category stops counting.
    w.selectWeightCell(1);
    type(w.txtweight, QStringLiteral("-5"));
    QTest::mouseClick(w.cmdweight, Qt::LeftButton);
    QCOMPARE(bench.state.classRecord().categoryWeights[1], Value(0));
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 1, 0), QStringLiteral("0"));
    QCOMPARE(colourOf(w.Label20[0]), QColor(0, 0, 0));
    QVERIFY(!w.Label20[0]->font().bold());
    QCOMPARE(w.lblweighttotal->text(), QStringLiteral("80"));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("80"));

    // Letters cannot be typed; an empty Enter puts the old text back.
    w.selectWeightCell(2);
    QTest::keyClicks(w.txtweight, QStringLiteral("a"));
    QCOMPARE(w.txtweight->text(), QString());
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 2, 0), QString());
    QTest::mouseClick(w.cmdweight, Qt::LeftButton);
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 2, 0), QStringLiteral("80"));
    QCOMPARE(bench.state.classRecord().categoryWeights[2], Value("80"));
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);

    // The heading row only returns to idle.
    w.selectWeightCell(0);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    QVERIFY(!w.txtweight->isEnabled());
}

void GradeBookWindowTest::editingAGrade() {
    Bench bench(2);
    bench.grades(2, "100", 0, {"90", "70", "80"});
    bench.grades(2, "100", 1, {"60", "60", "60"});
    GradeBookWindow& w = bench.open();
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("80"));

    w.selectScoreCell(2, 1);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Score);
    QVERIFY(!w.Combo1->isEnabled()); // the edit belongs to the student on show
    type(w.txtweight, QStringLiteral("x"));
    QVERIFY(w.cmddrop->isEnabled());
    QCOMPARE(bench.score(2, 1), QStringLiteral("x"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    QCOMPARE(bench.state.classRecord().grades(0, 2, 2), Value("x"));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("85"));
    QCOMPARE(bench.state.classRecord().grades(1, 2, 2), Value("60"));
    QCOMPARE(bench.state.classModified(), true);

    // "d" may be typed here (grade entry refuses it).
    w.selectScoreCell(2, 2);
    type(w.txtweight, QStringLiteral("d"));
    QTest::mouseClick(w.cmdweight, Qt::LeftButton);
    QCOMPARE(bench.state.classRecord().grades(0, 2, 3), Value("d"));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("90"));

    // Any other text empties the box; Enter on the empty box changes nothing.
    w.selectScoreCell(2, 0);
    type(w.txtweight, QStringLiteral("q"));
    QCOMPARE(w.txtweight->text(), QString());
    QVERIFY(!w.cmddrop->isEnabled());
    QTest::mouseClick(w.cmdweight, Qt::LeftButton);
    QCOMPARE(bench.score(2, 0), QStringLiteral("90"));
    QCOMPARE(bench.state.classRecord().grades(0, 2, 1), Value("90"));
    QVERIFY(w.Combo1->isEnabled());
}

void GradeBookWindowTest::onlyRecordedGradesCanBeEdited() {
    Bench bench(1);
    bench.grades(1, "100", 0, {"90", ""});
    GradeBookWindow& w = bench.open();
    w.selectScoreCell(1, 5); // past the recorded grades
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    QVERIFY(!w.txtweight->isEnabled());
    w.selectScoreCell(0, 0); // the grade-number headings
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    w.selectScoreCell(3, 0); // a category without grades
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    // A recorded but empty grade counts as 0, so it can be put right.
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("45"));
    w.selectScoreCell(1, 1);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Score);
    type(w.txtweight, QStringLiteral("80"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("85"));
}

void GradeBookWindowTest::editKeepsLongValuesAndOutlivesAnEmptiedClass() {
    Bench bench(1);
    bench.grades(1, "12.5", 0, {"92.5"});
    GradeBookWindow& w = bench.open();
    // A file can hold values longer than the 3 characters a teacher types:
    // opening and entering them must not cut them short.
    w.selectScoreCell(1, 0);
    QCOMPARE(w.txtweight->text(), QStringLiteral("92.5"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    QCOMPARE(bench.state.classRecord().grades(0, 1, 1), Value("92.5"));
    w.selectWeightCell(1);
    QCOMPARE(w.txtweight->text(), QStringLiteral("12.5"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    QCOMPARE(bench.state.classRecord().categoryWeights[1].toText(), std::string("12.5"));

    // The class emptied under an open edit: Enter and Drop store nothing.
    for (QPushButton* button : {w.cmdweight, w.cmddrop}) {
        bench.grades(1, "12.5", 0, {"92.5"});
        w.fillStudentList();
        w.selectScoreCell(1, 0);
        type(w.txtweight, QStringLiteral("70"));
        test::editClass(bench.state, [&](ClassRecord& r) { r.clearToNothing(); });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
        test::startNumberedClass(bench.state, 1);
    }
}

void GradeBookWindowTest::droppingAColumnForEveryone() {
    Bench bench(25);
    for (int s = 0; s < 25; ++s)
        bench.grades(2, "100", s, {"90", "80", "40", "70"});
    GradeBookWindow& w = bench.open();
    bench.doubles.messages.answer(MessageButton::Ok);
    w.selectScoreCell(2, 2);
    QCOMPARE(w.txtweight->text(), QStringLiteral("40"));
    QVERIFY(w.cmddrop->isEnabled());
    QTest::mouseClick(w.cmddrop, Qt::LeftButton);

    const auto& asked = bench.doubles.messages.shown.back();
    QCOMPARE(asked.title, QStringLiteral("Drop a Grade"));
    QCOMPARE(asked.style, 273);
    QCOMPARE(asked.text, QStringLiteral("Quiz grade # 3 will be dropped\nfor all students in "
                                        "math.grd.\nPermanantly when this file is saved."));
    for (int s = 0; s < 25; ++s)
        QCOMPARE(bench.state.classRecord().grades(s, 2, 3), Value("d"));
    QCOMPARE(bench.state.classRecord().gradeCount(2), 4);
    QCOMPARE(bench.score(2, 2), QStringLiteral("d"));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("80"));
    QCOMPARE(bench.state.classModified(), true);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    QVERIFY(!w.cmddrop->isEnabled());
}

void GradeBookWindowTest::cancellingTheDropStoresForOneStudent() {
    Bench bench(3);
    for (int s = 0; s < 3; ++s)
        bench.grades(2, "100", s, {"90", "80", "40"});
    GradeBookWindow& w = bench.open();
    w.nextStudent();
    bench.doubles.messages.answer(MessageButton::Cancel);
    w.selectScoreCell(2, 2);
    type(w.txtweight, QStringLiteral("75"));
    QTest::mouseClick(w.cmddrop, Qt::LeftButton);
    QCOMPARE(bench.state.classRecord().grades(1, 2, 3), Value("75"));
    QCOMPARE(bench.state.classRecord().grades(0, 2, 3), Value("40"));
    QCOMPARE(bench.state.classRecord().grades(2, 2, 3), Value("40"));
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    QVERIFY(!w.cmddrop->isEnabled());
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("81.66"));
}

void GradeBookWindowTest::editsSurviveSavingAndReopening() {
    Bench bench(2);
    bench.grades(1, "40", 0, {"90", "80"});
    bench.grades(1, "40", 1, {"70", "60"});
    bench.grades(3, "60", 0, {"88"});
    bench.grades(3, "60", 1, {"77"});
    GradeBookWindow& w = bench.open();
    w.selectWeightCell(1);
    type(w.txtweight, QStringLiteral("35"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    w.selectScoreCell(1, 0);
    type(w.txtweight, QStringLiteral("x"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    bench.doubles.messages.answer(MessageButton::Ok);
    w.selectScoreCell(1, 1);
    QTest::mouseClick(w.cmddrop, Qt::LeftButton);

    QTemporaryDir dir;
    std::string path = QDir(dir.path()).filePath(QStringLiteral("math.grd")).toStdString();
    writeClassFile(path, bench.state.classRecord());
    ClassRecord reopened;
    readClassFile(path, reopened);
    QCOMPARE(reopened.categoryWeights[1].toText(), std::string("35"));
    QCOMPARE(reopened.grades(0, 1, 1).toText(), std::string("x"));
    QCOMPARE(reopened.grades(0, 1, 2).toText(), std::string("d"));
    QCOMPARE(reopened.grades(1, 1, 2).toText(), std::string("d"));
    QCOMPARE(reopened.grades(1, 1, 1).toText(), std::string("70"));
    QCOMPARE(reopened.gradeCount(1), 2);
}

// Enter or F2 on a grid cell edits it in the Edit Box; Escape gives the cell
// its text back and stores nothing; after either the focus is on the cell.
void GradeBookWindowTest::cellsAreEditedFromTheKeyboard() {
    Bench bench(1);
    bench.grades(1, "100", 0, {"90", "70"});
    GradeBookWindow& w = bench.open();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    w.grdweight->setFocus(Qt::TabFocusReason);
    QCOMPARE(w.grdweight->currentRow(), 0); // a grid reached by Tab has a cell
    QTest::keyClick(w.grdweight, Qt::Key_F2);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Weight);
    QCOMPARE(QApplication::focusWidget(), w.txtweight);
    type(w.txtweight, QStringLiteral("40"));
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 1, 0), QStringLiteral("40"));
    QTest::keyClick(w.txtweight, Qt::Key_Escape);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    QCOMPARE(GradeBookWindow::cellText(w.grdweight, 1, 0), QStringLiteral("100"));
    QCOMPARE(bench.state.classRecord().categoryWeights[1], Value("100"));
    QCOMPARE(QApplication::focusWidget(), w.grdweight);
    QVERIFY(!bench.state.classModified());
    QVERIFY(!bench.doubles.history->stack().canUndo());

    // A score typed and taken back: the cell shows what it held.
    w.grdscores->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.grdscores, Qt::Key_Right);
    QTest::keyClick(w.grdscores, Qt::Key_Return);
    type(w.txtweight, QStringLiteral("5"));
    QCOMPARE(bench.score(1, 1), QStringLiteral("5"));
    QTest::keyClick(w.txtweight, Qt::Key_Escape);
    QCOMPARE(bench.score(1, 1), QStringLiteral("70"));
    QCOMPARE(bench.state.classRecord().grades(0, 1, 2), Value("70"));

    // Enter commits a score typed after Enter opened the cell.
    QTest::keyClick(w.grdscores, Qt::Key_Return);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Score);
    QCOMPARE(w.txtweight->text(), QStringLiteral("70"));
    type(w.txtweight, QStringLiteral("x"));
    QTest::keyClick(w.txtweight, Qt::Key_Return);
    QCOMPARE(bench.state.classRecord().grades(0, 1, 2), Value("x"));
    QCOMPARE(w.lblgrandave->text(), QStringLiteral("90"));
    QCOMPARE(QApplication::focusWidget(), w.grdscores);
    QCOMPARE(w.grdscores->currentColumn(), 1);

    // A cell with no grade to edit: a beep, and the teacher stays put.
    QTest::keyClick(w.grdscores, Qt::Key_Right);
    QTest::keyClick(w.grdscores, Qt::Key_F2);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
    QCOMPARE(bench.doubles.messages.beeps, 1);
    QCOMPARE(QApplication::focusWidget(), w.grdscores);
    // The averages are read, not edited.
    w.grdaverage->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.grdaverage, Qt::Key_Return);
    QCOMPARE(w.editMode(), GradeBookWindow::EditMode::Idle);
}

// The student list hands the focus to Next whichever way it is left; a second
// Shift+Tab goes on backwards instead of turning between the two.
void GradeBookWindowTest::tabAndShiftTabLeaveTheStudentListForNext() {
    Bench bench(2);
    GradeBookWindow& w = bench.open();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.Combo1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.Combo1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w.cmdnextstudent);
    w.Combo1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.Combo1, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), w.cmdnextstudent);
    QTest::keyClick(w.cmdnextstudent, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), w.spnfail);
    // Reached from Cycle, Shift+Tab from Next goes back into the list.
    w.cmdcycle->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w.cmdcycle, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), w.cmdnextstudent);
    QTest::keyClick(w.cmdnextstudent, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), w.Combo1);
}

// With TALLYRO_SCREENSHOTS set to a folder, the window is saved there as a
// picture of a realistic class, to be looked at by a person.
void GradeBookWindowTest::renderForTheEye() {
    QString folder = qEnvironmentVariable("TALLYRO_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("TALLYRO_SCREENSHOTS not set");
    const char* names[] = {"Alvarez, Maria", "Brooks, Daniel", "Chen, Lily",    "Dawson, Tyler",
                           "Evans, Grace",   "Foster, Noah",   "Garcia, Sofia", "Hughes, Ethan"};
    Bench bench(8);
    for (int s = 0; s < 8; ++s) {
        test::editClass(bench.state, [&](ClassRecord& r) { r.studentNames[s] = names[s]; });
        bench.grades(1, "15", s, {"100", "95", "x", "88", "92", "100", "85", "90"});
        bench.grades(2, "25", s, {"78", "85", "d", "92", "88", "69.5"});
        bench.grades(3, "30", s, {"84", "91", "77"});
        bench.grades(5, "30", s, {"88"});
    }
    test::editClass(bench.state, [&](ClassRecord& r) { r.grades(0, 3, 2) = Value("64"); });
    GradeBookWindow& w = bench.open();
    w.resize(w.sizeHint().expandedTo(QSize(860, 0)));
    QApplication::processEvents();
    QVERIFY(w.grab().save(QDir(folder).filePath(QStringLiteral("frmlistbox.png"))));

    // A failing student, and weights that leave 15% of every grade out.
    bench.grades(1, "0", 1, {"40", "55", "x", "62", "50", "48", "61", "30"});
    bench.grades(3, "30", 1, {"51", "60", "58"});
    w.activate();
    w.nextStudent();
    QApplication::processEvents();
    QVERIFY(w.grab().save(QDir(folder).filePath(QStringLiteral("frmlistbox-failing.png"))));
}

QTEST_MAIN(GradeBookWindowTest)
#include "gradebookwindow_test.moc"
