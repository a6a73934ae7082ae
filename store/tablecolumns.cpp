#include "tablecolumns.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

// SQLite's rules for the affinity of a declared type, in its order of precedence.
ColumnKind sqliteAffinity(const QString& type, bool* known) {
    const QString t = type.toUpper();
    *known = true;
    if (t.contains(QLatin1String("INT"))) return ColumnKind::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) ||
        t.contains(QLatin1String("TEXT")))
        return ColumnKind::Text;
    if (!t.contains(QLatin1String("BLOB")) && !t.isEmpty() &&
        (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
         t.contains(QLatin1String("DOUB"))))
        return ColumnKind::Real;
    *known = false;  // BLOB (or no type) and NUMERIC affinity
    return ColumnKind::Text;
}

ColumnKind postgresKind(const QString& type, bool* known) {
    const QString t = type.toLower();
    *known = true;
    if (t == QLatin1String("smallint") || t == QLatin1String("integer") ||
        t == QLatin1String("bigint"))
        return ColumnKind::Integer;
    if (t == QLatin1String("real") || t == QLatin1String("double precision"))
        return ColumnKind::Real;
    if (t == QLatin1String("text") || t.startsWith(QLatin1String("character")))
        return ColumnKind::Text;
    *known = false;  // numeric, boolean, bytea, …
    return ColumnKind::Text;
}

}  // namespace

std::optional<std::vector<TableColumn>> tableColumns(QSqlDatabase& db,
                                                     DatabaseUrl::Provider provider,
                                                     const QString& table, StoreError* error) {
    const QString quoted = db.driver()->escapeIdentifier(table, QSqlDriver::TableName);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    std::vector<TableColumn> columns;
    if (provider == DatabaseUrl::Provider::SQLite) {
        // The name cannot be bound in a PRAGMA; it is quoted by the driver.
        if (query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted)))
            while (query.next())
                columns.push_back({query.value(1).toString(), query.value(2).toString()});
    } else {
        // The table the queries will use: the first of that name on the search path.
        query.prepare(QStringLiteral(
            "SELECT a.attname, format_type(a.atttypid, a.atttypmod) FROM pg_attribute a "
            "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped "
            "ORDER BY a.attnum"));
        query.bindValue(0, quoted);
        if (query.exec())
            while (query.next())
                columns.push_back({query.value(0).toString(), query.value(1).toString()});
    }
    // A read that fails, at once or part-way, must not pass for a missing table.
    if (query.lastError().isValid()) {
        if (error) *error = StoreError::fromSql(query.lastError(), QStringLiteral("Check tables"));
        return std::nullopt;
    }
    return columns;
}

std::optional<bool> isPlainTable(QSqlDatabase& db, DatabaseUrl::Provider provider,
                                 const QString& table) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (provider == DatabaseUrl::Provider::SQLite) {
        query.prepare(
            QStringLiteral("SELECT type = 'table' AND sql NOT LIKE 'CREATE VIRTUAL%' "
                           "FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
        query.bindValue(0, table);
    } else {
        query.prepare(
            QStringLiteral("SELECT relkind IN ('r', 'p') FROM pg_class "
                           "WHERE oid = to_regclass(?)"));
        query.bindValue(0, db.driver()->escapeIdentifier(table, QSqlDriver::TableName));
    }
    if (!query.exec() || !query.next()) return std::nullopt;
    return query.value(0).toBool();
}

bool typeHolds(DatabaseUrl::Provider provider, const QString& type, ColumnKind kind) {
    bool known = false;
    const ColumnKind held = provider == DatabaseUrl::Provider::SQLite ? sqliteAffinity(type, &known)
                                                                      : postgresKind(type, &known);
    return known && held == kind;
}

ColumnKind storeColumnKind(const QString& column) {
    static const QStringList texts = {QStringLiteral("ProjectName"), QStringLiteral("eName"),
                                      QStringLiteral("aName"),       QStringLiteral("color"),
                                      QStringLiteral("min"),         QStringLiteral("max"),
                                      QStringLiteral("Description")};
    static const QStringList reals = {QStringLiteral("x"), QStringLiteral("y"),
                                      QStringLiteral("width"), QStringLiteral("height")};
    if (texts.contains(column, Qt::CaseInsensitive)) return ColumnKind::Text;
    if (reals.contains(column, Qt::CaseInsensitive)) return ColumnKind::Real;
    return ColumnKind::Integer;
}

QString columnKindName(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Integer:
            return QStringLiteral("an integer column");
        case ColumnKind::Real:
            return QStringLiteral("a floating-point (REAL) column");
        case ColumnKind::Text:
            return QStringLiteral("a text column");
    }
    return QString();
}
