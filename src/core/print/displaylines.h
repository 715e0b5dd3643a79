#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyro {

// The width of a piece of text in the unit of a box's width.
using MeasureText = std::function<double(std::string_view)>;

// The longest display line a printed box gives: a line is read into a buffer
// of this many characters.
inline constexpr int kDisplayLineLimit = 120;

// A multi-line text box as far as its wrapping goes: its usable width and how
// its font measures text. A box measured in characters uses widthInCharacters.
struct TextBoxLayout {
    double width = 0;
    MeasureText measure;

    static TextBoxLayout widthInCharacters(int characters);
};

// The lines the box shows for a text: every explicit line break (CR LF, LF or
// CR) ends a line, and a line wider than the box wraps after the last blank
// that still fits (blanks stay at the end of the line they follow), or
// between characters when a single word is wider than the box. Each line is
// cut at 120 characters. An empty text shows one empty line.
std::vector<std::string> displayLines(std::string_view text, const TextBoxLayout& box);

} // namespace tallyro
