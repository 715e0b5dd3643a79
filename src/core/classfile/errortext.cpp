#include "core/classfile/errortext.h"

#include <algorithm>

namespace tallyro {

namespace {

// One character of UTF-8 text: its code point and its length in bytes, or
// length 1 and no code point for a byte that starts no valid character.
struct Character {
    char32_t code = 0;
    std::size_t length = 1;
    bool valid = false;
};

Character characterAt(std::string_view text, std::size_t i) {
    auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return {lead, 1, true};
    int extra = (lead & 0xE0) == 0xC0   ? 1
                : (lead & 0xF0) == 0xE0 ? 2
                : (lead & 0xF8) == 0xF0 ? 3
                                        : 0;
    if (extra == 0 || i + extra >= text.size())
        return {};
    char32_t code = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {code, static_cast<std::size_t>(extra) + 1, true};
}

void appendHex(std::string& out, unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[(value >> 4) & 0xF];
    out += kDigits[value & 0xF];
}

// Appends one character as a description shows it; returns how many
// characters it takes there.
std::size_t appendShown(std::string& out, std::string_view text, const Character& c,
                        std::size_t i) {
    if (!c.valid) {
        appendHex(out, static_cast<unsigned char>(text[i]));
        return 4;
    }
    // C0 and C1 controls and DEL would break the line or end it early.
    if (c.code < 0x20 || (c.code >= 0x7F && c.code < 0xA0)) {
        appendHex(out, static_cast<unsigned>(c.code));
        return 4;
    }
    // The two Unicode line breaks end a line as surely as a line feed.
    if (c.code == 0x2028 || c.code == 0x2029) {
        out += c.code == 0x2028 ? "\\u2028" : "\\u2029";
        return 6;
    }
    out.append(text.substr(i, c.length));
    return 1;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += characterAt(text, i).length)
        ++count;
    return count;
}

} // namespace

std::string shownValue(std::string_view value) {
    std::string out;
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < value.size() && characters < kQuotedValueLimit) {
        Character c = characterAt(value, i);
        appendShown(out, value, c, i);
        ++characters;
        i += c.length;
    }
    if (i < value.size())
        out += "...";
    return out;
}

std::string quotedValue(std::string_view value) {
    std::string quoted(1, '"');
    quoted += shownValue(value);
    quoted += '"';
    return quoted;
}

std::string shownPath(std::string_view path) {
    std::size_t count = characterCount(path);
    std::size_t skip = count > kQuotedValueLimit ? count - kQuotedValueLimit : 0;
    std::size_t i = 0;
    for (std::size_t k = 0; k < skip; ++k)
        i += characterAt(path, i).length;
    std::string out = skip > 0 ? "..." : "";
    while (i < path.size()) {
        Character c = characterAt(path, i);
        appendShown(out, path, c, i);
        i += c.length;
    }
    return out;
}

std::string oneLineDescription(std::string_view text) {
    std::string out;
    out.reserve(std::min(text.size(), kDescriptionLimit * 4));
    std::size_t characters = 0;
    std::size_t i = 0;
    // Room is kept for "..." so that a cut description says it was cut.
    std::size_t lastFit = std::string::npos;
    while (i < text.size()) {
        Character c = characterAt(text, i);
        std::string piece;
        std::size_t width = appendShown(piece, text, c, i);
        if (characters + width > kDescriptionLimit - 3 && lastFit == std::string::npos)
            lastFit = out.size();
        if (characters + width > kDescriptionLimit) {
            out.resize(lastFit);
            out += "...";
            return out;
        }
        out += piece;
        characters += width;
        i += c.length;
    }
    return out;
}

} // namespace tallyro
