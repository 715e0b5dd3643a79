#pragma once

#include "core/lessons/lessonplan.h"
#include "core/print/displaylines.h"
#include "core/print/printdate.h"
#include "core/print/printsurface.h"

#include <functional>
#include <string>
#include <vector>

namespace tallyro {

// Which lesson pages to print: the print dialog's choice.
enum class LessonPrintRange { FullWeek = 1, CurrentDay = 2 };

// The display lines of plan box 10 * day + period, as the box shows them.
using LessonBoxLines = std::function<std::vector<std::string>(int box)>;

// The plan box of the editor, for wrapping plans when no editor is there to
// ask (about 85 characters of its font fit in its width).
TextBoxLayout defaultLessonBox();

// Composes the lesson pages and ends the document: the whole week, one page a
// day from Monday, or the current day's page alone. Each page is headed with
// its own day's date; for the whole week printDate starts as the Monday and is
// moved forward a day for every following page, so it ends as the Friday.
// periodNames are the captions of the ten period buttons.
void composeLessonPages(PrintSurface& surface, const std::vector<std::string>& periodNames,
                        const LessonBoxLines& boxLines, PrintDate& printDate,
                        LessonPrintRange range, int currentDay);

// The same for a lesson plan, its boxes wrapped at the given box layout.
void composeLessonPages(PrintSurface& surface, const LessonPlan& plan, PrintDate& printDate,
                        LessonPrintRange range, int currentDay,
                        const TextBoxLayout& box = defaultLessonBox());

} // namespace tallyro
