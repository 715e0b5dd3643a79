#include "ui/platform/automationids.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace tallyro {

namespace {

const char* const kFilterName = "automationIdFilter";

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
    if (automationIdsInstalled())
        return true;
    auto* filter = new AutomationIdFilter(&app);
    filter->setObjectName(QString::fromLatin1(kFilterName));
    app.installEventFilter(filter);
    for (QWidget* widget : QApplication::allWidgets())
        describeByName(widget);
    return true;
}

bool automationIdsInstalled() {
    return qApp && qApp->findChild<QObject*>(QString::fromLatin1(kFilterName),
                                             Qt::FindDirectChildrenOnly) != nullptr;
}

// Qt 6.4 changes the name or description without telling the accessibility
// bus; the event is sent here (a later Qt sending its own does no harm).
void setSpokenDescription(QWidget* widget, const QString& text) {
    if (automationIdsInstalled() || widget->accessibleDescription() == text)
        return;
    widget->setAccessibleDescription(text);
    QAccessibleEvent event(widget, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void setSpokenName(QWidget* widget, const QString& text) {
    if (widget->accessibleName() == text)
        return;
    widget->setAccessibleName(text);
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

} // namespace tallyro
