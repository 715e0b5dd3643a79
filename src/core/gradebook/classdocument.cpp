#include "core/gradebook/classdocument.h"

#include "core/classfile/gradefile.h"
#include "core/gradebook/categories.h"
#include "core/roster/roster.h"

#include <algorithm>
#include <stdexcept>

namespace tallyro {

namespace {

// Adds a change for every cell where the two records differ. Grand averages
// are left out: they are worked out again from the rest whenever shown.
void diffRecords(const ClassRecord& before, const ClassRecord& after,
                 std::vector<CellChange>& changes) {
    for (int c = 0; c < kCategorySlots; ++c) {
        if (before.categoryNames[c] != after.categoryNames[c])
            changes.push_back({ClassField::CategoryName, 0, c, 0, Value(before.categoryNames[c]),
                               Value(after.categoryNames[c])});
        if (before.categoryWeights[c] != after.categoryWeights[c])
            changes.push_back(
                {ClassField::Weight, 0, c, 0, before.categoryWeights[c], after.categoryWeights[c]});
        if (before.gradeCounts[c] != after.gradeCounts[c])
            changes.push_back(
                {ClassField::GradeCount, 0, c, 0, before.gradeCounts[c], after.gradeCounts[c]});
    }
    for (int s = 0; s < kStudentSlots; ++s) {
        if (before.studentNames[s] != after.studentNames[s])
            changes.push_back({ClassField::StudentName, s, 0, 0, Value(before.studentNames[s]),
                               Value(after.studentNames[s])});
        for (int c = 0; c < kCategorySlots; ++c)
            for (int k = 0; k < kGradeSlots; ++k)
                if (before.grades(s, c, k) != after.grades(s, c, k))
                    changes.push_back({ClassField::Grade, s, c, k, before.grades(s, c, k),
                                       after.grades(s, c, k)});
    }
    if (before.studentCount != after.studentCount)
        changes.push_back({ClassField::StudentCount, 0, 0, 0, Value(before.studentCount),
                           Value(after.studentCount)});
}

void setCell(ClassRecord& record, const CellChange& change, const Value& value) {
    switch (change.field) {
    case ClassField::CategoryName:
        record.categoryNames.at(change.category) = value.toText();
        break;
    case ClassField::Weight:
        record.categoryWeights.at(change.category) = value;
        break;
    case ClassField::GradeCount:
        record.gradeCounts.at(change.category) = value;
        break;
    case ClassField::Grade:
        record.grades(change.student, change.category, change.gradeNumber) = value;
        break;
    case ClassField::StudentName:
        record.studentNames.at(change.student) = value.toText();
        break;
    case ClassField::StudentCount:
        record.studentCount = static_cast<int>(value.toNumber());
        break;
    }
}

} // namespace

bool weightCounts(const Value& weight) {
    return weight.isNumeric() && weight.toNumber() > 0;
}

// ---- A new history ------------------------------------------------------------

void ClassDocument::resetHistory(bool unsaved) {
    saved_.reset(unsaved);
}

void ClassDocument::clearToCapacity() {
    record_.clearToCapacity();
    resetHistory();
    notify({true, nullptr});
}

void ClassDocument::clearToNothing() {
    record_.clearToNothing();
    resetHistory();
    notify({true, nullptr});
}

void ClassDocument::load(const std::string& path) {
    record_.clearToCapacity();
    resetHistory();
    try {
        readClassFile(path, record_);
    } catch (...) {
        record_.clearToNothing();
        notify({true, nullptr});
        throw;
    }
    notify({true, nullptr});
}

void ClassDocument::adopt(ClassRecord record, bool unsaved) {
    record_ = std::move(record);
    resetHistory(unsaved);
    notify({true, nullptr});
}

void ClassDocument::save(const std::string& path) {
    writeClassFile(path, record_);
    markSaved();
}

void ClassDocument::saveCopy(const std::string& path) const {
    writeClassFile(path, record_);
}

void ClassDocument::markSaved() {
    saved_.markSaved();
}

// ---- Edits ----------------------------------------------------------------------

ClassEdit ClassDocument::perform(std::string description,
                                 const std::function<void(ClassRecord&)>& change) {
    if (!isOpen())
        throw std::out_of_range("No class is open.");
    ClassRecord changed = record_;
    change(changed);
    ClassEdit edit{std::move(description), {}};
    diffRecords(record_, changed, edit.changes);
    if (edit.isEmpty())
        return edit;
    apply(edit, true);
    saved_.performed();
    notify({false, &edit});
    return edit;
}

void ClassDocument::apply(const ClassEdit& edit, bool forward) {
    if (forward) {
        for (const CellChange& change : edit.changes)
            setCell(record_, change, change.after);
    } else {
        for (auto it = edit.changes.rbegin(); it != edit.changes.rend(); ++it)
            setCell(record_, *it, it->before);
    }
}

void ClassDocument::undo(const ClassEdit& edit) {
    if (!isOpen() || edit.isEmpty())
        return;
    apply(edit, false);
    saved_.undone();
    notify({false, &edit});
}

void ClassDocument::redo(const ClassEdit& edit) {
    if (!isOpen() || edit.isEmpty())
        return;
    apply(edit, true);
    saved_.redone();
    notify({false, &edit});
}

void ClassDocument::requireColumn(int category, int gradeNumber) const {
    if (category < 1 || category > kCategoryCount || gradeNumber < 1 ||
        gradeNumber > record_.gradeCount(category))
        throw std::out_of_range("Grade " + std::to_string(gradeNumber) + " of category " +
                                std::to_string(category) + " is not recorded.");
}

void ClassDocument::requireGrade(int student, int category, int gradeNumber) const {
    if (student < 0 || student >= record_.studentCount)
        throw std::out_of_range("Student " + std::to_string(student + 1) + " is not in the class.");
    requireColumn(category, gradeNumber);
}

ClassEdit ClassDocument::setWeight(int category, const Value& weight) {
    if (category < 1 || category > kCategoryCount)
        throw std::out_of_range("Category " + std::to_string(category) + " does not exist.");
    Value stored = weightCounts(weight) ? weight : Value(0);
    return perform("weight of " + categoryDisplayName(record_, category),
                   [&](ClassRecord& r) { r.categoryWeights[category] = stored; });
}

ClassEdit ClassDocument::setGrade(int student, int category, int gradeNumber, const Value& grade) {
    requireGrade(student, category, gradeNumber);
    return perform("grade " + std::to_string(gradeNumber) + " of " +
                       categoryDisplayName(record_, category) + " for " +
                       record_.studentNames[student],
                   [&](ClassRecord& r) { r.grades(student, category, gradeNumber) = grade; });
}

ClassEdit ClassDocument::dropColumn(int category, int gradeNumber) {
    requireColumn(category, gradeNumber);
    return perform("drop of " + categoryDisplayName(record_, category) + " " +
                       std::to_string(gradeNumber),
                   [&](ClassRecord& r) {
                       for (int s = 0; s < r.studentCount; ++s)
                           r.grades(s, category, gradeNumber) = Value("d");
                   });
}

ClassEdit ClassDocument::setColumn(int category, int gradeNumber, const Value& grade) {
    requireColumn(category, gradeNumber);
    return perform("class grade " + std::to_string(gradeNumber) + " of " +
                       categoryDisplayName(record_, category),
                   [&](ClassRecord& r) {
                       for (int s = 0; s < r.studentCount; ++s)
                           r.grades(s, category, gradeNumber) = grade;
                   });
}

ClassEdit ClassDocument::setGradeCount(int category, int count, std::string description) {
    if (category < 1 || category > kCategoryCount || count < 0 || count > kMaxGradesPerCategory)
        throw std::out_of_range("Category " + std::to_string(category) + " cannot hold " +
                                std::to_string(count) + " grades.");
    return perform(std::move(description),
                   [&](ClassRecord& r) { r.gradeCounts[category] = Value(count); });
}

ClassEdit ClassDocument::excuseGrades(int category, int from, int firstStudent, int to) {
    if (category < 1 || category > kCategoryCount)
        throw std::out_of_range("Category " + std::to_string(category) + " does not exist.");
    return perform(
        "excused grades of " + categoryDisplayName(record_, category), [&](ClassRecord& r) {
            for (int k = std::max(from, 1); k <= std::min(to, kMaxGradesPerCategory); ++k) {
                int first = k == from ? firstStudent : 0;
                for (int s = std::max(first, 0); s < r.studentCount; ++s)
                    r.grades(s, category, k) = Value("x");
            }
        });
}

ClassEdit ClassDocument::addStudent(const std::string& name) {
    if (!canAddStudent(record_))
        throw std::length_error("Number of students is already at the maximum of 45!!");
    std::string clean = withoutDoubleQuotes(name);
    return perform("add of " + clean,
                   [&](ClassRecord& r) { addStudentWithExcusedGrades(r, clean); });
}

ClassEdit ClassDocument::setRoster(const std::vector<std::string>& names, std::string description) {
    return perform(std::move(description), [&](ClassRecord& r) { storeRoster(r, names); });
}

ClassEdit ClassDocument::appendColumn(int category, const std::vector<Value>& grades,
                                      std::string description) {
    if (category < 1 || category > kCategoryCount)
        throw std::out_of_range("Category " + std::to_string(category) + " does not exist.");
    int count = record_.gradeCount(category);
    if (count >= kMaxGradesPerCategory)
        throw std::length_error(categoryDisplayName(record_, category) +
                                " already holds 45 grades.");
    return perform(std::move(description), [&](ClassRecord& r) {
        for (int s = 0; s < r.studentCount; ++s)
            r.grades(s, category, count + 1) =
                s < static_cast<int>(grades.size()) ? grades[s] : Value("x");
        r.gradeCounts[category] = Value(count + 1);
    });
}

// ---- Derived ----------------------------------------------------------------------

void ClassDocument::setgradetypes() {
    if (isOpen())
        tallyro::setgradetypes(record_);
}

void ClassDocument::normalizeWeights() {
    if (!isOpen())
        return;
    for (int c = 1; c <= kCategoryCount; ++c)
        if (!weightCounts(record_.categoryWeights[c]))
            record_.categoryWeights[c] = Value(0);
}

void ClassDocument::startNewRoster() {
    bool wasOpen = isOpen();
    tallyro::startNewRoster(record_);
    if (!wasOpen) {
        resetHistory();
        notify({true, nullptr});
    }
}

StudentAverages ClassDocument::computeAverages(int student, AverageMode mode) {
    return tallyro::computeAverages(record_, student, mode);
}

void ClassDocument::computeAllGrandAverages(AverageMode mode) {
    tallyro::computeAllGrandAverages(record_, mode == AverageMode::Rounded ? 0 : 1);
}

void ClassDocument::addListener(ClassDocumentListener* listener) {
    listeners_.add(listener);
}

void ClassDocument::removeListener(ClassDocumentListener* listener) {
    listeners_.remove(listener);
}

void ClassDocument::notify(const ClassChange& change) {
    listeners_.notify([&](ClassDocumentListener& listener) { listener.classChanged(change); });
}

} // namespace tallyro
