#include "projectextra.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QSqlRecord>

#include "schema.h"
#include "specializationrows.h"
#include "statementrunner.h"
#include "tablecolumns.h"

const QString kExtraTable = QStringLiteral("ProjectExtra");
const QString kSavedTable = QStringLiteral("ProjectSaved");

bool hasTable(QSqlDatabase& db, const QString& name) {
    if (db.record(db.driver()->escapeIdentifier(name, QSqlDriver::TableName)).isEmpty())
        return false;
    // A view of that name is none: its rows could be computed without end.
    const auto provider = db.driverName() == QLatin1String("QPSQL")
                              ? DatabaseUrl::Provider::PostgreSQL
                              : DatabaseUrl::Provider::SQLite;
    return isPlainTable(db, provider, name) == true;
}

bool prepareBesideTable(StatementRunner& run, const QString& table, const QString& create,
                        qint16 pi) {
    // Saves hold the project table's lock here, so two programs never create the table at once.
    if (!hasTable(run.database(), table) &&
        !run.exec(create, QStringLiteral("Create table ") + table))
        return false;
    QSqlQuery remove(run.database());
    const QString operation = QStringLiteral("Delete from ") + table;
    return run.prepare(remove, QStringLiteral("Delete from \"%1\" where \"Pi\" = ?").arg(table),
                       operation) &&
           run.exec(remove, operation, {int(pi)});
}

bool writeProjectExtra(StatementRunner& run, qint16 pi, const QString& savedAt, bool draft,
                       const QString& orders) {
    if (!prepareBesideTable(run, kExtraTable,
                            QStringLiteral("Create table if not exists \"ProjectExtra\" ("
                                           "\"Pi\" integer not null primary key, "
                                           "\"SavedAt\" text not null, "
                                           "\"Draft\" integer not null, "
                                           "\"Orders\" text not null)"),
                            pi))
        return false;
    QSqlQuery insert(run.database());
    const QString operation = QStringLiteral("Insert into ProjectExtra");
    return run.prepare(insert, QStringLiteral("Insert into \"ProjectExtra\" values (?, ?, ?, ?)"),
                       operation) &&
           // A null text would be bound as SQL NULL.
           run.exec(
               insert, operation,
               {int(pi), savedAt, draft ? 1 : 0, orders.isNull() ? QStringLiteral("") : orders});
}

bool deleteProjectRows(StatementRunner& run, int pi) {
    QStringList tables;
    for (const StoreTable& table : storeTables())
        if (table.name != QLatin1String("Project")) tables << table.name;
    for (const QString& beside :
         {kExtraTable, kSavedTable, kSpecializationTable, kSpecializationLinkTable})
        if (hasTable(run.database(), beside)) tables << beside;
    // The project's own row goes last: a table that references it would refuse it before.
    tables << QStringLiteral("Project");
    for (const QString& table : tables) {
        QSqlQuery remove(run.database());
        const QString operation = QStringLiteral("Delete from ") + table;
        const QString column =
            table == QLatin1String("Project") ? QStringLiteral("i") : QStringLiteral("Pi");
        if (!run.prepare(remove,
                         QStringLiteral("Delete from \"%1\" where \"%2\" = ?").arg(table, column),
                         operation) ||
            !run.exec(remove, operation, {pi}))
            return false;
    }
    return true;
}
