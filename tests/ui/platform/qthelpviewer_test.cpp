#include "ui/platform/helpwindow.h"
#include "ui/platform/qthelpviewer.h"

#include "support/scriptedplatform.h"

#include <QApplication>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpEngineCore>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tallyro;

namespace {

const QString kNamespace = QStringLiteral("org.tallyro.help");

// The collection is compiled beside the program and its tests.
QString collectionFile() {
    return QtHelpViewer::defaultCollectionFile();
}

// Whether the help engine's SQLite driver has been loaded into the process.
bool sqliteLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains("libqsqlite");
}

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

class QtHelpViewerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    // First: it needs a process in which no help was opened yet.
    void theHelpEngineIsSetUpOnTheFirstRequestOnly();
    void theCollectionIsBesideTheProgramOrInTheInstalledPlace();
    void anInstalledCollectionOpensAwayFromTheBuildTree();
    void everyPageIsInTheCollectionAndEveryLinkLeadsToAPage();
    void theIndexLeadsToThePagesATeacherLooksFor_data();
    void theIndexLeadsToThePagesATeacherLooksFor();
    void contentsOpenOnTheFirstPage();
    void searchFiltersTheIndexByTheFirstLetters();
    void emptySearchWaitsForTheTeacherToType();
    void quitClosesTheViewer();
    void missingCollectionIsReportedNotFatal();
};

void QtHelpViewerTest::initTestCase() {
    QVERIFY2(QFileInfo::exists(collectionFile()), qPrintable(collectionFile()));
}

void QtHelpViewerTest::theHelpEngineIsSetUpOnTheFirstRequestOnly() {
    // The start-up creates the viewer and gives it its owner; neither opens
    // the collection, which would put SQLite before the first picture.
    QVERIFY(!sqliteLoaded());
    test::ScriptedMessageBox messages;
    QtHelpViewer viewer(collectionFile(), messages);
    QWidget owner;
    viewer.setParent(&owner);
    QVERIFY(!viewer.window());
    QVERIFY(!sqliteLoaded());
    viewer.showContents();
    QVERIFY(viewer.window());
    QVERIFY(sqliteLoaded());
    QCOMPARE(messages.shown.size(), size_t(0));
}

void QtHelpViewerTest::theCollectionIsBesideTheProgramOrInTheInstalledPlace() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.filePath(QStringLiteral("usr/bin"));
    const QString installed = root.filePath(QStringLiteral("usr/share/tallyro/tallyro.qhc"));
    QDir().mkpath(bin);

    // Nowhere yet: the installed place, which a message then names.
    QCOMPARE(QtHelpViewer::collectionFileFor(bin), installed);
    // Installed by the package.
    touch(installed);
    QCOMPARE(QtHelpViewer::collectionFileFor(bin), installed);
    // A build tree's own collection comes first, even with a package installed.
    touch(bin + QStringLiteral("/tallyro.qhc"));
    QCOMPARE(QtHelpViewer::collectionFileFor(bin), bin + QStringLiteral("/tallyro.qhc"));
    // A trailing separator changes nothing.
    QCOMPARE(QtHelpViewer::collectionFileFor(bin + QLatin1Char('/')),
             bin + QStringLiteral("/tallyro.qhc"));

    // A folder of that name is not a collection.
    const QString other = root.filePath(QStringLiteral("opt/bin"));
    QDir().mkpath(other + QStringLiteral("/tallyro.qhc"));
    QCOMPARE(QtHelpViewer::collectionFileFor(other),
             root.filePath(QStringLiteral("opt/share/tallyro/tallyro.qhc")));
}

void QtHelpViewerTest::anInstalledCollectionOpensAwayFromTheBuildTree() {
    // The two files as the package lays them out, with no build tree beside.
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString share = root.filePath(QStringLiteral("usr/share/tallyro"));
    QDir().mkpath(share);
    QDir().mkpath(root.filePath(QStringLiteral("usr/bin")));
    for (const char* name : {"tallyro.qhc", "tallyro.qch"})
        QVERIFY(QFile::copy(QFileInfo(collectionFile()).dir().filePath(QLatin1String(name)),
                            share + QLatin1Char('/') + QLatin1String(name)));

    test::ScriptedMessageBox messages;
    QtHelpViewer viewer(QtHelpViewer::collectionFileFor(root.filePath(QStringLiteral("usr/bin"))),
                        messages);
    viewer.showContents();
    QCOMPARE(messages.shown.size(), size_t(0));
    QVERIFY(viewer.window());
    QVERIFY(viewer.window()->browser()->toPlainText().contains(QStringLiteral("Tallyro")));
    viewer.quit();
}

void QtHelpViewerTest::everyPageIsInTheCollectionAndEveryLinkLeadsToAPage() {
    QHelpEngineCore engine(collectionFile());
    engine.setReadOnly(true);
    QVERIFY2(engine.setupData(), qPrintable(engine.error()));
    QCOMPARE(engine.registeredDocumentations(), QStringList{kNamespace});

    const QList<QUrl> pages = engine.files(kNamespace, QStringList(), QStringLiteral("html"));
    QVERIFY(pages.size() >= 20);
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)(#[^\"]*)?\""));
    for (const QUrl& page : pages) {
        const QString html = QString::fromUtf8(engine.fileData(page));
        QVERIFY2(html.contains(QStringLiteral("<title>")), qPrintable(page.toString()));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QUrl target = page.resolved(QUrl(it.next().captured(1)));
            QVERIFY2(!engine.fileData(target).isEmpty(),
                     qPrintable(page.toString() + " links to " + target.toString()));
        }
    }
}

