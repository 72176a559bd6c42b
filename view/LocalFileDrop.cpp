#include "view/LocalFileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>
#include <algorithm>

bool AllLocalFiles(const QList<QUrl>& urls) {
    return !urls.isEmpty() && std::all_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
}

LocalFileDrop::LocalFileDrop(QWidget* target, Handler dropped) : QObject(target), dropped_(std::move(dropped)) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool LocalFileDrop::eventFilter(QObject*, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    // Enter and move events derive from the drop event.
    auto* drag = static_cast<QDropEvent*>(event);
    const QList<QUrl> urls = drag->mimeData()->urls();
    const Qt::DropAction action = drag->possibleActions() & Qt::CopyAction   ? Qt::CopyAction
                                  : drag->possibleActions() & Qt::LinkAction ? Qt::LinkAction
                                                                             : Qt::IgnoreAction;
    if (!AllLocalFiles(urls) || action == Qt::IgnoreAction) {
        drag->ignore();
        return true;
    }
    drag->setDropAction(action);
    drag->accept();
    if (type == QEvent::Drop) dropped_(urls);
    return true;
}
