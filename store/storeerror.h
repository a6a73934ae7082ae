#pragma once

#include <QString>

class QSqlError;

// Why a store operation failed, shown to the user as description + ": " + source: what went
// wrong (the database's own words where it gave some) and where (the operation and the driver).
struct StoreError {
    QString description;
    QString source;

    bool isSet() const { return !description.isEmpty() || !source.isEmpty(); }
    QString text() const { return description + QStringLiteral(": ") + source; }

    // From a QtSql error during `operation` ("Insert into EntityType", "Open ...").
    static StoreError fromSql(const QSqlError& error, const QString& operation);
};
