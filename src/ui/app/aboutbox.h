#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace tallyro {

// `Form8`, "About...": the product, its purpose, version and program file.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    // programName: the program file's name without extension; by default the
    // name of the running program.
    explicit AboutBox(QWidget* parent = nullptr, const QString& programName = QString());

    // "Tallyro", " Version 2.95.1 for Linux", "FileName: tallyro" on three lines.
    static QString versionText(const QString& programName);

    QPushButton* Command1;
    QFrame* SSPanel1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString programName_;
};

} // namespace tallyro
