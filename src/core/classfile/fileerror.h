#pragma once

#include "core/classfile/errortext.h"

#include <stdexcept>
#include <string>

namespace tallyro {

// A file could not be read or written. The text is the description a teacher
// sees after "Unable to OPEN this file. " or "Unable to SAVE this file. ";
// whatever it was built from, it is kept to one short line.
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string& what) : std::runtime_error(oneLineDescription(what)) {}
    explicit FileError(const char* what) : std::runtime_error(oneLineDescription(what)) {}
};

} // namespace tallyro
