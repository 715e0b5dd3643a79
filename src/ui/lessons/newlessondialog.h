#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tallyro {

// "New" ("Form1"): names a new week's file and chooses where its ten period
// names come from. The caller builds the week on okPressed.
class NewLessonDialog : public QDialog {
    Q_OBJECT
public:
    enum class PeriodType { Default, Custom, Duplicate };

    explicit NewLessonDialog(QWidget* parent = nullptr);

    PeriodType periodType() const;
    // The typed name, at most 15 characters, without extension.
    QString fileName() const;
    void setFileName(const QString& name);

signals:
    void okPressed();
    void cancelPressed();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    QGroupBox* Frame2;
    QRadioButton* optdefault;
    QRadioButton* optcustom;
    QRadioButton* optduplicate;
    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;
    QPushButton* Command2;
};

} // namespace tallyro
