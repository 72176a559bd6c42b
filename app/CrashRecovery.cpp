#include "app/CrashRecovery.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>

#include "core/DocumentFile.h"
#include "core/FileBytes.h"

namespace {

constexpr char kMagic[] = "LVRECOVER1";
constexpr int kQuietMs = 1000;
constexpr qint64 kLatestMs = 4000;
constexpr int kSetAsideDays = 30;

QString LockPathOf(const QString& copy) { return copy.left(copy.size() - 4) + ".lock"; }

// The next CR LF-ended line of `text` from `pos`; false at the end.
bool NextLine(const std::string& text, std::size_t& pos, std::string& line) {
    const std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) return false;
    line = text.substr(pos, end - pos);
    pos = end + 2;
    return true;
}

}  // namespace

CrashRecovery::CrashRecovery(const DrawCore& doc, QString folder) : doc_(doc), folder_(std::move(folder)) {
    if (folder_.isEmpty())
        folder_ = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/recovery";
    QDir().mkpath(folder_);
    RemoveOldSetAside();
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    copyPath_ = folder_ + "/" + id + ".lvr";
    lock_ = std::make_unique<QLockFile>(LockPathOf(copyPath_));
    lock_->setStaleLockTime(0);  // only a lock whose editor is gone is stale
    lock_->tryLock(0);
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { WriteNow(); });
}

CrashRecovery::~CrashRecovery() {
    QFile::remove(copyPath_);
    lock_->unlock();
}

void CrashRecovery::DocumentChanged() {
    if (!doc_.IsModified()) {  // saved or discarded: the copy goes at once
        WriteNow();
        return;
    }
    if (!firstPending_.isValid()) firstPending_.start();
    if (firstPending_.elapsed() >= kLatestMs) {
        WriteNow();
        return;
    }
    timer_.start(kQuietMs);
}

void CrashRecovery::WriteNow() {
    timer_.stop();
    firstPending_.invalidate();
    if (!doc_.IsModified()) {
        QFile::remove(copyPath_);
        return;
    }
    const std::string bytes =
        FormatCopy({doc_.DocFileName, true, FormatDocument(doc_.Setup, doc_.Paths)});
    QSaveFile file(copyPath_);
    if (file.open(QIODevice::WriteOnly) &&
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size()))
        file.commit();
    else
        file.cancelWriting();
}

std::string CrashRecovery::FormatCopy(const Copy& copy) {
    const QByteArray name = QByteArray::fromStdString(copy.FileName).toPercentEncoding();
    return std::string(kMagic) + "\r\n" + name.toStdString() + "\r\n" + (copy.Modified ? "1" : "0") + "\r\n" +
           copy.Document;
}

bool CrashRecovery::ReadCopy(const QString& path, Copy& out) {
    std::string bytes, magic, name, modified;
    std::size_t pos = 0;
    if (!ReadFileBytes(QFile::encodeName(path).toStdString(), bytes) || !NextLine(bytes, pos, magic) ||
        magic != kMagic || !NextLine(bytes, pos, name) || !NextLine(bytes, pos, modified) ||
        (modified != "0" && modified != "1"))
        return false;
    CanvasSetup setup;
    std::vector<PathShape> paths;
    const std::string_view document = std::string_view(bytes).substr(pos);
    if (!ParseDocument(document, setup, paths)) return false;
    out = {QByteArray::fromPercentEncoding(QByteArray::fromStdString(name)).toStdString(), modified == "1",
           std::string(document)};
    return true;
}

QStringList CrashRecovery::OrphanedCopies() const {
    QStringList out;
    const QFileInfoList files =
        QDir(folder_).entryInfoList({"*.lvr"}, QDir::Files, QDir::Time);  // newest first
    for (const QFileInfo& info : files) {
        const QString path = info.absoluteFilePath();
        if (path == QFileInfo(copyPath_).absoluteFilePath()) continue;
        // A lock we can take belongs to nobody: its editor is gone.
        QLockFile probe(LockPathOf(path));
        probe.setStaleLockTime(0);
        // A lock that names no editor (empty or garbage) is stale too; its file
        // goes only when no live editor holds it, so a lock being written is kept.
        qint64 pid = 0;
        QString host, app;
        if (!probe.tryLock(0) &&
            (probe.getLockInfo(&pid, &host, &app) || !probe.removeStaleLockFile() || !probe.tryLock(0)))
            continue;
        probe.unlock();
        out << path;
    }
    return out;
}

void CrashRecovery::RemoveOldSetAside() const {
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addDays(-kSetAsideDays);
    for (const QFileInfo& info : QDir(folder_).entryInfoList({"*.lvr.bad"}, QDir::Files))
        if (info.lastModified().toUTC() < oldest) QFile::remove(info.absoluteFilePath());
}

void CrashRecovery::Discard(const QString& path, bool aside) {
    if (aside) {
        QFile::remove(path + ".bad");
        QFile bad(path);
        // Its age counts from being set aside.
        if (bad.rename(path + ".bad") && bad.open(QIODevice::Append))
            bad.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
    } else {
        QFile::remove(path);
    }
    QFile::remove(LockPathOf(path));
}
