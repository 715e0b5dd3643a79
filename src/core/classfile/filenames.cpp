#include "core/classfile/filenames.h"

namespace tallyro {

std::string completeFileName(std::string_view name, std::string_view extension) {
    std::string out(name);
    if (name.size() < 4 || name[name.size() - 4] != '.')
        out += extension;
    return out;
}

std::string proposedBackupName(std::string_view currentName, std::string_view extension) {
    std::string_view stem =
        currentName.substr(0, currentName.size() >= 4 ? currentName.size() - 4 : 0);
    return std::string(stem) + std::string(extension);
}

} // namespace tallyro
