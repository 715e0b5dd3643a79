#include <QTest>

#include "../../core/stats/statsclass.h"
#include "support/windowfixture.h"
#include "ui/stats/statisticswindow.h"

#include <QAbstractBarSeries>
#include <QAbstractButton>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <memory>

using namespace tallyro;

namespace {

class Bench : public test::WindowDoubles {
public:
    Bench() {
        test::editClass(state, [](ClassRecord& r) { r = test::handClass().record; });
        state.currentFileName = "stats-class.grd";
        state.failLimit = Value("70");
    }
    StatisticsWindow& open() {
        window = std::make_unique<StatisticsWindow>(state, platform);
        window->resize(1000, 470); // the main window's work area on a 1024 x 600 screen
        window->show();
        return *window;
    }
    std::unique_ptr<StatisticsWindow> window;
};

// The bars of a chart, set by set: the failing part first, then the rest.
QList<QList<qreal>> bars(QChartView* view) {
    QList<QList<qreal>> sets;
    if (auto* series = qobject_cast<QAbstractBarSeries*>(view->chart()->series().value(0)))
        for (QBarSet* set : series->barSets()) {
            sets.append(QList<qreal>());
            for (int i = 0; i < set->count(); ++i)
                sets.back() << set->at(i);
        }
    return sets;
}

QStringList atRisk(const StatisticsWindow& window) {
    QStringList rows;
    for (int i = 0; i < window.lstatrisk->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = window.lstatrisk->topLevelItem(i);
        rows << item->text(0) + '|' + item->text(1) + '|' + item->text(2);
    }
    return rows;
}

} // namespace

class StatisticsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void tableShowsTheCommandLinesNumbers();
    void histogramsColourTheFailingPart();
    void studentChartAndWhatTheStudentNeeds();
    void refreshFollowsGradesLimitAndMode();
    void aGradeThatCannotBeAveragedIsShownNotAsked();
    void printsAndSavesAsPdf();
    void worksFromTheKeyboardAndFits();
};

