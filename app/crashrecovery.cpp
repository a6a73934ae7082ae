#include "crashrecovery.h"

#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>
#include <cstdio>

#include "workspace.h"

namespace {

const QString kSuffix = QStringLiteral(".relvane-recovery");

QString lockFileOf(const QString& file) {
    return file + QStringLiteral(".lock");
}

// Locks are judged stale only by their process being gone, never by their age: a run may keep
// its lock for days.
std::unique_ptr<QLockFile> tryToLock(const QString& file) {
    auto lock = std::make_unique<QLockFile>(lockFileOf(file));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

void writeFile(const QString& path, const RecoverySnapshot& snapshot) {
    QSaveFile file(path);
    // A diagram is the user's own work: only its owner reads it.
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) ||
        file.write(encodeSnapshot(snapshot)) < 0 || !file.commit())
        std::fprintf(stderr, "relvane: cannot write the recovery file %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
}

}  // namespace

CrashRecovery::CrashRecovery(Workspace& workspace, const QString& directory)
    : workspace_(workspace), directory_(directory.isEmpty() ? defaultDirectory() : directory) {
    writer_.setMaxThreadCount(1);
    delay_.setSingleShot(true);
    delay_.setInterval(kWriteDelayMs);
    connect(&delay_, &QTimer::timeout, this, &CrashRecovery::write);
    ownFile_ = directory_.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + kSuffix);
    if (directory_.mkpath(QStringLiteral(".")) &&
        QFile::setPermissions(directory_.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        ownLock_ = tryToLock(ownFile_);
    if (!ownLock_) {
        std::fprintf(stderr, "relvane: no recovery files can be kept in %s\n",
                     qPrintable(directory_.path()));
        return;
    }
    removeAbandonedLocks();
    QUndoStack& stack = workspace_.history().stack();
    connect(&stack, &QUndoStack::indexChanged, this, &CrashRecovery::historyChanged);
    connect(&stack, &QUndoStack::cleanChanged, this, &CrashRecovery::historyChanged);
}

CrashRecovery::~CrashRecovery() {
    finish();
}

QString CrashRecovery::defaultDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/relvane/recovery");
}

void CrashRecovery::historyChanged() {
    if (!active()) return;
    if (workspace_.editor().hasUnsavedChanges()) {
        delay_.start();
    } else {
        delay_.stop();
        queueRemoval();
    }
}

void CrashRecovery::write() {
    if (!active()) return;
    if (!workspace_.editor().hasUnsavedChanges()) {
        queueRemoval();
        return;
    }
    // The copy shares the document's text and collections, so taking it costs the editor little;
    // encoding and writing happen on the writer's thread.
    const Diagram& d = workspace_.diagram();
    RecoverySnapshot snapshot{d.document(), d.view.projectName, d.view.project,
                              d.settings.PresentStyle};
    writer_.start([snapshot = std::move(snapshot), path = ownFile_] { writeFile(path, snapshot); });
}

void CrashRecovery::queueRemoval() {
    writer_.start([path = ownFile_] { QFile::remove(path); });
}

void CrashRecovery::writeNow() {
    delay_.stop();
    write();
    writer_.waitForDone();
}

void CrashRecovery::finish() {
    if (finished_) return;
    delay_.stop();
    writer_.waitForDone();
    finished_ = true;
    if (!ownLock_) return;
    QFile::remove(ownFile_);
    ownLock_.reset();
    claimed_.clear();
}

void CrashRecovery::removeAbandonedLocks() {
    const QString lockSuffix = lockFileOf(kSuffix);
    for (const QFileInfo& info :
         directory_.entryInfoList({QLatin1Char('*') + lockSuffix}, QDir::Files)) {
        const QString file = info.absoluteFilePath().chopped(lockSuffix.size() - kSuffix.size());
        // A lock with its recovery file is claimAbandoned's; a living run keeps its lock.
        if (QFile::exists(file)) continue;
        if (std::unique_ptr<QLockFile> lock = tryToLock(file)) lock->unlock();
    }
}

std::optional<QString> CrashRecovery::claimAbandoned() {
    if (!active()) return std::nullopt;
    const QFileInfoList files = directory_.entryInfoList({QLatin1Char('*') + kSuffix}, QDir::Files,
                                                         QDir::Time);
    for (const QFileInfo& info : files) {
        const QString file = info.absoluteFilePath();
        if (file == ownFile_ || claimed_.contains(file)) continue;
        // Fails while a living run, this one included, holds the lock.
        std::unique_ptr<QLockFile> lock = tryToLock(file);
        if (!lock) continue;
        // Its run may have ended cleanly between the listing and the lock.
        if (!QFile::exists(file)) continue;
        claimed_.emplace(file, std::move(lock));
        return file;
    }
    return std::nullopt;
}

std::optional<RecoverySnapshot> CrashRecovery::read(const QString& file, QString* problem) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        if (problem) *problem = in.errorString();
        return std::nullopt;
    }
    return decodeSnapshot(in.readAll(), problem);
}

void CrashRecovery::release(const QString& file, bool keepAsUnreadable) {
    if (keepAsUnreadable) {
        const QString kept = file + QStringLiteral(".unreadable");
        QFile::remove(kept);
        QFile::rename(file, kept);
    } else {
        QFile::remove(file);
    }
    claimed_.erase(file);
}
