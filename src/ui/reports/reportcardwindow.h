#pragma once

#include "core/app/appstate.h"
#include "core/reports/reportcard.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;

namespace tallyro {

// The report card window ("Reportfrm"): the teacher fills in one student's
// grade report and prints it in up to four labelled copies. Nothing typed
// here is stored, except the school, teacher and grade level, which are the
// program's own values and change as they are typed; so a report filled in
// and not printed is only thrown away when the teacher agrees.
class ReportCardWindow : public QWidget, public ActivatableWindow {
    Q_OBJECT
public:
    ReportCardWindow(AppState& state, Platform& platform, Shell& shell, QWidget* parent = nullptr);
    ~ReportCardWindow() override;

    // Each time the window becomes the active one: the open mark is cleared.
    void activate() override;
    // "disabled" just after loading, empty once the window has been active.
    QString openMark() const { return openMark_; }

    // The report as the window holds it now, comment lines not yet wrapped.
    ReportCardEntry entry() const;
    // The comment as the comment box shows it, line by line.
    std::vector<std::string> commentLines() const;

    // The buttons' work. Print first asks whether the printer is on (not
    // without a printer).
    void clearForm();
    void nextStudent();
    void printReportCard();

    // Whether Close would throw away a report: something was filled in that
    // was not printed as it stands now.
    bool hasUnprintedReport() const;
    // True when nothing unprinted would be lost, or the teacher agreed to
    // discard it; asks "Discard it?" only when there is something to lose.
    bool mayDiscard();

    // What the main window's Print and Close do while the window is open: as
    // a press of its own Print or Close button. The main window has already
    // asked whether the printer is on, so Print does not ask again.
    void pressPrint();
    void pressClose();
    // New teacher details from the start-up form fill their boxes.
    void setTeacherDetails(const std::string& school, const std::string& teacher,
                           const std::string& grade);

    // Subjects, areas (Attendance first), recommendations and copies in the
    // order the printed page lists them.
    const std::array<QCheckBox*, kSubjectCount>& subjectChecks() const { return subjectChecks_; }
    const std::array<QLineEdit*, kSubjectCount>& subjectMarks() const { return subjectMarks_; }
    const std::array<QRadioButton*, kConductCount>& conductOptions() const { return conduct_; }
    const std::array<QCheckBox*, kAreaCount + 1>& areaChecks() const { return areaChecks_; }
    const std::array<QCheckBox*, kRecommendationCount>& recommendationChecks() const {
        return recommendationChecks_;
    }
    const std::array<QCheckBox*, kCopyCount>& copyChecks() const { return copyChecks_; }
    // The panel whose pages are the three overlapping frames.
    QStackedWidget* framePages() const { return pages_; }
    // Holds every control; it scrolls when the work area is too small.
    QScrollArea* scrollArea() const { return scroll_; }

    // The controls, under the names the teacher's help pages use.
    QLabel *Label1, *Label2, *Label5, *Label3, *Label6, *Label7, *Label4;
    QLineEdit *txtschool, *txtteacher, *txtgrade;
    QComboBox* stucombo;
    QGroupBox *Frame1, *Frame3, *Frame2, *Frame4, *Frame5, *Frame6;
    QCheckBox *Check1, *Check2, *Check3, *Check4, *Check5, *Check6, *Check7, *Check8, *Check9,
        *Check10, *Check11, *Check12, *Check13, *Check14, *Check15, *Check16, *Check17, *Check18,
        *Check19, *Check20, *Check21, *Check22, *Check23, *Check24, *Check25, *Check26, *Check27,
        *Check28, *Check29, *Check30, *Check31, *Check32, *Check33, *Check34, *Check35, *Check36,
        *Check37, *Check38, *Check39, *Check40, *Check41;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10,
        *Text11, *Text12, *Text13, *Text14, *Text15, *Text16;
    QRadioButton *optA, *optB, *optC, *optD, *optF, *optTC;
    QLineEdit *txtabsences, *txttardies;
    QPlainTextEdit* txtcomment;
    QPushButton *Command4, *Command6, *Command3, *Command5;
    QPushButton *Command1, *cmdnext, *cmdprint, *cmdexit;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void load();
    void showPage(QWidget* page, QWidget* focus);
    void showDate(const QString& date);
    void copyClicked(int copy);
    void setMainCommandsEnabled(bool enabled);

    AppState& state_;
    Platform& platform_;
    Shell& shell_;
    QString openMark_ = QStringLiteral("disabled");
    bool closed_ = false;
    // The report as it was last printed.
    std::optional<ReportCardEntry> printed_;

    QScrollArea* scroll_ = nullptr;
    QMetaObject::Connection focusFollower_;
    QStackedWidget* pages_ = nullptr;
    std::array<QCheckBox*, kSubjectCount> subjectChecks_{};
    std::array<QLineEdit*, kSubjectCount> subjectMarks_{};
    std::array<QRadioButton*, kConductCount> conduct_{};
    // Set between a mouse release on a conduct mark and the click it makes.
    bool conductByMouse_ = false;
    std::array<QCheckBox*, kAreaCount + 1> areaChecks_{};
    std::array<QCheckBox*, kRecommendationCount> recommendationChecks_{};
    std::array<QCheckBox*, kCopyCount> copyChecks_{};
};

} // namespace tallyro
