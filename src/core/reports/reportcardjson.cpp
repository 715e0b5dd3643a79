#include "core/reports/reportcardjson.h"

#include "core/classfile/textfile.h"
#include "core/print/printdate.h"
#include "core/print/utf8text.h"

#include <cctype>
#include <map>
#include <memory>
#include <vector>

namespace tallyro {

namespace {

[[noreturn]] void failAtLine(std::string_view text, size_t pos, const std::string& what) {
    int line = 1;
    for (size_t i = 0; i < pos && i < text.size(); ++i)
        if (text[i] == '\n')
            ++line;
    throw ReportCardJsonError("line " + std::to_string(line) + ": " + what);
}

// Just enough JSON for a report card: objects, arrays, strings, numbers
// (kept as their text), true, false and null.
struct JsonMember;

struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    std::string text; // string value or number text
    std::vector<Json> items;
    std::vector<JsonMember> members;
};

struct JsonMember {
    std::string name;
    Json value;
};

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    Json document() {
        Json value = parseValue(0);
        skipBlanks();
        if (pos_ != text_.size())
            fail("unexpected text after the end of the document");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const { failAt(pos_, what); }
    [[noreturn]] void failAt(size_t pos, const std::string& what) const {
        failAtLine(text_, pos, what);
    }

    void skipBlanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
    }

    bool take(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    void expect(char c) {
        if (!take(c))
            fail(std::string("expected '") + c + "'");
    }

    Json parseValue(int depth) {
        if (depth > 20)
            fail("too deeply nested");
        // A card holds a few dozen values; a bound keeps a file of a million
        // tiny values from taking a hundred times its size in memory.
        if (++values_ > kMaxValues)
            fail("more values than a report card holds");
        skipBlanks();
        if (pos_ >= text_.size())
            fail("unexpected end of the document");
        char c = text_[pos_];
        Json value;
        if (c == '{') {
            ++pos_;
            value.kind = Json::Object;
            if (take('}'))
                return value;
            do {
                skipBlanks();
                if (pos_ >= text_.size() || text_[pos_] != '"')
                    fail("expected a key in double quotes");
                std::string key = parseString();
                expect(':');
                value.members.push_back(JsonMember{key, parseValue(depth + 1)});
            } while (take(','));
            expect('}');
        } else if (c == '[') {
            ++pos_;
            value.kind = Json::Array;
            if (take(']'))
                return value;
            do
                value.items.push_back(parseValue(depth + 1));
            while (take(','));
            expect(']');
        } else if (c == '"') {
            value.kind = Json::String;
            value.text = parseString();
        } else if (text_.substr(pos_, 4) == "true" || text_.substr(pos_, 5) == "false") {
            value.kind = Json::Bool;
            value.boolean = text_[pos_] == 't';
            pos_ += value.boolean ? 4 : 5;
        } else if (text_.substr(pos_, 4) == "null") {
            pos_ += 4;
        } else if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            value.kind = Json::Number;
            size_t start = pos_;
            while (pos_ < text_.size() &&
                   (std::isdigit(static_cast<unsigned char>(text_[pos_])) ||
                    std::string_view("+-.eE").find(text_[pos_]) != std::string_view::npos))
                ++pos_;
            value.text = std::string(text_.substr(start, pos_ - start));
        } else {
            fail("unexpected character " + quotedValue(std::string_view(&c, 1)));
        }
        return value;
    }

