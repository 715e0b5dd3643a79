#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QIcon>
#include <QMargins>
#include <QString>

class QApplication;
class QWidget;

namespace tallyro {

// The program's title, shown alone in the caption while no file is open.
inline const char* const kAppTitle = "Tallyro";

// Window places and sizes are kept in twips (1440 to the inch) and turned into
// pixels with the logical resolution of the screen the widget is on.
int twipsToPixels(int twips, const QWidget* widget = nullptr);

// What a window manager puts around a window (a title bar and thin borders),
// allowed for when a window is fitted to the screen before it has a frame.
inline constexpr QMargins kWindowFrameAllowance(4, 30, 4, 4);

// The friendly hand-lettered face of the teacher-facing labels. Comic Sans MS
// where it is installed, else the free Comic Neue, else the system font.
QFont comicFont(qreal pointSize, bool bold = false);

// Today's date as the main window's date box shows it: "Tuesday,12-08-2026".
QString dateBoxText(const QDate& date);

// A built-in icon with its double-resolution twin for high-density screens;
// empty when the program's resources are not built in.
QIcon builtInIcon(const QString& name);

// What a teacher working by keyboard relies on in every window, set up once
// on the application:
// - the control with the keyboard focus always wears a frame of
//   focusFrameColour() around it (buttons, boxes, the spinner, lists, the
//   folder tree, the plan boxes), and the current cell of a grid or the
//   current tab one inside it;
// - Enter presses the push button that has the focus, in child windows as
//   in dialogs (Qt only does so in dialogs; Space works everywhere).
void installKeyboardAids(QApplication& app);

// The focus frame's colour: navy, at least 3:1 against the window, the white
// of boxes and grids, and the highlight of a selected cell.
QColor focusFrameColour();

// Contrast ratio of two colours as the accessibility guidelines measure it,
// from 1 (same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

} // namespace tallyro
