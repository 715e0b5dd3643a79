#include "ui/app/gradefilecommands.h"

#include "core/classfile/filenames.h"
#include "core/classfile/gradefile.h"
#include "ui/platform/busypointer.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace tallyro {

namespace {

const char* const kGradeFilter = "grade files (*.grd)|*.grd";
const char* const kBackupFilter = "grade files (*.bup)|*.bup";

} // namespace

GradeFileCommands::GradeFileCommands(AppState& state, Platform& platform, Shell& shell)
    : state_(state), platform_(platform), shell_(shell) {}

void GradeFileCommands::open() {
    openWith(QStringLiteral("Open"), QStringLiteral("*.grd"), QString::fromLatin1(kGradeFilter));
}

void GradeFileCommands::restore() {
    openWith(QStringLiteral("Restore"), QStringLiteral("*.bup"),
             QString::fromLatin1(kBackupFilter));
}

void GradeFileCommands::openWith(const QString& title, const QString& pattern,
                                 const QString& filter) {
    state_.classDocument.clearToCapacity();
    FileDialog& dialog = platform_.files;
    dialog.prepare(title, FileDialog::PathMustExist, pattern, filter);
    try {
        dialog.showOpen();
    } catch (const DialogCancelled&) {
        state_.classDocument.clearToNothing();
        return;
    }
    load(QFileInfo(dialog.fileName()).absolutePath(), dialog.fileTitle());
}

void GradeFileCommands::openPath(const QString& path) {
    state_.classDocument.clearToCapacity();
    QFileInfo info(path);
    // As after the dialog, the file's folder becomes the current folder.
    if (info.dir().exists())
        QDir::setCurrent(info.absolutePath());
    load(info.absolutePath(), info.fileName());
}

void GradeFileCommands::load(const QString& folder, const QString& fileTitle) {
    state_.currentFileName = fileTitle.toStdString();
    state_.currentFileFolder = folder.toStdString();
    try {
        BusyPointer busy;
        state_.classDocument.load(QDir(folder).filePath(fileTitle).toStdString());
    } catch (const std::exception& error) {
        // The chosen name stays; caption and menus are left as they were;
        // the document holds nothing after a failed read.
        showError(platform_.messages, QStringLiteral("Unable to OPEN this file. ") +
                                          QString::fromStdString(error.what()));
        return;
    }
    shell_.setFileCaption(fileTitle);
    shell_.showFileOpenState();
    shell_.showGradeBook();
}

bool GradeFileCommands::save() {
    try {
        BusyPointer busy;
        state_.classDocument.save(state_.currentFilePath());
    } catch (const std::exception& error) {
        showError(platform_.messages, QStringLiteral("Unable to SAVE this file. ") +
                                          QString::fromStdString(error.what()));
        return false;
    }
    platform_.history.markSaved();
    return true;
}

void GradeFileCommands::saveAs() {
    FileDialog& dialog = platform_.files;
    dialog.setTitle(QStringLiteral("Save As"));
    dialog.setFlags(FileDialog::OverwritePrompt);
    dialog.setFilter(QString::fromLatin1(kGradeFilter));
    writeChosen(".grd");
}

void GradeFileCommands::backup() {
    FileDialog& dialog = platform_.files;
    dialog.prepare(QStringLiteral("BackUp (floppy recommended)"), FileDialog::OverwritePrompt,
                   QString::fromStdString(proposedBackupName(state_.currentFileName, ".bup")),
                   QString::fromLatin1(kBackupFilter));
    writeChosen(".bup");
    // The next dialog proposes the working file again, even after a cancel.
    dialog.setFileName(QString::fromStdString(state_.currentFileName));
}

void GradeFileCommands::writeChosen(const char* extension) {
    FileDialog& dialog = platform_.files;
    try {
        dialog.showSave();
    } catch (const DialogCancelled&) {
        return;
    }
    std::string name = completeFileName(dialog.fileName().toStdString(), extension);
    try {
        BusyPointer busy;
        state_.classDocument.saveCopy(name);
    } catch (const std::exception& error) {
        showError(platform_.messages, QStringLiteral("Unable to SAVE this file. ") +
                                          QString::fromStdString(error.what()));
    }
}

} // namespace tallyro
