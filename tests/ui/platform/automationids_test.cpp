#include "ui/platform/automationids.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace tallyro;

// The variable is read once per process, so "off" runs before "on".
class AutomationIdsTest : public QObject {
    Q_OBJECT
private slots:
    void withoutTheVariableNothingChanges();
    void withTheVariableEveryWidgetDescribesItselfByName();
};

void AutomationIdsTest::withoutTheVariableNothingChanges() {
    qunsetenv("TALLYRO_AUTOMATION_IDS");
    QVERIFY(!installAutomationIds(*qApp));
    QWidget window;
    window.setObjectName(QStringLiteral("frmlistbox"));
    window.setAccessibleDescription(QStringLiteral("the grade book"));
    auto* button = new QPushButton(QStringLiteral("&Next"), &window);
    button->setObjectName(QStringLiteral("cmdnextstudent"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!automationIdsInstalled());
    QCOMPARE(button->accessibleDescription(), QString());
    QCOMPARE(window.accessibleDescription(), QStringLiteral("the grade book"));
    // The windows' own spoken descriptions and names are theirs to set.
    setSpokenDescription(button, QStringLiteral("Chen, Lily, Grand Average 95"));
    QCOMPARE(button->accessibleDescription(), QStringLiteral("Chen, Lily, Grand Average 95"));
    setSpokenName(button, QStringLiteral("Next student"));
    QCOMPARE(button->accessibleName(), QStringLiteral("Next student"));
}

void AutomationIdsTest::withTheVariableEveryWidgetDescribesItselfByName() {
    QWidget existing;
    existing.setObjectName(QStringLiteral("MDI1"));

    qputenv("TALLYRO_AUTOMATION_IDS", "1");
    QVERIFY(installAutomationIds(*qApp));
    QVERIFY(installAutomationIds(*qApp)); // a second call changes nothing
    QCOMPARE(existing.accessibleDescription(), QStringLiteral("MDI1"));

    // A window created later, named by its constructor, shown afterwards.
    QWidget window;
    window.setObjectName(QStringLiteral("frmgradentry"));
    auto* button = new QPushButton(QStringLiteral("E&nter"), &window);
    button->setObjectName(QStringLiteral("cmdentergrade"));
    button->setToolTip(QStringLiteral("Store the grade"));
    button->setAccessibleName(QStringLiteral("Enter"));
    auto* unnamed = new QPushButton(QStringLiteral("x"), &window);
    unnamed->setAccessibleDescription(QStringLiteral("kept"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.accessibleDescription(), QStringLiteral("frmgradentry"));
    QCOMPARE(button->accessibleDescription(), QStringLiteral("cmdentergrade"));
    QCOMPARE(unnamed->accessibleDescription(), QStringLiteral("kept"));
    // Tooltips and names, which people read and hear, stay as they were.
    QCOMPARE(button->toolTip(), QStringLiteral("Store the grade"));
    QCOMPARE(button->accessibleName(), QStringLiteral("Enter"));
    QCOMPARE(unnamed->toolTip(), QString());
    // A window describing the student on show leaves the id in place.
    QVERIFY(automationIdsInstalled());
    setSpokenDescription(button, QStringLiteral("Quiz grade 4 for Chen, Lily"));
    QCOMPARE(button->accessibleDescription(), QStringLiteral("cmdentergrade"));

    // A control added to a window that is already showing.
    auto* late = new QPushButton(QStringLiteral("&Close"), &window);
    late->setObjectName(QStringLiteral("cmdexitgradentry"));
    late->show();
    QCOMPARE(late->accessibleDescription(), QStringLiteral("cmdexitgradentry"));
    qunsetenv("TALLYRO_AUTOMATION_IDS");
}

QTEST_MAIN(AutomationIdsTest)
#include "automationids_test.moc"
