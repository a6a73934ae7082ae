#include "projectcatalog.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <algorithm>

#include "projectextra.h"
#include "specializationrows.h"
#include "statementrunner.h"
#include "storeconnection.h"

namespace {

bool hasSaveTimes(QSqlDatabase& db) {
    return hasTable(db, kSavedTable);
}

// Runs `work` on an open connection to the store; Failed with *error when it cannot be opened.
// Reading never creates tables: a database without them holds no project (NotFound).
template <typename Work>
CatalogChange withConnection(const ProjectStore& store, StoreConnection::Access access,
                             StoreError* error, Work work) {
    // An unreadable URL: check() gives its reason without opening anything.
    StoreError failure = store.isValid() ? StoreError() : store.check();
    CatalogChange result = CatalogChange::Failed;
    if (!failure.isSet()) {
        StoreConnection connection(store.url());
        if (connection.open(&failure, access))
            result = access == StoreConnection::Access::ReadOnly && connection.hasNoTables()
                         ? CatalogChange::NotFound
                         : work(connection.database(), failure);
    }
    if (error) *error = failure;
    return result;
}

// One statement with its values; the failure goes to *error.
bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values, StoreError& error) {
    if (query.prepare(sql)) {
        for (int i = 0; i < values.size(); ++i) query.bindValue(i, values[i]);
        if (query.exec()) return true;
    }
    error = StoreError::fromSql(query.lastError(), sql.section(QLatin1Char(' '), 0, 2));
    return false;
}

}  // namespace

std::optional<std::vector<ProjectSummary>> listProjects(const ProjectStore& store,
                                                        StoreError* error) {
    std::vector<ProjectSummary> projects;
    const CatalogChange result = withConnection(
        store, StoreConnection::Access::ReadOnly, error, [&](QSqlDatabase& db, StoreError& failure) {
        const bool times = hasSaveTimes(db);
        // A draft's mark counts only while it belongs to the project's last save.
        const bool drafts = times && hasTable(db, kExtraTable);
        // Circles count with the elements, as long as they belong to the last save.
        const bool circles = times && hasTable(db, kSpecializationTable);
        QSqlQuery query(db);
        query.setForwardOnly(true);
        const QString sql =
            QStringLiteral(
                "Select p.\"i\", p.\"ProjectName\", "
                "(Select count(*) from \"EntityType\" e where e.\"Pi\" = p.\"i\") + "
                "(Select count(*) from \"Attribute\" a where a.\"Pi\" = p.\"i\")%5, %1, %3 "
                "from \"Project\" p %2 %4 order by p.\"ProjectName\", p.\"i\"")
                .arg(times ? QStringLiteral("s.\"SavedAt\"") : QStringLiteral("''"),
                     times ? QStringLiteral("left join \"ProjectSaved\" s on s.\"Pi\" = p.\"i\"")
                           : QString(),
                     drafts ? QStringLiteral("x.\"Draft\"") : QStringLiteral("0"),
                     drafts ? QStringLiteral("left join \"ProjectExtra\" x on x.\"Pi\" = "
                                             "p.\"i\" and x.\"SavedAt\" = s.\"SavedAt\"")
                            : QString(),
                     circles ? QStringLiteral(" + (Select count(*) from \"Specialization\" c "
                                              "where c.\"Pi\" = p.\"i\" and c.\"SavedAt\" = "
                                              "s.\"SavedAt\")")
                             : QString());
        if (!exec(query, sql, {}, failure)) return CatalogChange::Failed;
        while (query.next()) {
            ProjectSummary project;
            project.number = query.value(0).toInt();
            project.name = query.value(1).toString();
            project.elements = query.value(2).toInt();
            project.savedAt = QDateTime::fromString(query.value(3).toString(), Qt::ISODate);
            project.draft = query.value(4).toInt() == 1;
            projects.push_back(project);
        }
        return CatalogChange::Done;
    });
    if (result == CatalogChange::Failed) return std::nullopt;
    // By name as people read it, whatever collation the database sorts with.
    std::stable_sort(projects.begin(), projects.end(),
                     [](const ProjectSummary& a, const ProjectSummary& b) {
                         return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
                     });
    return projects;
}

CatalogChange deleteProject(const ProjectStore& store, const QString& name, StoreError* error) {
    return withConnection(
        store, StoreConnection::Access::ReadWrite, error,
        [&](QSqlDatabase& db, StoreError& failure) {
            // Every table's rows of the project go by themselves, in one transaction: tables made
            // by hand may not cascade from the project's row.
            StatementRunner run(db, {});
            QSqlQuery numbers(db);
            const QString select = QStringLiteral("Select i from Project where ProjectName");
            bool ok = run.exec(QStringLiteral("BEGIN"), QStringLiteral("Begin transaction")) &&
                      run.prepare(numbers,
                                  QStringLiteral("Select \"i\" from \"Project\" where "
                                                 "\"ProjectName\" = ?"),
                                  select) &&
                      run.exec(numbers, select, {name});
            std::vector<int> found;
            while (ok && numbers.next()) found.push_back(numbers.value(0).toInt());
            numbers.finish();
            for (const int pi : found) ok = ok && deleteProjectRows(run, pi);
            ok = ok && run.exec(QStringLiteral("COMMIT"), QStringLiteral("Commit"));
            if (!ok) {
                failure = run.error();
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                return CatalogChange::Failed;
            }
            return found.empty() ? CatalogChange::NotFound : CatalogChange::Done;
        });
}

CatalogChange renameProject(const ProjectStore& store, const QString& from, const QString& to,
                            StoreError* error) {
    return withConnection(store, StoreConnection::Access::ReadWrite, error,
                          [&](QSqlDatabase& db, StoreError& failure) {
        // The name column is unique: a taken name fails the update and changes nothing; asking
        // first only gives the clearer answer.
        QSqlQuery taken(db);
        if (!exec(taken, QStringLiteral("Select 1 from \"Project\" where \"ProjectName\" = ?"), {to},
                  failure))
            return CatalogChange::Failed;
        if (taken.next() && from != to) return CatalogChange::NameTaken;
        QSqlQuery query(db);
        if (!exec(query,
                  QStringLiteral("Update \"Project\" set \"ProjectName\" = ? where \"ProjectName\" = ?"),
                  {to, from}, failure))
            return CatalogChange::Failed;
        return query.numRowsAffected() > 0 ? CatalogChange::Done : CatalogChange::NotFound;
    });
}

bool recordSaveTime(StatementRunner& run, qint16 pi, const QString& savedAt) {
    // Saves hold the project table's lock here, so two programs never create the table at once.
    if (!hasSaveTimes(run.database()) &&
        !run.exec(QStringLiteral("Create table if not exists \"ProjectSaved\" ("
                                 "\"Pi\" integer not null primary key, "
                                 "\"SavedAt\" text not null)"),
                  QStringLiteral("Create table ProjectSaved")))
        return false;
    QSqlQuery remove(run.database()), insert(run.database());
    return run.prepare(remove, QStringLiteral("Delete from \"ProjectSaved\" where \"Pi\" = ?"),
                       QStringLiteral("Delete from ProjectSaved")) &&
           run.exec(remove, QStringLiteral("Delete from ProjectSaved"), {pi}) &&
           run.prepare(insert, QStringLiteral("Insert into \"ProjectSaved\" values (?, ?)"),
                       QStringLiteral("Insert into ProjectSaved")) &&
           run.exec(insert, QStringLiteral("Insert into ProjectSaved"), {pi, savedAt});
}
