#include "core/gradebook/categories.h"

namespace tallyro {

void setgradetypes(ClassRecord& record) {
    if (record.categoryNames.size() < kCategorySlots)
        record.categoryNames.resize(kCategorySlots);
    for (int c = 1; c <= kCategoryCount; ++c)
        record.categoryNames[c] = kCategoryNames[c];
}

} // namespace tallyro
