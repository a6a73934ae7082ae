#pragma once

#include <QSqlDatabase>

#include "databaseurl.h"
#include "storeerror.h"

// One named QtSql connection for one store operation: opened on demand, closed and removed from
// QtSql's list when the object goes away. Every QSqlQuery on it must be gone by then.
class StoreConnection {
public:
    explicit StoreConnection(const DatabaseUrl& url);
    ~StoreConnection();
    StoreConnection(const StoreConnection&) = delete;
    StoreConnection& operator=(const StoreConnection&) = delete;

    // Opens the database, turns on SQLite's foreign keys and creates missing tables.
    bool open(StoreError* error);

    QSqlDatabase& database() { return db_; }
    bool isPostgres() const { return url_.provider == DatabaseUrl::Provider::PostgreSQL; }

private:
    DatabaseUrl url_;
    QString name_;
    QSqlDatabase db_;
};
