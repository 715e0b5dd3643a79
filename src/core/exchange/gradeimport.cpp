#include "core/exchange/gradeimport.h"

#include "core/gradebook/categories.h"
#include "core/roster/roster.h"

#include <stdexcept>

namespace tallyro {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

// The roster's own case rule, so that "ÉMILE" finds "Émile" as the sorted
// list places them together.
bool sameName(std::string_view a, std::string_view b) {
    return !nameLessIgnoringCase(a, b) && !nameLessIgnoringCase(b, a);
}

// The grade a score stands for, or nothing when it is not a grade.
std::optional<Value> gradeOf(std::string_view score) {
    if (score.empty() || equalsIgnoringAsciiCase(score, "x"))
        return Value("x");
    if (equalsIgnoringAsciiCase(score, "d"))
        return Value("d");
    if (isNumericText(score))
        return Value(std::string(score));
    return std::nullopt;
}

std::string shownName(const ScoreRecord& record) {
    if (record.name.empty())
        return "(no name), line " + std::to_string(record.line);
    return record.name;
}

bool isBlank(const CsvRecord& record) {
    for (const std::string& field : record.fields) {
        if (!trimmed(field).empty())
            return false;
    }
    return true;
}

} // namespace

GradeColumnPlan planGradeColumn(const ClassRecord& record, int category,
                                const std::vector<CsvRecord>& scores, int column,
                                std::string_view sourceName) {
    GradeColumnPlan plan;
    plan.category = category;
    int students = record.hasCapacity() ? record.studentCount : 0;
    plan.grades.assign(static_cast<size_t>(students), Value("x"));
    plan.recordOfStudent.assign(static_cast<size_t>(students), -1);

    bool validCategory = category >= 1 && category <= kCategoryCount;
    if (!validCategory) {
        plan.errors.push_back("There is no category " + std::to_string(category) +
                              "; categories are 1 to 11.");
    } else {
        int count = record.gradeCount(category);
        plan.description = "import of " + kCategoryNames[category] + " " +
                           std::to_string(count + 1) + " from " + std::string(sourceName);
        if (count >= kMaxGradesPerCategory)
            plan.errors.push_back(kCategoryNames[category] + " already holds 45 grades.");
    }
    if (!record.hasCapacity())
        plan.errors.push_back("No class is open.");
    if (column < 2) {
        plan.errors.push_back("The score column must be 2 or more; column 1 holds the names.");
        return plan;
    }

    bool anyScoreColumn = false;
    for (size_t i = 1; i < scores.size(); ++i) {
        const CsvRecord& line = scores[i];
        if (isBlank(line))
            continue;
        ScoreRecord scored;
        scored.line = line.line;
        scored.name = std::string(trimmed(line.fields.front()));
        if (static_cast<int>(line.fields.size()) >= column) {
            anyScoreColumn = true;
            scored.score = std::string(trimmed(line.fields[static_cast<size_t>(column - 1)]));
        }

        int matches = 0;
        for (int s = 0; s < students && !scored.name.empty(); ++s) {
            if (sameName(trimmed(record.studentNames[s]), scored.name)) {
                ++matches;
                scored.student = s;
            }
        }
        std::optional<Value> grade = gradeOf(scored.score);
        if (matches == 0) {
            scored.problem = ScoreRecord::Problem::NoStudent;
            scored.student = -1;
        } else if (matches > 1) {
            scored.problem = ScoreRecord::Problem::SeveralStudents;
            scored.student = -1;
        } else if (int earlier = plan.recordOfStudent[scored.student]; earlier >= 0) {
            scored.problem = ScoreRecord::Problem::AlreadyScored;
            scored.earlierLine = plan.records[static_cast<size_t>(earlier)].line;
        } else {
            plan.recordOfStudent[scored.student] = static_cast<int>(plan.records.size());
            if (grade)
                plan.grades[scored.student] = *grade;
            else
                scored.problem = ScoreRecord::Problem::BadScore;
        }
        plan.records.push_back(std::move(scored));
    }

    std::string noStudent, severalStudents;
    std::vector<std::string> lineErrors;
    for (const ScoreRecord& scored : plan.records) {
        switch (scored.problem) {
        case ScoreRecord::Problem::None:
            break;
        case ScoreRecord::Problem::NoStudent:
            noStudent += "\n" + shownName(scored);
            break;
        case ScoreRecord::Problem::SeveralStudents:
            severalStudents += "\n" + shownName(scored);
            break;
        case ScoreRecord::Problem::AlreadyScored:
            lineErrors.push_back("Line " + std::to_string(scored.line) + ": " + scored.name +
                                 " already has a score on line " +
                                 std::to_string(scored.earlierLine) + ".");
            break;
        case ScoreRecord::Problem::BadScore:
            lineErrors.push_back("Line " + std::to_string(scored.line) + ": the score \"" +
                                 scored.score + "\" of " + scored.name +
                                 " is not a number, \"x\" or \"d\".");
            break;
        }
    }
    if (!noStudent.empty())
        plan.errors.push_back("These names in the file match no student of the class:" + noStudent);
    if (!severalStudents.empty())
        plan.errors.push_back("These names match more than one student of the class:" +
                              severalStudents);
    plan.errors.insert(plan.errors.end(), lineErrors.begin(), lineErrors.end());
    // A file that gives no score at all would excuse the whole class without
    // a word; that is a wrong file or a wrong column, not an import.
    if (plan.records.empty())
        plan.errors.push_back("The file holds no scores after its header record.");
    else if (!anyScoreColumn)
        plan.errors.push_back("No record of the file has a column " + std::to_string(column) + ".");
    return plan;
}

void appendGradeColumn(ClassRecord& record, int category, const std::vector<Value>& grades) {
    if (category < 1 || category > kCategoryCount)
        throw std::invalid_argument("There is no category " + std::to_string(category) + ".");
    if (!record.hasCapacity())
        throw std::invalid_argument("No class is open.");
    if (grades.size() != static_cast<size_t>(record.studentCount))
        throw std::invalid_argument("The new column has " + std::to_string(grades.size()) +
                                    " grades for " + std::to_string(record.studentCount) +
                                    " students.");
    int count = record.gradeCount(category);
    if (count >= kMaxGradesPerCategory)
        throw std::length_error(kCategoryNames[category] + " already holds 45 grades.");
    int k = count + 1;
    for (int s = 0; s < record.studentCount; ++s)
        record.grades(s, category, k) = grades[static_cast<size_t>(s)];
    record.gradeCounts[category] = Value(k);
}

} // namespace tallyro
