#include "core/print/printdate.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace tallyro {

namespace {

std::chrono::sys_days toDays(const PrintDate& date) {
    return std::chrono::sys_days(std::chrono::year(date.year) /
                                 std::chrono::month(static_cast<unsigned>(date.month)) /
                                 std::chrono::day(static_cast<unsigned>(date.day)));
}

PrintDate fromDays(std::chrono::sys_days days) {
    std::chrono::year_month_day ymd(days);
    return PrintDate{int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day()))};
}

std::optional<int> number(std::string_view text, size_t minDigits, size_t maxDigits) {
    if (text.size() < minDigits || text.size() > maxDigits)
        return std::nullopt;
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

} // namespace

PrintDate PrintDate::today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return PrintDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::optional<PrintDate> PrintDate::parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    size_t first = text.find_first_of("/-");
    if (first == std::string_view::npos)
        return std::nullopt;
    char separator = text[first];
    size_t second = text.find(separator, first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    auto month = number(text.substr(0, first), 1, 2);
    auto day = number(text.substr(first + 1, second - first - 1), 1, 2);
    auto year = number(text.substr(second + 1), 4, 4);
    if (!month || !day || !year || *year < 100)
        return std::nullopt;
    std::chrono::year_month_day ymd(std::chrono::year(*year),
                                    std::chrono::month(static_cast<unsigned>(*month)),
                                    std::chrono::day(static_cast<unsigned>(*day)));
    if (!ymd.ok())
        return std::nullopt;
    return PrintDate{*year, *month, *day};
}

std::string PrintDate::slashed() const {
    return twoDigits(month) + "/" + twoDigits(day) + "/" + std::to_string(year);
}

std::string PrintDate::dashed() const {
    return twoDigits(month) + "-" + twoDigits(day) + "-" + std::to_string(year);
}

std::string PrintDate::weekdayName() const {
    static const std::array<const char*, 7> names = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                     "Thursday", "Friday", "Saturday"};
    return names[std::chrono::weekday(toDays(*this)).c_encoding()];
}

PrintDate PrintDate::plusDays(int days) const {
    return fromDays(toDays(*this) + std::chrono::days(days));
}

PrintDate mondayOfWeek(const PrintDate& date) {
    // iso_encoding counts Monday as 1 and Sunday as 7.
    unsigned weekday = std::chrono::weekday(toDays(date)).iso_encoding();
    return date.plusDays(1 - static_cast<int>(weekday));
}

} // namespace tallyro