void StatisticsWindowTest::tableShowsTheCommandLinesNumbers() {
    Bench bench;
    StatisticsWindow& window = bench.open();
    // What `tallyro stats` prints for the same class, kept in the test data.
    QFile kept(QStringLiteral(TALLYRO_TEST_DATA "/stats-class-decimal.tsv"));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(kept.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(window.grdstats->rowCount(), lines.size() - 1);
    for (int row = -1; row < window.grdstats->rowCount(); ++row)
        for (int column = 0; column < 8; ++column)
            QCOMPARE(row < 0 ? window.grdstats->horizontalHeaderItem(column)->text()
                             : window.grdstats->item(row, column)->text(),
                     lines[row + 1].split('\t')[column]);
}

void StatisticsWindowTest::histogramsColourTheFailingPart() {
    Bench bench;
    StatisticsWindow& window = bench.open();
    // Grand averages 80.1, 32.33 and 82.5 against 70.
    QCOMPARE(bars(window.chtgrand), (QList<QList<qreal>>{{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0},
                                                         {0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0}}));
    auto* series = qobject_cast<QAbstractBarSeries*>(window.chtgrand->chart()->series().value(0));
    QCOMPARE(series->barSets()[0]->color(), QColor(255, 0, 0));
    QVERIFY(window.chtgrand->accessibleDescription().contains(QStringLiteral("30-39: 1")));

    QCOMPARE(window.chtitem->chart()->title(), QStringLiteral("Homework average"));
    window.cboitem->setCurrentIndex(window.cboitem->findText(QStringLiteral("Quiz 1")));
    // 100, 50 (failing) and 80.
    QCOMPARE(bars(window.chtitem), (QList<QList<qreal>>{{0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0},
                                                        {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1}}));

    // A limit of 85 turns the 80-89 band failing; the chosen item stays.
    bench.state.failLimit = Value("85");
    window.refresh();
    QCOMPARE(bars(window.chtgrand)[0], (QList<qreal>{0, 0, 0, 1, 0, 0, 0, 0, 2, 0, 0}));
    QCOMPARE(window.cboitem->currentText(), QStringLiteral("Quiz 1"));
}

void StatisticsWindowTest::studentChartAndWhatTheStudentNeeds() {
    Bench bench;
    StatisticsWindow& window = bench.open();
    window.setSelectedStudent(1);
    QCOMPARE(window.cbostudent->currentText(), QStringLiteral("Baker, Noah"));
    // Homework, Quiz and Final Exam, the categories with grades: Baker's
    // averages beside the class means.
    QList<QList<qreal>> averages = bars(window.chtstudent);
    QCOMPARE(averages.size(), 2);
    QCOMPARE(averages[0].size(), 3);
    QVERIFY(qAbs(averages[0][0] - 130.0 / 3) < 1e-9);
    QVERIFY(qAbs(averages[1][1] - 220.0 / 3) < 1e-9);

    QCOMPARE(window.txttarget->text(), QStringLiteral("70"));
    window.cbocategory->setCurrentIndex(2); // Weekly Test, no grades yet
    QCOMPARE(
        window.lblneeded->text(),
        QStringLiteral("Baker, Noah needs 75.34 or more on the next Weekly Test to reach 70."));
    QCOMPARE(window.lblneeded->accessibleName(), window.lblneeded->text());
    window.txttarget->clear();
    QTest::keyClicks(window.txttarget, QStringLiteral("30x"));
    QCOMPARE(window.lblneeded->text(), QStringLiteral("Type the target as a number, such as 70."));
    window.setSelectedStudent(7); // not in the class: the choice stays
    QCOMPARE(window.selectedStudent(), 1);
}

void StatisticsWindowTest::refreshFollowsGradesLimitAndMode() {
    Bench bench;
    StatisticsWindow& window = bench.open();
    window.setSelectedStudent(2);
    QCOMPARE(atRisk(window), QStringList{QStringLiteral("Baker, Noah|32.33|below 70")});

    bench.state.failLimit = Value("78");
    bench.state.averageMode = AverageMode::Rounded;
    test::editClass(bench.state, [](ClassRecord& r) { r.grades(1, 2, 2) = Value("100"); });
    window.refresh();
    // Baker's Quiz is now 75: 17.33 + 22.5 = 39.83, rounded 40.
    QCOMPARE(atRisk(window),
             (QStringList{QStringLiteral("Baker, Noah|40|below 78"),
                          QStringLiteral("Adams, Ann|80|within 5 points above 78"),
                          QStringLiteral("Cruz, Carla|83|within 5 points above 78")}));
    QCOMPARE(window.txttarget->text(), QStringLiteral("78"));
    QCOMPARE(window.selectedStudent(), 2);
    QCOMPARE(window.grdstats->item(4, 1)->text(), QStringLiteral("3")); // Quiz 2 counts Baker now

    // A target the teacher typed is kept when the limit changes.
    window.txttarget->clear();
    QTest::keyClicks(window.txttarget, QStringLiteral("90"));
    bench.state.failLimit = Value(0); // never set: the default 70
    window.refresh();
    QCOMPARE(window.txttarget->text(), QStringLiteral("90"));
    QVERIFY(window.lblstatus->text().contains(QStringLiteral("failing below 70")));

    test::editClass(bench.state, [](ClassRecord& r) { r.clearToNothing(); });
    window.refresh();
    QCOMPARE(window.grdstats->rowCount(), 1); // the grand average, of no one
    QCOMPARE(window.lblneeded->text(), QStringLiteral("The class has no students."));
}

void StatisticsWindowTest::aGradeThatCannotBeAveragedIsShownNotAsked() {
    Bench bench;
    test::editClass(bench.state, [](ClassRecord& r) { r.grades(2, 2, 1) = Value("A+"); });
    StatisticsWindow& window = bench.open();
    QVERIFY(window.lblstatus->text().contains(QStringLiteral("\"A+\"")));
    QCOMPARE(window.grdstats->rowCount(), 0);
    QVERIFY(!window.cmdprint->isEnabled() && !window.cmdpdf->isEnabled());
    QVERIFY(bench.doubles.messages.shown.empty());
}

void StatisticsWindowTest::printsAndSavesAsPdf() {
    Bench bench;
    StatisticsWindow& window = bench.open();
    auto& messages = bench.doubles.messages.shown;
    bench.doubles.messages.answer(MessageButton::Cancel);
    window.cmdprint->click();
    QCOMPARE(messages.at(0).title, QStringLiteral("Printer On?"));
    QVERIFY(bench.doubles.printer.jobs.empty());
    bench.doubles.messages.answer(MessageButton::Ok);
    window.cmdprint->click();
    QCOMPARE(bench.doubles.printer.jobs.size(), size_t(1));
    QCOMPARE(bench.doubles.printer.documentNames.value(0), QStringLiteral("Class Statistics"));
    QVERIFY(bench.doubles.printer.jobs[0]->find("Grand averages in bands of ten points"));
    QCOMPARE(bench.doubles.printer.pdfSuggestion(), QStringLiteral("stats-class statistics.pdf"));
    bench.doubles.printer.failure = QStringLiteral("The printer is out of paper.");
    bench.doubles.printer.installed = false; // nothing to turn on: no question
    window.cmdprint->click();
    QCOMPARE(messages.size(), size_t(3));
    QCOMPARE(messages.back().text,
             QStringLiteral("Unable to PRINT this file. The printer is out of paper."));

    QTemporaryDir folder;
    bench.doubles.files.cancel();
    window.cmdpdf->click();
    QCOMPARE(messages.size(), size_t(3));
    bench.doubles.files.choose(folder.filePath(QStringLiteral("room5")));
    window.cmdpdf->click();
    QCOMPARE(bench.doubles.files.shown.back().title, QStringLiteral("Save the pages as PDF"));
    QFile pdf(folder.filePath(QStringLiteral("room5.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
    QVERIFY(messages.back().text.endsWith(QStringLiteral("room5.pdf")));
    bench.doubles.files.choose(folder.filePath(QStringLiteral("no/such/folder/x.pdf")));
    window.cmdpdf->click();
    QVERIFY(messages.back().text.startsWith(QStringLiteral("Unable to PRINT this file. ")));
}

void StatisticsWindowTest::worksFromTheKeyboardAndFits() {
    Bench bench;
    StatisticsWindow& window = bench.open();
    // Each access key once, and none of the menu bar's (File, Edit,
    // Options, Help) above the window.
    QStringList keys;
    auto key = [&](const QString& caption) {
        if (int at = caption.indexOf('&'); at >= 0)
            keys << caption.mid(at + 1, 1).toUpper();
    };
    for (auto* button : window.findChildren<QAbstractButton*>())
        key(button->text());
    for (auto* label : window.findChildren<QLabel*>())
        if (label->buddy())
            key(label->text());
    for (int i = 0; i < window.tabstats->count(); ++i)
        key(window.tabstats->tabText(i));
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), keys.size());
    QVERIFY(!keys.contains("F") && !keys.contains("E") && !keys.contains("O") &&
            !keys.contains("H"));

    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
    QCOMPARE(window.tabstats->currentIndex(), 2);
    QTest::keyClick(&window, Qt::Key_R, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), window.txttarget);
    window.txttarget->selectAll();
    QTest::keyClicks(window.txttarget, QStringLiteral("95"));
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // Quiz
    QCOMPARE(window.lblneeded->text(),
             QStringLiteral("Adams, Ann needs 244 or more on the next Quiz to reach 95 (more "
                            "than 100 points)."));

    // It fits the work area of a 1024 x 600 screen; TALLYRO_SCREENSHOTS
    // keeps pictures of every page there and on a 1366 x 768 screen.
    QVERIFY(window.minimumSizeHint().width() <= 1000 && window.minimumSizeHint().height() <= 470);
    QString pictures = qEnvironmentVariable("TALLYRO_SCREENSHOTS");
    for (QSize size : {QSize(1000, 470), QSize(1340, 640)}) {
        window.resize(size);
        for (int page = 0; page < window.tabstats->count() && !pictures.isEmpty(); ++page) {
            window.tabstats->setCurrentIndex(page);
            window.grab().save(QDir(pictures).filePath(
                QStringLiteral("statistics-%1-%2.png").arg(size.width()).arg(page)));
        }
    }
}

QTEST_MAIN(StatisticsWindowTest)
#include "statisticswindow_test.moc"
