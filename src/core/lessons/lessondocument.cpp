#include "core/lessons/lessondocument.h"

#include "core/lessons/lessonfile.h"

#include <stdexcept>

namespace tallyro {

bool LessonEdit::absorb(const LessonEdit& later) {
    if (changes.size() != 1 || later.changes.size() != 1 ||
        changes[0].index != later.changes[0].index)
        return false;
    changes[0].after = later.changes[0].after;
    return true;
}

void LessonDocument::clearToCapacity() {
    plan_.clearToCapacity();
    saved_.reset();
    notify({true, nullptr});
}

void LessonDocument::clearToNothing() {
    plan_.clearToNothing();
    saved_.reset();
    notify({true, nullptr});
}

void LessonDocument::load(const std::string& path) {
    plan_.clearToCapacity();
    saved_.reset();
    try {
        readLessonFile(path, plan_);
    } catch (...) {
        plan_.clearToNothing();
        notify({true, nullptr});
        throw;
    }
    notify({true, nullptr});
}

void LessonDocument::startWeek(const std::vector<std::string>& periodNames) {
    if (!plan_.hasCapacity())
        plan_.clearToCapacity();
    for (int p = 0; p < kPeriodCount && p < static_cast<int>(periodNames.size()); ++p)
        plan_.periodNames[p] = periodNames[p];
    saved_.reset();
    notify({true, nullptr});
}

void LessonDocument::adopt(LessonPlan plan, bool unsaved) {
    plan_ = std::move(plan);
    saved_.reset(unsaved);
    notify({true, nullptr});
}

void LessonDocument::save(const std::string& path) {
    writeLessonFile(path, plan_);
    saved_.markSaved();
}

void LessonDocument::saveCopy(const std::string& path) const {
    writeLessonFile(path, plan_);
}

LessonEdit LessonDocument::perform(LessonEdit edit) {
    std::erase_if(edit.changes, [](const LessonTextChange& c) { return c.before == c.after; });
    if (edit.isEmpty())
        return edit;
    apply(edit, true);
    saved_.performed();
    notify({false, &edit});
    return edit;
}

LessonEdit LessonDocument::setLessonText(int index, const std::string& text) {
    if (!isOpen() || index < 0 || index >= static_cast<int>(plan_.lessonTexts.size()))
        throw std::out_of_range("Plan " + std::to_string(index) + " is not in the week.");
    LessonEdit edit{"typing", {{index, plan_.lessonTexts[index], replaceDoubleQuotes(text)}}};
    return perform(std::move(edit));
}

LessonEdit LessonDocument::clearPlans() {
    LessonEdit edit{"clear of the week", {}};
    if (!isOpen())
        return edit;
    for (int i = 0; i < kLessonCount && i < static_cast<int>(plan_.lessonTexts.size()); ++i)
        edit.changes.push_back({i, plan_.lessonTexts[i], std::string()});
    return perform(std::move(edit));
}

void LessonDocument::apply(const LessonEdit& edit, bool forward) {
    for (const LessonTextChange& change : edit.changes)
        plan_.lessonTexts.at(change.index) = forward ? change.after : change.before;
}

void LessonDocument::undo(const LessonEdit& edit) {
    if (!isOpen() || edit.isEmpty())
        return;
    apply(edit, false);
    saved_.undone();
    notify({false, &edit});
}

void LessonDocument::redo(const LessonEdit& edit) {
    if (!isOpen() || edit.isEmpty())
        return;
    apply(edit, true);
    saved_.redone();
    notify({false, &edit});
}

void LessonDocument::notify(const LessonChange& change) {
    listeners_.notify([&](LessonDocumentListener& listener) { listener.lessonsChanged(change); });
}

} // namespace tallyro
