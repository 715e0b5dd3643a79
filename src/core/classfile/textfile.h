#pragma once

#include <string>
#include <string_view>

namespace tallyro {

// Reads a whole file as UTF-8 text. A file that is not valid UTF-8 was written
// on an older Windows system and is taken as Windows-1252. Throws FileError.
std::string readTextFile(const std::string& path);

// Turns file bytes into UTF-8 text as readTextFile does (without a BOM).
std::string decodeFileBytes(std::string bytes);

bool isValidUtf8(std::string_view bytes);

// Replaces a file without ever destroying the previous one: the new content
// goes to a temporary file in the same folder, is flushed to the disk and only
// then takes the file's place. Throws FileError and leaves the old file as it
// was when anything fails.
void writeFileAtomically(const std::string& path, std::string_view content);

} // namespace tallyro
