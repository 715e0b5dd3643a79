#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallyro {

// The largest grade or lesson plan file that is read. A full class is about
// 140 KB, so a larger file is not one of ours, and refusing it before reading
// keeps memory in bounds whatever a path names.
inline constexpr std::size_t kTextFileLimit = 4 * 1024 * 1024;

// Reads a whole file as text (see decodeFileBytes). Only a regular file of at
// most sizeLimit bytes is read: a folder, a named pipe, a device or a socket is
// refused at once, before it is opened, so nothing can wait for a writer or
// read for ever. Throws FileError.
std::string readTextFile(const std::string& path, std::size_t sizeLimit = kTextFileLimit);

// Turns file bytes into UTF-8 text, dropping a UTF-8 byte order mark. The
// encoding is decided line by line: a line that is valid UTF-8 is UTF-8, any
// other was written on an older Windows system and is taken as Windows-1252,
// so one such byte cannot spoil the UTF-8 names of every other line.
std::string decodeFileBytes(std::string bytes);

bool isValidUtf8(std::string_view bytes);

// Where the first byte that is not part of valid UTF-8 stands, or npos.
std::size_t firstInvalidUtf8(std::string_view bytes);

// Replaces a file without ever destroying the previous one: the new content
// goes to a temporary file in the file's folder, is flushed to the disk and
// only then takes the file's place, and the folder is flushed after that.
// Through a symbolic link it is the file the link names that is replaced (the
// link stays); the file's permissions, and its owner and group where the
// process may set them, are kept. A file the teacher may not write is not
// replaced. Throws FileError and leaves the old file as it was, and no
// temporary file behind, when anything fails; a temporary left by a save that
// was killed is removed by the next save of the same file.
void writeFileAtomically(const std::string& path, std::string_view content);

// The start of the names of the temporary files a save of a file of this name
// uses: short whatever the name's length, and tied to the name so that the
// next save finds what a killed one left.
std::string temporaryNamePrefix(std::string_view fileName);

} // namespace tallyro
