#include "app/selection/CaptionApplier.h"

#include "app/shell/TextConversion.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace airmotor::app {

namespace {

// The window a control belongs to. Menus are popup windows of their own: they belong to the window of
// the menu bar (or menu) that holds them, and an action to the holder of its menu.
QWidget* OwningWindow(QObject* control) {
    if (auto* menu = qobject_cast<QMenu*>(control))
        return menu->parentWidget() ? OwningWindow(menu->parentWidget()) : menu;
    if (auto* widget = qobject_cast<QWidget*>(control))
        return widget->window();
    return control->parent() ? OwningWindow(control->parent()) : nullptr;
}

// Windows of the program may be children of another window (the mounting-position window of the main
// window) and reuse control names ("Label1"): only the window's own controls count.
QObject* FindControl(QWidget* window, const QString& name) {
    QObject* found = nullptr;
    for (QObject* candidate : window->findChildren<QObject*>(name)) {
        if (OwningWindow(candidate) != window)
            continue;
        // A menu's title is its caption, not the caption of the action that opens it.
        if (qobject_cast<QMenu*>(candidate))
            return candidate;
        if (!found || (qobject_cast<QAction*>(found) && qobject_cast<QWidget*>(candidate)))
            found = candidate;
    }
    return found;
}

bool SetCaption(QObject* control, const QString& text) {
    if (auto* menu = qobject_cast<QMenu*>(control))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(control))
        box->setTitle(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(label->wordWrap() ? KeepUnitsWhole(text) : text);
    else
        return false;
    return true;
}

} // namespace

QStringList ApplyCaptions(QWidget* window, const core::TextTable& strText,
                          const core::CaptionContext& context, const QStringList& only) {
    QStringList missing;
    const QString windowName = window->objectName();
    for (const core::CaptionEntry& entry : core::CaptionKeys()) {
        if (Q(entry.window) != windowName)
            continue;
        const QString control = Q(entry.control);
        if (!only.isEmpty() && !only.contains(control))
            continue;
        const QString text = Q(core::CaptionText(entry, strText, context));
        if (control.isEmpty()) {
            window->setWindowTitle(text);
            continue;
        }
        QObject* target = FindControl(window, control);
        if (!target || !SetCaption(target, text))
            missing << control;
    }
    return missing;
}

QString CurrentCaption(QWidget* window, const QString& control) {
    if (control.isEmpty())
        return window->windowTitle();
    QObject* target = FindControl(window, control);
    if (auto* menu = qobject_cast<QMenu*>(target))
        return menu->title();
    if (auto* action = qobject_cast<QAction*>(target))
        return action->text();
    if (auto* box = qobject_cast<QGroupBox*>(target))
        return box->title();
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(target))
        return PlainCaption(label->text());
    return {};
}

} // namespace airmotor::app
