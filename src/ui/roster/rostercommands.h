#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"
#include "ui/roster/addstudentdialog.h"
#include "ui/roster/newclassdialog.h"
#include "ui/roster/rostereditorwindow.h"

#include <QObject>
#include <QPointer>

#include <optional>
#include <string>
#include <vector>

namespace tallyro {

// The class roster commands of the main window: File > New in grade mode
// (the "New" dialog, then the roster editor) and Options > Add a Student.
// The dialogs are modal but do not block the caller: each command returns at
// once and finishes when the teacher answers.
class RosterCommands : public QObject {
    Q_OBJECT
public:
    RosterCommands(AppState& state, Platform& platform, Shell& shell, QObject* parent = nullptr);
    ~RosterCommands() override;

    // File > New in grade mode: shows the "New" dialog.
    void newClass();
    // Options > Add a Student: shows the "Add New Student" dialog.
    void addStudent();

    // Asks for a grade file and gives its student names; nothing when the
    // teacher cancelled or the file could not be read (the teacher was told).
    std::optional<std::vector<std::string>> extractStudentList();
    // Asks for a grade file, loads it and appends the student excused in every
    // recorded grade; the class stays in memory, changed and not saved.
    void addStudentToFile(const std::string& name);

    // The open dialog or editor, if any (for the main window and tests).
    NewClassDialog* newClassDialog() const { return newClassDialog_; }
    AddStudentDialog* addStudentDialog() const { return addStudentDialog_; }
    RosterEditorWindow* rosterEditor() const { return rosterEditor_; }

private:
    void newClassAccepted();
    void newClassRejected();
    void addStudentAccepted();
    // Hides a dialog for good; a later command builds a fresh one.
    template <class Dialog> void closeDialog(QPointer<Dialog>& dialog);

    AppState& state_;
    Platform& platform_;
    Shell& shell_;
    QPointer<NewClassDialog> newClassDialog_;
    QPointer<AddStudentDialog> addStudentDialog_;
    QPointer<RosterEditorWindow> rosterEditor_;
};

} // namespace tallyro
