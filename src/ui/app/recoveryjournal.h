#pragma once

#include "core/app/appstate.h"
#include "core/app/recovery.h"
#include "ui/platform/undohistory.h"

#include <QObject>
#include <QString>
#include <QTimer>

namespace tallyro {

// RecoveryJournal: keeps a copy of the open file's unsaved changes in the
// recovery folder, at most a second after the last change, and removes it
// once the changes are saved or thrown away. It never touches the teacher's
// own file.
class RecoveryJournal : public QObject,
                        public ClassDocumentListener,
                        public LessonDocumentListener {
    Q_OBJECT
public:
    RecoveryJournal(AppState& state, UndoHistory& history, const QString& folder,
                    QObject* parent = nullptr);
    ~RecoveryJournal() override;

    // The per-user folder: the application data location + "/recovery".
    static QString defaultFolder();

    void classChanged(const ClassChange& change) override;
    void lessonsChanged(const LessonChange& change) override;

    // Writes the copy now if one is due (the timer does this by itself).
    void writeNow();
    // The teacher threw the changes away: the copy goes too.
    void discard();

    RecoveryStore& store() { return store_; }
    // The full path the open file is kept under.
    std::string openPath() const;

private:
    void changed(bool reset);
    void sync();
    std::string openKind() const;

    AppState& state_;
    RecoveryStore store_;
    QTimer timer_;
    std::int64_t lastChangeMs_ = 0;
    // The file whose copy was last written, so a renamed file leaves none.
    std::string writtenFor_;
};

} // namespace tallyro
