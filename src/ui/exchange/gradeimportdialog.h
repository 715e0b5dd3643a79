#pragma once

#include "core/classfile/classrecord.h"
#include "core/exchange/gradeimport.h"
#include "ui/platform/platform.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTableWidget;

namespace tallyro {

// GradeImportDialog: "Import a Grade Column". The teacher chooses a scores
// file, the category and the score column and sees, before anything changes,
// what each student would get; records that match no student (or several)
// are listed in red, and OK is only possible when there are none. The dialog
// never changes the class: its result is the plan.
class GradeImportDialog : public QDialog {
    Q_OBJECT
public:
    GradeImportDialog(const ClassRecord& record, Platform& platform, QWidget* parent = nullptr);

    // Asks for a scores file with the platform's file dialog and previews
    // it. False when cancelled or when the file could not be read (told
    // through the message box); the previous file, if any, stays.
    bool chooseFile();

    // The import as it stands; ok() when OK may be pressed.
    const GradeColumnPlan& plan() const { return plan_; }

    QLabel* Label1;
    QLineEdit* txtfile;
    QPushButton* cmdfile;
    QLabel* Label2;
    QComboBox* cbocategory;
    QLabel* Label3;
    QSpinBox* spncolumn;
    QLabel* lblheading;
    QLabel* Label4;
    QTableWidget* grdpreview;
    QLabel* lblproblems;
    // Holds lblproblems: a file of another class lists every name, and the
    // dialog must still fit a small screen.
    QScrollArea* scrproblems;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    void replan();
    void showPreview();

    const ClassRecord& record_;
    Platform& platform_;
    std::vector<CsvRecord> scores_;
    QString sourceName_;
    GradeColumnPlan plan_;
};

// Options > "&Import a grade column...": asks for the scores file at once,
// then shows the dialog. Returns the column to add (category, one grade per
// student in roster order and the description of the step) when the teacher
// presses OK; nothing on Cancel. The caller adds it as one undoable step.
std::optional<GradeColumnImport> askGradeColumnImport(const ClassRecord& record, Platform& platform,
                                                      QWidget* parent);

} // namespace tallyro
