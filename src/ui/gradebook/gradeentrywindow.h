#pragma once

#include "core/app/appstate.h"
#include "core/gradebook/gradeentrysession.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyro {

// Grade entry for the whole class (objectName "frmgradentry"): the teacher
// says how many new grades each category gets, then types one grade per
// student per new column, in roster order.
class GradeEntryWindow : public QWidget, public ActivatableWindow, public ClassDocumentListener {
    Q_OBJECT
public:
    GradeEntryWindow(AppState& state, Platform& platform, Shell& shell, QWidget* parent = nullptr);
    ~GradeEntryWindow() override;

    // A grade undone or redone moves the walk back or on.
    void classChanged(const ClassChange& change) override;

    // Each time the window becomes the active one: the commands that must
    // wait for the end of grade entry are switched off.
    void activate() override;

    // Gives the grade in the grade box to every student for the current
    // grade number, then empties the box.
    void OneClassGrade();

    using Phase = GradeEntrySession::Phase;
    Phase phase() const { return session_.phase(); }
    int currentCategory() const { return session_.category(); }
    int currentGradeNumber() const { return session_.gradeNumber(); }
    int currentStudentIndex() const { return session_.studentIndex(); }

    // The controls, under the names the teacher's documentation uses.
    QGroupBox* Frame1;
    std::array<QLabel*, 12> Label{};   // categories 1..11
    std::array<QLineEdit*, 12> Text{}; // quantity boxes 1..11
    QPushButton* cmdselectready;
    QLabel* Label2;
    QGroupBox* Frame2;
    QCheckBox* Check1;
    QLabel* Label4;
    QLineEdit* txtgrade;
    QPushButton* cmdentergrade;
    QPushButton* cmdbackward;
    QPushButton* cmdforward;
    QPushButton* cmdexitgradentry;
    QFrame* SSPanel1;
    QLabel* lblstudname;
    QLabel* Label1;
    QLabel* lblstudentnumber;
    QLabel* Label3;
    QLabel* lblgradetotal;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void setShellCommandsEnabled(bool enabled);

    void quantityChanged(int category);
    void quantityFocused(int category);
    void quantityLeft(int category);
    void continueClicked();
    void keepEdits();
    void showWalk();
    void speakWalk();
    void finish();
    void gradeTextChanged(const QString& text);
    void enterClicked();
    void closeClicked();

    AppState& state_;
    Platform& platform_;
    Shell& shell_;

    GradeEntrySession session_;
    // The category whose label is marked as the one being entered.
    int shownCategory_ = 0;
    bool ownEdit_ = false;
    bool enterIsDefault_ = false;
    bool showingMessage_ = false;
    bool closed_ = false;
};

} // namespace tallyro
