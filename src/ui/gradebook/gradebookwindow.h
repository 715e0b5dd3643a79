#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QDoubleSpinBox>
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

namespace tallyro {

// The failing limit's spinner (objectName "spnfail"): steps of 0.1 between 0
// and 100, shown in their shortest text (70, 70.1). Its arrows repeat while
// held, and the wheel, the Up and Down keys and typing change it too.
class FailLimitBox : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit FailLimitBox(QWidget* parent = nullptr);

    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& position) const override;
    void fixup(QString& text) const override;
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

    // Starts editing the current cell of the weight or score grid, as Enter
    // or F2 there does; the focus returns to that cell when the edit ends.
    void editCurrentCell(QTableWidget* grid);
    // Abandons the edit under way, as Escape in the edit box does: the cell
    // shows its old text again and nothing is stored.
    void cancelEdit();

    // What a screen reader says for the grand average, "Grand Average 67.35,
    // below the failing limit 70", and the word shown beside it.
    QString grandAverageSpoken() const;

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
    // The limit as shown and typed: the spinner's own text box.
    QLineEdit* lblfail;
    FailLimitBox* spnfail;
    QLabel* Label5;
    QLabel* lblgrandave;
    // Beside the grand average, in words: "below 70" or "100 or more", so
    // that the colour is never the only sign.
    QLabel* lblgrandmark;
    // Beside the weight total when the weights do not add up to 100.
    QLabel* lblweightwarning;

protected:
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    bool hasClass() const;

    void setCategoryLabel(int category, bool counts);
    void setCell(QTableWidget* grid, int row, int column, const QString& text);
    void showWeightTotal();
    void colourGrandAverage(const Value& grandAverage);
    void showGrandAverage();
    void describeStudentOnShow();

    void studentChosen(int index);
    void averageModeChosen(int mode);
    void failLimitChanged(double value);
    void showFailLimit();

    void editTextChanged(const QString& text);
    void editReturnPressed();
    void setEnterDefault(bool isDefault);
    void beginEdit(EditMode mode, int row, int column);
    void returnToIdle();
    void enterClicked();
    void dropClicked();
    void finishScoreEdit();
    void focusAfterEdit();
    bool editTargetExists() const;
    QWidget* previousFocusable(QWidget* from) const;
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
    // The grid an edit begun from the keyboard goes back to.
    QTableWidget* editedFromKeys_ = nullptr;
    // Shift+Tab from the student list went to Next: the next Shift+Tab goes
    // on past the list instead of back into it.
    bool backFromList_ = false;
    // The grand average on show (empty while none is).
    Value grandAverage_;
};

} // namespace tallyro
