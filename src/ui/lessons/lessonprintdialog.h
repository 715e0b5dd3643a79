#pragma once

#include "core/app/appstate.h"

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
    explicit LessonPrintDialog(AppState& state, QWidget* parent = nullptr);

    // "&Print": a valid date goes to printDate with the range to printRange,
    // the dialog closes and printChosen is sent; an invalid one is replaced
    // by today's date and the dialog stays.
    void accept() override;

    // The steps of becoming active: the label for the chosen range, today's
    // date in the date box, the cursor in it.
    void restart();

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
    AppState& state_;
};

} // namespace tallyro
