#include "ui/roster/rostercommands.h"

#include "core/classfile/gradefile.h"
#include "core/roster/roster.h"
#include "ui/platform/busypointer.h"
#include "ui/roster/addstudentdialog.h"
#include "ui/roster/newclassdialog.h"
#include "ui/roster/rostereditorwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include <exception>

namespace tallyro {

namespace {

const char* const kGradeFilePattern = "*.grd";
const char* const kGradeFileFilter = "grade files (*.grd)|*.grd";

} // namespace

RosterCommands::RosterCommands(AppState& state, Platform& platform, Shell& shell, QObject* parent)
    : QObject(parent), state_(state), platform_(platform), shell_(shell) {}

RosterCommands::~RosterCommands() {
    // The dialogs belong to the commands; the editor belongs to the main window.
    delete newClassDialog_;
    delete addStudentDialog_;
}

template <class Dialog> void RosterCommands::closeDialog(QPointer<Dialog>& dialog) {
    if (dialog) {
        dialog->hide();
        dialog->deleteLater();
    }
    dialog = nullptr;
}

void RosterCommands::newClass() {
    if (newClassDialog_) {
        newClassDialog_->show();
        newClassDialog_->raise();
        newClassDialog_->activateWindow();
        return;
    }
    newClassDialog_ = new NewClassDialog(shell_.window());
    newClassDialog_->setModal(true);
    connect(newClassDialog_, &QDialog::accepted, this, &RosterCommands::newClassAccepted);
    connect(newClassDialog_, &QDialog::rejected, this, &RosterCommands::newClassRejected);
    newClassDialog_->show();
}

void RosterCommands::newClassRejected() {
    shell_.setFileCaption(QString());
    closeDialog(newClassDialog_);
}

void RosterCommands::newClassAccepted() {
    NewClassDialog* dialog = newClassDialog_;
    if (!dialog)
        return;
    // The dialog is hidden by now; it stays alive so that a cancelled copy
    // can show it again with the teacher's choices.
    state_.classDocument.clearToCapacity();
    platform_.history.clear();

    if (dialog->fileName().isEmpty())
        dialog->setFileName("untitled");
    state_.currentFileName = dialog->fileName().toStdString() + ".grd";
    state_.currentFileFolder = QDir::currentPath().toStdString();
    shell_.setFileCaption(QString::fromStdString(state_.currentFileName));
    state_.rosterSorted = dialog->sorted();

    std::vector<std::string> names;
    if (dialog->duplicate()) {
        auto extracted = extractStudentList();
        if (!extracted) {
            // Back to the choices: another file, or a new empty list.
            dialog->show();
            return;
        }
        names = std::move(*extracted);
    }

    closeDialog(newClassDialog_);
    shell_.showFileOpenState();
    auto* editor = new RosterEditorWindow(state_, platform_, shell_, names);
    rosterEditor_ = editor;
    shell_.showChild(editor);
}

std::optional<std::vector<std::string>> RosterCommands::extractStudentList() {
    FileDialog& files = platform_.files;
    try {
        files.prepare("Open to extract student list", FileDialog::PathMustExist, kGradeFilePattern,
                      kGradeFileFilter);
        files.showOpen();
        BusyPointer busy;
        // Only the names are taken; the old class's weights and grades stay behind.
        return readStudentNames(files.fileName().toStdString());
    } catch (const DialogCancelled&) {
        state_.classDocument.clearToNothing();
        return std::nullopt;
    } catch (const std::exception& error) {
        state_.classDocument.clearToNothing();
        showError(platform_.messages,
                  "Unable to OPEN this file. " + QString::fromStdString(error.what()));
        return std::nullopt;
    }
}

void RosterCommands::addStudent() {
    if (addStudentDialog_) {
        addStudentDialog_->show();
        addStudentDialog_->raise();
        addStudentDialog_->activateWindow();
        return;
    }
    addStudentDialog_ = new AddStudentDialog(shell_.window());
    addStudentDialog_->setModal(true);
    connect(addStudentDialog_, &QDialog::accepted, this, &RosterCommands::addStudentAccepted);
    connect(addStudentDialog_, &QDialog::rejected, this,
            [this] { closeDialog(addStudentDialog_); });
    addStudentDialog_->show();
}

void RosterCommands::addStudentAccepted() {
    if (!addStudentDialog_)
        return;
    std::string name = addStudentDialog_->studentName().trimmed().toStdString();
    closeDialog(addStudentDialog_);
    addStudentToFile(name);
}

void RosterCommands::addStudentToFile(const std::string& name) {
    ClassDocument& document = state_.classDocument;
    FileDialog& files = platform_.files;
    auto giveUp = [&] { document.clearToNothing(); };
    try {
        document.clearToCapacity();
        files.prepare("Open to Add a Student", FileDialog::PathMustExist, kGradeFilePattern,
                      kGradeFileFilter);
        files.showOpen();
        state_.currentFileName = files.fileTitle().toStdString();
        state_.currentFileFolder = QFileInfo(files.fileName()).absolutePath().toStdString();
        {
            BusyPointer busy;
            document.load(files.fileName().toStdString());
        }
        // A file may hold 46 students; none of them takes one more.
        if (!canAddStudent(document.record())) {
            giveUp();
            platform_.messages.show("Number of students is already at the maximum of 45!!",
                                    "45 Students", MessageStyle::OkCritical);
            return;
        }
        platform_.history.record(document, document.addStudent(name));
        shell_.setFileCaption(QString::fromStdString(state_.currentFileName));
        shell_.showFileOpenState();
        shell_.showGradeBook();
    } catch (const DialogCancelled&) {
        giveUp();
    } catch (const std::exception& error) {
        giveUp();
        showError(platform_.messages,
                  "Unable to OPEN this file. " + QString::fromStdString(error.what()));
    }
}

} // namespace tallyro
