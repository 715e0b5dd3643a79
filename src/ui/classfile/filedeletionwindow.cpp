#include "ui/classfile/filedeletionwindow.h"

#include "ui/platform/controls.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
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

    // The folder tree is read in the background: once the folder shown has
    // been read, select it and bring it into view.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& path) {
        if (!revealPending_)
            return;
        QModelIndex index = folders_->index(folder_);
        if (!index.isValid())
            return;
        revealFolder();
        if (path == folder_ || path == QFileInfo(folder_).absolutePath())
            revealPending_ = false;
    });
    connect(Drive1, &QComboBox::currentIndexChanged, this, &FileDeletionWindow::driveChanged);
    connect(Dir1, &QTreeView::clicked, this, &FileDeletionWindow::folderClicked);
    connect(Dir1, &QTreeView::activated, this, &FileDeletionWindow::folderClicked);
    connect(File1, &QListView::clicked, this, &FileDeletionWindow::fileClicked);
    connect(cmddelete, &QPushButton::clicked, this, &FileDeletionWindow::deleteClicked);
    connect(cmdcancel, &QPushButton::clicked, this, &QWidget::close);

    setFolder(QDir::currentPath());
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
    File1->setModel(model);
    File1->setRootIndex(model->index(folder_));
    connect(File1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) { fileClicked(index); });
    if (files_)
        files_->deleteLater();
    files_ = model;
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
    QModelIndex root = File1->rootIndex();
    for (int row = 0; row < files_->rowCount(root); ++row) {
        QModelIndex index = files_->index(row, 0, root);
        if (!File1->isRowHidden(row))
            names << files_->fileName(index);
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool FileDeletionWindow::clickFile(const QString& name) {
    QModelIndex index = files_->index(QDir(folder_).filePath(name));
    if (!index.isValid() || index.parent() != File1->rootIndex())
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
    selectedFile_ = files_->fileName(index);
    Label5->setText("Path: " + QDir::toNativeSeparators(QDir(folder_).filePath(selectedFile_)));
}

void FileDeletionWindow::deleteClicked() {
    // Only the program's own files may go, whatever the list was made to show.
    if (selectedFile_.isEmpty() || !isProgramFile(selectedFile_)) {
        platform_.messages.beep();
        cmddelete->setEnabled(false);
        return;
    }
    MessageButton answer =
        platform_.messages.show("WARNING: " + selectedFile_.toUpper() + "\nWILL BE DELETED!",
                                "Delete?", MessageStyle::OkCancelCritical);
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
