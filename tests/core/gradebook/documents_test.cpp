// The documents that own the class and the week: every change reversible,
// unsaved changes derived from what was done since the last save.
#include "core/gradebook/classdocument.h"
#include "core/gradebook/gradeentrysession.h"
#include "core/lessons/lessondocument.h"
#include "core/lessons/lessonfile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tallyro;

namespace {

ClassRecord classOf(int students) {
    ClassRecord r;
    r.clearToCapacity();
    r.studentCount = students;
    for (int s = 0; s < students; ++s)
        r.studentNames[s] = "Student " + std::to_string(s + 1);
    for (int c = 1; c <= kCategoryCount; ++c) {
        r.categoryWeights[c] = Value(0);
        r.gradeCounts[c] = Value(0);
    }
    r.categoryWeights[2] = Value(100);
    r.gradeCounts[2] = Value(3);
    for (int s = 0; s < students; ++s)
        for (int k = 1; k <= 3; ++k)
            r.grades(s, 2, k) = Value(std::to_string(60 + s + k));
    return r;
}

struct Counter : ClassDocumentListener {
    int resets = 0;
    int edits = 0;
    void classChanged(const ClassChange& change) override { ++(change.reset ? resets : edits); }
};

} // namespace

TEST(ClassDocument, DropUndoneRestoresEveryStudentsCell) {
    ClassDocument doc;
    doc.adopt(classOf(5), false);
    Counter counter;
    doc.addListener(&counter);
    ClassEdit drop = doc.dropColumn(2, 2);
    EXPECT_EQ(drop.description, "drop of Quiz 2");
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(doc.record().grades(s, 2, 2), Value("d"));
    EXPECT_TRUE(doc.isModified());
    doc.undo(drop);
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(doc.record().grades(s, 2, 2), Value(std::to_string(62 + s)));
    EXPECT_FALSE(doc.isModified());
    doc.redo(drop);
    EXPECT_EQ(doc.record().grades(4, 2, 2), Value("d"));
    EXPECT_EQ(counter.edits, 3);
    EXPECT_EQ(counter.resets, 0);
    doc.removeListener(&counter);
}

TEST(ClassDocument, UnsavedChangesFollowTheHistoryLikeAnUndoStack) {
    ClassDocument doc;
    doc.adopt(classOf(2), false);
    ClassEdit first = doc.setGrade(0, 2, 1, Value("90"));
    EXPECT_EQ(first.description, "grade 1 of Quiz for Student 1");
    doc.markSaved();
    EXPECT_FALSE(doc.isModified());
    ClassEdit second = doc.setWeight(2, Value("50"));
    EXPECT_TRUE(doc.isModified());
    doc.undo(second);
    EXPECT_FALSE(doc.isModified()) << "back at the saved state";
    doc.undo(first);
    EXPECT_TRUE(doc.isModified()) << "undone past the saved state";
    // A new edit here throws the saved state's redo away: it can never be
    // reached again, even by undoing the new edit.
    ClassEdit third = doc.setGrade(1, 2, 3, Value("x"));
    doc.undo(third);
    EXPECT_TRUE(doc.isModified());
    // Nothing changed: no edit, no step.
    EXPECT_TRUE(doc.setGrade(1, 2, 3, doc.record().grades(1, 2, 3)).isEmpty());
}

TEST(ClassDocument, EditsValidateWhatTheyChange) {
    ClassDocument doc;
    EXPECT_THROW(doc.setWeight(1, Value(10)), std::out_of_range) << "no class is open";
    doc.adopt(classOf(3), false);
    EXPECT_THROW(doc.setGrade(3, 2, 1, Value(1)), std::out_of_range);
    EXPECT_THROW(doc.setGrade(0, 2, 4, Value(1)), std::out_of_range) << "column 4 not recorded";
    EXPECT_THROW(doc.dropColumn(12, 1), std::out_of_range);
    // A weight that is not a positive number takes no part: it is 0.
    doc.setWeight(3, Value("-5"));
    EXPECT_EQ(doc.record().categoryWeights[3], Value(0));
    doc.setWeight(3, Value("abc"));
    EXPECT_EQ(doc.record().categoryWeights[3], Value(0));
}

TEST(ClassDocument, StudentsAndColumnsAreAddedWholeAndTakenBackWhole) {
    ClassDocument doc;
    doc.adopt(classOf(2), false);
    ClassEdit added = doc.addStudent("Lee, \"Ann\"");
    EXPECT_EQ(doc.record().studentCount, 3);
    EXPECT_EQ(doc.record().studentNames[2], "Lee, Ann");
    EXPECT_EQ(doc.record().grades(2, 2, 3), Value("x"));
    ClassEdit column = doc.appendColumn(2, {Value(70), Value("d")}, "import of Quiz 4");
    EXPECT_EQ(doc.record().gradeCount(2), 4);
    EXPECT_EQ(doc.record().grades(2, 2, 4), Value("x")) << "a student without a score";
    doc.undo(column);
    doc.undo(added);
    EXPECT_EQ(doc.record().studentCount, 2);
    EXPECT_EQ(doc.record().gradeCount(2), 3);
    EXPECT_EQ(doc.record().grades(2, 2, 3), Value());
    EXPECT_FALSE(doc.isModified());

    ClassRecord full = classOf(45);
    doc.adopt(full, false);
    EXPECT_THROW(doc.addStudent("One Too Many"), std::length_error);
}