void QtHelpViewerTest::theIndexLeadsToThePagesATeacherLooksFor_data() {
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::newRow("shortcut") << "Ctrl+E"
                              << "keyboard.html";
    QTest::newRow("failing limit") << "failing limit"
                                   << "averages.html";
    QTest::newRow("rounded") << "Rounded average"
                             << "averages.html";
    QTest::newRow("drop") << "dropping a grade"
                          << "editcells.html";
    QTest::newRow("backup") << "backup"
                            << "backup.html";
    QTest::newRow("report card") << "report cards"
                                 << "reportcards.html";
    QTest::newRow("custom periods") << "custom period names"
                                    << "newlesson.html";
    QTest::newRow("delete") << "deleting files"
                            << "deletefiles.html";
}

void QtHelpViewerTest::theIndexLeadsToThePagesATeacherLooksFor() {
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QHelpEngineCore engine(collectionFile());
    engine.setReadOnly(true);
    QVERIFY(engine.setupData());
    const QList<QHelpLink> links = engine.documentsForKeyword(keyword);
    QVERIFY2(!links.isEmpty(), qPrintable(keyword));
    QCOMPARE(links.first().url.fileName(), page);
}

void QtHelpViewerTest::contentsOpenOnTheFirstPage() {
    test::ScriptedMessageBox messages;
    QtHelpViewer viewer(collectionFile(), messages);
    viewer.showContents();
    QCOMPARE(messages.shown.size(), size_t(0));
    HelpWindow* window = viewer.window();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->tabs()->currentIndex(), 0);
    QCOMPARE(window->browser()->source(), HelpWindow::kHomePage);
    QVERIFY(window->browser()->toPlainText().contains(QStringLiteral("Tallyro")));
    QTRY_VERIFY(window->isContentsReady());

    // Every page can be reached from the contents.
    QHelpContentModel* model = window->engine().contentModel();
    QSet<QString> listed;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            listed.insert(model->contentItemAt(index)->url().fileName());
            walk(index);
        }
    };
    walk(QModelIndex());
    for (const QUrl& page :
         window->engine().files(kNamespace, QStringList(), QStringLiteral("html")))
        QVERIFY2(listed.contains(page.fileName()), qPrintable(page.fileName()));

    // A second request reuses the open viewer.
    viewer.showContents();
    QCOMPARE(viewer.window(), window);
}

void QtHelpViewerTest::searchFiltersTheIndexByTheFirstLetters() {
    test::ScriptedMessageBox messages;
    QtHelpViewer viewer(collectionFile(), messages);
    viewer.search(QStringLiteral("fail"));
    HelpWindow* window = viewer.window();
    QVERIFY(window);
    QCOMPARE(window->tabs()->currentIndex(), 1);
    QCOMPARE(window->searchField()->text(), QStringLiteral("fail"));
    QTRY_VERIFY(window->isIndexReady());
    QTRY_VERIFY(window->indexList()->currentIndex().isValid());
    QVERIFY(window->indexList()->currentIndex().data().toString().startsWith(QStringLiteral("fail"),
                                                                             Qt::CaseInsensitive));
    for (int row = 0; row < window->indexList()->model()->rowCount(); ++row)
        QVERIFY(window->indexList()->model()->index(row, 0).data().toString().contains(
            QStringLiteral("fail"), Qt::CaseInsensitive));

    // Enter shows the page of the selected keyword.
    QTest::keyClick(window->searchField(), Qt::Key_Return);
    QTRY_COMPARE(window->browser()->source().fileName(), QStringLiteral("averages.html"));

    // Typing on narrows the list as the teacher types.
    window->searchField()->setText(QStringLiteral("Ctrl+L"));
    QTRY_COMPARE(window->indexList()->currentIndex().data().toString(), QStringLiteral("Ctrl+L"));
}

void QtHelpViewerTest::emptySearchWaitsForTheTeacherToType() {
    test::ScriptedMessageBox messages;
    QtHelpViewer viewer(collectionFile(), messages);
    viewer.search(QString());
    HelpWindow* window = viewer.window();
    QVERIFY(window);
    QCOMPARE(window->tabs()->currentIndex(), 1);
    QVERIFY(window->searchField()->text().isEmpty());
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->searchField()));
    QTRY_VERIFY(window->isIndexReady());
    QVERIFY(window->indexList()->model()->rowCount() > 20);
}

void QtHelpViewerTest::quitClosesTheViewer() {
    test::ScriptedMessageBox messages;
    QtHelpViewer viewer(collectionFile(), messages);
    viewer.quit(); // nothing open: nothing to do
    viewer.showContents();
    QPointer<HelpWindow> window = viewer.window();
    QVERIFY(window);
    viewer.quit();
    QVERIFY(!window);
    QVERIFY(!viewer.window());
    // The teacher may ask for help again afterwards.
    viewer.search(QStringLiteral("grade"));
    QVERIFY(viewer.window());
}

void QtHelpViewerTest::missingCollectionIsReportedNotFatal() {
    test::ScriptedMessageBox messages;
    QtHelpViewer viewer(QStringLiteral("/nonexistent/folder/tallyro.qhc"), messages);
    viewer.showContents();
    viewer.search(QStringLiteral("a"));
    QVERIFY(!viewer.window());
    QCOMPARE(messages.shown.size(), size_t(2));
    QCOMPARE(messages.shown[0].style, MessageStyle::OkExclamation);
    QVERIFY(messages.shown[0].text.contains(QStringLiteral("tallyro.qhc")));
    viewer.quit();
}

QTEST_MAIN(QtHelpViewerTest)
#include "qthelpviewer_test.moc"
