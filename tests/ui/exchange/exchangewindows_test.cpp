#include "core/app/appstate.h"
#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"
#include "support/modaldialog.h"
#include "support/scriptedplatform.h"
#include "ui/exchange/exportdialog.h"
#include "ui/exchange/gradeimportdialog.h"
#include "ui/exchange/namesimport.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tallyro;
using namespace tallyro::test;

namespace {

ClassRecord exampleClass() {
    ClassRecord record;
    readClassFile(std::string(TALLYRO_TEST_DATA) + "/exchange-class.grd", record);
    return record;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// Every control a teacher can reach has a name for tests and for screen readers.
void expectNamedControls(QWidget* window) {
    const auto controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        // The inner parts of a spin box, list or table belong to that control.
        bool ownPart =
            control->parentWidget() != window && !qobject_cast<QGroupBox*>(control->parentWidget());
        if (control->focusPolicy() == Qt::NoFocus || ownPart)
            continue;
        QVERIFY2(!control->objectName().isEmpty(), control->metaObject()->className());
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }
}

QString previewText(QTableWidget* table, int row, int column) {
    QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

bool isRed(QTableWidget* table, int row) {
    return table->item(row, 0)->foreground().color() == QColor(255, 0, 0);
}

} // namespace

class ExchangeWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void exportProposesTheClassNameWritesAndSaysWhere();
    void exportCancelTypedNamesAndRefusals();
    void exportFromWindowTakesTheDialogsChoices();
    void gradeImportPreviewsMatchesAndRefusesUnmatchedRecords();
    void gradeImportReturnsThePlanOnlyOnOk();
    void namesFileGivesNamesOrExplainsWhyNot();
};

void ExchangeWindowsTest::exportProposesTheClassNameWritesAndSaysWhere() {
    QTemporaryDir dir;
    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    AppState state;
    state.currentFileName = "ROOM5.grd";
    state.currentFileFolder = dir.path().toStdString();
    ClassRecord record = exampleClass();

    QString target = dir.filePath("grades.csv");
    doubles.files.choose(target);
    QCOMPARE(exportClass(record, state, platform, ExportFormat::Csv, AverageMode::Rounded), target);
    QCOMPARE(doubles.files.shown.size(), size_t(1));
    const auto& asked = doubles.files.shown.front();
    QCOMPARE(asked.fileName, dir.filePath("ROOM5.csv"));
    QCOMPARE(asked.title, QString("Export"));
    QVERIFY(asked.save && (asked.flags & FileDialog::OverwritePrompt));
    QCOMPARE(QString::fromStdString(readTextFile(target.toStdString())),
             QString::fromStdString(
                 readTextFile(std::string(TALLYRO_TEST_DATA) + "/exchange-class-rounded.csv")));
    QCOMPARE(doubles.messages.shown.size(), size_t(1));
    QCOMPARE(doubles.messages.shown[0].text, "The grades were exported to\n" + target);
    QCOMPARE(doubles.messages.shown[0].style, MessageStyle::OkInformation);
}

void ExchangeWindowsTest::exportCancelTypedNamesAndRefusals() {
    QTemporaryDir dir;
    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    AppState state;
    state.currentFileName = "ROOM5.grd";
    state.currentFileFolder = dir.path().toStdString();
    ClassRecord record = exampleClass();

    doubles.files.cancel();
    QVERIFY(
        exportClass(record, state, platform, ExportFormat::Csv, AverageMode::Decimal).isEmpty());
    QVERIFY(doubles.messages.shown.empty());

    // A name typed without extension gets the format's; an existing file of
    // that name is only replaced when the teacher says so.
    writeFile(dir, "week.csv", "keep");
    doubles.files.choose(dir.filePath("week"));
    doubles.messages.answer(MessageButton::Cancel);
    QVERIFY(
        exportClass(record, state, platform, ExportFormat::Csv, AverageMode::Decimal).isEmpty());
    QCOMPARE(doubles.messages.shown.back().style, MessageStyle::OkCancelQuestion);
    QCOMPARE(QString::fromStdString(readTextFile(dir.filePath("week.csv").toStdString())),
             QString("keep"));
    doubles.files.choose(dir.filePath("term"));
    QCOMPARE(exportClass(record, state, platform, ExportFormat::Csv, AverageMode::Decimal),
             dir.filePath("term.csv"));

    // The class file itself is never replaced by its export.
    QString classFile = writeFile(dir, "ROOM5.grd", "class");
    doubles.messages.shown.clear();
    doubles.files.choose(classFile);
    QVERIFY(
        exportClass(record, state, platform, ExportFormat::Csv, AverageMode::Decimal).isEmpty());
    QVERIFY(doubles.messages.shown.back().text.startsWith("Unable to SAVE this file. "));
    QCOMPARE(QString::fromStdString(readTextFile(classFile.toStdString())), QString("class"));

    // A grade that cannot be averaged is told before any file is asked for.
    record.grades(0, 1, 1) = Value("A+");
    size_t asked = doubles.files.shown.size();
    QVERIFY(
        exportClass(record, state, platform, ExportFormat::Csv, AverageMode::Decimal).isEmpty());
    QCOMPARE(doubles.files.shown.size(), asked);
    QVERIFY(doubles.messages.shown.back().text.startsWith("Unable to export this class. "));
}

