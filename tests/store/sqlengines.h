#pragma once

// SQL scripts run on real engines for the tests: SQLite through Python's sqlite3 module (as a
// student's tool would run the file), PostgreSQL through psql on the test server (RELVANE_TEST_PG)
// and MariaDB, utf8mb4, through its client on the test server RELVANE_TEST_MYSQL
// ("HOST:PORT/DATABASE", user root). What an engine then holds is read back from its catalog.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <set>
#include <vector>

#include "relationalmodel.h"
#include "sqlscript.h"

struct ForeignKeyRead {
    QStringList columns;
    QString table;
    QStringList referenced;
};

// One table as its database holds it.
struct TableRead {
    QStringList columns;  // in table order
    QStringList key;      // in key order
    std::set<QString> notNull;
    std::set<QStringList> unique;
    std::vector<ForeignKeyRead> foreignKeys;  // column pairs as written
};

using Catalog = std::map<QString, TableRead>;

// An empty database of its own on one engine, removed when it goes: an SQLite file, a schema
// on the PostgreSQL server, a database on the MariaDB server.
class ScratchDatabase {
public:
    explicit ScratchDatabase(SqlDialect engine);
    ~ScratchDatabase();
    ScratchDatabase(const ScratchDatabase&) = delete;
    ScratchDatabase& operator=(const ScratchDatabase&) = delete;

    // Empty when the engine's test server is there; else why the test cannot run.
    QString unavailable() const { return unavailable_; }
    // Runs a script, stopping at its first error: the error, or empty.
    QString run(const QString& script) const;
    // Runs each statement on its own, each committed by itself: every statement's error, or
    // empty where it succeeded.
    QStringList runEach(const QStringList& statements) const;
    Catalog catalog() const;

private:
    SqlDialect engine_;
    QString unavailable_;
    QString name_;  // the SQLite file, the schema or the database
    QTemporaryDir dir_;
};

// The catalog as text, one line per table, key, NOT NULL set, UNIQUE and foreign key; keys,
// NOT NULL sets and foreign keys sorted so that the engines' orders do not matter.
QString describe(const Catalog& catalog);

// Every model column is where the model puts it: in the key exactly when it is a key column,
// in a foreign key exactly when it references one, each group one foreign key to the relation it
// references, each column paired with the column it targets. Tables and columns carry the
// model's names (the projects of the tests have names every engine takes as they are).
void expectMatchesModel(const Catalog& catalog, const RelationalModel& model);
