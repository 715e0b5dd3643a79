#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tallyro {

// The roster editor (objectName "listform"): the teacher types a new class's
// names one by one (or brings them from a file or pasted lines), may remove
// some, and "En&d Of File" puts them into the class record and opens the
// grade book. Until then the roster lives only in the window's list.
class RosterEditorWindow : public QWidget, public ActivatableWindow, public ClassDocumentListener {
    Q_OBJECT
public:
    // names: a roster copied from another class, listed at the start.
    RosterEditorWindow(AppState& state, Platform& platform, Shell& shell,
                       const std::vector<std::string>& names = {}, QWidget* parent = nullptr);
    ~RosterEditorWindow() override;

    void classChanged(const ClassChange& change) override;

    // The steps run each time the window becomes the active one.
    void activate() override;

    // The names in the list in use, in list order.
    std::vector<std::string> names() const;
    // The list in use: member 1 (sorted) or 0 (order of entry).
    QListWidget* listInUse() const;

    QGroupBox* Frame10;
    QLineEdit* txtname;
    QPushButton* cmdadd;
    QPushButton* Command3;
    QPushButton* cmdimport;
    QPushButton* cmdendenter;
    QGroupBox* Frame6;
    std::array<QListWidget*, 2> lstclient;
    QLabel* Label1;
    QLabel* lbldisplay;

    // The editor's own size, within the work area it sits in.
    QSize sizeHint() const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameChanged(const QString& text);
    void addClicked();
    void importClicked();
    // Text pasted into the name box: several lines are several names; a
    // single line goes into the box to be finished and added as typed.
    void pasteNames(const QString& text);
    void removeClicked();
    void endOfFileClicked();
    // Every name reaches the list the way a typed one does: without double
    // quotes or blanks around it, nothing for an empty one, none past 45.
    // The names added become one change of the class; false if none was.
    bool addNames(const QStringList& names, const std::string& description);
    void addName(const QString& name);
    // The names typed so far are the teacher's work: each one is a change of
    // the class, so Close offers to save them, Exit warns, a Save writes them
    // and Undo takes the last one back.
    void storeNames(const std::string& description);
    int sortedListIndex() const;
    void showCount();
    // The name box (and the import) take names only while the roster has room.
    void updateNameBox();
    int room() const;
    // After names were added: the name box again, or "En&d Of File" once the
    // roster is full.
    void focusAfterAdding();
    // The work area may be smaller than the editor would like (a small
    // screen, large fonts): the editor then takes what there is, the list
    // giving up rows, so no control is ever out of reach.
    void fitWorkArea();
    QWidget* workArea() const;
    // The main window's Print and the later steps are back in use.
    void restoreShell();

    AppState& state_;
    Platform& platform_;
    Shell& shell_;
    bool shellRestored_ = false;
    bool ownEdit_ = false;
    QPointer<QWidget> watchedArea_;
};

} // namespace tallyro
