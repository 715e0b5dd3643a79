#pragma once

#include "ui/platform/inputbox.h"

class QWidget;

namespace tallyro {

// A modal one-line question shown with QInputDialog.
class QtInputBox : public InputBox {
public:
    explicit QtInputBox(QWidget* parent = nullptr);

    std::optional<QString> ask(const QString& prompt, const QString& title,
                               const QString& defaultAnswer) override;

    void setParent(QWidget* parent) { parent_ = parent; }

private:
    QWidget* parent_;
};

} // namespace tallyro
