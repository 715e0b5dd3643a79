#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tallyro {

// The "New" dialog (objectName "form3") for a new class: the file name, a
// student list that starts empty or is copied from another class, and whether
// it is kept sorted. It only collects the choices; the caller acts on them.
class NewClassDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewClassDialog(QWidget* parent = nullptr);

    // The file name without extension, as typed (at most 15 characters).
    QString fileName() const;
    void setFileName(const QString& name);
    // True for "Duplicate", false for "New".
    bool duplicate() const;
    bool sorted() const;

    QGroupBox* Frame2;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QCheckBox* Check1;
    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
};

} // namespace tallyro
