#pragma once

#include "core/app/appstate.h"
#include "core/print/displaylines.h"
#include "ui/platform/platform.h"

#include <string>
#include <vector>

class QPlainTextEdit;

namespace tallyro {

class LessonEditorWindow;

// How a plan box wraps its text: its font and the width of its text area,
// so printed lines break where the box on screen breaks them.
TextBoxLayout plainTextBoxLayout(const QPlainTextEdit& box);

// The lines a plan box shows, each cut at 120 characters.
std::vector<std::string> boxDisplayLines(const QPlainTextEdit& box);

// The editor's print routine: asks whether the printer is on, then prints
// the full week (one page a day) or the day the editor shows, as printRange
// says, from printDate. After a full week printDate holds the Friday.
void printLessonPlans(LessonEditorWindow& editor, AppState& state, Platform& platform);

} // namespace tallyro
