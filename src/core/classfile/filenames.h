#pragma once

#include <string>
#include <string_view>

namespace tallyro {

// A name typed in a save dialog gets the extension unless its fourth
// character from the end is already a dot (ROOM5 -> ROOM5.grd, A.B ->
// A.B.bup, WEEK1.PLA stays). Names shorter than four characters always get it.
std::string completeFileName(std::string_view name, std::string_view extension);

// The name a backup proposes: the working name without its last four
// characters, followed by the backup extension (WEEK1.pla -> WEEK1.lba).
std::string proposedBackupName(std::string_view currentName, std::string_view extension);

} // namespace tallyro
