#include "core/classfile/recordformat.h"

#include "core/classfile/errortext.h"
#include "core/classfile/fileerror.h"

namespace tallyro {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

void RecordReader::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

bool RecordReader::atEnd() const {
    for (size_t i = pos_; i < text_.size(); ++i) {
        if (!isBlank(text_[i]) && !isLineEnd(text_[i]))
            return false;
    }
    return true;
}

void RecordReader::failAtEnd(std::string_view what) const {
    throw FileError("The file ends at line " + std::to_string(line_) + " before " +
                    std::string(what) + ".");
}

// After a field: skip blanks, then a comma (the next field is on this line) or
// one line end (CR LF, LF or a lone CR).
void RecordReader::finishField() {
    skipBlanks();
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',') {
        ++pos_;
        return;
    }
    if (text_[pos_] == '\r') {
        ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        ++line_;
        return;
    }
    if (text_[pos_] == '\n') {
        ++pos_;
        ++line_;
        return;
    }
    // Anything else after a closing quote belongs to no field; skip to the
    // next separator so one stray character cannot shift every later record.
    while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
        ++pos_;
    finishField();
}

Value RecordReader::readField(std::string_view what) {
    Value field;
    if (!next(field))
        failAtEnd(what);
    return field;
}

bool RecordReader::next(Value& field) {
    if (pos_ >= text_.size())
        return false;
    skipBlanks();
    if (pos_ >= text_.size())
        return false;
    fieldLine_ = line_;
    quoted_ = text_[pos_] == '"';
    if (quoted_) {
        size_t close = text_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            throw FileError("Line " + std::to_string(line_) +
                            ": a text has no closing double quote.");
        }
        std::string_view inside = text_.substr(pos_ + 1, close - pos_ - 1);
        for (char c : inside) {
            if (c == '\n')
                ++line_;
        }
        pos_ = close + 1;
        finishField();
        field = Value(std::string(inside));
        return true;
    }
    size_t end = pos_;
    while (end < text_.size() && text_[end] != ',' && !isLineEnd(text_[end]))
        ++end;
    std::string_view raw = text_.substr(pos_, end - pos_);
    pos_ = end;
    finishField();
    while (!raw.empty() && isBlank(raw.back()))
        raw.remove_suffix(1);
    if (raw.empty()) {
        field = Value();
    } else if (auto number = parseNumber(raw)) {
        field = Value(*number);
    } else {
        // An unquoted word is kept as text rather than refused: the grade book
        // reports it by name if it is ever used in an average.
        field = Value(std::string(raw));
    }
    return true;
}

std::string RecordReader::readQuotedRecord(std::string_view what) {
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_]))) {
        if (text_[pos_] == '\n' ||
            (text_[pos_] == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n')))
            ++line_;
        ++pos_;
    }
    if (pos_ >= text_.size())
        failAtEnd(what);
    if (text_[pos_] == '"')
        return readField(what).toText();
    fieldLine_ = line_;
    quoted_ = false;
    size_t end = pos_;
    while (end < text_.size() && !isLineEnd(text_[end]))
        ++end;
    std::string_view raw = text_.substr(pos_, end - pos_);
    if (raw.find(',') != std::string_view::npos) {
        throw FileError("Line " + std::to_string(line_) + ": " + std::string(what) + " " +
                        quotedValue(raw) + " is not a text in double quotes and holds a comma.");
    }
    pos_ = end;
    finishField();
    while (!raw.empty() && isBlank(raw.back()))
        raw.remove_suffix(1);
    return std::string(raw);
}

void RecordWriter::writeRecord(std::initializer_list<Value> fields) {
    bool first = true;
    for (const Value& field : fields) {
        if (!first)
            text_ += ',';
        first = false;
        if (field.isText()) {
            // The format has no escape for a double quote: one inside a text
            // would end the field early and shift every later record, so the
            // last line of defence turns it into an apostrophe.
            std::string text = field.toText();
            for (char& c : text) {
                if (c == '"')
                    c = '\'';
            }
            text_ += '"';
            text_ += text;
            text_ += '"';
        } else if (field.isNumber()) {
            text_ += field.toText();
        }
    }
    text_ += "\r\n";
}

} // namespace tallyro
