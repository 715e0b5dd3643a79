#pragma once

#include "core/app/appstate.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tallyro {

// `form7`: asks for the school, the teacher and the grade level that the
// reports print. Every keystroke goes straight into the application state;
// there is nothing to cancel.
class StartupForm : public QDialog {
    Q_OBJECT
public:
    explicit StartupForm(AppState& state, QWidget* parent = nullptr);

    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QPushButton* Command1;

signals:
    // Ok was clicked: the details are final for a report card window that is
    // open at the moment (it copies them into its own boxes).
    void detailsConfirmed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fillFromState();
    void okClicked();

    AppState& state_;
};

} // namespace tallyro
