#include "core/print/displaylines.h"

#include "core/print/utf8text.h"

#include <algorithm>
#include <vector>

namespace tallyro {

TextBoxLayout TextBoxLayout::widthInCharacters(int characters) {
    return TextBoxLayout{static_cast<double>(characters),
                         [](std::string_view text) { return double(characterCount(text)); }};
}

namespace {

size_t utf8Length(unsigned char lead) {
    return lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The rest of a line from where the next display line starts, read as far as
// the search for that line needs: where each character starts and where the
// text without its closing blanks ends. Only what is probed is ever decoded,
// so a display line costs about what fits in the box, whatever follows it.
class Rest {
public:
    explicit Rest(std::string_view text) : text_(text) {}

    // Reads up to `characters` characters; gives how many there are.
    size_t reach(size_t characters) {
        while (starts_.size() <= characters && starts_.back() < text_.size()) {
            size_t at = starts_.back();
            bool blank = text_[at] == ' ';
            starts_.push_back(at + utf8Length(static_cast<unsigned char>(text_[at])));
            contentEnd_.push_back(blank ? contentEnd_.back() : starts_.size() - 1);
        }
        return std::min(characters, starts_.size() - 1);
    }
    // The first `characters` characters (already reached), closing blanks left out.
    std::string_view withoutClosingBlanks(size_t characters) const {
        return text_.substr(0, starts_[contentEnd_[characters]]);
    }
    std::string_view first(size_t characters) const { return text_.substr(0, starts_[characters]); }
    bool isBlank(size_t character) const { return text_[starts_[character]] == ' '; }

private:
    std::string_view text_;
    std::vector<size_t> starts_{0};
    std::vector<size_t> contentEnd_{0}; // [n]: characters up to the last non-blank of the first n
};

// Wraps one explicit line (valid UTF-8) the way a multi-line edit box does: a
// display line is the longest run whose text, closing blanks not counted,
// fits the box; it is found by doubling and then halving the length tried.
void wrapLine(std::string_view line, const TextBoxLayout& box, std::vector<std::string>& out) {
    if (!box.measure || box.width <= 0) {
        out.emplace_back(line);
        return;
    }
    while (true) {
        Rest rest(line);
        auto fits = [&](size_t characters) {
            return box.measure(rest.withoutClosingBlanks(characters)) <= box.width + 1e-9;
        };
        // lo fits; hi does not.
        size_t lo = 0;
        size_t hi = 1;
        while (true) {
            size_t there = rest.reach(hi);
            if (there < hi) {
                if (there == lo || fits(there)) {
                    out.emplace_back(line);
                    return;
                }
                hi = there;
                break;
            }
            if (!fits(hi))
                break;
            lo = hi;
            hi *= 2;
        }
        while (hi - lo > 1) {
            size_t middle = lo + (hi - lo) / 2;
            if (fits(middle))
                lo = middle;
            else
                hi = middle;
        }
        // Break after the last run of blanks that ends within what fits (the
        // character after it is reached: hi > lo was).
        size_t take = 0;
        for (size_t length = lo; length > 0; --length) {
            if (rest.isBlank(length - 1) && !rest.isBlank(length)) {
                take = length;
                break;
            }
        }
        if (take == 0)
            take = std::max<size_t>(lo, 1);
        std::string_view shown = rest.first(take);
        out.emplace_back(shown);
        line.remove_prefix(shown.size());
        if (line.empty())
            return;
    }
}

} // namespace

std::vector<std::string> displayLines(std::string_view text, const TextBoxLayout& box) {
    std::string valid = validUtf8(text);
    std::string_view all(valid);
    std::vector<std::string> wrapped;
    size_t start = 0;
    while (true) {
        size_t end = all.find_first_of("\r\n", start);
        wrapLine(all.substr(start, end == std::string_view::npos ? end : end - start), box,
                 wrapped);
        if (end == std::string_view::npos)
            break;
        start = end + (all.substr(end, 2) == "\r\n" ? 2 : 1);
    }
    for (std::string& line : wrapped)
        line = leftCharacters(line, kDisplayLineLimit);
    return wrapped;
}

} // namespace tallyro
