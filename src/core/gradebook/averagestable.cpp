#include "core/gradebook/averagestable.h"

namespace tallyro {

std::string formatAveragesTable(ClassRecord& record, AverageMode mode) {
    std::string out;
    for (int s = 0; s < record.studentCount; ++s) {
        StudentAverages averages = computeAverages(record, s, mode);
        out += record.studentNames[s];
        out += '\t';
        out += averages.grandAverage.toText();
        for (int c = 1; c <= kCategoryCount; ++c) {
            out += '\t';
            out += averageText(averages.categoryAverages[c]);
        }
        out += '\n';
    }
    return out;
}

} // namespace tallyro
