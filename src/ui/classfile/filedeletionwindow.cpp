#include "ui/classfile/filedeletionwindow.h"

#include "ui/platform/controls.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileSystemModel>
#include <QFrame>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QStorageInfo>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace tallyro {

const QStringList FileDeletionWindow::kPatterns = {"*.pla", "*.grd", "*.bup", "*.lba"};

bool FileDeletionWindow::isProgramFile(const QString& fileName) {
    for (const QString& pattern : kPatterns) {
        // Files written on Windows may carry upper-case extensions.
        if (fileName.size() > 4 && fileName.endsWith(pattern.mid(1), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

namespace {

// The "drives" a teacher recognises: the whole disk, the home folder and
// removable media such as a USB stick.
QStringList driveRoots(const QString& currentFolder) {
    QStringList roots{QDir::rootPath(), QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        QString root = volume.rootPath();
        if (volume.isValid() && volume.isReady() &&
            (root.startsWith("/media/") || root.startsWith("/run/media/") ||
             root.startsWith("/mnt/")))
            roots << root;
    }
    // The folder shown belongs to the drive it lies under (the longest root).
    roots.removeDuplicates();
    roots.sort();
    bool covered = false;
    for (const QString& root : roots)
        covered |= currentFolder.startsWith(root);
    if (!covered)
        roots << QStorageInfo(currentFolder).rootPath();
    return roots;
}

QString driveOf(const QString& folder, const QStringList& roots) {
    QString best = QDir::rootPath();
    for (const QString& root : roots) {
        QString prefix = root.endsWith('/') ? root : root + '/';
        if ((folder == root || folder.startsWith(prefix)) && root.size() > best.size())
            best = root;
    }
    return best;
}

} // namespace

// The files of one folder as a flat list of names. The file model holds the
// disk from its root down, and the accessibility bridge reads a list from the
// top of its model whatever folder the list shows: a screen reader would hear
// the disk's root instead of the files. Its size, type and date columns, which
// the list hides, would be read out as items of their own too.
class FileDeletionWindow::FolderFiles : public QAbstractListModel {
public:
    FolderFiles(QFileSystemModel* files, const QString& folder, QObject* parent)
        : QAbstractListModel(parent), files_(files), root_(files->index(folder)) {
        connect(files, &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (parent == root_)
                        beginInsertRows({}, first, last);
                });
        connect(files, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& parent) {
            if (parent == root_)
                endInsertRows();
        });
        connect(files, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                [this](const QModelIndex& parent, int first, int last) {
                    if (parent == root_)
                        beginRemoveRows({}, first, last);
                });
        connect(files, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex& parent) {
            if (parent == root_)
                endRemoveRows();
        });
        connect(files, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& from, const QModelIndex& to) {
                    if (from.parent() == root_)
                        emit dataChanged(index(from.row()), index(to.row()));
                });
        // The file model sorts as the folder is read: the list starts over.
        connect(files, &QAbstractItemModel::layoutAboutToBeChanged, this,
                [this] { beginResetModel(); });
        connect(files, &QAbstractItemModel::layoutChanged, this, [this] { endResetModel(); });
        connect(files, &QAbstractItemModel::modelAboutToBeReset, this,
                [this] { beginResetModel(); });
        connect(files, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !root_.isValid() ? 0 : files_->rowCount(root_);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        return files_->data(source(index), role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                               : Qt::NoItemFlags;
    }

    QModelIndex source(const QModelIndex& index) const {
        return index.isValid() ? files_->index(index.row(), 0, root_) : QModelIndex();
    }

    QModelIndex fromSource(const QModelIndex& index) const {
        return index.isValid() && index.parent() == root_ ? this->index(index.row())
                                                          : QModelIndex();
    }

private:
    QFileSystemModel* files_;
    QPersistentModelIndex root_;
};

FileDeletionWindow::FileDeletionWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
    setObjectName("frmdelete");
    setWindowTitle("File Deletion");

    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName("SSPanel1");
    SSPanel1->setFrameShape(QFrame::StyledPanel);

    Label4 = namedLabel(SSPanel1, "Label4", "Drive List:");
    Label3 = namedLabel(SSPanel1, "Label3", "Directory List:");
    Label1 = namedLabel(SSPanel1, "Label1", "File List:");
    Label2 = namedLabel(SSPanel1, "Label2", "*.pla, *.lba, *.grd, *.bup");
    Label5 = namedLabel(this, "Label5", "Path: ");
    Label5->setWordWrap(true);
    Label5->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Drive1 = new QComboBox(SSPanel1);
    Drive1->setObjectName("Drive1");
    Drive1->setAccessibleName("Drive List");
    Label4->setBuddy(Drive1);

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    Dir1 = new QTreeView(SSPanel1);
    Dir1->setObjectName("Dir1");
    Dir1->setAccessibleName("Directory List");
    Dir1->setModel(folders_);
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < folders_->columnCount(); ++column)
        Dir1->hideColumn(column);
    Label3->setBuddy(Dir1);

    File1 = new QListView(SSPanel1);
    File1->setObjectName("File1");
    File1->setAccessibleName("File List");
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Label1->setBuddy(File1);

    cmddelete = windowButton(this, "cmddelete", "&Delete");
    cmddelete->setEnabled(false);
    cmdcancel = windowButton(this, "cmdcancel", "E&xit");

    auto* lists = new QGridLayout(SSPanel1);
    lists->addWidget(Label4, 0, 0);
    lists->addWidget(Drive1, 1, 0);
    lists->addWidget(Label3, 2, 0);
    lists->addWidget(Dir1, 3, 0);
    lists->addWidget(Label1, 0, 1);
    lists->addWidget(Label2, 1, 1);
    lists->addWidget(File1, 2, 1, 2, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmddelete);
    buttons->addWidget(cmdcancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSPanel1, 1);
    layout->addWidget(Label5);
    layout->addLayout(buttons);
    resize(560, 380);

    // The folder tree is read in the background, each folder on the way
    // down in its turn, and a folder read late (a full /tmp) pushes the one
    // shown further down. Until the teacher takes over the tree, or for a few
    // seconds, each folder read on the way brings the folder back into view.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        const QString prefix = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
        if (revealing() && (path == folder_ || folder_.startsWith(prefix)))
            QTimer::singleShot(0, this, &FileDeletionWindow::revealFolder);
    });
    connect(folders_, &QAbstractItemModel::layoutChanged, this, [this] {
        if (revealing())
            QTimer::singleShot(0, this, &FileDeletionWindow::revealFolder);
    });
    Dir1->installEventFilter(this);
    Dir1->viewport()->installEventFilter(this);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &FileDeletionWindow::driveChanged);
    connect(Dir1, &QTreeView::clicked, this, &FileDeletionWindow::folderClicked);
    connect(Dir1, &QTreeView::activated, this, &FileDeletionWindow::folderClicked);
    connect(File1, &QListView::clicked, this, &FileDeletionWindow::fileClicked);
    connect(cmddelete, &QPushButton::clicked, this, &FileDeletionWindow::deleteClicked);
    connect(cmdcancel, &QPushButton::clicked, this, &QWidget::close);

    setFolder(QDir::currentPath());
    // The window opens with the keyboard in the folder tree.
    Dir1->setFocus();
}

