#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace tallyro {

// Raised when text that is not a number is used in arithmetic.
class ValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// True for optional blanks, an optional sign, digits with at most one decimal
// point, an optional exponent and optional blanks, whose value a double can
// hold (1e400 is not); nothing else is numeric.
bool isNumericText(std::string_view text);

// The number a numeric text stands for, or nothing when it is not numeric.
std::optional<double> parseNumber(std::string_view text);

// The shortest decimal text of a number with at most 15 significant digits and
// "." as the decimal point: 86.6666666666667, 70.1, 100, 0.3 for 0.1 + 0.2.
std::string formatNumber(double number);

// A cell of the class record: empty, a number or text. Text keeps exactly what
// the teacher typed until arithmetic needs its value.
class Value {
public:
    Value() = default;
    Value(double number) : data_(number) {}
    Value(int number) : data_(static_cast<double>(number)) {}
    Value(std::string text) : data_(std::move(text)) {}
    Value(const char* text) : data_(std::string(text)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(data_); }
    bool isNumber() const { return std::holds_alternative<double>(data_); }
    bool isText() const { return std::holds_alternative<std::string>(data_); }

    // A number, or text that passes the numeric test.
    bool isNumeric() const;

    // Empty counts as 0; text that is not numeric throws ValueError.
    double toNumber() const;

    // Empty is "", a number its shortest decimal text, text itself.
    std::string toText() const;

    // The text of a text value without a copy; empty for other kinds.
    std::string_view toTextView() const {
        if (auto text = std::get_if<std::string>(&data_))
            return *text;
        return {};
    }

    // True only for text exactly equal to the given marker ("x", "d", ...).
    bool isTextEqual(std::string_view text) const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, double, std::string> data_;
};

} // namespace tallyro
