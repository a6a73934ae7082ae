#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "convert.h"
#include "diagram.h"
#include "relationalmodel.h"

// The database systems a script can be written for.
enum class SqlDialect { SQLite, PostgreSQL, MySQL };

// "sqlite", "postgresql", "mysql" (any case); nothing for another name.
std::optional<SqlDialect> sqlDialectFromName(const QString& name);

// The relational model as an SQL script: one CREATE TABLE per relation in the workbook's order,
// primary keys, foreign keys to the keys they reference, NOT NULL for keys and for foreign keys
// of a total participation, UNIQUE for the foreign key of a one-to-one relationship. Every
// table and foreign key is preceded by a comment explaining the rule that made it. Names are
// quoted, shortened to what the dialect allows and made distinct. What cannot be written as a
// working statement is written as a comment, and `warnings` (when given) says so.
QString sqlScript(const RelationalModel& model, const Diagram& diagram, SqlDialect dialect,
                  QStringList* warnings);

// Why no script of the model would run on the dialect's engine (a table with more columns than
// it allows); nullopt when one can be written.
std::optional<QString> sqlScriptRefusal(const RelationalModel& model, SqlDialect dialect);
