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

// The refusal of a date that is no calendar date ("13/45/2026"), telling how
// to type one.
QString notADateMessage(const QString& typed);

// The editor's print routine: asks whether the printer is on (where there is
// one), then prints the full week (one page a day) or the day the editor
// shows, as printRange says, from printDate. After a full week printDate
// holds the Friday. A printDate that is no date is refused with a message and
// nothing is printed. Without a printer the pages go to a PDF file, proposed
// as "ROOM5 week of 09-15-1997.pdf" or "ROOM5 Wednesday 09-17-1997.pdf" in
// the lesson file's folder.
void printLessonPlans(LessonEditorWindow& editor, AppState& state, Platform& platform);

} // namespace tallyro
