#pragma once

#include <QStringList>

class QWidget;

namespace tallyro {

// What a teacher could not reach or read in a window as it is laid out now:
// a control that lies (partly) outside its window or the part of the window
// that holds it, a control under another control, a caption cut short.
// Controls inside a scroll area count where scrolling brings them.
QStringList layoutFaults(QWidget* window);

} // namespace tallyro
