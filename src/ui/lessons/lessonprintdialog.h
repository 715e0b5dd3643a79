#pragma once

#include "core/app/appstate.h"
#include "core/print/printdate.h"
#include "ui/platform/messagebox.h"

#include <QDialog>

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tallyro {

// The lesson print dialog ("Form5"): the full week or the day the editor
// shows, and the date the pages carry.
class LessonPrintDialog : public QDialog {
    Q_OBJECT
public:
    // A date that is no date is refused through `messages`.
    LessonPrintDialog(AppState& state, MessageBox& messages, QWidget* parent = nullptr);
    ~LessonPrintDialog() override;

    // "&Print": a valid date goes to printDate with the range to printRange,
    // the dialog closes and printChosen is sent; an invalid one is refused
    // with a message that says so, and the dialog stays with the date
    // selected for typing again.
    void accept() override;

    // The steps of becoming active: the label for the chosen range, the
    // proposed date in the date box, the cursor in it.
    void restart();

    // The date proposed for a range: the Monday of this week for the full
    // week, today for the current day.
    static PrintDate proposedDate(LessonPrintRange range);

    QGroupBox* Frame1;
    QRadioButton* optweek;
    QRadioButton* optday;
    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QPushButton* Command1;
    QPushButton* Command2;

signals:
    // The editor's print routine should run now.
    void printChosen();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    LessonPrintRange chosenRange() const;
    void showRange();

    AppState& state_;
    MessageBox* messages_ = nullptr;
};

} // namespace tallyro
