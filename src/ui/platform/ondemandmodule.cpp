#include "ui/platform/ondemandmodule.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace tallyro {

void* onDemandSymbol(const QString& name, const char* symbol, QString& problem) {
    const QString file = QStringLiteral("tallyro-%1.so").arg(name);
    // The program's own file, also where no application object exists (the
    // headless subcommands).
    const QDir programFolder(QFileInfo(QStringLiteral("/proc/self/exe"))
                                 .canonicalFilePath()
                                 .section(QLatin1Char('/'), 0, -2));
    QString path = programFolder.filePath(file);
    if (!QFileInfo(path).isFile())
        path = QDir::cleanPath(
            programFolder.filePath(QStringLiteral("../lib/tallyro/modules/") + file));
    // Only a file in one of the two places is read: never one found along a
    // library search path.
    if (!QFileInfo(path).isFile()) {
        problem = QStringLiteral("The program's file %1 could not be found.").arg(file);
        return nullptr;
    }
    QLibrary module(path);
    if (!module.load()) {
        problem = module.errorString();
        return nullptr;
    }
    void* address = reinterpret_cast<void*>(module.resolve(symbol));
    if (!address)
        problem = module.errorString();
    return address;
}

} // namespace tallyro