void ExchangeWindowsTest::exportFromWindowTakesTheDialogsChoices() {
    QTemporaryDir dir;
    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    AppState state;
    state.currentFileName = "ROOM5.grd";
    state.currentFileFolder = dir.path().toStdString();
    state.averageMode = AverageMode::Rounded;
    ClassRecord record = exampleClass();

    bool presetRounded = false;
    whenModal<ExportDialog>([&](ExportDialog* dialog) {
        expectNamedControls(dialog);
        presetRounded = dialog->optrounded->isChecked() && dialog->optcsv->isChecked();
        // The access keys work once the dialog is the active window.
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        // An access key presses its button the way a click does, a moment later.
        QTest::keyClick(dialog, Qt::Key_E, Qt::AltModifier); // "&Excel workbook"
        QTRY_VERIFY(dialog->optexcel->isChecked());
        QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier); // "&Decimal"
        QTRY_VERIFY(dialog->optdecimal->isChecked());
        dialog->Command1->click();
    });
    doubles.files.choose(dir.filePath("ROOM5.xlsx"));
    exportClassFromWindow(record, state, platform, nullptr);
    QVERIFY(presetRounded);
    QCOMPARE(doubles.files.shown.size(), size_t(1));
    QCOMPARE(doubles.files.shown[0].fileName, dir.filePath("ROOM5.xlsx"));
    // A workbook is a zip archive.
    QFile written(dir.filePath("ROOM5.xlsx"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.read(2), QByteArray("PK"));

    // Cancel asks for no file.
    whenModal<ExportDialog>([](ExportDialog* dialog) { dialog->Command2->click(); });
    exportClassFromWindow(record, state, platform, nullptr);
    QCOMPARE(doubles.files.shown.size(), size_t(1));
}

void ExchangeWindowsTest::gradeImportPreviewsMatchesAndRefusesUnmatchedRecords() {
    QTemporaryDir dir;
    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    ClassRecord record = exampleClass();
    QString scores = writeFile(dir, "scores.csv",
                               "Name,Quiz 3,Quiz 4\r\n\"adams, ann\",91,77\r\n"
                               "\xC3\x89mile Zola,x,\r\nZed Zulu,50,60\r\n");

    GradeImportDialog dialog(record, platform);
    QVERIFY(!dialog.Command1->isEnabled()); // nothing chosen yet
    doubles.files.choose(scores);
    QVERIFY(dialog.chooseFile());
    expectNamedControls(&dialog);
    QCOMPARE(dialog.cbocategory->currentText(), QString("Quiz"));
    QCOMPARE(dialog.spncolumn->maximum(), 3);
    QCOMPARE(dialog.lblheading->text(), QString("\"Quiz 3\""));

    QTableWidget* preview = dialog.grdpreview;
    QCOMPARE(preview->rowCount(), 5); // four students and the stranger
    QCOMPARE(previewText(preview, 0, 1), QString("91"));
    QCOMPARE(previewText(preview, 1, 1), QString::fromUtf8("x \u2014 not in the file"));
    QCOMPARE(previewText(preview, 3, 1), QString("x"));
    QCOMPARE(previewText(preview, 4, 0), QString("Zed Zulu"));
    QVERIFY(isRed(preview, 4));
    QVERIFY(!isRed(preview, 0));
    QVERIFY(dialog.lblproblems->text().contains("Zed Zulu"));
    QVERIFY(!dialog.Command1->isEnabled());

    // A file the class fits: the column and the category change the plan.
    QString fitting = writeFile(dir, "quiz.csv", "Name,Quiz 3,Quiz 4\r\n\"adams, ann\",91,77\r\n");
    doubles.files.choose(fitting);
    QTest::mouseClick(dialog.cmdfile, Qt::LeftButton);
    QCOMPARE(dialog.txtfile->text(), fitting);
    QVERIFY(dialog.Command1->isEnabled());
    dialog.spncolumn->setValue(3);
    QCOMPARE(previewText(preview, 0, 1), QString("77"));
    dialog.cbocategory->setCurrentIndex(7);
    QCOMPARE(QString::fromStdString(dialog.plan().description),
             QString("import of Final Exam 2 from quiz.csv"));
    QCOMPARE(dialog.plan().grades[0], Value("77"));

    // Another class's file: every name is a problem, and the dialog still
    // fits a 1024x600 screen, the list of problems scrolling.
    QByteArray strangers = "Name,Score\r\n";
    for (int i = 1; i <= 45; ++i)
        strangers += "Stranger number " + QByteArray::number(i) + ",80\r\n";
    doubles.files.choose(writeFile(dir, "other.csv", strangers));
    QVERIFY(dialog.chooseFile());
    QVERIFY(dialog.lblproblems->text().contains("Stranger number 45"));
    QVERIFY(dialog.scrproblems->isVisibleTo(&dialog));
    expectNamedControls(&dialog);
    QVERIFY2(dialog.sizeHint().height() <= 480,
             qPrintable(QString::number(dialog.sizeHint().height())));
    dialog.resize(dialog.sizeHint());
    dialog.show();
    QVERIFY(dialog.Command1->geometry().bottom() < dialog.height());
    QVERIFY(dialog.scrproblems->geometry().bottom() < dialog.height());
    QVERIFY(dialog.scrproblems->height() < dialog.lblproblems->height());
    dialog.hide();
    doubles.files.choose(fitting);
    QVERIFY(dialog.chooseFile());
    QVERIFY(!dialog.scrproblems->isVisibleTo(&dialog));

    // A file that cannot be read is told, and the previous one stays.
    QString broken = writeFile(dir, "broken.csv", "Name,Score\r\n\"Ann,90\r\n");
    doubles.files.choose(broken);
    QVERIFY(!dialog.chooseFile());
    QVERIFY(doubles.messages.shown.back().text.startsWith("Unable to OPEN this file. Line 2"));
    QCOMPARE(dialog.txtfile->text(), fitting);
}

