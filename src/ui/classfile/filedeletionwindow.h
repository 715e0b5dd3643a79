#pragma once

#include "ui/platform/platform.h"
#include "ui/platform/shell.h"

#include <QElapsedTimer>
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QFrame;
class QLabel;
class QListView;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace tallyro {

// "File Deletion" (objectName "frmdelete"): deletes the program's own files
// (grade files, lesson plan files and their backups) from any drive and folder.
class FileDeletionWindow : public QWidget, public ActivatableWindow {
    Q_OBJECT
public:
    // The patterns of the files listed; nothing else can be deleted here.
    static const QStringList kPatterns;
    static bool isProgramFile(const QString& fileName);

    explicit FileDeletionWindow(Platform& platform, QWidget* parent = nullptr);

    void activate() override;

    // The folder whose files are listed.
    QString folder() const { return folder_; }
    void setFolder(const QString& folder);
    // The file last clicked, without its folder.
    QString selectedFile() const { return selectedFile_; }
    // The names the file list shows, in order (once the folder has been read).
    QStringList listedFiles() const;
    // Selects a listed file as a click does; false when it is not listed.
    bool clickFile(const QString& name);
    // Opens a folder as a click in the folder list does.
    void clickFolder(const QString& path);

    QComboBox* Drive1;
    QTreeView* Dir1;
    QListView* File1;
    QPushButton* cmddelete;
    QPushButton* cmdcancel;
    QFrame* SSPanel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class FolderFiles;
    void fillDrives();
    void listFiles();
    void revealFolder();
    bool revealing() const;
    void showFolderPath();
    void driveChanged(int index);
    void folderClicked(const QModelIndex& index);
    void fileClicked(const QModelIndex& index);
    void deleteClicked();

    Platform& platform_;
    QFileSystemModel* folders_;
    QFileSystemModel* files_ = nullptr;
    // What the file list shows of files_: the names in the folder.
    FolderFiles* names_ = nullptr;
    QString folder_;
    QString selectedFile_;
    bool fillingDrives_ = false;
    bool revealPending_ = false;
    QElapsedTimer revealClock_;
};

} // namespace tallyro
