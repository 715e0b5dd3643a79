#include "ui/exchange/namesimport.h"

#include "core/exchange/namelist.h"
#include "ui/platform/busypointer.h"

#include <QDir>

namespace tallyro {

std::optional<std::vector<std::string>> askNamesFile(Platform& platform, QWidget* /*parent*/,
                                                     int room) {
    const QString title = QStringLiteral("Import names");
    FileDialog& files = platform.files;
    files.prepare(title, FileDialog::PathMustExist, "*.txt",
                  "name lists (*.txt;*.csv)|*.txt;*.csv|all files (*.*)|*");
    try {
        files.showOpen();
    } catch (const DialogCancelled&) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    try {
        BusyPointer busy;
        names = readNameList(files.fileName().toStdString());
    } catch (const std::exception& error) {
        showError(platform.messages,
                  "Unable to OPEN this file. " + QString::fromStdString(error.what()));
        return std::nullopt;
    }
    QString shown = QDir::toNativeSeparators(files.fileName());
    if (names.empty()) {
        platform.messages.show("There is no name in " + shown + ".", title,
                               MessageStyle::OkExclamation);
        return std::nullopt;
    }
    if (static_cast<int>(names.size()) > room) {
        platform.messages.show(
            QStringLiteral("%1 holds %2 names, but the list has room for %3 more.\n"
                           "A class holds at most 45 students.")
                .arg(shown)
                .arg(names.size())
                .arg(std::max(room, 0)),
            title, MessageStyle::OkExclamation);
        return std::nullopt;
    }
    return names;
}

} // namespace tallyro
