#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tallyro {

// The grade print dialog ("Form4"): which of the class's lists to print
// (grand averages, in roster order or sorted; all information; the current
// student) and the class name their headings carry.
class GradePrintDialog : public QDialog {
    Q_OBJECT
public:
    // selectedStudent gives the roster index of the student the grade book
    // shows, for the current-student list.
    GradePrintDialog(AppState& state, Platform& platform, std::function<int()> selectedStudent,
                     QWidget* parent = nullptr);

    // Asks whether the printer is on (not without a printer: the list is
    // saved as a PDF file) and prints the chosen list; the dialog closes
    // either way.
    void printList();

    QFrame* SSPanel1;
    QGroupBox* Frame1;
    QRadioButton* optgrand;
    QRadioButton* optall;
    QRadioButton* optstudent;
    QCheckBox* Check1;
    QLabel* Label1;
    QLineEdit* Text1;
    QListWidget* List1;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    void optionChosen();

    AppState& state_;
    Platform& platform_;
    std::function<int()> selectedStudent_;
};

} // namespace tallyro
