#include "core/print/utf8text.h"

namespace tallyro {

namespace {

// The character at byte i: its code and how many bytes it takes. A byte that
// starts no valid sequence stands for itself (as cp1252 would show it).
struct Decoded {
    char32_t code;
    size_t length;
};

Decoded decodeAt(std::string_view text, size_t i) {
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
    if (!valid)
        return {lead, 1};
    return {code, static_cast<size_t>(extra) + 1};
}

} // namespace

std::u32string toCharacters(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        Decoded c = decodeAt(text, i);
        result.push_back(c.code);
        i += c.length;
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

std::string validUtf8(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        Decoded c = decodeAt(text, i);
        if (c.code < 0x80)
            result.push_back(static_cast<char>(c.code));
        else
            result += fromCharacters(std::u32string_view(&c.code, 1));
        i += c.length;
    }
    return result;
}

int characterCount(std::string_view text) {
    int count = 0;
    for (size_t i = 0; i < text.size(); i += decodeAt(text, i).length)
        ++count;
    return count;
}

std::string leftCharacters(std::string_view text, int count) {
    if (count < 0)
        count = 0;
    size_t end = 0;
    for (int k = 0; k < count && end < text.size(); ++k)
        end += decodeAt(text, end).length;
    if (end >= text.size())
        return std::string(text);
    return fromCharacters(toCharacters(text.substr(0, end)));
}

} // namespace tallyro
