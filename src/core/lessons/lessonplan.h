#pragma once

#include <string>
#include <vector>

namespace tallyro {

inline constexpr int kPeriodCount = 10;
inline constexpr int kDayCount = 5;
inline constexpr int kLessonCount = kPeriodCount * kDayCount;

// One week of lesson plans: ten period names shared by every day and one plan
// text per day and period, at index 10 * day + period (day 0 is Monday).
struct LessonPlan {
    std::vector<std::string> periodNames;
    std::vector<std::string> lessonTexts;

    LessonPlan() { clearToNothing(); }

    // Names 0..10 and texts 0..50, all empty, ready to be filled.
    void clearToCapacity() {
        periodNames.assign(kPeriodCount + 1, std::string());
        lessonTexts.assign(kLessonCount + 1, std::string());
    }
    // Both arrays down to one empty element: no week is held.
    void clearToNothing() {
        periodNames.assign(1, std::string());
        lessonTexts.assign(1, std::string());
    }
    bool hasCapacity() const {
        return periodNames.size() > kPeriodCount - 1 && lessonTexts.size() > kLessonCount - 1;
    }
    static int lessonIndex(int day, int period) { return kPeriodCount * day + period; }
};

} // namespace tallyro
