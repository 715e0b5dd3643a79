#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tallyro {

// "Custom" ("form12"): asks for the ten period names one after another. An
// empty answer takes the period's default name; allNamed() follows the tenth.
class CustomPeriodsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CustomPeriodsDialog(QWidget* parent = nullptr);

    // Back to period 1 with no names, as each time the dialog is shown.
    void restart();

    // The names given so far, in period order.
    const QStringList& names() const { return names_; }
    int period() const { return names_.size(); }

signals:
    void allNamed();
    void cancelPressed();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void takeName();

    QLabel* Label2;
    QLineEdit* Text1;
    QLabel* Label1;
    QPushButton* Command1;
    QPushButton* Command2;
    QStringList names_;
};

} // namespace tallyro
