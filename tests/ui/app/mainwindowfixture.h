#pragma once

#include "support/scriptedplatform.h"
#include "support/windowfixture.h"
#include "ui/app/mainwindow.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace tallyro::test {

inline const QString kRoom5 = QStringLiteral(TALLYRO_SOURCE_DIR "/examples/ROOM5.grd");

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A main window on scripted services, with the teacher's details already
// stored unless a test says otherwise.
struct Fixture {
    explicit Fixture(bool detailsStored = true) {
        if (detailsStored) {
            doubles.settings.values["school"] = "Lincoln Elementary";
            doubles.settings.values["teacher"] = "Ms. Rivera";
            doubles.settings.values["grade level"] = "5";
        }
    }
    MainWindow& start() {
        window = std::make_unique<MainWindow>(state, platform, recoveryFolder());
        window->show();
        return *window;
    }
    // Opens a copy of the sample class through File > Open in grade mode.
    void openSample() {
        QVERIFY(QFile::copy(kRoom5, dir.filePath("ROOM5.grd")));
        window->gradesMode();
        doubles.files.choose(dir.filePath("ROOM5.grd"));
        window->openFile();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tallyro for ROOM5.grd"));
    }
    QString recoveryFolder() const { return dir.filePath(QStringLiteral("recovery")); }
    int subWindowCount() const { return window->workArea()->subWindowList().size(); }

    ScriptedPlatform doubles;
    Platform platform = doubles.platform();
    AppState state;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
};

// The main window's child window of type T in the work area, or null.
template <typename T> T* child(MainWindow& window) {
    for (QMdiSubWindow* sub : window.workArea()->subWindowList())
        if (auto* found = qobject_cast<T*>(sub->widget()))
            return found;
    return nullptr;
}

} // namespace tallyro::test
