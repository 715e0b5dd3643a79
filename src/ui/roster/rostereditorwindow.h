#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

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
// names one by one, may remove some, and "En&d Of File" puts them into the
// class record and opens the grade book. Until then the roster lives only in
// the window's list.
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
    QPushButton* cmdendenter;
    QGroupBox* Frame6;
    std::array<QListWidget*, 2> lstclient;
    QLabel* Label1;
    QLabel* lbldisplay;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void nameChanged(const QString& text);
    void addClicked();
    void removeClicked();
    void endOfFileClicked();
    void addName(const QString& name);
    // The names typed so far are the teacher's work: each one is a change of
    // the class, so Close offers to save them, Exit warns, a Save writes them
    // and Undo takes the last one back.
    void storeNames(const std::string& description);
    int sortedListIndex() const;
    void showCount();
    // The name box takes names only while the roster has room.
    void updateNameBox();
    // The main window's Print and the later steps are back in use.
    void restoreShell();

    AppState& state_;
    Platform& platform_;
    Shell& shell_;
    bool shellRestored_ = false;
    bool ownEdit_ = false;
};

} // namespace tallyro
