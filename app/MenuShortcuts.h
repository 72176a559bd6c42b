#pragma once
#include <QObject>

class QMainWindow;
class QKeySequence;

// Gives the menu bar's shortcuts precedence over the focus widget's own use of
// the same keys (a line edit's Ctrl+Z, Ctrl+C, Delete, ...), so that every
// enabled menu item answers its shortcut wherever the focus is in the window.
// A disabled item leaves its keys to the focus widget.
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
