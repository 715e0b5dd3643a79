// Wrapping of printed plans and report card comments: the fast wrapping must
// give exactly the lines of the plain definition (try every length, keep the
// longest that fits, break after the last blank run), on any text.
#include "core/print/displaylines.h"
#include "core/print/utf8text.h"

#include <gtest/gtest.h>

#include <random>

using namespace tallyro;

namespace {

// The plain definition, slow on purpose: every prefix is measured.
std::vector<std::string> plainDisplayLines(std::string_view text, const TextBoxLayout& box) {
    std::vector<std::u32string> lines(1);
    std::u32string all = toCharacters(text);
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == U'\r' || all[i] == U'\n') {
            if (all[i] == U'\r' && i + 1 < all.size() && all[i + 1] == U'\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back().push_back(all[i]);
        }
    }
    auto fits = [&](std::u32string s) {
        while (!s.empty() && s.back() == U' ')
            s.pop_back();
        return box.measure(fromCharacters(s)) <= box.width + 1e-9;
    };
    std::vector<std::string> out;
    for (const std::u32string& line : lines) {
        size_t start = 0;
        while (true) {
            std::u32string rest = line.substr(start);
            if (fits(rest)) {
                out.push_back(fromCharacters(rest));
                break;
            }
            size_t fit = 0, breakAfter = 0;
            for (size_t len = 1; len <= rest.size() && fits(rest.substr(0, len)); ++len) {
                fit = len;
                if (rest[len - 1] == U' ' && (len == rest.size() || rest[len] != U' '))
                    breakAfter = len;
            }
            size_t take = breakAfter > 0 ? breakAfter : std::max<size_t>(fit, 1);
            out.push_back(fromCharacters(rest.substr(0, take)));
            start += take;
            if (start >= line.size())
                break;
        }
    }
    for (std::string& line : out)
        line = leftCharacters(line, kDisplayLineLimit);
    return out;
}

} // namespace

TEST(PlanWrapping, GivesTheLinesOfThePlainDefinitionOnAnyText) {
    std::mt19937 random(15);
    const std::vector<std::string> pieces = {"a", "b",  " ",    " ",  "  ",   "\xC3\xA9",
                                             "m", "\n", "\r\n", "\r", "word", "\xFF"};
    TextBoxLayout wideM{
        6, [](std::string_view text) {
            double width = 0;
            for (char c : text)
                width += c == 'm' ? 3 : (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
            return width;
        }};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % pieces.size()];
        TextBoxLayout box =
            round % 3 == 0 ? wideM
                           : TextBoxLayout::widthInCharacters(1 + static_cast<int>(random() % 12));
        ASSERT_EQ(displayLines(text, box), plainDisplayLines(text, box)) << "text: " << text;
    }
    // A box far wider than any line, and one too narrow for any character.
    auto wide = TextBoxLayout::widthInCharacters(1000);
    EXPECT_EQ(displayLines(std::string(300, 'w'), wide),
              std::vector<std::string>{std::string(120, 'w')});
    TextBoxLayout narrow{0.5, wideM.measure};
    EXPECT_EQ(displayLines("ab ", narrow), (std::vector<std::string>{"a", "b", " "}));
}
