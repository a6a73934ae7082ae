#pragma once

#include <QString>

#include "storeerror.h"

// The files SQLite keeps beside a database file: the rollback journal of a save in progress and,
// in WAL mode, the write-ahead log and its shared-memory index.

// A save killed half-way leaves a hot journal, which only a connection that may write can roll
// back; a read-only connection then fails every read. Rolls such a journal back through a
// short read-write connection, as SQLite intends, so the reader sees the last committed version.
// False with *error saying how to recover when it cannot (a file or folder the user may not
// write, for one).
bool rollBackInterruptedSave(const QString& path, StoreError* error);

// Reading a WAL-mode database read-only creates its -wal and -shm files, which a read-only
// connection cannot remove when it closes. Notes which of them are missing before the read and
// removes those the read left behind (an empty log only: one with content holds another
// program's writes).
class WalLeftovers {
public:
    explicit WalLeftovers(const QString& path);
    void removeNew() const;

private:
    QString path_;
    bool walExisted_ = true;
    bool shmExisted_ = true;
};
