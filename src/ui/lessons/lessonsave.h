#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"

namespace tallyro {

// Writes the week in memory to the open lesson file; afterwards there are no
// unsaved changes. A failure is shown as "Unable to SAVE this file. " with its
// description and the changes stay unsaved. Returns whether the file was written.
bool saveLessonFile(AppState& state, Platform& platform);

} // namespace tallyro
