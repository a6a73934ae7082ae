#include "storeconnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

#include "schema.h"

namespace {

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("relvane-store-%1").arg(++counter);
}

}  // namespace

StoreConnection::StoreConnection(const DatabaseUrl& url) : url_(url), name_(nextConnectionName()) {}

StoreConnection::~StoreConnection() {
    if (db_.isValid()) db_.close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
}

bool StoreConnection::open(StoreError* error) {
    const QString operation = QStringLiteral("Open ") + url_.toDisplayString();
    db_ = QSqlDatabase::addDatabase(
        isPostgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name_);
    if (!db_.isValid()) {
        if (error)
            *error = {
                QStringLiteral("the Qt SQL driver for %1 is not installed")
                    .arg(isPostgres() ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite")),
                operation};
        return false;
    }
    if (isPostgres()) {
        db_.setHostName(url_.host());
        if (url_.port() > 0) db_.setPort(url_.port());
        db_.setDatabaseName(url_.databaseName());
        db_.setUserName(url_.userId);
        db_.setPassword(url_.password);
        db_.setConnectOptions(QStringLiteral("connect_timeout=15;application_name=Relvane"));
    } else {
        // The default file lives in a folder that may not exist yet.
        if (url_.dataSource == defaultDatabaseFile())
            QDir().mkpath(QFileInfo(url_.dataSource).absolutePath());
        db_.setDatabaseName(url_.dataSource);
        // Another program saving at the same moment holds the write lock for a short while.
        db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    }
    if (!db_.open()) {
        if (error) *error = StoreError::fromSql(db_.lastError(), operation);
        return false;
    }
    if (!isPostgres()) {
        QSqlQuery pragma(db_);
        if (!pragma.exec(QStringLiteral("PRAGMA foreign_keys = ON"))) {
            if (error) *error = StoreError::fromSql(pragma.lastError(), operation);
            return false;
        }
    }
    return ensureSchema(db_, url_.provider, error);
}
