#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyro {

// The pieces every error description is made of. A description is shown in a
// message box after "Unable to OPEN this file. " and printed by the command
// line, so it is one short line whatever a file holds: a 10 MB grade or a
// name full of control characters must not become a 10 MB message or one
// that a NUL cuts short.

// The longest description, in characters.
inline constexpr std::size_t kDescriptionLimit = 300;
// The most characters of a value a description quotes.
inline constexpr std::size_t kQuotedValueLimit = 40;

// The value for a description: its first 40 characters, with "..." when it
// is longer, control characters and bytes that are not UTF-8 as \xNN.
std::string shownValue(std::string_view value);

// The same between double quotes.
std::string quotedValue(std::string_view value);

// A path for a description: its last 40 characters, after "..." when it is
// longer, so the file's own name is what stays.
std::string shownPath(std::string_view path);

// The text made fit to be a description: one line of at most 300 characters,
// control characters and bytes that are not UTF-8 as \xNN.
std::string oneLineDescription(std::string_view text);

} // namespace tallyro
