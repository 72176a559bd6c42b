#include "app/MenuShortcuts.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
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

bool EditsFocusedText(const QKeyEvent& key) {
    // An editable combo box holds the focus for its line edit.
    const QWidget* focus = QApplication::focusWidget();
    const auto* combo = qobject_cast<const QComboBox*>(focus);
    if (!qobject_cast<const QLineEdit*>(focus) && !(combo && combo->isEditable())) return false;
    for (auto standard : {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut,
                          QKeySequence::Delete})
        if (key.matches(standard)) return true;
    return false;
}

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
    if (EditsFocusedText(*key)) return false;
    const QKeySequence keys(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    return IsEnabledMenuShortcut(keys);
}

bool MenuShortcuts::IsEnabledMenuShortcut(const QKeySequence& keys) const {
    // An item answers its keys when the menu, opened now, would enable it;
    // closing it again leaves every item enabled for the shortcut's dispatch,
    // where the command checks its conditions itself.
    bool enabled = false;
    for (QAction* top : window_->menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu) continue;
        emit menu->aboutToShow();
        enabled = enabled || HasEnabledShortcut(menu->actions(), keys);
        emit menu->aboutToHide();
    }
    return enabled;
}
