#include "support/modaldialog.h"
#include "ui/platform/busypointer.h"
#include "ui/platform/qtfiledialog.h"
#include "ui/platform/qtinputbox.h"
#include "ui/platform/qtmessagebox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tallyro;
using namespace tallyro::test;

class QtDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void busyPointerShowsOnlyOverAWindowOnScreen();
    void messageBoxLayoutFollowsStyleCodes_data();
    void messageBoxLayoutFollowsStyleCodes();
    void messageBoxShowsTextAndReturnsClickedButton();
    void messageBoxEnterAndEscapeTakeTheStyleDefaults();
    void nameFiltersShowEachPatternOnce_data();
    void nameFiltersShowEachPatternOnce();
    void inputBoxReturnsAnswerOrNothing();
    void openDialogChoosesExistingFileAndMakesItsFolderCurrent();
    void openDialogCancelThrowsCancelSelected();
    void saveDialogConfirmsOverwriteOnlyWhenAsked();
    void saveDialogProposesRealNamesButNotPatterns();
};

void QtDialogsTest::messageBoxLayoutFollowsStyleCodes_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    QTest::addColumn<QMessageBox::StandardButton>("escapeButton");
    using B = QMessageBox;
    QTest::newRow("0 plain") << 0 << B::StandardButtons(B::Ok) << B::NoIcon << B::Ok << B::Ok;
    QTest::newRow("16 critical") << 16 << B::StandardButtons(B::Ok) << B::Critical << B::Ok
                                 << B::Ok;
    QTest::newRow("17 ok/cancel critical")
        << 17 << (B::Ok | B::Cancel) << B::Critical << B::Ok << B::Cancel;
    QTest::newRow("33 ok/cancel question")
        << 33 << (B::Ok | B::Cancel) << B::Question << B::Ok << B::Cancel;
    QTest::newRow("35 yes/no/cancel question")
        << 35 << (B::Yes | B::No | B::Cancel) << B::Question << B::Yes << B::Cancel;
    QTest::newRow("48 exclamation")
        << 48 << B::StandardButtons(B::Ok) << B::Warning << B::Ok << B::Ok;
    QTest::newRow("64 information")
        << 64 << B::StandardButtons(B::Ok) << B::Information << B::Ok << B::Ok;
    QTest::newRow("273 cancel default")
        << 273 << (B::Ok | B::Cancel) << B::Critical << B::Cancel << B::Cancel;
}

void QtDialogsTest::messageBoxLayoutFollowsStyleCodes() {
    QFETCH(int, style);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    QFETCH(QMessageBox::StandardButton, escapeButton);
    const MessageBoxLayout layout = messageBoxLayout(static_cast<MessageStyle>(style));
    QCOMPARE(layout.buttons, buttons);
    QCOMPARE(layout.icon, icon);
    QCOMPARE(layout.defaultButton, defaultButton);
    QCOMPARE(layout.escapeButton, escapeButton);
}

void QtDialogsTest::messageBoxShowsTextAndReturnsClickedButton() {
    QtMessageBox messages;
    const QString text = QStringLiteral("ROOM5.grd has changed.\n\nSave current changes?");
    whenModal<QMessageBox>([&](QMessageBox* box) {
        QCOMPARE(box->text(), text);
        QCOMPARE(box->windowTitle(), QStringLiteral("Edit Grid"));
        QCOMPARE(box->icon(), QMessageBox::Question);
        QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
        box->button(QMessageBox::No)->click();
    });
    QCOMPARE(messages.show(text, QStringLiteral("Edit Grid"), MessageStyle::YesNoCancelQuestion),
             MessageButton::No);

    // A "<" in a message is shown as typed, not read as markup.
    whenModal<QMessageBox>([](QMessageBox* box) {
        QCOMPARE(box->textFormat(), Qt::PlainText);
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(messages.show(QStringLiteral("grade <b>"), QStringLiteral("Error!"), MessageStyle::Ok),
             MessageButton::Ok);
}

void QtDialogsTest::messageBoxEnterAndEscapeTakeTheStyleDefaults() {
    QtMessageBox messages;
    // The exit warning must not lose changes to a stray Enter.
    whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    QCOMPARE(messages.show(QStringLiteral("WARNING: Exiting at this time \nwill cause all changes "
                                          "to be lost!"),
                           QStringLiteral("Exit?"), MessageStyle::OkCancelCriticalNoDefault),
             MessageButton::Cancel);

    whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); });
    QCOMPARE(messages.show(QStringLiteral("Insure that your printer is on."),
                           QStringLiteral("Printer On?"), MessageStyle::OkCancelQuestion),
             MessageButton::Ok);

    whenModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    QCOMPARE(messages.show(QStringLiteral("SAVE current file?"), QStringLiteral("Plans"),
                           MessageStyle::YesNoCancelQuestion),
             MessageButton::Cancel);
}

void QtDialogsTest::nameFiltersShowEachPatternOnce_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("grade files") << "grade files (*.grd)|*.grd"
                                 << QStringList{"grade files (*.grd)"};
    QTest::newRow("backup") << "lesson files (*.lba)|*.lba" << QStringList{"lesson files (*.lba)"};
    QTest::newRow("description without patterns")
        << "Grade files|*.grd" << QStringList{"Grade files (*.grd)"};
    QTest::newRow("pattern list") << "Tallyro files (*.grd;*.pla)|*.grd;*.pla"
                                  << QStringList{"Tallyro files (*.grd *.pla)"};
    QTest::newRow("brackets that are no patterns")
        << "Backup (floppy)|*.bup" << QStringList{"Backup (floppy) (*.bup)"};
    QTest::newRow("two pairs") << "grade files (*.grd)|*.grd|All files (*.*)|*.*"
                               << QStringList{"grade files (*.grd)", "All files (*.*)"};
    QTest::newRow("missing pattern") << "Everything" << QStringList{"Everything (*)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void QtDialogsTest::nameFiltersShowEachPatternOnce() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(nameFiltersFromFilter(filter), expected);
}

