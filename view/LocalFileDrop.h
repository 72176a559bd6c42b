#pragma once
#include <QList>
#include <QObject>
#include <QUrl>
#include <functional>

class QWidget;

// True when there is at least one URL and every one names a local file.
bool AllLocalFiles(const QList<QUrl>& urls);

// Takes drops of local files on one widget and hands the files on. Anything
// else (a web link, text) is refused as soon as it enters, so the user sees
// the forbidden cursor and nothing is asked. A drop is taken as a copy: the
// source never deletes the file as it would after a move.
class LocalFileDrop : public QObject {
public:
    using Handler = std::function<void(const QList<QUrl>&)>;
    // Makes `target` accept drops; owned by it.
    LocalFileDrop(QWidget* target, Handler dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler dropped_;
};
