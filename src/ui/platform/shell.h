#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tallyro {

// The main window commands that share a toolbar button and/or a menu item.
enum class ShellCommand {
    New,
    Open,
    Save,
    SaveAs,
    Print,
    Close,
    Exit,
    Backup,
    Restore,
    Delete,
    AddStudent,
    Lessons,
    Grades,
};

// The four steps of the step panel under the toolbar.
enum class Step { EditGrid, GradeEntry, NameEntry, GradeReport };

// A child window that runs its own steps each time it becomes the active
// window of the main window's work area (the main window calls activate()).
class ActivatableWindow {
public:
    virtual ~ActivatableWindow() = default;
    virtual void activate() = 0;
};

// What child windows may do to the main window. The main window implements
// it; window tests use a recording stand-in, so no child needs the real frame.
class Shell {
public:
    virtual ~Shell() = default;

    // Enables or disables a command everywhere it appears (toolbar and menu).
    virtual void setCommandEnabled(ShellCommand command, bool enabled) = 0;
    virtual bool isCommandEnabled(ShellCommand command) const = 0;

    // Step panel: a bold caption marks the current step; a raised picture
    // stands under it; a disabled caption is out of use.
    virtual void setStepBold(Step step, bool bold) = 0;
    virtual void setStepRaised(Step step, bool raised) = 0;
    virtual void setStepEnabled(Step step, bool enabled) = 0;
    virtual void setStepPanelVisible(bool visible) = 0;

    // The grid becomes the current step again, leaving the step `from`.
    void returnToEditGrid(Step from) {
        setStepBold(from, false);
        setStepRaised(from, false);
        setStepBold(Step::EditGrid, true);
        setStepRaised(Step::EditGrid, true);
    }

    // Caption "Tallyro for NAME", or the bare title for an empty name.
    virtual void setFileCaption(const QString& fileName) = 0;

    // The menus and toolbar for "no file" and "a file is open".
    virtual void showNoFileState() = 0;
    virtual void showFileOpenState() = 0;

    // Shows the grade book window with the roster in its student list.
    virtual void showGradeBook() = 0;

    // Adds a window to the main window's work area at its top-left corner.
    virtual void showChild(QWidget* window) = 0;

    // The roster editor's "&Import names...": asks for a file of names and
    // returns at most `room` of them in file order, or nothing (Cancel, or a
    // file that was refused and already explained to the teacher).
    virtual std::optional<std::vector<std::string>> askNamesFile(int room) = 0;

    // The parent for dialogs and the owner of the busy pointer.
    virtual QWidget* window() = 0;
};

} // namespace tallyro