    unsigned hex4() {
        if (pos_ + 4 > text_.size())
            fail("a \\u escape needs four hex digits");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            char h = text_[pos_++];
            code <<= 4;
            if (h >= '0' && h <= '9')
                code |= h - '0';
            else if (h >= 'a' && h <= 'f')
                code |= h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                code |= h - 'A' + 10;
            else
                fail("a \\u escape needs four hex digits");
        }
        return code;
    }

    std::string parseString() {
        ++pos_; // opening quote
        std::string result;
        while (true) {
            if (pos_ >= text_.size())
                fail("a text has no closing double quote");
            char c = text_[pos_++];
            if (c == '"')
                return result;
            if (c != '\\') {
                result.push_back(c);
                continue;
            }
            if (pos_ >= text_.size())
                fail("a text has no closing double quote");
            char e = text_[pos_++];
            switch (e) {
            case 'n':
                result.push_back('\n');
                break;
            case 'r':
                result.push_back('\r');
                break;
            case 't':
                result.push_back('\t');
                break;
            case 'b':
                result.push_back('\b');
                break;
            case 'f':
                result.push_back('\f');
                break;
            case '"':
            case '\\':
            case '/':
                result.push_back(e);
                break;
            case 'u': {
                size_t escape = pos_ - 2;
                char32_t code = hex4();
                if (code >= 0xDC00 && code < 0xE000)
                    failAt(escape, "a \\u escape holds half a surrogate pair");
                if (code >= 0xD800 && code < 0xDC00) {
                    // Only a high half followed by a low half is a character.
                    if (text_.substr(pos_, 2) != "\\u")
                        failAt(escape, "a \\u escape holds half a surrogate pair");
                    pos_ += 2;
                    char32_t low = hex4();
                    if (low < 0xDC00 || low >= 0xE000)
                        failAt(escape, "a \\u escape holds half a surrogate pair");
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                result += fromCharacters(std::u32string(1, code));
                break;
            }
            default:
                fail("unknown escape " + quotedValue("\\" + std::string(1, e)));
            }
        }
    }

    static constexpr int kMaxValues = 10000;

    std::string_view text_;
    size_t pos_ = 0;
    int values_ = 0;
};

[[noreturn]] void refuse(const std::string& what) {
    throw ReportCardJsonError(what);
}

std::string textOf(const Json& value, const std::string& key) {
    if (value.kind == Json::String || value.kind == Json::Number)
        return value.text;
    if (value.kind == Json::Null)
        return {};
    refuse(quotedValue(key) + " must be a text");
}

template <size_t N>
int captionIndex(const std::array<const char*, N>& captions, const std::string& caption) {
    for (size_t i = 0; i < N; ++i)
        if (caption == captions[i])
            return static_cast<int>(i);
    return -1;
}

template <size_t N> std::string captionList(const std::array<const char*, N>& captions) {
    std::string list;
    for (const char* caption : captions)
        list += (list.empty() ? "\"" : ", \"") + std::string(caption) + "\"";
    return list;
}

std::vector<std::string> textList(const Json& value, const std::string& key) {
    if (value.kind != Json::Array)
        refuse(quotedValue(key) + " must be a list of texts");
    std::vector<std::string> texts;
    for (const Json& item : value.items)
        texts.push_back(textOf(item, key));
    return texts;
}

void readSubjects(const Json& value, ReportCardEntry& entry) {
    if (value.kind != Json::Object)
        refuse("\"subjects\" must map subject captions to marks");
    for (const auto& [caption, mark] : value.members) {
        int index = captionIndex(kSubjectCaptions, caption);
        if (index < 0)
            refuse("unknown subject " + quotedValue(caption) + "; the subjects are " +
                   captionList(kSubjectCaptions));
        entry.subjects[index] = {true, textOf(mark, caption)};
    }
}

void readConduct(const Json& value, ReportCardEntry& entry) {
    std::string conduct = textOf(value, "conduct");
    int index = captionIndex(kConductCaptions, conduct);
    if (index < 0) {
        // A letter alone stands for its caption.
        for (int i = 0; i < kConductCount - 1 && !conduct.empty(); ++i)
            if (conduct.size() == 1 && conduct[0] == kConductCaptions[i][0])
                index = i;
    }
    if (index < 0)
        refuse("unknown conduct " + quotedValue(conduct) + "; the conduct marks are " +
               captionList(kConductCaptions));
    entry.conduct = index;
}

void readAttendance(const Json& value, ReportCardEntry& entry) {
    if (value.kind == Json::Bool) {
        entry.attendance = value.boolean;
        return;
    }
    if (value.kind != Json::Object)
        refuse("\"attendance\" must hold \"absences\" and \"tardies\"");
    entry.attendance = true;
    for (const auto& [key, count] : value.members) {
        if (key == "absences")
            entry.absences = textOf(count, key);
        else if (key == "tardies")
            entry.tardies = textOf(count, key);
        else
            refuse("unknown attendance key " + quotedValue(key) +
                   "; use \"absences\" and \"tardies\"");
    }
}

} // namespace

