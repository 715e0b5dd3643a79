#include "ui/app/recoverylistdialog.h"

#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tallyro {

QString recoveryTimeText(std::int64_t changedAtMs) {
    return QDateTime::fromMSecsSinceEpoch(changedAtMs).toString(QStringLiteral("MM/dd/yyyy hh:mm"));
}

RecoveryListDialog::RecoveryListDialog(std::vector<RecoveryEntry> entries, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)) {
    setObjectName(QStringLiteral("recoverylist"));
    setWindowTitle(QStringLiteral("Unsaved work was found"));
    auto* intro = new QLabel(QStringLiteral("Tallyro was not closed properly. These files have "
                                            "changes that were never saved:"),
                             this);
    intro->setWordWrap(true);
    list_ = new QTableWidget(static_cast<int>(entries_.size()), 5, this);
    list_->setObjectName(QStringLiteral("recoveries"));
    list_->setAccessibleName(QStringLiteral("Files with unsaved work"));
    list_->setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Folder"),
                                      QStringLiteral("Last change"), QString(), QString()});
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int row = 0; row < static_cast<int>(entries_.size()); ++row) {
        const RecoveryEntry& entry = entries_[row];
        QString path = QString::fromStdString(entry.originalPath.string());
        list_->setItem(row, 0, new QTableWidgetItem(QFileInfo(path).fileName()));
        list_->setItem(row, 1,
                       new QTableWidgetItem(QDir::toNativeSeparators(QFileInfo(path).path())));
        list_->setItem(row, 2, new QTableWidgetItem(recoveryTimeText(entry.changedAtMs)));
        auto* open = new QPushButton(QStringLiteral("Open"), list_);
        open->setObjectName(QStringLiteral("open%1").arg(row));
        open->setAccessibleName(QStringLiteral("Open ") + QFileInfo(path).fileName());
        auto* discard = new QPushButton(QStringLiteral("Discard"), list_);
        discard->setObjectName(QStringLiteral("discard%1").arg(row));
        discard->setAccessibleName(QStringLiteral("Discard ") + QFileInfo(path).fileName());
        list_->setCellWidget(row, 3, open);
        list_->setCellWidget(row, 4, discard);
        connect(open, &QPushButton::clicked, this, [this, open] {
            for (int r = 0; r < list_->rowCount(); ++r)
                if (list_->cellWidget(r, 3) == open) {
                    RecoveryEntry entry = entries_[r];
                    removeRow(r);
                    emit openRequested(entry);
                    return;
                }
        });
        connect(discard, &QPushButton::clicked, this, [this, discard] {
            for (int r = 0; r < list_->rowCount(); ++r)
                if (list_->cellWidget(r, 4) == discard) {
                    RecoveryEntry entry = entries_[r];
                    removeRow(r);
                    emit discardRequested(entry);
                    return;
                }
        });
    }
    list_->resizeColumnsToContents();
    list_->horizontalHeader()->setStretchLastSection(false);
    auto* close = new QPushButton(QStringLiteral("&Later"), this);
    close->setObjectName(QStringLiteral("later"));
    close->setToolTip(QStringLiteral("Keep the unsaved work for the next start"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(list_->horizontalHeader()->length() + 40, 120 + 32 * list_->rowCount());
}

int RecoveryListDialog::rows() const {
    return list_->rowCount();
}

QPushButton* RecoveryListDialog::openButton(int row) const {
    return qobject_cast<QPushButton*>(list_->cellWidget(row, 3));
}

QPushButton* RecoveryListDialog::discardButton(int row) const {
    return qobject_cast<QPushButton*>(list_->cellWidget(row, 4));
}

void RecoveryListDialog::removeRow(int row) {
    entries_.erase(entries_.begin() + row);
    list_->removeRow(row);
    if (list_->rowCount() == 0)
        accept();
}

} // namespace tallyro
