#include "ui/platform/qtfiledialog.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace tallyro {

namespace {

QStringList splitPatterns(const QString& patterns) {
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    return patterns.split(separators, Qt::SkipEmptyParts);
}

// A file name to propose, or nothing when the name is only a pattern.
bool isPattern(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

} // namespace

QStringList nameFiltersFromFilter(const QString& filter) {
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // A description without its pattern offers every file.
        QStringList patterns =
            i + 1 < parts.size() ? splitPatterns(parts[i + 1]) : QStringList{QStringLiteral("*")};
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        if (description.isEmpty() && patterns.size() == 1 && parts.size() == 1)
            continue; // an empty filter
        // Qt reads the patterns from the last brackets of a name filter, so a
        // description that shows its patterns already must not show them twice.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open >= 0 && description.endsWith(QLatin1Char(')'))) {
            const QString inside = description.mid(open + 1, description.size() - open - 2);
            if (splitPatterns(inside) == patterns)
                description = description.left(open).trimmed();
        }
        const QString joined = patterns.join(QLatin1Char(' '));
        result << (description.isEmpty()
                       ? joined
                       : description + QStringLiteral(" (") + joined + QLatin1Char(')'));
    }
    return result;
}

QtFileDialog::QtFileDialog(QWidget* parent) : parent_(parent) {}

QString QtFileDialog::ask(bool save) {
    QFileDialog dialog(parent_, title(), QDir::currentPath());
    dialog.setObjectName(QStringLiteral("CMDialog2"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags() & OverwritePrompt));
    } else {
        dialog.setFileMode((flags() & PathMustExist) ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
    }
    const QStringList nameFilters = nameFiltersFromFilter(filter());
    if (!nameFilters.isEmpty())
        dialog.setNameFilters(nameFilters);
    const QString name = fileName();
    if (!name.isEmpty() && !isPattern(name))
        dialog.selectFile(name);

    // Whole on the screen, centred on the main window, with a name column
    // wide enough for the teacher's long file names.
    QRect screen =
        (parent_ && parent_->screen() ? parent_->screen() : QGuiApplication::primaryScreen())
            ->availableGeometry();
    dialog.resize(QSize(860, 540).boundedTo(screen.size() * 0.9));
    dialog.setViewMode(QFileDialog::Detail);
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView")))
        files->header()->resizeSection(0, dialog.width() / 2);
    if (parent_) {
        QRect centred(QPoint(0, 0), dialog.size());
        centred.moveCenter(parent_->window()->frameGeometry().center());
        centred.moveTop(std::max(centred.top(), screen.top()));
        centred.moveLeft(std::max(centred.left(), screen.left()));
        dialog.move(centred.topLeft());
    }

    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return QString();
    return QFileInfo(chosen.first()).absoluteFilePath();
}

} // namespace tallyro
