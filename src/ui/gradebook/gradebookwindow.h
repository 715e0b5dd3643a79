#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QWidget>

#include <array>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolButton;

namespace tallyro {

// Up and down arrows beside a label (objectName "spnfail"); the Up and Down
// keys work the arrows from the keyboard.
class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void upClicked();
    void downClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

// The grade book (objectName "frmlistbox"): weights, the current student's
// grades, category averages and grand average, the failing limit, and the
// editing of single weights and grades and the dropping of a grade column.
class GradeBookWindow : public QWidget, public ActivatableWindow, public ClassDocumentListener {
    Q_OBJECT
public:
    GradeBookWindow(AppState& state, Platform& platform, Shell& shell, QWidget* parent = nullptr);
    ~GradeBookWindow() override;

    void classChanged(const ClassChange& change) override;

    // Fills the student list with the roster in order and selects the first.
    void fillStudentList();

    // The steps run each time the window becomes the active one.
    void activate() override;

    // Fills the weight grid, the category labels, the weight total and the
    // score-grid headings.
    void showWeights();
    // Computes and shows the current student's grades and averages.
    void refresh();
    // Selects the next student of the list (the first after the last).
    void nextStudent();
    // Steps once through the whole class and ends on the starting student.
    void cycle();
    // Puts the category names into the class record.
    void setgradetypes();

    // A cell chosen in the weight or score grid, addressed as the teacher
    // sees it: row 0 is the heading row, rows 1..11 the categories.
    void selectWeightCell(int row);
    void selectScoreCell(int row, int column);

    // The text of a grid cell in the same addressing (row 0 = headings).
    static QString cellText(const QTableWidget* grid, int row, int column);

    // What the window is doing with the edit box.
    enum class EditMode { Idle = 0, Weight = 1, Score = 2 };
    EditMode editMode() const { return editMode_; }
    int currentStudent() const { return currentStudent_; }
    // The student chosen in the student list, for the current-student list.
    int selectedStudent() const;

    // The controls, under the names the teacher's documentation uses.
    QTableWidget* grdweight;
    QTableWidget* grdscores;
    QTableWidget* grdaverage;
    std::array<QLabel*, 11> Label20; // categories 1..11 at index 0..10
    QLabel* Label4;
    QLabel* Label3;
    QLabel* lblweighttotal;
    QLabel* Label2;
    QLineEdit* txtweight;
    QPushButton* cmdweight;
    QLabel* Label1;
    QComboBox* Combo1;
    QPushButton* cmdcycle;
    QPushButton* cmddrop;
    QPushButton* cmdrefresh;
    QPushButton* cmdnextstudent;
    QGroupBox* Frame24;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label16;
    QLabel* Label6;
    QLabel* lblfail;
    SpinButton* spnfail;
    QLabel* Label5;
    QLabel* lblgrandave;

private:
    void buildControls();
    void buildLayout();
    bool hasClass() const;

    void setCategoryLabel(int category, bool counts);
    void setCell(QTableWidget* grid, int row, int column, const QString& text);
    void showWeightTotal();
    void colourGrandAverage(const Value& grandAverage);

    void studentChosen(int index);
    void averageModeChosen(int mode);
    void failLimitUp();
    void failLimitDown();

    void editTextChanged(const QString& text);
    void editReturnPressed();
    void setEnterDefault(bool isDefault);
    void beginEdit(EditMode mode, int row, int column);
    void returnToIdle();
    void enterClicked();
    void dropClicked();
    void finishScoreEdit();
    bool editTargetExists() const;
    // Makes a change through the class document and keeps it for undo.
    void edit(const std::function<ClassEdit()>& change);

    AppState& state_;
    Platform& platform_;
    Shell& shell_;

    int currentStudent_ = -1;
    EditMode editMode_ = EditMode::Idle;
    int selectedRow_ = 0;
    int selectedColumn_ = 0;
    QString previousWeightText_;
    QString previousScoreText_;
    bool enterIsDefault_ = false;
    bool ownEdit_ = false;
};

} // namespace tallyro
