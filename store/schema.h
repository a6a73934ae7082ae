#pragma once

#include <QStringList>
#include <optional>
#include <vector>

#include "databaseurl.h"
#include "storeerror.h"

class QSqlDatabase;

// The five tables of the project store with their columns in the order the load reads them.
struct StoreTable {
    QString name;
    QStringList columns;
};
const std::vector<StoreTable>& storeTables();

// The CREATE statements of sql/sqlite.sql or sql/postgresql.sql, as built into the program.
QStringList schemaStatements(DatabaseUrl::Provider provider);

// Creates whichever of the five tables are missing, then checks that every table has exactly the
// expected columns in the expected order. Several programs may do this at once on one server.
bool ensureSchema(QSqlDatabase& db, DatabaseUrl::Provider provider, StoreError* error);

// Checks the five tables without creating or changing anything, for a store that is only read:
// true when they are all there as expected, false when there are none (an empty or new database
// holds no projects), nullopt with *error when some are missing or not as expected.
std::optional<bool> checkSchema(QSqlDatabase& db, DatabaseUrl::Provider provider,
                                StoreError* error);
