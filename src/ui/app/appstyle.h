#pragma once

#include <QDate>
#include <QFont>
#include <QString>

class QWidget;

namespace tallyro {

// The program's title, shown alone in the caption while no file is open.
inline const char* const kAppTitle = "Tallyro";

// Window places and sizes are kept in twips (1440 to the inch) and turned into
// pixels with the logical resolution of the screen the widget is on.
int twipsToPixels(int twips, const QWidget* widget = nullptr);

// The friendly hand-lettered face of the teacher-facing labels. Comic Sans MS
// where it is installed, else the free Comic Neue, else the system font.
QFont comicFont(qreal pointSize, bool bold = false);

// Today's date as the main window's date box shows it: "Tuesday,12-08-2026".
QString dateBoxText(const QDate& date);

// The picture of a resource icon, with its double-resolution twin for
// high-density screens; empty when the program's resources are not built in.
QString iconPath(const QString& name);

} // namespace tallyro
