#pragma once

#include <algorithm>
#include <vector>

namespace tallyro {

// SavedState: whether a document differs from its file, derived from the
// edits done, undone and redone since it was loaded or saved — the same rule
// an undo stack's clean state follows. DocumentListeners: the listeners of a
// document, safe against one leaving while being told.

class SavedState {
public:
    // A new history; unsaved when the content was never on disk as it is.
    void reset(bool unsaved = false) {
        depth_ = 0;
        savedDepth_ = 0;
        lost_ = unsaved;
    }
    void performed() {
        // A new edit after undoing past the saved state can never lead back.
        if (depth_ < savedDepth_)
            lost_ = true;
        ++depth_;
    }
    void undone() { --depth_; }
    void redone() { ++depth_; }
    void markSaved() {
        savedDepth_ = depth_;
        lost_ = false;
    }
    bool isModified() const { return lost_ || depth_ != savedDepth_; }
    // The state before the last edit is the saved one: joining that edit to
    // the one before would make the saved state unreachable by undo.
    bool savedBeforeLastEdit() const { return !lost_ && savedDepth_ == depth_ - 1; }

private:
    long depth_ = 0;
    long savedDepth_ = 0;
    bool lost_ = false;
};

template <typename Listener> class DocumentListeners {
public:
    void add(Listener* listener) { listeners_.push_back(listener); }
    void remove(Listener* listener) { std::erase(listeners_, listener); }

    template <typename Call> void notify(Call call) {
        std::vector<Listener*> listeners = listeners_;
        for (Listener* listener : listeners)
            if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
                call(*listener);
    }

private:
    std::vector<Listener*> listeners_;
};

} // namespace tallyro
