#include "ui/platform/undohistory.h"

namespace tallyro {

namespace {

// The document has made the change already when the step is recorded, so the
// first redo (QUndoStack::push calls it) does nothing.
template <typename Document, typename Edit> class EditCommand : public QUndoCommand {
public:
    EditCommand(Document& document, Edit edit) : document_(document), edit_(std::move(edit)) {
        setText(QString::fromStdString(edit_.description));
    }
    void redo() override {
        if (done_)
            document_.redo(edit_);
        done_ = true;
    }
    void undo() override { document_.undo(edit_); }

protected:
    Document& document_;
    Edit edit_;
    bool done_ = false;
};

using ClassEditCommand = EditCommand<ClassDocument, ClassEdit>;

class LessonEditCommand : public EditCommand<LessonDocument, LessonEdit> {
public:
    using EditCommand::EditCommand;
    int box() const { return edit_.changes.size() == 1 ? edit_.changes[0].index : -1; }
    bool absorb(const LessonEdit& later) { return edit_.absorb(later); }
};

} // namespace

UndoHistory::UndoHistory(QObject* parent) : QObject(parent) {
    connect(&stack_, &QUndoStack::indexChanged, this, &UndoHistory::changed);
    connect(&stack_, &QUndoStack::canUndoChanged, this, &UndoHistory::changed);
    connect(&stack_, &QUndoStack::canRedoChanged, this, &UndoHistory::changed);
    connect(&stack_, &QUndoStack::cleanChanged, this, &UndoHistory::changed);
}

void UndoHistory::record(ClassDocument& document, ClassEdit edit) {
    if (edit.isEmpty())
        return;
    typingBox_ = -1;
    stack_.push(new ClassEditCommand(document, std::move(edit)));
}

void UndoHistory::record(LessonDocument& document, LessonEdit edit, bool typing) {
    if (edit.isEmpty())
        return;
    int box = edit.changes.size() == 1 ? edit.changes[0].index : -1;
    if (typing && box >= 0 && box == typingBox_ && stack_.index() == stack_.count() &&
        stack_.count() > 0 && document.canJoinLastEdit()) {
        auto* top = const_cast<QUndoCommand*>(stack_.command(stack_.count() - 1));
        if (auto* command = dynamic_cast<LessonEditCommand*>(top);
            command && command->box() == box && command->absorb(edit)) {
            document.joinLastEdit();
            emit changed();
            return;
        }
    }
    stack_.push(new LessonEditCommand(document, std::move(edit)));
    typingBox_ = typing ? box : -1;
}

void UndoHistory::clear() {
    typingBox_ = -1;
    stack_.clear();
    emit changed();
}

void UndoHistory::setPaused(bool paused) {
    if (paused_ == paused)
        return;
    paused_ = paused;
    emit changed();
}

void UndoHistory::undo() {
    if (!canUndo())
        return;
    typingBox_ = -1;
    stack_.undo();
}

void UndoHistory::redo() {
    if (!canRedo())
        return;
    typingBox_ = -1;
    stack_.redo();
}

} // namespace tallyro
