#pragma once

#include <string>
#include <string_view>

namespace tallyro {

// Character counts and cuts of UTF-8 text, so that names with accents take one
// column per letter on a page. Bytes that are not valid UTF-8 count one each.

std::u32string toCharacters(std::string_view text);
std::string fromCharacters(std::u32string_view characters);
int characterCount(std::string_view text);
// The text as valid UTF-8: each byte that is not part of a valid sequence
// becomes the character of the same number, as toCharacters reads it.
std::string validUtf8(std::string_view text);
// The first count characters of the text (all of it when shorter).
std::string leftCharacters(std::string_view text, int count);

} // namespace tallyro
