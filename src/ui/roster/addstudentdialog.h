#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyro {

// The "Add New Student" dialog (objectName "addstudent"): one name. "&Ok"
// refuses an empty name; the caller adds the student to a file.
class AddStudentDialog : public QDialog {
    Q_OBJECT
public:
    explicit AddStudentDialog(QWidget* parent = nullptr);

    // The name as typed (never holding a double quote).
    QString studentName() const;

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;

private:
    void okClicked();
};

} // namespace tallyro