bool FileDeletionWindow::revealing() const {
    return revealPending_ && revealClock_.isValid() && revealClock_.elapsed() < 5000;
}

bool FileDeletionWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
        revealPending_ = false; // the teacher is choosing now
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FileDeletionWindow::activate() {
    showFolderPath();
}

void FileDeletionWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A tree that is not laid out yet does not scroll; do it once it is.
    QTimer::singleShot(0, this, &FileDeletionWindow::revealFolder);
}

void FileDeletionWindow::setFolder(const QString& folder) {
    folder_ = QDir(folder).absolutePath();
    fillDrives();
    QString root = Drive1->currentData().toString();
    folders_->setRootPath(root);
    Dir1->setRootIndex(folders_->index(root));
    revealFolder();
    revealPending_ = true;
    revealClock_.start();
    listFiles();
    cmddelete->setEnabled(false);
    showFolderPath();
}

// A fresh model for every folder: a model that once showed another folder
// keeps the folders on the way to it, and only files may be listed here.
void FileDeletionWindow::listFiles() {
    auto* model = new QFileSystemModel(this);
    model->setFilter(QDir::Files);
    model->setNameFilters(kPatterns);
    model->setNameFilterDisables(false); // other files are not shown at all
    model->setRootPath(folder_);
    auto* names = new FolderFiles(model, folder_, model);
    File1->setModel(names);
    connect(File1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { fileClicked(index); });
    if (files_)
        files_->deleteLater();
    files_ = model;
    names_ = names;
}

