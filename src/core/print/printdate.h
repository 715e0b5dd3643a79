#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallyro {

// A calendar day as printed pages show it.
struct PrintDate {
    int year = 0;
    int month = 0;
    int day = 0;

    // Today's date on this computer's clock.
    static PrintDate today();
    // A date typed as month/day/year ("9/15/1997", "09/15/1997"; "-" works
    // as the separator too), or nothing when it is no valid date.
    static std::optional<PrintDate> parse(std::string_view text);

    std::string slashed() const; // 09/15/1997
    std::string dashed() const;  // 09-15-1997
    std::string weekdayName() const;
    // "Monday 09/15/1997", the heading of a lesson plan page.
    std::string longForm() const { return weekdayName() + " " + slashed(); }
    PrintDate plusDays(int days) const;

    friend bool operator==(const PrintDate&, const PrintDate&) = default;
};

// The Monday of the date's week, the weeks running Monday to Sunday: the
// date itself on a Monday, the Monday before on any other day (a Saturday or
// Sunday belongs to the week that is ending).
PrintDate mondayOfWeek(const PrintDate& date);

} // namespace tallyro
