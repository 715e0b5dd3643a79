#pragma once

#include <stdexcept>
#include <string>

namespace tallyro {

// A file could not be read or written. The text is the description a teacher
// sees after "Unable to OPEN this file. " or "Unable to SAVE this file. ".
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tallyro
