#pragma once

#include <QString>

class QSqlDatabase;
class StatementRunner;

// The table "ProjectExtra" beside the five: for each project whether it is a draft and the orders
// of its lists (see listorders.h), which the five tables cannot hold. An earlier version neither
// reads nor needs it and loads every project of the store as before. The first save that writes
// a row creates it.
//
// A row counts only while its "SavedAt" is the project's save time in "ProjectSaved": a project
// saved again by an earlier version, which leaves this table alone, is then read without it.
extern const QString kExtraTable;
extern const QString kSavedTable;  // "ProjectSaved": each project's last save time

// Whether the database has the table `name` (the ones beside the five are made on demand); a
// view of that name is none.
bool hasTable(QSqlDatabase& db, const QString& name);

// Within a save's transaction: creates the table beside the five when it is missing (with the
// statement `create`), then deletes project `pi`'s rows from it. A project deleted by an earlier
// version, which leaves such tables alone, may have left rows under the number `pi` has now.
bool prepareBesideTable(StatementRunner& run, const QString& table, const QString& create,
                        qint16 pi);

// Within a save's transaction: the row of project `pi`, saved at `savedAt`.
bool writeProjectExtra(StatementRunner& run, qint16 pi, const QString& savedAt, bool draft,
                       const QString& orders);

// Within a transaction: deletes every row of project `pi` from the five tables and the ones
// beside them, each table by itself, so that tables made without cascading deletes keep no rows
// of the project either.
bool deleteProjectRows(StatementRunner& run, int pi);
