#pragma once

#include "core/classfile/value.h"

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tallyro {

// Reads the comma-separated records that grade files and lesson plan files are
// made of: a quoted field is text up to its closing quote, an unquoted field
// is a number (blanks around it ignored), an empty field is empty. Every error
// names the line it happened on.
class RecordReader {
public:
    explicit RecordReader(std::string_view text) : text_(text) {}

    // The next field; throws FileError when the text ends first. `what` says
    // what was expected there, for the error description.
    Value readField(std::string_view what);

    // The same, with the description built only when it is needed: a grade
    // file has thousands of fields and the description is rarely wanted.
    template <std::invocable Describe> Value readField(Describe&& describe) {
        Value field;
        if (!next(field))
            failAtEnd(describe());
        return field;
    }

    // The next quoted text record: everything from its opening quote to the
    // next quote, line breaks included, then past the line end that follows.
    // A record that does not start with a quote (the format never writes
    // one) is its line without the blanks around it; holding a comma, it
    // throws FileError, as it would otherwise shift every later record.
    std::string readQuotedRecord(std::string_view what);

    // True when the last field read was a text in double quotes.
    bool fieldWasQuoted() const { return quoted_; }

    // True when only blanks and line ends are left.
    bool atEnd() const;

    // Line (1-based) where the last field read started.
    int fieldLine() const { return fieldLine_; }
    int line() const { return line_; }

private:
    // Reads the next field into `field`; false when the text has ended.
    bool next(Value& field);
    void skipBlanks();
    void finishField();
    [[noreturn]] void failAtEnd(std::string_view what) const;

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
    int fieldLine_ = 1;
    bool quoted_ = false;
};

// Writes records in the same format: text in double quotes, numbers in their
// shortest decimal text, empty as nothing; every record ends in CR LF.
class RecordWriter {
public:
    void writeRecord(std::initializer_list<Value> fields);
    void writeText(std::string_view text) { writeRecord({Value(std::string(text))}); }

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace tallyro
