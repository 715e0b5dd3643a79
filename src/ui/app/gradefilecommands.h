#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

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

    // Writes the class in memory to a backup file (.bup) the teacher names,
    // typically on removable media; the open file and its changes stay as
    // they were.
    void backup();

    // Opens a backup file (.bup) as the open class: a later Save writes the
    // backup itself.
    void restore();

private:
    void openWith(const QString& title, const QString& pattern, const QString& filter);
    // Writes the class to a name chosen in a save dialog that is already set up.
    void writeChosen(const char* extension);
    void load(const QString& folder, const QString& fileTitle);

    AppState& state_;
    Platform& platform_;
    Shell& shell_;
};

} // namespace tallyro
