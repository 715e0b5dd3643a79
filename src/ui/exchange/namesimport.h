#pragma once

#include "core/classfile/classrecord.h"
#include "ui/platform/platform.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace tallyro {

// The roster editor's "&Import names...": asks for a text or CSV file of
// names and returns them in file order, to be added to the list as if typed
// (the list puts them in its own order). room is how many more names the
// list takes: a file with more is refused as a whole rather than cut short.
// Nothing on Cancel; an unreadable file, a file without names or one with too
// many is told through the message box and gives nothing.
std::optional<std::vector<std::string>> askNamesFile(Platform& platform, QWidget* parent,
                                                     int room = kMaxRosterStudents);

} // namespace tallyro
