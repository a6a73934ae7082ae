#include "sqlitesidefiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

bool rollBackInterruptedSave(const QString& path, StoreError* error) {
    const QFileInfo journal(path + QStringLiteral("-journal"));
    if (!journal.exists() || journal.size() == 0) return true;
    const QString name = QStringLiteral("relvane-rollback-") + QUuid::createUuid().toString();
    QSqlError failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
        if (!db.open()) {
            failure = db.lastError();
        } else {
            // The first read of the schema rolls a hot journal back.
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
                failure = query.lastError();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isValid()) return true;
    if (error)
        *error = {QStringLiteral("a save to this file was interrupted and its journal %1 cannot "
                                 "be rolled back (%2); open the file once with write access to "
                                 "the file and its folder, for example with sqlite3 %3 \"PRAGMA "
                                 "integrity_check\", which rolls the interrupted save back")
                      .arg(journal.fileName(), failure.text(), path),
                  QStringLiteral("Open ") + path};
    return false;
}

WalLeftovers::WalLeftovers(const QString& path)
    : path_(path),
      walExisted_(QFileInfo::exists(path + QStringLiteral("-wal"))),
      shmExisted_(QFileInfo::exists(path + QStringLiteral("-shm"))) {}

void WalLeftovers::removeNew() const {
    const QString wal = path_ + QStringLiteral("-wal");
    if (!walExisted_ && QFileInfo(wal).size() == 0) QFile::remove(wal);
    if (!shmExisted_ && !QFileInfo::exists(wal)) QFile::remove(path_ + QStringLiteral("-shm"));
}
