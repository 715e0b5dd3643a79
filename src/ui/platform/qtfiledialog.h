#pragma once

#include "ui/platform/filedialog.h"

#include <QStringList>

class QWidget;

namespace tallyro {

// Turns "description|pattern|description|pattern" into Qt name filters
// "description (pattern pattern)". A description that already ends with its
// own pattern list in brackets is shown once; ";" separated patterns become
// Qt's space separated ones.
QStringList nameFiltersFromFilter(const QString& filter);

// The shared open/save dialog, shown as Qt's own file dialog so that it looks
// and behaves the same on every desktop.
class QtFileDialog : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr);

    void setParent(QWidget* parent) { parent_ = parent; }

protected:
    QString ask(bool save) override;

private:
    QWidget* parent_;
};

} // namespace tallyro
