#include "storeconnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

#include "schema.h"
#include "sqlitesidefiles.h"
#include "stallwatch.h"
#include "valuesizelimit.h"

namespace {

// How much longer than the statement timeout a server may stay silent before the connection is
// given up: the server's own cancellation, with its clearer message, normally comes first.
constexpr int kStallGraceSeconds = 5;

QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("relvane-store-%1").arg(++counter);
}

}  // namespace

StoreConnection::StoreConnection(const DatabaseUrl& url) : url_(url), name_(nextConnectionName()) {}

StoreConnection::~StoreConnection() {
    stallWatch_.reset();
    if (db_.isValid()) db_.close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
    // A read leaves nothing behind, a WAL-mode file's log and index included.
    if (walLeftovers_) walLeftovers_->removeNew();
}

bool StoreConnection::open(StoreError* error, Access access) {
    const bool readOnly = access == Access::ReadOnly;
    const QString operation = QStringLiteral("Open ") + url_.toDisplayString();
    // Opening a missing SQLite file would create it; a reader finds no projects instead.
    if (readOnly && !isPostgres() && !QFileInfo::exists(url_.dataSource)) {
        noTables_ = true;
        return true;
    }
    if (readOnly && !isPostgres()) {
        if (!rollBackInterruptedSave(url_.dataSource, error)) return false;
        walLeftovers_ = std::make_unique<WalLeftovers>(url_.dataSource);
    }
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
        // Keepalives notice a server or network that has gone away while a statement waits
        // for its answer; without them a save or load could block for as long as the outage.
        db_.setConnectOptions(QStringLiteral(
            "connect_timeout=15;application_name=Relvane;keepalives=1;keepalives_idle=10;"
            "keepalives_interval=5;keepalives_count=3;tcp_user_timeout=30000"));
    } else {
        // The default file lives in a folder that may not exist yet.
        if (!readOnly && url_.dataSource == defaultDatabaseFile())
            QDir().mkpath(QFileInfo(url_.dataSource).absolutePath());
        db_.setDatabaseName(url_.dataSource);
        // Another program saving at the same moment holds the write lock for a short while.
        db_.setConnectOptions(
            readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=30000")
                     : QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    }
    if (!db_.open()) {
        if (error) *error = StoreError::fromSql(db_.lastError(), operation);
        return false;
    }
    QStringList setup;
    if (isPostgres()) {
        // A statement that waits longer (on a lock, a stalled server) is cancelled by the
        // server, and the operation fails with its transaction rolled back.
        setup << QStringLiteral("SET statement_timeout = %1")
                     .arg(qint64(url_.statementTimeoutSeconds) * 1000);
        if (readOnly)
            setup << QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY");
    } else {
        setup << QStringLiteral("PRAGMA foreign_keys = ON");
        limitValueSize(db_);
    }
    // Beyond the server's own timeout, a server that does not answer at all is let go of.
    if (isPostgres() && url_.statementTimeoutSeconds > 0)
        stallWatch_ = std::make_unique<StallWatch>(
            db_, std::chrono::seconds(url_.statementTimeoutSeconds + kStallGraceSeconds));
    for (const QString& statement : setup) {
        QSqlQuery query(db_);
        if (!query.exec(statement)) {
            if (error) *error = StoreError::fromSql(query.lastError(), operation);
            return false;
        }
    }
    if (!readOnly) return ensureSchema(db_, url_.provider, error);
    const std::optional<bool> complete = checkSchema(db_, url_.provider, error);
    noTables_ = complete == false;
    return complete.has_value();
}
