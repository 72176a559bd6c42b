#pragma once
#include <QObject>

class QMainWindow;
class QKeySequence;
class QKeyEvent;

// Whether `key` edits the text of the focused text box: select all, copy,
// paste, cut and Delete, as in every text field.
bool EditsFocusedText(const QKeyEvent& key);

// Gives the menu bar's shortcuts precedence over the focus widget's own use of
// the same keys (a line edit's Ctrl+Z, Ctrl+Y, ...), so that every enabled
// menu item answers its shortcut wherever the focus is in the window. A
// disabled item leaves its keys to the focus widget, and so does every item
// for the keys that edit a text box's text.
class MenuShortcuts : public QObject {
public:
    // Watches the application's key events for `window`; owned by it.
    explicit MenuShortcuts(QMainWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsEnabledMenuShortcut(const QKeySequence& keys) const;

    QMainWindow* window_;
};
