#pragma once

#include "core/app/appstate.h"
#include "ui/platform/messagebox.h"

namespace tallyro {

// Writes the week in memory to currentFileName and clears classModified.
// A failure is shown as "Unable to SAVE this file. " with its description;
// classModified then keeps its value. Returns whether the file was written.
bool saveLessonFile(AppState& state, MessageBox& messages);

} // namespace tallyro