void ExchangeWindowsTest::gradeImportReturnsThePlanOnlyOnOk() {
    QTemporaryDir dir;
    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    ClassRecord record = exampleClass();
    std::string before = formatClassFile(record);
    QString good = writeFile(dir, "good.csv", "Name,Score\r\n\"O'Brien, Zo\xC3\xAB\",88\r\n");
    doubles.files.choose(good);
    whenModal<GradeImportDialog>([](GradeImportDialog* dialog) { dialog->Command1->click(); });
    std::optional<GradeColumnImport> column = askGradeColumnImport(record, platform, nullptr);
    QVERIFY(column);
    QCOMPARE(column->category, 2);
    QCOMPARE(column->grades, (std::vector<Value>{Value("x"), Value("x"), Value("88"), Value("x")}));
    QCOMPARE(column->description, std::string("import of Quiz 3 from good.csv"));
    // The dialog only proposes; the class is the caller's to change.
    QCOMPARE(formatClassFile(record), before);

    doubles.files.choose(good);
    whenModal<GradeImportDialog>([](GradeImportDialog* dialog) { dialog->Command2->click(); });
    QVERIFY(!askGradeColumnImport(record, platform, nullptr));

    // A cancelled file dialog opens no dialog at all.
    doubles.files.cancel();
    QVERIFY(!askGradeColumnImport(record, platform, nullptr));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

void ExchangeWindowsTest::namesFileGivesNamesOrExplainsWhyNot() {
    QTemporaryDir dir;
    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    QString list = writeFile(dir, "names.csv", "Student\r\n\"Lee, Ann\"\r\nBob\r\n");

    doubles.files.choose(list);
    auto names = askNamesFile(platform, nullptr);
    QVERIFY(names);
    QCOMPARE(*names, (std::vector<std::string>{"Lee, Ann", "Bob"}));
    QCOMPARE(doubles.files.shown.back().title, QString("Import names"));
    QVERIFY(doubles.files.shown.back().flags & FileDialog::PathMustExist);
    QVERIFY(doubles.messages.shown.empty());

    // More names than the list has room for: none are taken.
    doubles.files.choose(list);
    QVERIFY(!askNamesFile(platform, nullptr, 1));
    QVERIFY(doubles.messages.shown.back().text.contains("has room for 1 more"));

    doubles.files.choose(writeFile(dir, "empty.txt", "Name\r\n\r\n"));
    QVERIFY(!askNamesFile(platform, nullptr));
    QVERIFY(doubles.messages.shown.back().text.startsWith("There is no name in"));

    size_t messages = doubles.messages.shown.size();
    doubles.files.cancel();
    QVERIFY(!askNamesFile(platform, nullptr));
    QCOMPARE(doubles.messages.shown.size(), messages);
}

QTEST_MAIN(ExchangeWindowsTest)
#include "exchangewindows_test.moc"
