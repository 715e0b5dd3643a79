#include "ui/app/recoveryjournal.h"

#include "core/classfile/gradefile.h"
#include "core/lessons/lessonfile.h"

#include <QDir>
#include <QStandardPaths>

namespace tallyro {

namespace {

// Long enough that typing is not slowed by a write per key, short enough
// that a crash loses at most a second of work.
constexpr int kWriteDelayMs = 1000;

} // namespace

RecoveryJournal::RecoveryJournal(AppState& state, UndoHistory& history, const QString& folder,
                                 QObject* parent)
    : QObject(parent), state_(state), store_(folder.toStdString()) {
    timer_.setSingleShot(true);
    timer_.setInterval(kWriteDelayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryJournal::writeNow);
    // A save marks the history clean: the copy is not needed any more.
    connect(&history, &UndoHistory::changed, this, &RecoveryJournal::sync);
    state_.classDocument.addListener(this);
    state_.lessonDocument.addListener(this);
}

RecoveryJournal::~RecoveryJournal() {
    state_.classDocument.removeListener(this);
    state_.lessonDocument.removeListener(this);
}

QString RecoveryJournal::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

std::string RecoveryJournal::openKind() const {
    if (state_.classDocument.isOpen())
        return "grd";
    if (state_.lessonDocument.isOpen())
        return "pla";
    return std::string();
}

std::string RecoveryJournal::openPath() const {
    if (state_.currentFileName.empty())
        return std::string();
    return RecoveryStore::keyPath(
               QDir::current()
                   .absoluteFilePath(QString::fromStdString(state_.currentFilePath()))
                   .toStdString())
        .string();
}

void RecoveryJournal::classChanged(const ClassChange& change) {
    changed(change.reset);
}

void RecoveryJournal::lessonsChanged(const LessonChange& change) {
    changed(change.reset);
}

void RecoveryJournal::changed(bool reset) {
    if (!reset)
        lastChangeMs_ = nowMs();
    // A file just opened keeps its copy until the teacher chose to recover
    // or discard it.
    if (reset && !state_.classModified()) {
        timer_.stop();
        lastChangeMs_ = 0;
        return;
    }
    if (state_.classModified()) {
        if (lastChangeMs_ == 0)
            lastChangeMs_ = nowMs();
        timer_.start();
    } else {
        sync();
    }
}

void RecoveryJournal::sync() {
    // Only changes made since the file was opened can have been saved or
    // undone; a copy found at opening waits for the teacher's answer.
    if (state_.classModified() || openKind().empty() || lastChangeMs_ == 0)
        return;
    // Saved, or back at the saved state by undo: nothing to recover.
    timer_.stop();
    std::string path = openPath();
    if (!path.empty())
        store_.remove(path);
    lastChangeMs_ = 0;
}

void RecoveryJournal::writeNow() {
    timer_.stop();
    std::string kind = openKind();
    std::string path = openPath();
    if (kind.empty() || path.empty() || !state_.classModified())
        return;
    if (!writtenFor_.empty() && writtenFor_ != path)
        store_.remove(writtenFor_);
    try {
        std::string text = kind == "grd" ? formatClassFile(state_.classRecord())
                                         : formatLessonFile(state_.lessonPlan());
        store_.writeCopy(path, kind, text, lastChangeMs_ ? lastChangeMs_ : nowMs());
        writtenFor_ = path;
    } catch (const std::exception&) {
        // A full or read-only data folder must not stop the teacher's work;
        // the next change tries again.
    }
}

void RecoveryJournal::discard() {
    timer_.stop();
    std::string path = openPath();
    if (!path.empty())
        store_.remove(path);
    if (!writtenFor_.empty())
        store_.remove(writtenFor_);
    writtenFor_.clear();
    lastChangeMs_ = 0;
}

} // namespace tallyro
