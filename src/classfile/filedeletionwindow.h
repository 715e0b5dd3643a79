#pragma once

#include "app/shell.h"
#include "platform/platform.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QFrame;

namespace tallyro {

// "File Deletion" (objectName "frmdelete"): deletes the program's own files
// (grade files, lesson plan files and their backups) from any drive and folder.
class FileDeletionWindow : public QWidget, public ActivatableWindow {
    Q_OBJECT
public:
    // The patterns of the files listed; nothing else can be deleted here.
    static const QStringList kPatterns;

    explicit FileDeletionWindow(Platform& platform, QWidget* parent = nullptr);

    void activate() override;

    // The folder whose files are listed.
    QString folder() const { return folder_; }
    void setFolder(const QString& folder);
    // The file last clicked, without its folder.
    QString selectedFile() const { return selectedFile_; }

    QComboBox* Drive1;
    QListWidget* Dir1;
    QListWidget* File1;
    QPushButton* cmddelete;
    QPushButton* cmdcancel;
    QFrame* SSPanel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;

private:
    void fillDrives();
    void fillFolders();
    void fillFiles();
    void showFolderPath();
    void driveChanged(int index);
    void folderActivated(QListWidgetItem* item);
    void fileClicked(QListWidgetItem* item);
    void deleteClicked();
    QString driveOf(const QString& folder) const;

    Platform& platform_;
    QString folder_;
    QString selectedFile_;
    bool fillingDrives_ = false;
};

} // namespace tallyro
