#include "app/gradefilecommands.h"

#include "classfile/gradefile.h"
#include "platform/busypointer.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace tallyro {

namespace {

const char* const kGradeFilter = "grade files (*.grd)|*.grd";

} // namespace

GradeFileCommands::GradeFileCommands(AppState& state, Platform& platform, Shell& shell)
    : state_(state), platform_(platform), shell_(shell) {}

void GradeFileCommands::open() {
    state_.classRecord.clearToCapacity();
    FileDialog& dialog = platform_.files;
    dialog.setTitle(QStringLiteral("Open"));
    dialog.setFlags(FileDialog::PathMustExist);
    dialog.setFileName(QStringLiteral("*.grd"));
    dialog.setFilter(QString::fromLatin1(kGradeFilter));
    try {
        dialog.showOpen();
    } catch (const DialogCancelled&) {
        state_.classRecord.clearToNothing();
        return;
    }
    load(QFileInfo(dialog.fileName()).absolutePath(), dialog.fileTitle());
}

void GradeFileCommands::openPath(const QString& path) {
    state_.classRecord.clearToCapacity();
    QFileInfo info(path);
    // As after the dialog, the file's folder becomes the current folder.
    if (info.dir().exists())
        QDir::setCurrent(info.absolutePath());
    load(info.absolutePath(), info.fileName());
}

void GradeFileCommands::load(const QString& folder, const QString& fileTitle) {
    state_.currentFileName = fileTitle.toStdString();
    try {
        BusyPointer busy;
        readClassFile(QDir(folder).filePath(fileTitle).toStdString(), state_.classRecord);
    } catch (const std::exception& error) {
        // The chosen name stays; caption and menus are left as they were.
        state_.classRecord.clearToNothing();
        showError(platform_.messages, QStringLiteral("Unable to OPEN this file. ") +
                                          QString::fromStdString(error.what()));
        return;
    }
    openFolder_ = folder;
    openName_ = state_.currentFileName;
    shell_.setFileCaption(fileTitle);
    shell_.showFileOpenState();
    shell_.showGradeBook();
}

std::string GradeFileCommands::savePath() const {
    // Another command (restore, a new class) may have named a different file
    // since the last Open; then the name is taken in the current folder.
    if (!openFolder_.isEmpty() && state_.currentFileName == openName_)
        return QDir(openFolder_).filePath(QString::fromStdString(openName_)).toStdString();
    return state_.currentFileName;
}

bool GradeFileCommands::save() {
    try {
        BusyPointer busy;
        writeClassFile(savePath(), state_.classRecord);
    } catch (const std::exception& error) {
        showError(platform_.messages, QStringLiteral("Unable to SAVE this file. ") +
                                          QString::fromStdString(error.what()));
        return false;
    }
    state_.classModified = 0;
    return true;
}

QString GradeFileCommands::completeFileName(const QString& name) {
    if (name.size() < 4 || name.at(name.size() - 4) != QLatin1Char('.'))
        return name + QStringLiteral(".grd");
    return name;
}

void GradeFileCommands::saveAs() {
    FileDialog& dialog = platform_.files;
    dialog.setTitle(QStringLiteral("Save As"));
    dialog.setFlags(FileDialog::OverwritePrompt);
    dialog.setFilter(QString::fromLatin1(kGradeFilter));
    try {
        dialog.showSave();
    } catch (const DialogCancelled&) {
        return;
    }
    QString name = completeFileName(dialog.fileName());
    try {
        BusyPointer busy;
        writeClassFile(name.toStdString(), state_.classRecord);
    } catch (const std::exception& error) {
        showError(platform_.messages, QStringLiteral("Unable to SAVE this file. ") +
                                          QString::fromStdString(error.what()));
    }
}

} // namespace tallyro
