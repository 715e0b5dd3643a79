#include "core/print/displaylines.h"

#include "core/print/utf8text.h"

namespace tallyro {

TextBoxLayout TextBoxLayout::widthInCharacters(int characters) {
    return TextBoxLayout{static_cast<double>(characters),
                         [](std::string_view text) { return double(characterCount(text)); }};
}

namespace {

std::vector<std::u32string> explicitLines(std::string_view text) {
    std::vector<std::u32string> lines(1);
    std::u32string characters = toCharacters(text);
    for (size_t i = 0; i < characters.size(); ++i) {
        char32_t c = characters[i];
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < characters.size() && characters[i + 1] == U'\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

bool fits(const std::u32string& line, const TextBoxLayout& box) {
    return box.measure(fromCharacters(line)) <= box.width + 1e-9;
}

// Wraps one explicit line the way a multi-line edit box does.
void wrapLine(const std::u32string& line, const TextBoxLayout& box,
              std::vector<std::u32string>& out) {
    size_t start = 0;
    while (true) {
        std::u32string rest = line.substr(start);
        if (!box.measure || box.width <= 0 || fits(rest, box)) {
            out.push_back(rest);
            return;
        }
        // The longest prefix that fits, trailing blanks not counted.
        size_t fit = 0;
        size_t breakAfter = 0; // end of the last blank run that ends within the fit
        for (size_t len = 1; len <= rest.size(); ++len) {
            std::u32string prefix = rest.substr(0, len);
            while (!prefix.empty() && prefix.back() == U' ')
                prefix.pop_back();
            if (!fits(prefix, box))
                break;
            fit = len;
            if (rest[len - 1] == U' ' && (len == rest.size() || rest[len] != U' '))
                breakAfter = len;
        }
        size_t take = breakAfter > 0 ? breakAfter : std::max<size_t>(fit, 1);
        out.push_back(rest.substr(0, take));
        start += take;
        if (start >= line.size())
            return;
    }
}

} // namespace

std::vector<std::string> displayLines(std::string_view text, const TextBoxLayout& box) {
    std::vector<std::u32string> wrapped;
    for (const std::u32string& line : explicitLines(text))
        wrapLine(line, box, wrapped);
    std::vector<std::string> result;
    result.reserve(wrapped.size());
    for (const std::u32string& line : wrapped)
        result.push_back(fromCharacters(line.substr(0, kDisplayLineLimit)));
    return result;
}

} // namespace tallyro
