#include <QTest>

#include "ui/app/aboutbox.h"
#include "ui/app/gradefilecommands.h"
#include "ui/app/startupform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace tallyro;

class StartupFormTest : public QObject {
    Q_OBJECT
private slots:
    void focusGoesToTheFirstEmptyBox();
    void everyKeystrokeReachesTheState();
    void okConfirmsAndCloses();
    void aboutBoxShowsTheVersion();
};

void StartupFormTest::focusGoesToTheFirstEmptyBox() {
    AppState state;
    {
        StartupForm form(state);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.show();
        QCOMPARE(form.focusWidget(), form.Text1);
        QCOMPARE(form.windowTitle(), QString());
        QCOMPARE(form.Text3->accessibleName(), QStringLiteral("Grade level"));
    }
    state.schoolName = "Oak Hill";
    state.teacherName = "Mr. Lee";
    StartupForm form(state);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.show();
    QCOMPARE(form.Text1->text(), QStringLiteral("Oak Hill"));
    QCOMPARE(form.Text2->text(), QStringLiteral("Mr. Lee"));
    QCOMPARE(form.focusWidget(), form.Text3);
}

void StartupFormTest::everyKeystrokeReachesTheState() {
    AppState state;
    state.schoolName = "Oak";
    StartupForm form(state);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.show();
    QTest::keyClick(form.Text1, Qt::Key_End);
    QTest::keyClicks(form.Text1, " Hill");
    QCOMPARE(state.schoolName, std::string("Oak Hill"));
    form.Text1->clear(); // an empty detail makes the form come back next time
    QCOMPARE(state.schoolName, std::string());
    QTest::keyClicks(form.Text3, "K");
    QCOMPARE(state.gradeLevel, std::string("K"));
}

void StartupFormTest::okConfirmsAndCloses() {
    AppState state;
    StartupForm form(state);
    form.setAttribute(Qt::WA_DeleteOnClose, false);
    form.show();
    QSignalSpy confirmed(&form, &StartupForm::detailsConfirmed);
    QCOMPARE(form.Command1->text(), QStringLiteral("&Ok"));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QCOMPARE(confirmed.count(), 1);
    QVERIFY(!form.isVisible());
}

void StartupFormTest::aboutBoxShowsTheVersion() {
    QCOMPARE(AboutBox::versionText("tallyro"),
             QStringLiteral("Tallyro\n Version 2.95.1 for Linux\nFileName: tallyro"));
    AboutBox box(nullptr, QStringLiteral("tallyro"));
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    box.show();
    QCOMPARE(box.windowTitle(), QStringLiteral("About..."));
    QCOMPARE(box.Label3->text(), AboutBox::versionText("tallyro"));
    QCOMPARE(box.Label4->text(), QString());
    QCOMPARE(box.Label1->text(),
             QStringLiteral("Classroom Grade Averaging & Lesson Planning Program"));
    QTest::mouseClick(box.Command1, Qt::LeftButton);
    QVERIFY(!box.isVisible());
}

QTEST_MAIN(StartupFormTest)
#include "startupform_test.moc"
