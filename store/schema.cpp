#include "schema.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include "tablecolumns.h"

namespace {

// Any number, as long as every Relvane program uses the same one: it serialises schema creation.
constexpr qint64 kSchemaLockKey = 0x52656c76616e65;  // "Relvane"

QString ddlResource(DatabaseUrl::Provider provider) {
    return provider == DatabaseUrl::Provider::PostgreSQL ? QStringLiteral(":/sql/postgresql.sql")
                                                         : QStringLiteral(":/sql/sqlite.sql");
}

bool run(QSqlDatabase& db, const QString& sql, const QString& operation, StoreError* error) {
    QSqlQuery query(db);
    if (query.exec(sql)) return true;
    if (error) *error = StoreError::fromSql(query.lastError(), operation);
    return false;
}

bool createTables(QSqlDatabase& db, DatabaseUrl::Provider provider, StoreError* error) {
    const bool postgres = provider == DatabaseUrl::Provider::PostgreSQL;
    const QString operation = QStringLiteral("Create tables");
    if (!run(db, postgres ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"), operation,
             error))
        return false;
    bool ok = true;
    if (postgres) {
        // Two servers' CREATE TABLE IF NOT EXISTS racing on the same name can both try to create
        // it; the lock makes the second one wait and then find the table.
        ok = run(db, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLockKey),
                 operation, error);
    }
    for (const QString& statement : schemaStatements(provider)) {
        if (!ok) break;
        ok = run(db, statement, operation, error);
    }
    if (ok) ok = run(db, QStringLiteral("COMMIT"), operation, error);
    if (!ok) QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    return ok;
}

// Checks the tables that exist: their columns, in order, with types that hold the values the
// load reads. The names of the tables that do not exist go to *missing.
bool checkColumns(QSqlDatabase& db, DatabaseUrl::Provider provider, QStringList* missing,
                  StoreError* error) {
    missing->clear();
    const auto fail = [error](const QString& description) {
        if (error) *error = {description, QStringLiteral("Check tables")};
        return false;
    };
    for (const StoreTable& table : storeTables()) {
        const std::optional<std::vector<TableColumn>> read =
            tableColumns(db, provider, table.name, error);
        if (!read) return false;
        const std::vector<TableColumn>& found = *read;
        if (found.empty()) {
            *missing << table.name;
            continue;
        }
        const std::optional<bool> plain = isPlainTable(db, provider, table.name);
        if (plain == false)
            return fail(QStringLiteral("%1 is not a table (a view, or a virtual or foreign table); "
                                       "Relvane reads its projects only from tables")
                            .arg(table.name));
        QStringList names;
        for (const TableColumn& column : found) names << column.name;
        bool same = names.size() == table.columns.size();
        for (int i = 0; same && i < names.size(); ++i)
            same = names[i].compare(table.columns[i], Qt::CaseInsensitive) == 0;
        if (!same)
            return fail(
                QStringLiteral("table %1 has the columns (%2); Relvane needs (%3) in this order")
                    .arg(table.name, names.join(QStringLiteral(", ")),
                         table.columns.join(QStringLiteral(", "))));
        // A table made by hand or by another tool may hold the right names with other types;
        // NUMERIC project numbers, for one, would read as fractions.
        for (const TableColumn& column : found) {
            const ColumnKind kind = storeColumnKind(column.name);
            if (!typeHolds(provider, column.type, kind))
                return fail(QStringLiteral("table %1 is not a Relvane table: its column %2 has the "
                                           "type %3; Relvane needs %4")
                                .arg(table.name, column.name,
                                     column.type.isEmpty() ? QStringLiteral("(none)") : column.type,
                                     columnKindName(kind)));
        }
    }
    return true;
}

}  // namespace

const std::vector<StoreTable>& storeTables() {
    static const std::vector<StoreTable> tables = {
        {QStringLiteral("Project"), {QStringLiteral("i"), QStringLiteral("ProjectName")}},
        {QStringLiteral("EntityType"),
         {QStringLiteral("Pi"), QStringLiteral("i"), QStringLiteral("eName"),
          QStringLiteral("color"), QStringLiteral("x"), QStringLiteral("y"),
          QStringLiteral("width"), QStringLiteral("height"), QStringLiteral("type")}},
        {QStringLiteral("Attribute"),
         {QStringLiteral("Pi"), QStringLiteral("i"), QStringLiteral("Ei"), QStringLiteral("aName"),
          QStringLiteral("color"), QStringLiteral("isSingle"), QStringLiteral("isKey"),
          QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("width"),
          QStringLiteral("height")}},
        {QStringLiteral("Invoke"),
         {QStringLiteral("Pi"), QStringLiteral("Ri"), QStringLiteral("Ei"), QStringLiteral("Is2nd"),
          QStringLiteral("min"), QStringLiteral("max"), QStringLiteral("IsWeak"),
          QStringLiteral("Description")}},
        {QStringLiteral("ET_Identify_WET"),
         {QStringLiteral("Pi"), QStringLiteral("Ei"), QStringLiteral("Wi")}},
    };
    return tables;
}

QStringList schemaStatements(DatabaseUrl::Provider provider) {
    QFile file(ddlResource(provider));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString script = QString::fromUtf8(file.readAll());
    // The scripts hold no "--" or ";" inside quotes, so comments and statements split simply.
    script.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList statements;
    for (const QString& part : script.split(QLatin1Char(';'))) {
        const QString statement = part.trimmed();
        if (!statement.isEmpty()) statements << statement;
    }
    return statements;
}

bool ensureSchema(QSqlDatabase& db, DatabaseUrl::Provider provider, StoreError* error) {
    QStringList missing;
    if (!checkColumns(db, provider, &missing, error)) return false;
    if (missing.isEmpty()) return true;
    if (schemaStatements(provider).isEmpty()) {
        if (error)
            *error = {QStringLiteral("the table definitions are missing from the program"),
                      QStringLiteral("Create tables")};
        return false;
    }
    if (!createTables(db, provider, error) || !checkColumns(db, provider, &missing, error))
        return false;
    if (!missing.isEmpty() && error)
        *error = {QStringLiteral("the tables could not be created"),
                  QStringLiteral("Create tables")};
    return missing.isEmpty();
}

std::optional<bool> checkSchema(QSqlDatabase& db, DatabaseUrl::Provider provider,
                                StoreError* error) {
    QStringList missing;
    if (!checkColumns(db, provider, &missing, error)) return std::nullopt;
    if (missing.isEmpty()) return true;
    if (missing.size() == int(storeTables().size())) return false;
    if (error)
        *error = {QStringLiteral("the database has no table %1; a Relvane store has the five "
                                 "tables Project, EntityType, Attribute, Invoke and "
                                 "ET_Identify_WET")
                      .arg(missing.join(QStringLiteral(", "))),
                  QStringLiteral("Check tables")};
    return std::nullopt;
}
