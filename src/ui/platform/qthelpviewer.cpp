#include "ui/platform/qthelpviewer.h"

#include "ui/platform/helpwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tallyro {

QtHelpViewer::QtHelpViewer(const QString& collectionFile, MessageBox& messages, QWidget* parent)
    : collectionFile_(collectionFile), messages_(messages), parent_(parent) {}

QtHelpViewer::~QtHelpViewer() {
    quit();
}

QString QtHelpViewer::defaultCollectionFile() {
    return collectionFileFor(QCoreApplication::applicationDirPath());
}

QString QtHelpViewer::collectionFileFor(const QString& programFolder) {
    const QString name = QStringLiteral("tallyro.qhc");
    const QDir folder(programFolder);
    const QString beside = folder.filePath(name);
    if (QFileInfo(beside).isFile())
        return beside;
    return QDir::cleanPath(folder.filePath(QStringLiteral("../share/tallyro/") + name));
}

bool QtHelpViewer::openWindow() {
    if (window_)
        return true;
    QString problem;
    if (!QFileInfo(collectionFile_).isFile()) {
        problem = QStringLiteral("The help file could not be found.");
    } else {
        auto* window = new HelpWindow(collectionFile_, parent_);
        if (window->isReady()) {
            window->setAttribute(Qt::WA_DeleteOnClose);
            window_ = window;
            return true;
        }
        problem = QStringLiteral("The help file could not be opened.");
        if (!window->errorText().isEmpty())
            problem += QLatin1Char('\n') + window->errorText();
        delete window;
    }
    messages_.show(problem + QStringLiteral("\n\n") + QDir::toNativeSeparators(collectionFile_),
                   QStringLiteral("Help"), MessageStyle::OkExclamation);
    return false;
}

void QtHelpViewer::showContents() {
    if (!openWindow())
        return;
    window_->showContentsPage();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtHelpViewer::search(const QString& partialKey) {
    if (!openWindow())
        return;
    window_->show();
    window_->raise();
    window_->activateWindow();
    window_->showIndex(partialKey);
}

void QtHelpViewer::quit() {
    // Deleted at once: quit comes at shut-down, when no event loop follows.
    delete window_.data();
}

HelpWindow* QtHelpViewer::window() const {
    return window_;
}

} // namespace tallyro