void QtDialogsTest::inputBoxReturnsAnswerOrNothing() {
    QtInputBox input;
    whenModal<QInputDialog>([](QInputDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("new file name"));
        QCOMPARE(dialog->labelText(), QStringLiteral("\n\n\n\nFILE NAME (8 characters max.)"));
        QCOMPARE(dialog->textValue(), QStringLiteral("untitled"));
        dialog->setTextValue(QStringLiteral("week12"));
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(input.ask(QStringLiteral("\n\n\n\nFILE NAME (8 characters max.)"),
                       QStringLiteral("new file name"), QStringLiteral("untitled")),
             std::optional<QString>(QStringLiteral("week12")));

    whenModal<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
    QCOMPARE(input.ask(QStringLiteral("name"), QStringLiteral("t"), QStringLiteral("x")),
             std::optional<QString>());

    // Accepting an emptied box is an empty answer, not a cancel.
    whenModal<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue(QString());
        static_cast<QDialog*>(dialog)->accept();
    });
    QCOMPARE(input.ask(QStringLiteral("name"), QStringLiteral("t"), QStringLiteral("x")),
             std::optional<QString>(QString()));
}

void QtDialogsTest::openDialogChoosesExistingFileAndMakesItsFolderCurrent() {
    QTemporaryDir start;
    QTemporaryDir other;
    QFile file(other.filePath(QStringLiteral("ROOM5.grd")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QDir::setCurrent(start.path());

    QtFileDialog files;
    files.setTitle(QStringLiteral("Open"));
    files.setFlags(FileDialog::PathMustExist);
    files.setFileName(QStringLiteral("*.grd"));
    files.setFilter(QStringLiteral("grade files (*.grd)|*.grd"));
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Open"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("grade files (*.grd)")});
        QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(start.path()).canonicalPath());
        dialog->setDirectory(other.path());
        dialog->selectFile(QStringLiteral("ROOM5.grd"));
        static_cast<QDialog*>(dialog)->accept();
    });
    files.showOpen();
    QCOMPARE(QFileInfo(files.fileName()).canonicalFilePath(),
             QFileInfo(file.fileName()).canonicalFilePath());
    QVERIFY(QFileInfo(files.fileName()).isAbsolute());
    QCOMPARE(files.fileTitle(), QStringLiteral("ROOM5.grd"));
    QCOMPARE(QDir::current().canonicalPath(), QDir(other.path()).canonicalPath());
}

void QtDialogsTest::openDialogCancelThrowsCancelSelected() {
    QtFileDialog files;
    files.setTitle(QStringLiteral("Restore"));
    files.setFilter(QStringLiteral("grade files (*.bup)|*.bup"));
    whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    try {
        files.showOpen();
        QFAIL("a cancelled dialog must throw");
    } catch (const DialogCancelled& cancelled) {
        QCOMPARE(QString::fromLatin1(cancelled.what()), QString::fromLatin1(kCancelSelected));
    }
}

void QtDialogsTest::saveDialogConfirmsOverwriteOnlyWhenAsked() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QtFileDialog files;
    files.setTitle(QStringLiteral("Save As"));
    files.setFilter(QStringLiteral("grade files (*.grd)|*.grd"));

    files.setFlags(FileDialog::OverwritePrompt);
    whenModal<QFileDialog>([](QFileDialog* dialog) {
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->reject();
    });
    QVERIFY_THROWS_EXCEPTION(DialogCancelled, files.showSave());

    files.setFlags(0);
    whenModal<QFileDialog>([](QFileDialog* dialog) {
        QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        dialog->selectFile(QStringLiteral("CLASS"));
        static_cast<QDialog*>(dialog)->accept();
    });
    files.showSave();
    QCOMPARE(files.fileTitle(), QStringLiteral("CLASS"));
}

void QtDialogsTest::saveDialogProposesRealNamesButNotPatterns() {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QtFileDialog files;
    files.setTitle(QStringLiteral("BackUp (floppy recommended)"));
    files.setFlags(FileDialog::OverwritePrompt);
    files.setFilter(QStringLiteral("grade files (*.bup)|*.bup"));

    files.setFileName(QStringLiteral("ROOM5.bup"));
    QString proposed;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        proposed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        dialog->reject();
    });
    QVERIFY_THROWS_EXCEPTION(DialogCancelled, files.showSave());
    QCOMPARE(proposed, QStringLiteral("ROOM5.bup"));

    files.setFileName(QStringLiteral("*.bup"));
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        proposed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        dialog->reject();
    });
    QVERIFY_THROWS_EXCEPTION(DialogCancelled, files.showSave());
    QCOMPARE(proposed, QString());
}

// At start-up the class opens before the window is on screen: no hourglass
// then (reading the cursor theme only delays the first picture); over a
// window on screen it shows for the work and goes with it.
void QtDialogsTest::busyPointerShowsOnlyOverAWindowOnScreen() {
    {
        BusyPointer busy;
        QVERIFY(!QGuiApplication::overrideCursor());
    }
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    {
        BusyPointer busy;
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(QtDialogsTest)
#include "qtdialogs_test.moc"
