#include "core/print/utf8text.h"

namespace tallyro {

std::u32string toCharacters(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
        if (lead >= 0xF8)
            extra = 0;
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = extra != 0 || lead < 0x80;
        for (int k = 1; valid && k <= extra; ++k) {
            if (i + k >= text.size()) {
                valid = false;
                break;
            }
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (next & 0x3F);
        }
        if (valid) {
            result.push_back(code);
            i += extra + 1;
        } else {
            // A stray byte stands for itself (as cp1252 would show it).
            result.push_back(lead);
            ++i;
        }
    }
    return result;
}

std::string fromCharacters(std::u32string_view characters) {
    std::string result;
    result.reserve(characters.size());
    for (char32_t c : characters) {
        if (c < 0x80) {
            result.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (c >> 6)));
            result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            result.push_back(static_cast<char>(0xE0 | (c >> 12)));
            result.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xF0 | (c >> 18)));
            result.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return result;
}

int characterCount(std::string_view text) {
    return static_cast<int>(toCharacters(text).size());
}

std::string leftCharacters(std::string_view text, int count) {
    std::u32string characters = toCharacters(text);
    if (count < 0)
        count = 0;
    if (static_cast<int>(characters.size()) <= count)
        return std::string(text);
    return fromCharacters(std::u32string_view(characters).substr(0, count));
}

} // namespace tallyro
