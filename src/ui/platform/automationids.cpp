#include "ui/platform/automationids.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace tallyro {

namespace {

void describeByName(QWidget* widget) {
    if (!widget->objectName().isEmpty())
        widget->setAccessibleDescription(widget->objectName());
}

// Every widget is polished once before it is first shown, after its window
// has named it: the moment to copy the name into the description.
class AutomationIdFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish && watched->isWidgetType())
            describeByName(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

bool installAutomationIds(QApplication& app) {
    if (!qEnvironmentVariableIsSet("TALLYRO_AUTOMATION_IDS"))
        return false;
    static const QString filterName = QStringLiteral("automationIdFilter");
    if (app.findChild<QObject*>(filterName, Qt::FindDirectChildrenOnly))
        return true;
    auto* filter = new AutomationIdFilter(&app);
    filter->setObjectName(filterName);
    app.installEventFilter(filter);
    for (QWidget* widget : QApplication::allWidgets())
        describeByName(widget);
    return true;
}

} // namespace tallyro
