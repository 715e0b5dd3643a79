#pragma once

#include <QString>

#include <tuple>
#include <utility>

class QColor;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace tallyro {

// What a screen reader says for a caption: the caption without its access-key
// marker ("&Next" reads "Next").
QString withoutAccessKey(QString caption);

// A label with the object name tests and automation find it by.
QLabel* namedLabel(QWidget* parent, const QString& objectName, const QString& text);

// A push button with its object name and, as its accessible name, its caption
// without the access-key marker.
QPushButton* namedButton(QWidget* parent, const QString& objectName, const QString& caption);

// A named button on a window that is not a dialog: it never becomes the
// default button just because it has the focus, so Enter keeps its meaning in
// the window's boxes.
QPushButton* windowButton(QWidget* parent, const QString& objectName, const QString& caption);

// The confirming pair of a small dialog: "Command1" with confirmCaption (the
// default button, pressed by Enter) and "Command2" "&Cancel", both named for
// screen readers. Returned in that order, ready for std::tie.
std::pair<QPushButton*, QPushButton*> confirmCancelButtons(QWidget* parent,
                                                           const QString& confirmCaption);

// The confirming pair of a small dialog stacked at its right-hand side.
QVBoxLayout* buttonColumn(QPushButton* confirm, QPushButton* cancel);

// A label's text colour (the grade book's blue, red, green and navy marks).
void setTextColour(QLabel* label, const QColor& colour);

} // namespace tallyro
