#pragma once

#include "core/gradebook/classdocument.h"
#include "core/lessons/lessondocument.h"

#include <QObject>
#include <QUndoStack>

namespace tallyro {

// UndoHistory: the undo and redo steps of the open file, on Qt's QUndoStack.
// Windows change a document through its operations and hand each edit here;
// undoing one asks the document to take it back, and the document tells every
// window that shows the changed data.
class UndoHistory : public QObject {
    Q_OBJECT
public:
    explicit UndoHistory(QObject* parent = nullptr);

    // A change already made to the class; an empty edit is no step.
    void record(ClassDocument& document, ClassEdit edit);
    // A change already made to the week. Typing goes on in one step while
    // typing is true and the same box keeps the focus.
    void record(LessonDocument& document, LessonEdit edit, bool typing = false);
    // The box that was being typed in lost the focus: the next typing is a
    // step of its own.
    void endTyping() { typingBox_ = -1; }

    // The history ends when its file is closed or another is opened.
    void clear();
    // The state just saved: undoing back to it means no unsaved changes.
    void markSaved() {
        // Typing after a save is a step of its own, so undo can reach the save.
        typingBox_ = -1;
        stack_.setClean();
        emit changed();
    }

    // While a cell or a grade is being typed, undo and redo wait.
    void setPaused(bool paused);
    bool isPaused() const { return paused_; }

    QUndoStack& stack() { return stack_; }
    bool canUndo() const { return !paused_ && stack_.canUndo(); }
    bool canRedo() const { return !paused_ && stack_.canRedo(); }
    void undo();
    void redo();

signals:
    // Undo or redo became possible or impossible, or their texts changed.
    void changed();

private:
    QUndoStack stack_;
    int typingBox_ = -1;
    bool paused_ = false;
};

} // namespace tallyro
