#pragma once

#include <QDir>
#include <QLockFile>
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <memory>
#include <optional>
#include <map>

#include "recoverysnapshot.h"

class Workspace;

// Keeps the work of a run that has unsaved changes in a recovery file of its own, so a crash or a
// killed process loses nothing, and finds the files that runs which ended without a clean exit
// left behind.
//
// Each run writes DIRECTORY/<id>.relvane-recovery and holds DIRECTORY/<id>.relvane-recovery.lock
// while it lives: a file whose lock no living process holds was left by a run that died. Two
// windows at once therefore never write or offer each other's file.
class CrashRecovery : public QObject {
    Q_OBJECT
public:
    // Writes about this long after the last step while changes are unsaved.
    static constexpr int kWriteDelayMs = 2000;

    // `directory` empty: the user's data directory.
    CrashRecovery(Workspace& workspace, const QString& directory = QString());
    // A clean end: the file goes.
    ~CrashRecovery() override;

    static QString defaultDirectory();
    // This run's recovery file (written only while there are unsaved changes).
    QString ownFile() const { return ownFile_; }

    // Writes (or, with nothing unsaved, removes) the file now instead of after the delay, and
    // waits until that is done.
    void writeNow();
    // The clean exit: no file is left behind.
    void finish();

    // The newest file of a run that died, claimed by this run so that a second window started at
    // the same time does not offer it too; nullopt when there is none.
    std::optional<QString> claimAbandoned();
    // The work in a claimed file; nullopt with *problem when it cannot be read.
    static std::optional<RecoverySnapshot> read(const QString& file, QString* problem);
    // A claimed file is done with: removed, or kept under another name when it could not be read
    // (so it is not offered again, yet nothing is thrown away).
    void release(const QString& file, bool keepAsUnreadable = false);

private:
    bool active() const { return ownLock_ && !finished_; }
    // After every step, undo, redo and save: write later while changes are unsaved, else remove.
    void historyChanged();
    void write();
    void queueRemoval();
    // Removes the locks of runs that ended, killed, without a recovery file: nothing of theirs is
    // left to offer.
    void removeAbandonedLocks();

    Workspace& workspace_;
    QDir directory_;
    QString ownFile_;
    std::unique_ptr<QLockFile> ownLock_;
    std::map<QString, std::unique_ptr<QLockFile>> claimed_;  // file -> its lock
    QTimer delay_;
    // Writes happen here, one after another in the order queued, off the editor's thread.
    QThreadPool writer_;
    bool finished_ = false;
};