// Opens the tree down to the folder shown and selects it.
void FileDeletionWindow::revealFolder() {
    QModelIndex index = folders_->index(folder_);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        Dir1->expand(parent);
    Dir1->setCurrentIndex(index);
    Dir1->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FileDeletionWindow::fillDrives() {
    fillingDrives_ = true;
    Drive1->clear();
    QStringList roots = driveRoots(folder_);
    for (const QString& root : roots)
        Drive1->addItem(QDir::toNativeSeparators(root), root);
    Drive1->setCurrentIndex(Drive1->findData(driveOf(folder_, roots)));
    fillingDrives_ = false;
}

QStringList FileDeletionWindow::listedFiles() const {
    QStringList names;
    for (int row = 0; row < names_->rowCount(); ++row)
        if (!File1->isRowHidden(row))
            names << files_->fileName(names_->source(names_->index(row)));
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool FileDeletionWindow::clickFile(const QString& name) {
    QModelIndex index = names_->fromSource(files_->index(QDir(folder_).filePath(name)));
    if (!index.isValid())
        return false;
    File1->setCurrentIndex(index);
    fileClicked(index);
    return true;
}

void FileDeletionWindow::clickFolder(const QString& path) {
    QModelIndex index = folders_->index(QDir(path).absolutePath());
    if (index.isValid())
        folderClicked(index);
}

void FileDeletionWindow::showFolderPath() {
    Label5->setText("Path: " + QDir::toNativeSeparators(folder_));
}

void FileDeletionWindow::driveChanged(int index) {
    if (fillingDrives_ || index < 0)
        return;
    cmddelete->setEnabled(false);
    QString root = Drive1->itemData(index).toString();
    QDir dir(root);
    if (!dir.exists() || !dir.isReadable()) {
        platform_.messages.show("Unable to open drive.\n" + QDir::toNativeSeparators(root) +
                                    " cannot be read.",
                                "Error!", MessageStyle::OkExclamation);
        fillDrives(); // back to the drive of the folder shown
        return;
    }
    setFolder(dir.absolutePath());
}

void FileDeletionWindow::folderClicked(const QModelIndex& index) {
    revealPending_ = false; // the teacher is choosing now
    cmddelete->setEnabled(false);
    if (!index.isValid())
        return;
    folder_ = folders_->filePath(index);
    listFiles();
    showFolderPath();
}

void FileDeletionWindow::fileClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    cmddelete->setEnabled(true);
    selectedFile_ = files_->fileName(names_->source(index));
    Label5->setText("Path: " + QDir::toNativeSeparators(QDir(folder_).filePath(selectedFile_)));
}

void FileDeletionWindow::deleteClicked() {
    // Only the program's own files may go, whatever the list was made to show.
    if (selectedFile_.isEmpty() || !isProgramFile(selectedFile_)) {
        platform_.messages.beep();
        cmddelete->setEnabled(false);
        return;
    }
    // The name as it is spelled on disk: in capitals it would be another
    // file's name here. Cancel is the default, so a permanent delete is never
    // one Enter away.
    MessageButton answer =
        platform_.messages.show("WARNING: " + selectedFile_ + "\nWILL BE DELETED!", "Delete?",
                                MessageStyle::OkCancelCriticalNoDefault);
    if (answer == MessageButton::Ok) {
        // The file list follows the disk by itself once the file is gone.
        QFile file(QDir(folder_).filePath(selectedFile_));
        if (!file.remove()) {
            platform_.messages.show("Unable to delete.\n" + file.errorString(), "Error!",
                                    MessageStyle::OkExclamation);
            return;
        }
    }
    // No file stays chosen: the next deletion starts with a new click.
    File1->selectionModel()->clearCurrentIndex();
    File1->clearSelection();
    cmddelete->setEnabled(false);
    selectedFile_.clear();
    showFolderPath();
}

} // namespace tallyro
