#include "ui/lessons/lessoncommands.h"

// Before the busy pointer, whose header uses the cursor shape.
#include <QCursor>
#include <QDir>
#include <QFileInfo>

#include "core/lessons/lessonfile.h"
#include "ui/lessons/customperiodsdialog.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/lessonsave.h"
#include "ui/lessons/newlessondialog.h"
#include "ui/platform/busypointer.h"

#include <QMdiSubWindow>

#include <exception>

namespace tallyro {

namespace {

const QString kLessonFilter = QStringLiteral("lesson files (*.pla)|*.pla");
const QString kBackupFilter = QStringLiteral("lesson files (*.lba)|*.lba");

} // namespace

LessonCommands::LessonCommands(AppState& state, Platform& platform, Shell& shell, QObject* parent)
    : QObject(parent), state_(state), platform_(platform), shell_(shell) {}

LessonCommands::~LessonCommands() {
    dropNewDialogs();
    // An editor in the main window's work area belongs to it; one shown on
    // its own (as in tests) is ours to delete.
    if (editor_ && !editor_->parentWidget())
        delete editor_;
}

void LessonCommands::open() {
    openFrom(QStringLiteral("Open"), QStringLiteral("*.pla"), kLessonFilter);
}

void LessonCommands::restore() {
    openFrom(QStringLiteral("Restore"), QStringLiteral("*.lba"), kBackupFilter);
}

void LessonCommands::openFrom(const QString& title, const QString& pattern, const QString& filter) {
    state_.lessonDocument.clearToCapacity();
    FileDialog& dialog = platform_.files;
    dialog.prepare(title, FileDialog::PathMustExist, pattern, filter);
    try {
        dialog.showOpen();
    } catch (const DialogCancelled&) {
        state_.lessonDocument.clearToNothing();
        return;
    }
    openPath(dialog.fileName());
}

void LessonCommands::openPath(const QString& path) {
    state_.lessonDocument.clearToCapacity();
    QFileInfo info(path);
    state_.currentFileName = info.fileName().toStdString();
    state_.currentFileFolder = info.absolutePath().toStdString();
    QString failure;
    try {
        BusyPointer busy;
        state_.lessonDocument.load(info.absoluteFilePath().toStdString());
        shell_.setFileCaption(QString::fromStdString(state_.currentFileName));
        shell_.showFileOpenState();
        shell_.setStepPanelVisible(false);
        showEditor();
        return;
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    state_.lessonDocument.clearToNothing();
    showError(platform_.messages, QStringLiteral("Unable to OPEN this file. ") + failure);
}

bool LessonCommands::saveLessonFile() {
    return tallyro::saveLessonFile(state_, platform_);
}

void LessonCommands::saveAs() {
    FileDialog& dialog = platform_.files;
    dialog.setTitle(QStringLiteral("Save As"));
    dialog.setFlags(FileDialog::OverwritePrompt);
    dialog.setFilter(kLessonFilter);
    writeChosen(kLessonExtension);
}

void LessonCommands::backup() {
    platform_.files.prepare(
        QStringLiteral("BackUp (floppy recommended)"), FileDialog::OverwritePrompt,
        QString::fromStdString(proposedBackupName(state_.currentFileName, kLessonBackupExtension)),
        kBackupFilter);
    writeChosen(kLessonBackupExtension);
}

void LessonCommands::writeChosen(const char* extension) {
    FileDialog& dialog = platform_.files;
    QString failure;
    try {
        dialog.showSave();
        std::string name = completeFileName(dialog.fileName().toStdString(), extension);
        BusyPointer busy;
        state_.lessonDocument.saveCopy(name);
        return;
    } catch (const DialogCancelled&) {
        return;
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    showError(platform_.messages, QStringLiteral("Unable to SAVE this file. ") + failure);
}

void LessonCommands::closeEditor() {
    if (!editor_)
        return;
    LessonEditorWindow* editor = editor_;
    editor_ = nullptr;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget()))
        delete frame;
    else
        delete editor;
}

void LessonCommands::showEditor() {
    if (!editor_) {
        editor_ = new LessonEditorWindow(state_, platform_, shell_);
        connect(editor_, &QObject::destroyed, this, [this] { editor_ = nullptr; });
        shell_.showChild(editor_);
        emit editorShown(editor_);
    } else {
        editor_->loadPlan();
    }
}

void LessonCommands::newFile() {
    if (!newDialog_) {
        newDialog_ = new NewLessonDialog(shell_.window());
        newDialog_->setWindowModality(Qt::ApplicationModal);
        connect(newDialog_, &NewLessonDialog::okPressed, this, &LessonCommands::onNewOk);
        connect(newDialog_, &NewLessonDialog::cancelPressed, this, &LessonCommands::onNewCancel);
    }
    newDialog_->show();
    newDialog_->raise();
    newDialog_->activateWindow();
}

void LessonCommands::onNewOk() {
    NewLessonDialog* dialog = newDialog_;
    dialog->hide();
    state_.lessonDocument.clearToCapacity();
    if (dialog->fileName().isEmpty())
        dialog->setFileName(QStringLiteral("untitled"));
    state_.currentFileName = dialog->fileName().toStdString() + kLessonExtension;
    state_.currentFileFolder = QDir::currentPath().toStdString();
    shell_.setFileCaption(QString::fromStdString(state_.currentFileName));

    switch (dialog->periodType()) {
    case NewLessonDialog::PeriodType::Duplicate:
        switch (extractPeriodList()) {
        case ExtractResult::Read:
            break;
        case ExtractResult::Cancelled:
            dialog->show();
            return;
        case ExtractResult::Failed:
            // The editor needs ten names; after an unreadable file the week
            // starts with the default ones rather than ten blank buttons.
            state_.lessonDocument.startWeek(defaultPeriodNames());
            break;
        }
        break;
    case NewLessonDialog::PeriodType::Custom:
        if (!customDialog_) {
            customDialog_ = new CustomPeriodsDialog(shell_.window());
            customDialog_->setWindowModality(Qt::ApplicationModal);
            connect(customDialog_, &CustomPeriodsDialog::allNamed, this,
                    &LessonCommands::onCustomNamed);
            connect(customDialog_, &CustomPeriodsDialog::cancelPressed, this,
                    &LessonCommands::onCustomCancel);
        }
        customDialog_->show();
        return;
    case NewLessonDialog::PeriodType::Default:
        state_.lessonDocument.startWeek(defaultPeriodNames());
        break;
    }
    finishNewWeek();
}

void LessonCommands::onNewCancel() {
    if (newDialog_)
        newDialog_->hide();
    shell_.setFileCaption(QString());
    dropNewDialogs();
}

void LessonCommands::onCustomNamed() {
    customDialog_->hide();
    std::vector<std::string> names;
    for (const QString& name : customDialog_->names())
        names.push_back(name.toStdString());
    state_.lessonDocument.startWeek(names);
    finishNewWeek();
}

void LessonCommands::onCustomCancel() {
    if (customDialog_) {
        customDialog_->hide();
        customDialog_->deleteLater();
        customDialog_ = nullptr;
    }
    if (newDialog_)
        newDialog_->show();
    state_.lessonDocument.clearToNothing();
}

void LessonCommands::finishNewWeek() {
    {
        BusyPointer busy;
        shell_.showFileOpenState();
        showEditor();
    }
    dropNewDialogs();
}

// The dialogs are closed from their own buttons, so they go once the click
// has been handled.
void LessonCommands::dropNewDialogs() {
    if (customDialog_) {
        customDialog_->hide();
        customDialog_->deleteLater();
        customDialog_ = nullptr;
    }
    if (newDialog_) {
        newDialog_->hide();
        newDialog_->deleteLater();
        newDialog_ = nullptr;
    }
}

LessonCommands::ExtractResult LessonCommands::extractPeriodList() {
    QString failure;
    try {
        FileDialog& dialog = platform_.files;
        dialog.prepare(QStringLiteral("Open to extract period list"), FileDialog::PathMustExist,
                       QStringLiteral("*.pla"), kLessonFilter);
        dialog.showOpen();
        BusyPointer busy;
        state_.lessonDocument.startWeek(readPeriodNames(dialog.fileName().toStdString()));
        return ExtractResult::Read;
    } catch (const DialogCancelled&) {
        state_.lessonDocument.clearToNothing();
        return ExtractResult::Cancelled;
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    }
    state_.lessonDocument.clearToNothing();
    showError(platform_.messages, QStringLiteral("Unable to OPEN this file. ") + failure);
    return ExtractResult::Failed;
}

} // namespace tallyro
