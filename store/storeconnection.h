#pragma once

#include <QSqlDatabase>
#include <memory>

#include "databaseurl.h"
#include "storeerror.h"

class StallWatch;
class WalLeftovers;

// One named QtSql connection for one store operation: opened on demand, closed and removed from
// QtSql's list when the object goes away. Every QSqlQuery on it must be gone by then.
class StoreConnection {
public:
    explicit StoreConnection(const DatabaseUrl& url);
    ~StoreConnection();
    StoreConnection(const StoreConnection&) = delete;
    StoreConnection& operator=(const StoreConnection&) = delete;

    enum class Access { ReadWrite, ReadOnly };

    // Opens the database and turns on SQLite's foreign keys. ReadWrite creates missing tables;
    // ReadOnly never writes: the database is opened read-only and only checked, a database
    // without any of the tables (or an SQLite file that does not exist) opens as one that has
    // no projects, see hasNoTables().
    bool open(StoreError* error, Access access = Access::ReadWrite);

    // After a read-only open: the database holds none of the store's tables, so no project.
    bool hasNoTables() const { return noTables_; }

    QSqlDatabase& database() { return db_; }
    bool isPostgres() const { return url_.provider == DatabaseUrl::Provider::PostgreSQL; }

private:
    DatabaseUrl url_;
    QString name_;
    QSqlDatabase db_;
    std::unique_ptr<StallWatch> stallWatch_;
    std::unique_ptr<WalLeftovers> walLeftovers_;  // a read-only SQLite connection's
    bool noTables_ = false;
};
