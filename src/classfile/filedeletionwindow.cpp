#include "classfile/filedeletionwindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace tallyro {

const QStringList FileDeletionWindow::kPatterns = {"*.pla", "*.grd", "*.bup", "*.lba"};

namespace {

QLabel* headingLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

FileDeletionWindow::FileDeletionWindow(Platform& platform, QWidget* parent)
    : QWidget(parent), platform_(platform) {
    setObjectName("frmdelete");
    setWindowTitle("File Deletion");

    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName("SSPanel1");
    SSPanel1->setFrameShape(QFrame::StyledPanel);

    Label4 = headingLabel("Label4", "Drive List:", SSPanel1);
    Label3 = headingLabel("Label3", "Directory List:", SSPanel1);
    Label1 = headingLabel("Label1", "File List:", SSPanel1);
    Label2 = headingLabel("Label2", "*.pla, *.lba, *.grd, *.bup", SSPanel1);
    Label5 = headingLabel("Label5", "Path: ", this);
    Label5->setWordWrap(true);
    Label5->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Drive1 = new QComboBox(SSPanel1);
    Drive1->setObjectName("Drive1");
    Drive1->setAccessibleName("Drive List");
    Label4->setBuddy(Drive1);

    Dir1 = new QListWidget(SSPanel1);
    Dir1->setObjectName("Dir1");
    Dir1->setAccessibleName("Directory List");
    Dir1->setToolTip("Double-click a folder (or press Enter) to open it");
    Label3->setBuddy(Dir1);

    File1 = new QListWidget(SSPanel1);
    File1->setObjectName("File1");
    File1->setAccessibleName("File List");
    Label1->setBuddy(File1);

    cmddelete = new QPushButton("&Delete", this);
    cmddelete->setObjectName("cmddelete");
    cmddelete->setAccessibleName("Delete");
    cmddelete->setEnabled(false);
    cmdcancel = new QPushButton("E&xit", this);
    cmdcancel->setObjectName("cmdcancel");
    cmdcancel->setAccessibleName("Exit");

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

    connect(Drive1, &QComboBox::currentIndexChanged, this, &FileDeletionWindow::driveChanged);
    connect(Dir1, &QListWidget::itemActivated, this, &FileDeletionWindow::folderActivated);
    connect(Dir1, &QListWidget::itemClicked, this, [this] { cmddelete->setEnabled(false); });
    connect(File1, &QListWidget::itemClicked, this, &FileDeletionWindow::fileClicked);
    connect(File1, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { fileClicked(item); });
    connect(cmddelete, &QPushButton::clicked, this, &FileDeletionWindow::deleteClicked);
    connect(cmdcancel, &QPushButton::clicked, this, &QWidget::close);

    folder_ = QDir::currentPath();
    fillDrives();
    fillFolders();
    fillFiles();
    showFolderPath();
}

void FileDeletionWindow::activate() {
    showFolderPath();
}

void FileDeletionWindow::setFolder(const QString& folder) {
    folder_ = QDir(folder).absolutePath();
    fillDrives();
    fillFolders();
    fillFiles();
    showFolderPath();
}

QString FileDeletionWindow::driveOf(const QString& folder) const {
    return QStorageInfo(folder).rootPath();
}

// Drives are the mounted volumes (a USB stick shows up as one), plus the
// teacher's home folder as the most useful place to start from.
void FileDeletionWindow::fillDrives() {
    fillingDrives_ = true;
    Drive1->clear();
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !volume.isReadOnly())
            roots << volume.rootPath();
    }
    roots << QDir::homePath();
    QString current = driveOf(folder_);
    if (!roots.contains(current))
        roots << current;
    roots.removeDuplicates();
    roots.sort();
    for (const QString& root : roots)
        Drive1->addItem(QDir::toNativeSeparators(root), root);
    Drive1->setCurrentIndex(Drive1->findData(current));
    fillingDrives_ = false;
}

void FileDeletionWindow::fillFolders() {
    Dir1->clear();
    QDir dir(folder_);
    if (!dir.isRoot())
        Dir1->addItem("..");
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        Dir1->addItem(name);
}

void FileDeletionWindow::fillFiles() {
    File1->blockSignals(true);
    File1->clear();
    // Files written on Windows may carry upper-case extensions; list them too.
    QStringList names;
    const auto files = QDir(folder_).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : files) {
        for (const QString& pattern : kPatterns) {
            if (info.fileName().endsWith(pattern.mid(1), Qt::CaseInsensitive)) {
                names << info.fileName();
                break;
            }
        }
    }
    File1->addItems(names);
    File1->setCurrentRow(-1);
    File1->blockSignals(false);
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
    folder_ = dir.absolutePath();
    fillFolders();
    fillFiles();
    showFolderPath();
}

void FileDeletionWindow::folderActivated(QListWidgetItem* item) {
    if (!item)
        return;
    QDir dir(folder_);
    if (!dir.cd(item->text()))
        return;
    setFolder(dir.absolutePath());
}

void FileDeletionWindow::fileClicked(QListWidgetItem* item) {
    if (!item)
        return;
    cmddelete->setEnabled(true);
    selectedFile_ = item->text();
    Label5->setText("Path: " + QDir::toNativeSeparators(QDir(folder_).filePath(selectedFile_)));
}

void FileDeletionWindow::deleteClicked() {
    if (selectedFile_.isEmpty())
        return;
    MessageButton answer =
        platform_.messages.show("WARNING: " + selectedFile_.toUpper() + "\nWILL BE DELETED!",
                                "Delete?", MessageStyle::OkCancelCritical);
    if (answer == MessageButton::Ok) {
        QFile file(QDir(folder_).filePath(selectedFile_));
        if (!file.remove()) {
            platform_.messages.show("Unable to delete.\n" + file.errorString(), "Error!",
                                    MessageStyle::OkExclamation);
            return;
        }
    }
    cmddelete->setEnabled(false);
    selectedFile_.clear();
    fillFiles();
    showFolderPath();
}

} // namespace tallyro
