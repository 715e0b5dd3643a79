#include "core/gradebook/categories.h"

namespace tallyro {

void setgradetypes(ClassRecord& record) {
    if (record.categoryNames.size() < kCategorySlots)
        record.categoryNames.resize(kCategorySlots);
    for (int c = 1; c <= kCategoryCount; ++c)
        record.categoryNames[c] = kCategoryNames[c];
}

std::string categoryDisplayName(const ClassRecord& record, int category) {
    if (category < 0 || category >= kCategorySlots)
        return std::string();
    if (category < static_cast<int>(record.categoryNames.size()) &&
        !record.categoryNames[category].empty())
        return record.categoryNames[category];
    return kCategoryNames[category];
}

} // namespace tallyro