ReportCardFile parseReportCardJson(std::string_view text) {
    if (text.size() > kReportCardJsonLimit)
        refuse("the report card is larger than 1 MiB, more than a report card file can hold");
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    // Every text taken from the file goes onto a page as UTF-8.
    if (size_t bad = firstInvalidUtf8(text); bad != std::string_view::npos)
        failAtLine(text, bad, "the file is not UTF-8 text");
    Json document = JsonReader(text).document();
    if (document.kind != Json::Object)
        refuse("a report card is one JSON object");
    ReportCardFile file;
    ReportCardEntry& entry = file.entry;
    for (const auto& [key, value] : document.members) {
        if (key == "schoolName") {
            entry.schoolName = textOf(value, key);
        } else if (key == "teacherName") {
            entry.teacherName = textOf(value, key);
        } else if (key == "gradeLevel") {
            entry.gradeLevel = textOf(value, key);
        } else if (key == "studentName") {
            entry.studentName = textOf(value, key);
        } else if (key == "date") {
            auto date = PrintDate::parse(textOf(value, key));
            if (!date)
                refuse("\"date\" must be a date written mm/dd/yyyy");
            entry.date = date->slashed();
            file.hasDate = true;
        } else if (key == "subjects") {
            readSubjects(value, entry);
        } else if (key == "conduct") {
            readConduct(value, entry);
        } else if (key == "attendance") {
            readAttendance(value, entry);
        } else if (key == "areas") {
            for (const std::string& caption : textList(value, key)) {
                int index = captionIndex(kAreaCaptions, caption);
                if (caption == kAttendanceCaption)
                    entry.attendance = true;
                else if (index < 0)
                    refuse("unknown area for improvement " + quotedValue(caption) +
                           "; the areas are " + captionList(kAreaCaptions));
                else
                    entry.areas[index] = true;
            }
        } else if (key == "recommendations") {
            for (const std::string& caption : textList(value, key)) {
                int index = captionIndex(kRecommendationCaptions, caption);
                if (index < 0)
                    refuse("unknown recommendation " + quotedValue(caption) +
                           "; the recommendations are " + captionList(kRecommendationCaptions));
                entry.recommendations[index] = true;
            }
        } else if (key == "comments") {
            entry.comments = textOf(value, key);
        } else if (key == "commentWidth") {
            std::string width = textOf(value, key);
            // Anything but a few digits is refused; stop at the first bad
            // character so a long text cannot overflow the count.
            int characters = width.empty() ? -1 : 0;
            for (char c : width) {
                if (!std::isdigit(static_cast<unsigned char>(c)) || characters >= 1000) {
                    characters = -1;
                    break;
                }
                characters = characters * 10 + (c - '0');
            }
            if (characters < 10 || characters > 120)
                refuse("\"commentWidth\" must be a whole number from 10 to 120");
            file.commentWidth = characters;
        } else if (key == "copies") {
            entry.copies = {};
            for (const std::string& copy : textList(value, key)) {
                int index = captionIndex(kCopyCaptions, copy);
                if (index < 0)
                    index = captionIndex(kCopyLabels, copy);
                if (index < 0)
                    refuse("unknown copy " + quotedValue(copy) + "; the copies are " +
                           captionList(kCopyCaptions));
                entry.copies[index] = true;
            }
        } else {
            refuse("unknown key " + quotedValue(key));
        }
    }
    // A card with no copy to print is surely a mistake in the file.
    if (!entry.copies[0] && !entry.copies[1] && !entry.copies[2] && !entry.copies[3])
        refuse("\"copies\" must name at least one copy");
    return file;
}

ReportCardFile readReportCardJson(const std::string& path) {
    return parseReportCardJson(readTextFile(path, kReportCardJsonLimit));
}

} // namespace tallyro