TEST(ClassDocument, LoadAndSaveStartAndEndTheHistory) {
    auto path = std::filesystem::temp_directory_path() / "tallyro-document-test.grd";
    ClassDocument doc;
    doc.adopt(classOf(2), true);
    EXPECT_TRUE(doc.isModified()) << "recovered content is unsaved";
    doc.save(path.string());
    EXPECT_FALSE(doc.isModified());
    doc.setGrade(1, 2, 1, Value(5));
    doc.load(path.string());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.record().grades(1, 2, 1).toText(), "62");
    std::filesystem::remove(path);
    EXPECT_THROW(doc.load(path.string()), std::exception);
    EXPECT_FALSE(doc.isOpen()) << "a failed read leaves no half class";
}

TEST(GradeEntrySession, WalksTheClassAndEveryGradeIsAStepOfItsOwn) {
    ClassDocument doc;
    doc.adopt(classOf(3), false);
    GradeEntrySession session(doc);
    std::array<int, kCategorySlots> quantities{};
    quantities[2] = 2;
    quantities[9] = 1;
    session.start(quantities);
    std::vector<ClassEdit> reserved = session.takeEdits();
    ASSERT_EQ(reserved.size(), 1u);
    EXPECT_EQ(reserved[0].description, "reservation of 2 Quiz grades");
    EXPECT_EQ(doc.record().gradeCount(2), 5);
    EXPECT_EQ(session.category(), 2);
    EXPECT_EQ(session.gradeNumber(), 4);
    for (int i = 0; i < 6; ++i)
        session.enter(Value(std::to_string(80 + i)), false);
    EXPECT_EQ(session.category(), 9) << "the quiz columns are full";
    EXPECT_EQ(doc.record().grades(2, 2, 5), Value("85"));
    session.enter(Value("77"), true);
    EXPECT_EQ(session.phase(), GradeEntrySession::Phase::Finished);
    std::vector<ClassEdit> edits = session.takeEdits();
    // Six grades, eight grade counts of categories with none written as
    // numbers (unchanged: no step), the essay's reservation and its class grade.
    ASSERT_EQ(edits.size(), 8u);
    EXPECT_EQ(edits[6].description, "reservation of 1 Essay grade");
    EXPECT_EQ(edits[7].description, "class grade 1 of Essay");
    for (auto it = edits.rbegin(); it != edits.rend(); ++it)
        doc.undo(*it);
    doc.undo(reserved[0]);
    EXPECT_EQ(doc.record().gradeCount(2), 3);
    EXPECT_EQ(doc.record().gradeCount(9), 0);
    EXPECT_EQ(doc.record().grades(2, 2, 5), Value());
    EXPECT_FALSE(doc.isModified());
}

TEST(GradeEntrySession, ClosedHalfWayExcusesOnlyTheCellsNotReached) {
    ClassDocument doc;
    doc.adopt(classOf(4), false);
    GradeEntrySession session(doc);
    std::array<int, kCategorySlots> quantities{};
    quantities[1] = 2;
    session.start(quantities);
    session.enter(Value("90"), false);
    // Three students left in column 1, four in column 2.
    EXPECT_EQ(session.excuseUnfilled(), 7);
    EXPECT_EQ(doc.record().grades(0, 1, 1), Value("90"));
    EXPECT_EQ(doc.record().grades(1, 1, 1), Value("x"));
    EXPECT_EQ(doc.record().grades(3, 1, 2), Value("x"));
    EXPECT_EQ(session.excuseUnfilled(), 0) << "once only";
}

TEST(LessonDocument, TypingMergesAndClearIsOneStep) {
    LessonDocument doc;
    doc.startWeek(defaultPeriodNames());
    EXPECT_FALSE(doc.isModified());
    LessonEdit first = doc.setLessonText(3, "say \"hi\"");
    EXPECT_EQ(doc.plan().lessonTexts[3], "say 'hi'");
    LessonEdit more = doc.setLessonText(3, "say 'hi' twice");
    EXPECT_TRUE(first.absorb(more));
    EXPECT_FALSE(first.absorb(doc.setLessonText(4, "other box")));
    doc.undo(first);
    EXPECT_EQ(doc.plan().lessonTexts[3], "");
    EXPECT_EQ(doc.plan().lessonTexts[4], "other box");
    LessonEdit cleared = doc.clearPlans();
    EXPECT_EQ(doc.plan().lessonTexts[4], "");
    doc.undo(cleared);
    EXPECT_EQ(doc.plan().lessonTexts[4], "other box");
    EXPECT_EQ(doc.plan().periodNames[0], "Period 1");
}
