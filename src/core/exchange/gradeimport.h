#pragma once

#include "core/gradebook/categories.h"

#include "core/classfile/classrecord.h"
#include "core/exchange/csv.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyro {

// GradeColumnImport: a new grade column ready to be added to a class.
// ScoreRecord: one record of a scores file and what became of it.
// GradeColumnPlan: the whole import worked out before anything changes, for
// the preview, the error list and the column itself.

struct GradeColumnImport {
    int category = 0;
    // One grade per student in roster order: the score, or "x".
    std::vector<Value> grades;
    // What the teacher did, in words ("import of Quiz 4 from scores.csv").
    std::string description;
};

struct ScoreRecord {
    enum class Problem {
        None,
        NoStudent,       // the name matches no student
        SeveralStudents, // the name matches more than one student
        AlreadyScored,   // an earlier record has this student's score
        BadScore,        // not a number, "x" or "d"
    };

    int line = 0;
    std::string name;  // as in the file, trimmed
    std::string score; // as in the file, trimmed; empty when missing
    int student = -1;  // the student it matched, or -1
    Problem problem = Problem::None;
    int earlierLine = 0; // for AlreadyScored: the line of the first score
};

struct GradeColumnPlan {
    int category = 0;
    // Each student's new grade, and the record it came from (-1 when the
    // student is not in the file and is excused).
    std::vector<Value> grades;
    std::vector<int> recordOfStudent;
    // Every score record of the file after its header, in file order.
    std::vector<ScoreRecord> records;
    // What stops the import, one message each (a list of names is one
    // message with a name on each line). Empty when the column can be added.
    std::vector<std::string> errors;
    std::string description;

    bool ok() const { return errors.empty(); }
    GradeColumnImport import() const { return {category, grades, description}; }
};

// Matches a scores file to the class: the first record is a header; in each
// later record the first field is a student's name (trimmed, ignoring case)
// and field `column` (1-based, 2 or more) the score. A score is a number,
// "x" or "d" (any case, kept small); an empty or missing one counts as "x",
// as does a student without a record. sourceName is the file's name for the
// description. Nothing is changed: the plan says what would be added.
GradeColumnPlan planGradeColumn(const ClassRecord& record, int category,
                                const std::vector<CsvRecord>& scores, int column,
                                std::string_view sourceName);

// Adds a grade column at the end of a category: grades[s] becomes grade
// count+1 of student s, and the count grows by one. Throws std::length_error
// when the category already holds 45 grades, std::invalid_argument when the
// category is not 1..11, the class is not loaded or the grades are not one
// per student. The record is unchanged when it throws.
void appendGradeColumn(ClassRecord& record, int category, const std::vector<Value>& grades);

} // namespace tallyro
