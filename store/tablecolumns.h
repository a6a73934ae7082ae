#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "databaseurl.h"
#include "storeerror.h"

class QSqlDatabase;

// The declared columns of a table, read from the database's own catalogue, and whether a
// declared type holds the kind of value a store column needs.

enum class ColumnKind { Integer, Real, Text };

struct TableColumn {
    QString name;
    QString type;  // as declared: "INTEGER", "smallint", "character varying(40)", …
};

// The columns of `table` in their order; empty when there is no such table, nullopt with *error
// set when the catalogue cannot be read (a damaged or locked file, one that is no database).
std::optional<std::vector<TableColumn>> tableColumns(QSqlDatabase& db,
                                                     DatabaseUrl::Provider provider,
                                                     const QString& table, StoreError* error);

// Whether `table` (which exists) is an ordinary table: not a view, whose rows a query computes
// (a recursive one without end), nor a virtual or foreign table. nullopt when the catalogue
// cannot be read.
std::optional<bool> isPlainTable(QSqlDatabase& db, DatabaseUrl::Provider provider,
                                 const QString& table);

// Whether a column declared as `type` stores `kind` the way Relvane's own tables do: integers in
// an integer column (any width: values are read strictly), positions in a floating-point column,
// texts in a text column. SQLite judges by its type affinity rules, so "BIGINT" is an integer
// column there and "NUMERIC" is none of the three.
bool typeHolds(DatabaseUrl::Provider provider, const QString& type, ColumnKind kind);

// The kind of a store column, by its name.
ColumnKind storeColumnKind(const QString& column);

// How a message names what a column of `kind` must be.
QString columnKindName(ColumnKind kind);
