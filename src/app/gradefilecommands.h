#pragma once

#include "app/appstate.h"
#include "app/shell.h"
#include "platform/platform.h"

#include <QString>

namespace tallyro {

// File > Open, Save and Save As while the main window works on class grade
// files. Each command catches its own failures and reports them to the
// teacher; nothing escapes to the caller.
class GradeFileCommands {
public:
    GradeFileCommands(AppState& state, Platform& platform, Shell& shell);

    // Asks for a grade file and opens it; a cancel empties the class record
    // silently, a failure empties it and says why.
    void open();

    // Opens the named grade file without asking (a file named on the command
    // line); the same steps and messages as open().
    void openPath(const QString& path);

    // Writes the class record to the open file. True when it was written, so
    // that closing can stop when the changes could not be kept.
    bool save();

    // Writes the class record to another file; the open file, the caption and
    // the unsaved-changes flag stay as they were.
    void saveAs();

    // The name Save As writes: ".grd" is added unless the fourth character
    // from the end is already a "." (ROOM5 -> ROOM5.grd, NOTES.TXT stays).
    static QString completeFileName(const QString& name);

private:
    void load(const QString& folder, const QString& fileTitle);
    std::string savePath() const;

    AppState& state_;
    Platform& platform_;
    Shell& shell_;
    // The folder of the file that was opened: Save must write that file even
    // after a later dialog has moved the current folder elsewhere.
    QString openFolder_;
    std::string openName_;
};

} // namespace tallyro
