#include "core/gradebook/categories.h"

#include <algorithm>

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

std::optional<int> categoryFromText(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos) {
        if (text.size() > 2)
            return std::nullopt;
        int number = std::stoi(std::string(text));
        if (number >= 1 && number <= kCategoryCount)
            return number;
        return std::nullopt;
    }
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (int c = 1; c <= kCategoryCount; ++c) {
        const std::string& name = kCategoryNames[c];
        if (name.size() == text.size() &&
            std::equal(name.begin(), name.end(), text.begin(),
                       [&](char a, char b) { return lower(a) == lower(b); }))
            return c;
    }
    return std::nullopt;
}

} // namespace tallyro
