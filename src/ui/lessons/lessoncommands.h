#pragma once

#include "core/app/appstate.h"
#include "ui/lessons/customperiodsdialog.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/newlessondialog.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace tallyro {

// The main window's file commands while lesson plans are worked on: New,
// Open, Save, Save As, Backup, Restore and closing the editor. Each command
// catches its own failures and reports them in a message box.
class LessonCommands : public QObject {
    Q_OBJECT
public:
    LessonCommands(AppState& state, Platform& platform, Shell& shell, QObject* parent = nullptr);
    ~LessonCommands() override;

    // File > New: the "New" dialog, which starts an empty week.
    void newFile();
    void open();
    // Opens the named lesson file without asking (a file named on the command
    // line, or the one chosen in the Open or Restore dialog).
    void openPath(const QString& path);
    // Writes the week to currentFileName; false when it could not be written
    // (the message has been shown and classModified is kept).
    bool saveLessonFile();
    void saveAs();
    void backup();
    void restore();
    // Unloads the editor (File > Close, after the question about saving).
    void closeEditor();

    // The editor while it is loaded, for printing; null otherwise.
    LessonEditorWindow* editor() const { return editor_; }
    NewLessonDialog* newDialog() const { return newDialog_; }
    CustomPeriodsDialog* customDialog() const { return customDialog_; }

    enum class ExtractResult { Read, Cancelled, Failed };
    // Copies the ten period names of a lesson file the teacher picks; the
    // plans of that file are not read.
    ExtractResult extractPeriodList();

signals:
    // The editor was created; the main window may connect its print button.
    void editorShown(LessonEditorWindow* editor);

private:
    void openFrom(const QString& title, const QString& pattern, const QString& filter);
    // Shows the prepared save dialog and writes the week to the chosen file,
    // completed with the extension; a cancel writes nothing.
    void writeChosen(const char* extension);
    void onNewOk();
    void onNewCancel();
    void onCustomNamed();
    void onCustomCancel();
    void finishNewWeek();
    void showEditor();
    void dropNewDialogs();

    AppState& state_;
    Platform& platform_;
    Shell& shell_;
    QPointer<LessonEditorWindow> editor_;
    QPointer<NewLessonDialog> newDialog_;
    QPointer<CustomPeriodsDialog> customDialog_;
};

} // namespace tallyro
