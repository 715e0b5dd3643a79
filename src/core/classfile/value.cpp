#include "core/classfile/value.h"

#include "core/classfile/errortext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tallyro {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The shape of a number; whether its value fits a double is checked apart.
bool hasNumberSyntax(std::string_view text) {
    text = trimBlanks(text);
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            ++digits;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == text.size();
}

// Grades are short plain decimals ("87", "92.5"): with at most 15 digits the
// digits make an exact integer and 10^n is exact, so one division gives the
// correctly rounded value, the same as a full conversion would.
std::optional<double> parseShortDecimal(std::string_view text) {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (isDigit(c)) {
            if (++digits > 15)
                return std::nullopt;
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            if (point)
                ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    double value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    return negative ? -value : value;
}

} // namespace

// A text such as 1e400 looks like a number but has no value: calling it
// numeric would let arithmetic on it fail where nothing expects it.
bool isNumericText(std::string_view text) {
    return parseNumber(text).has_value();
}

std::optional<double> parseNumber(std::string_view text) {
    text = trimBlanks(text);
    if (auto value = parseShortDecimal(text))
        return value;
    if (!hasNumberSyntax(text))
        return std::nullopt;
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // from_chars never depends on the locale, unlike strtod.
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string formatNumber(double number) {
    if (number == 0)
        return "0"; // also for -0
    if (std::isnan(number))
        return "NaN";
    if (std::isinf(number))
        return number > 0 ? "Infinity" : "-Infinity";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", number);
    std::string text(buffer);
    // Present exponents as 1E+20 rather than C's 1e+20.
    if (auto e = text.find('e'); e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        char sign = text[e + 1];
        std::string exponent = text.substr(e + 2);
        while (exponent.size() > 2 && exponent.front() == '0')
            exponent.erase(0, 1);
        text = mantissa + "E" + sign + exponent;
    }
    return text;
}

bool Value::isNumeric() const {
    if (isNumber())
        return true;
    if (isText())
        return isNumericText(std::get<std::string>(data_));
    return false;
}

double Value::toNumber() const {
    if (isEmpty())
        return 0;
    if (isNumber())
        return std::get<double>(data_);
    const auto& text = std::get<std::string>(data_);
    if (auto number = parseNumber(text))
        return *number;
    throw ValueError(quotedValue(text) + " is not a number");
}

std::string Value::toText() const {
    if (isEmpty())
        return {};
    if (isNumber())
        return formatNumber(std::get<double>(data_));
    return std::get<std::string>(data_);
}

bool Value::isTextEqual(std::string_view text) const {
    return isText() && std::get<std::string>(data_) == text;
}

} // namespace tallyro
