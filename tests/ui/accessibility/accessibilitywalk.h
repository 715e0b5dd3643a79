// What the accessibility tests walk a window with: its focusable controls,
// the trip Tab takes through them, the names a screen reader speaks, the
// access keys, and the accessibility events Qt sends.
#pragma once

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QWidget>

#include <vector>

namespace tallyro::test {

// A control the keyboard can reach by Tab, as Qt decides it: visible in its
// window, enabled, taking Tab focus and not handing it to another widget.
inline bool takesTab(const QWidget* widget, const QWidget* window) {
    if (widget == window || !window->isAncestorOf(widget) || !widget->isVisibleTo(window) ||
        !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy() ||
        widget->window() != window->window())
        return false;
    // Of a group of option buttons Tab stops at the chosen one; the arrows
    // move between them.
    if (auto* option = qobject_cast<const QRadioButton*>(widget);
        option && option->autoExclusive() && !option->isChecked()) {
        for (const QRadioButton* other :
             widget->parentWidget()->findChildren<const QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (other->isChecked() && other->autoExclusive())
                return false;
    }
    return true;
}

inline QList<QWidget*> focusableControls(QWidget* window) {
    QList<QWidget*> controls;
    for (QWidget* widget : window->findChildren<QWidget*>())
        if (takesTab(widget, window))
            controls << widget;
    return controls;
}

inline QString describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("(nothing)");
    QString name = widget->objectName();
    return (name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name);
}

// What a screen reader says first for a control.
inline QString spokenName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// Presses Tab (or Shift+Tab) from the control that has the focus, over and
// over, and lists where the focus lands, until it is back where it started or
// has taken more steps than a full round could need.
inline QList<QWidget*> tabTrip(QWidget* window, bool forward, int steps) {
    QList<QWidget*> stops;
    QWidget* start = QApplication::focusWidget();
    for (int i = 0; i < steps; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (!focused)
            break;
        if (forward)
            QTest::keyClick(focused, Qt::Key_Tab);
        else
            QTest::keyClick(focused, Qt::Key_Backtab, Qt::ShiftModifier);
        QWidget* now = QApplication::focusWidget();
        stops << now;
        if (now == start)
            break;
    }
    (void)window;
    return stops;
}

// The access keys of a window, letter by letter, with the controls that carry
// each: buttons, check and option boxes, group titles, labels of a buddy, tabs.
inline QMap<QChar, QStringList> accessKeys(QWidget* window) {
    QMap<QChar, QStringList> keys;
    auto add = [&](const QString& text, const QString& owner) {
        QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            return;
        QString letter = key.toString(QKeySequence::PortableText).section(QLatin1Char('+'), -1);
        if (!letter.isEmpty())
            keys[letter.at(0).toUpper()] << owner;
    };
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) && widget != window)
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            add(button->text(), describe(button));
        else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy())
            add(label->text(), describe(label));
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            add(group->title(), describe(group));
        else if (auto* tabs = qobject_cast<QTabBar*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i), describe(tabs) + QLatin1Char(':') + tabs->tabText(i));
    }
    return keys;
}

inline QMap<QChar, QStringList> menuKeys(QMenuBar* bar) {
    QMap<QChar, QStringList> keys;
    for (QAction* action : bar->actions()) {
        QKeySequence key = QKeySequence::mnemonic(action->text());
        if (!key.isEmpty())
            keys[key.toString(QKeySequence::PortableText).section(QLatin1Char('+'), -1).at(0)]
                << QStringLiteral("menu ") + action->text();
    }
    return keys;
}

// Whether a round of Tab stops reached a control: an option button counts as
// reached when another of its group was, since a group is one stop and the
// arrows choose within it.
inline bool reached(const QList<QWidget*>& stops, QWidget* control) {
    if (stops.contains(control))
        return true;
    auto* option = qobject_cast<QRadioButton*>(control);
    if (!option || !option->autoExclusive())
        return false;
    for (QWidget* stop : stops)
        if (auto* other = qobject_cast<QRadioButton*>(stop);
            other && other->autoExclusive() && other->parentWidget() == option->parentWidget())
            return true;
    return false;
}

// Every access key used twice in a window, or also by the menu bar above it,
// as "F: menu &File, cmdforward".
inline QStringList accessKeyClashes(QWidget* window, QMenuBar* menus = nullptr) {
    QMap<QChar, QStringList> keys = accessKeys(window);
    if (menus) {
        QMap<QChar, QStringList> menu = menuKeys(menus);
        for (auto it = menu.cbegin(); it != menu.cend(); ++it)
            keys[it.key()] << it.value();
    }
    QStringList clashes;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        if (it.value().size() > 1)
            clashes << QString(it.key()) + QStringLiteral(": ") +
                           it.value().join(QStringLiteral(", "));
    return clashes;
}

// The accessibility events Qt sends while a recorder lives, as a screen
// reader's bridge would receive them.
class AccessibleEvents {
public:
    struct Event {
        QPointer<QObject> object;
        QAccessible::Event type;
        QString value;
    };

    AccessibleEvents() {
        current() = this;
        QAccessible::installUpdateHandler(&AccessibleEvents::record);
        QAccessible::setActive(true);
    }
    ~AccessibleEvents() {
        QAccessible::installUpdateHandler(nullptr);
        current() = nullptr;
    }

    // Qt sends events only while an accessibility bridge listens (a screen
    // reader on the bus); offscreen none does, and nothing can be recorded.
    static bool live() { return QAccessible::isActive(); }

    int count(QObject* object, QAccessible::Event type) const {
        int n = 0;
        for (const Event& event : events)
            n += event.object == object && event.type == type;
        return n;
    }

    std::vector<Event> events;

private:
    static AccessibleEvents*& current() {
        static AccessibleEvents* recorder = nullptr;
        return recorder;
    }
    static void record(QAccessibleEvent* event) {
        if (!current())
            return;
        QString value;
        if (event->type() == QAccessible::ValueChanged)
            value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
        current()->events.push_back({event->object(), event->type(), value});
    }
};

// The share of the pixels along a rectangle's outline that have a colour.
inline double outlineShare(const QImage& image, const QRect& outline, const QColor& colour) {
    int hits = 0;
    int total = 0;
    auto probe = [&](int x, int y) {
        if (!image.rect().contains(x, y))
            return;
        ++total;
        hits += QColor(image.pixel(x, y)) == colour;
    };
    for (int x = outline.left(); x <= outline.right(); ++x) {
        probe(x, outline.top());
        probe(x, outline.bottom());
    }
    for (int y = outline.top(); y <= outline.bottom(); ++y) {
        probe(outline.left(), y);
        probe(outline.right(), y);
    }
    return total ? double(hits) / total : 0;
}

} // namespace tallyro::test
