#include "layoutcheck.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFocusFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

namespace tallyro {

namespace {

QString describe(const QWidget* widget) {
    QString name = widget->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(widget->metaObject()->className());
    if (auto* button = qobject_cast<const QAbstractButton*>(widget);
        button && !button->text().isEmpty())
        name += QStringLiteral(" \"") + button->text() + QLatin1Char('"');
    else if (auto* label = qobject_cast<const QLabel*>(widget); label && !label->text().isEmpty())
        name += QStringLiteral(" \"") + label->text().left(30) + QLatin1Char('"');
    return name;
}

// The parts of a compound control (a spin box's editor, a tab bar's scroll
// buttons) are the control's own business.
bool isPartOfAnother(const QWidget* widget) {
    for (const QWidget* p = widget->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QTabBar*>(p) ||
            (qobject_cast<const QAbstractItemView*>(p) && !qobject_cast<const QScrollArea*>(p)))
            return true;
    return false;
}

bool isControl(const QWidget* widget) {
    if (qobject_cast<const QFocusFrame*>(widget) || isPartOfAnother(widget))
        return false;
    if (widget->objectName().startsWith(QLatin1String("qt_")) &&
        !qobject_cast<const QTabBar*>(widget))
        return false;
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return !label->text().isEmpty() || !label->pixmap().isNull();
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           qobject_cast<const QTabBar*>(widget) || qobject_cast<const QGroupBox*>(widget);
}

// The scroll area whose scrolled content holds the widget, if any.
const QScrollArea* scrolledBy(const QWidget* widget) {
    for (const QWidget* p = widget; p; p = p->parentWidget()) {
        const QWidget* viewport = p->parentWidget();
        auto* area =
            qobject_cast<const QScrollArea*>(viewport ? viewport->parentWidget() : nullptr);
        if (area && area->widget() == p)
            return area;
    }
    return nullptr;
}

// The first part of the window that the widget sticks out of, or null.
// Scrolled content may be larger than its viewport: scrolling reaches it.
const QWidget* stickingOutOf(const QWidget* widget, const QWidget* window) {
    QRect rect = widget->geometry(); // in the parent's coordinates
    const QWidget* child = widget;
    for (const QWidget* p = widget->parentWidget(); p; child = p, p = p->parentWidget()) {
        auto* area = qobject_cast<const QScrollArea*>(p->parentWidget());
        if (area && area->viewport() == p && area->widget() == child)
            rect = p->rect();
        else if (!p->rect().adjusted(-1, -1, 1, 1).contains(rect))
            return p;
        if (p == window)
            return nullptr;
        rect.translate(p->pos());
    }
    return nullptr;
}

// Where the widget shows in the window, cut to its scroll area's viewport.
QRect shownRect(const QWidget* widget, const QWidget* window) {
    QRect rect(widget->mapTo(window, QPoint(0, 0)), widget->size());
    if (const QScrollArea* area = scrolledBy(widget))
        rect &= QRect(area->viewport()->mapTo(window, QPoint(0, 0)), area->viewport()->size());
    return rect;
}

QMdiSubWindow* frameOf(const QWidget* widget) {
    for (QWidget* p = widget->parentWidget(); p; p = p->parentWidget())
        if (auto* frame = qobject_cast<QMdiSubWindow*>(p))
            return frame;
    return nullptr;
}

bool captionCut(const QWidget* widget) {
    // Squeezed below one line of its own text, no control reads whole.
    bool oneLine = qobject_cast<const QAbstractButton*>(widget) ||
                   qobject_cast<const QLabel*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
                   qobject_cast<const QComboBox*>(widget) ||
                   qobject_cast<const QAbstractSpinBox*>(widget);
    if (oneLine && widget->height() < widget->fontMetrics().height())
        return true;
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        auto* tool = qobject_cast<const QToolButton*>(widget);
        if (button->text().isEmpty() || (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly))
            return false;
        int needed = button->fontMetrics().horizontalAdvance(
            QString(button->text()).remove(QLatin1Char('&')));
        return button->width() < needed;
    }
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText ||
            label->text().contains(QLatin1Char('<')))
            return false;
        int needed = label->fontMetrics().horizontalAdvance(
            QString(label->text()).remove(QLatin1Char('&')).section(QLatin1Char('\n'), 0, 0));
        return label->contentsRect().width() < needed - 1;
    }
    return false;
}

} // namespace

QStringList layoutFaults(QWidget* window) {
    QStringList faults;
    QList<QWidget*> placed;
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* widget : all) {
        if (!isControl(widget) || !widget->isVisibleTo(window))
            continue;
        if (const QWidget* outside = stickingOutOf(widget, window)) {
            faults << describe(widget) + QStringLiteral(" lies outside ") +
                          (outside == window ? QStringLiteral("the window") : describe(outside));
            continue;
        }
        if (captionCut(widget))
            faults << describe(widget) + QStringLiteral(" shows its caption cut short");
        placed << widget;
    }
    for (int i = 0; i < placed.size(); ++i)
        for (int j = i + 1; j < placed.size(); ++j) {
            QWidget* a = placed[i];
            QWidget* b = placed[j];
            // Frames in the work area may stack like papers on a desk.
            if (a->isAncestorOf(b) || b->isAncestorOf(a) || frameOf(a) != frameOf(b))
                continue;
            QRect common;
            const QScrollArea* area = scrolledBy(a);
            if (area && area == scrolledBy(b)) {
                // Both scroll together: compare them where they stand.
                QWidget* content = area->widget();
                common = QRect(a->mapTo(content, QPoint(0, 0)), a->size())
                             .intersected(QRect(b->mapTo(content, QPoint(0, 0)), b->size()));
            } else {
                common = shownRect(a, window).intersected(shownRect(b, window));
            }
            if (common.width() > 2 && common.height() > 2)
                faults << describe(a) + QStringLiteral(" and ") + describe(b) +
                              QStringLiteral(" lie on one another");
        }
    return faults;
}

} // namespace tallyro
