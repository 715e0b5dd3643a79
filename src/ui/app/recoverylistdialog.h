#pragma once

#include "core/app/recovery.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

namespace tallyro {

// RecoveryListDialog: "Unsaved work was found" — the copies left by a run
// that ended without saving, each with its file's name, folder and time, and
// a button to open it (which then asks as any opening does) or discard it.
class RecoveryListDialog : public QDialog {
    Q_OBJECT
public:
    RecoveryListDialog(std::vector<RecoveryEntry> entries, QWidget* parent = nullptr);

    QTableWidget* list() const { return list_; }
    // The buttons of row i.
    QPushButton* openButton(int row) const;
    QPushButton* discardButton(int row) const;
    int rows() const;

signals:
    void openRequested(const tallyro::RecoveryEntry& entry);
    void discardRequested(const tallyro::RecoveryEntry& entry);

private:
    void removeRow(int row);

    std::vector<RecoveryEntry> entries_;
    QTableWidget* list_;
};

// The time of a change as a teacher reads it: 12/09/2026 06:50.
QString recoveryTimeText(std::int64_t changedAtMs);

} // namespace tallyro
