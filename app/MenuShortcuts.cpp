#include "app/MenuShortcuts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
bool HasEnabledShortcut(const QList<QAction*>& actions, const QKeySequence& keys) {
    for (const QAction* action : actions) {
        if (QMenu* menu = action->menu()) {
            if (HasEnabledShortcut(menu->actions(), keys)) return true;
        } else if (action->isEnabled() && action->shortcuts().contains(keys)) {
            return true;
        }
    }
    return false;
}
}  // namespace

MenuShortcuts::MenuShortcuts(QMainWindow* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

bool MenuShortcuts::eventFilter(QObject* watched, QEvent* event) {
    // Before a key can trigger a shortcut, the focus widget and its parents are
    // asked whether they want the key themselves. Consuming that question
    // without accepting it lets the shortcut run.
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence keys(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    return IsEnabledMenuShortcut(keys);
}

bool MenuShortcuts::IsEnabledMenuShortcut(const QKeySequence& keys) const {
    return HasEnabledShortcut(window_->menuBar()->actions(), keys);
}
