#include "platform/controls.h"

#include <QLabel>
#include <QPushButton>

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

} // namespace tallyro
