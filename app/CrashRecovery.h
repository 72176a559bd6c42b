#pragma once
#include <QElapsedTimer>
#include <QLockFile>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <string>

#include "core/DrawCore.h"

// Keeps a recovery copy of the modified drawing in the per-user data folder,
// so that a crash never costs more than the last few seconds of work. Each
// running editor holds a lock beside its copy; a copy whose lock is free
// belongs to an editor that is gone and can be offered at the next start.
class CrashRecovery {
public:
    // What a recovery copy holds.
    struct Copy {
        std::string FileName;  // the document's file name; empty for a new drawing
        bool Modified = true;
        std::string Document;  // document file text
    };

    // `folder` empty: "recovery" in the per-user data folder.
    explicit CrashRecovery(const DrawCore& doc, QString folder = {});
    // A clean exit: the copy and its lock go.
    ~CrashRecovery();

    // Call after every change of the document or its modified mark: the copy
    // is written once the changes pause for a second, at most 4 s after the first.
    void DocumentChanged();
    // Writes the copy now (or removes it when the drawing is not modified).
    void WriteNow();
    QString CopyPath() const { return copyPath_; }

    // Copies left by editors that are no longer running, newest first.
    QStringList OrphanedCopies() const;
    static bool ReadCopy(const QString& path, Copy& out);
    static std::string FormatCopy(const Copy& copy);
    // Removes a copy and its lock; `aside` keeps it under a ".bad" name instead.
    static void Discard(const QString& path, bool aside = false);

private:
    // Copies set aside as ".bad" more than 30 days ago are removed.
    void RemoveOldSetAside() const;

    const DrawCore& doc_;
    QString folder_;
    QString copyPath_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;
    QElapsedTimer firstPending_;
};
