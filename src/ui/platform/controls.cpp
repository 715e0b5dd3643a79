#include "ui/platform/controls.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallyro {

QString withoutAccessKey(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

QLabel* namedLabel(QWidget* parent, const QString& objectName, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

QPushButton* namedButton(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(withoutAccessKey(caption));
    return button;
}

QPushButton* windowButton(QWidget* parent, const QString& objectName, const QString& caption) {
    QPushButton* button = namedButton(parent, objectName, caption);
    button->setAutoDefault(false);
    return button;
}

std::pair<QPushButton*, QPushButton*> confirmCancelButtons(QWidget* parent,
                                                           const QString& confirmCaption) {
    QPushButton* confirm = namedButton(parent, QStringLiteral("Command1"), confirmCaption);
    confirm->setDefault(true);
    QPushButton* cancel =
        namedButton(parent, QStringLiteral("Command2"), QStringLiteral("&Cancel"));
    return {confirm, cancel};
}

QVBoxLayout* buttonColumn(QPushButton* confirm, QPushButton* cancel) {
    auto* column = new QVBoxLayout;
    column->addWidget(confirm);
    column->addWidget(cancel);
    column->addStretch(1);
    return column;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace tallyro
