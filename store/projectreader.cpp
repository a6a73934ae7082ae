#include "projectreader.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <limits>

#include "storedvalues.h"

namespace {

constexpr int kLargestProjectNumber = 32767;

// Field-by-position readers. An index, kind or flag that is not a whole number in the 16-bit
// range spoils the row; an unreadable colour, position or size is only that value missing.
class RowValues {
public:
    RowValues(const QSqlQuery& query, ProjectRows& rows) : query_(query), rows_(rows) {}

    int integer(int position) {
        const std::optional<qint64> value = storedInteger(query_.value(position));
        if (!value || *value < std::numeric_limits<qint16>::min() ||
            *value > std::numeric_limits<qint16>::max()) {
            ok_ = false;
            return 0;
        }
        return int(*value);
    }
    std::optional<float> real(int position) {
        return counted(storedCoordinate(query_.value(position)));
    }
    QString text(int position) { return query_.value(position).toString(); }
    std::optional<OleColor> colour(int position) {
        return counted(colourFromText(query_.value(position).toString()));
    }
    // Whether the row can be used; its missing values are then counted as skipped.
    bool keep() {
        if (!ok_) return false;
        rows_.unreadableValues += missing_;
        return true;
    }

private:
    template <typename T>
    std::optional<T> counted(std::optional<T> value) {
        if (!value) ++missing_;
        return value;
    }

    const QSqlQuery& query_;
    ProjectRows& rows_;
    bool ok_ = true;
    int missing_ = 0;
};

// Runs a project's SELECT; a failure is noted and reads as no rows. In PostgreSQL a failed
// statement spoils the rest of its transaction, so each query runs under a savepoint that the
// failure rolls back to, and the next query still runs.
bool select(QSqlQuery& query, bool postgres, const QString& sql, int pi, const QString& operation,
            ProjectRows& rows) {
    query.setForwardOnly(true);
    if (postgres) query.exec(QStringLiteral("SAVEPOINT relvane_step"));
    if (query.prepare(sql)) {
        query.bindValue(0, pi);
        if (query.exec()) return true;
    }
    rows.failedSteps << StoreError::fromSql(query.lastError(), operation).text();
    if (postgres) query.exec(QStringLiteral("ROLLBACK TO SAVEPOINT relvane_step"));
    return false;
}

void readEntityTypes(QSqlDatabase& db, bool postgres, ProjectRows& rows) {
    QSqlQuery query(db);
    if (!select(query, postgres,
                QStringLiteral("Select * from \"EntityType\" where \"Pi\" = ? order by \"i\""),
                rows.projectNumber, QStringLiteral("Select * from EntityType"), rows))
        return;
    while (query.next()) {
        RowValues v(query, rows);
        ProjectRows::ElementRow row;
        row.index = v.integer(1);
        row.caption = v.text(2);
        row.colour = v.colour(3);
        row.left = v.real(4);
        row.top = v.real(5);
        row.width = v.real(6);
        row.height = v.real(7);
        row.kind = v.integer(8);
        if (v.keep())
            rows.entityTypes.push_back(row);
        else
            ++rows.unreadableRows;
    }
}

void readAttributes(QSqlDatabase& db, bool postgres, ProjectRows& rows) {
    QSqlQuery query(db);
    // Within one owner the attributes come in index order, so the owner's AttributeList does
    // not depend on how the database happens to return equal owners.
    if (!select(
            query, postgres,
            QStringLiteral("Select * from \"Attribute\" where \"Pi\" = ? order by \"Ei\", \"i\""),
            rows.projectNumber, QStringLiteral("Select * from Attribute"), rows))
        return;
    while (query.next()) {
        RowValues v(query, rows);
        ProjectRows::ElementRow row;
        row.index = v.integer(1);
        row.owner = v.integer(2);
        row.caption = v.text(3);
        row.colour = v.colour(4);
        row.kind = v.integer(5) == 0 ? 3 : 2;
        row.key = v.integer(6) != 0;
        row.left = v.real(7);
        row.top = v.real(8);
        row.width = v.real(9);
        row.height = v.real(10);
        if (v.keep())
            rows.attributes.push_back(row);
        else
            ++rows.unreadableRows;
    }
}

void readInvokes(QSqlDatabase& db, bool postgres, ProjectRows& rows) {
    QSqlQuery query(db);
    // The order puts the two rows of a recursive pair next to each other, Is2nd 0 first.
    if (!select(query, postgres,
                QStringLiteral("Select * from \"Invoke\" where \"Pi\" = ? "
                               "order by \"Ri\", \"Ei\", \"Is2nd\""),
                rows.projectNumber, QStringLiteral("Select * from Invoke"), rows))
        return;
    while (query.next()) {
        RowValues v(query, rows);
        ProjectRows::InvokeRow row;
        row.relationship = v.integer(1);
        row.entity = v.integer(2);
        row.is2nd = v.integer(3) == 1;
        row.min = v.text(4);
        row.max = v.text(5);
        row.isWeak = v.integer(6) == 1;
        row.description = v.text(7);
        if (v.keep())
            rows.invokes.push_back(row);
        else
            ++rows.unreadableRows;
    }
}

void readOwners(QSqlDatabase& db, bool postgres, ProjectRows& rows) {
    QSqlQuery query(db);
    if (!select(query, postgres,
                QStringLiteral("Select * from \"ET_Identify_WET\" where \"Pi\" = ? "
                               "order by \"Ei\", \"Wi\""),
                rows.projectNumber, QStringLiteral("Select * from ET_Identify_WET"), rows))
        return;
    while (query.next()) {
        RowValues v(query, rows);
        ProjectRows::OwnerRow row;
        row.owner = v.integer(1);
        row.weakEntity = v.integer(2);
        if (v.keep())
            rows.owners.push_back(row);
        else
            ++rows.unreadableRows;
    }
}

}  // namespace

std::optional<ProjectRows> readProject(QSqlDatabase& db, bool postgres, const QString& name,
                                       StoreError* error) {
    // One snapshot for all five queries, so a save running at the same moment is seen either
    // wholly or not at all.
    QSqlQuery(db).exec(
        postgres ? QStringLiteral("BEGIN TRANSACTION ISOLATION LEVEL REPEATABLE READ READ ONLY")
                 : QStringLiteral("BEGIN"));
    std::optional<ProjectRows> result;
    {
        QSqlQuery project(db);
        project.setForwardOnly(true);
        const QString operation = QStringLiteral("Select * from Project where ProjectName");
        bool ok = project.prepare(
            QStringLiteral("Select * from \"Project\" where \"ProjectName\" = ? order by \"i\""));
        if (ok) {
            project.bindValue(0, name.isNull() ? QStringLiteral("") : name);
            ok = project.exec();
        }
        if (!ok) {
            if (error) *error = StoreError::fromSql(project.lastError(), operation);
        } else if (project.next()) {
            // A number out of range (from a table made without Relvane's CHECK) must not be
            // wrapped or rounded into another project's number: the project cannot be loaded.
            const QVariant stored = project.value(0);
            const std::optional<qint64> number = storedInteger(stored);
            project.finish();
            if (!number || *number < 1 || *number > kLargestProjectNumber) {
                if (error)
                    *error = {QStringLiteral("project %1 has the number %2, which is not a "
                                             "project number (1 to %3)")
                                  .arg(name, stored.toString())
                                  .arg(kLargestProjectNumber),
                              operation};
            } else {
                ProjectRows rows;
                rows.projectNumber = int(*number);
                readEntityTypes(db, postgres, rows);
                readAttributes(db, postgres, rows);
                readInvokes(db, postgres, rows);
                readOwners(db, postgres, rows);
                result = std::move(rows);
            }
        }
    }
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
    return result;
}

std::optional<bool> projectExists(QSqlDatabase& db, const QString& name, StoreError* error) {
    QSqlQuery project(db);
    project.setForwardOnly(true);
    const bool ok =
        project.prepare(QStringLiteral("Select 1 from \"Project\" where \"ProjectName\" = ?"));
    if (ok) project.bindValue(0, name.isNull() ? QStringLiteral("") : name);
    if (!ok || !project.exec()) {
        if (error)
            *error = StoreError::fromSql(project.lastError(),
                                         QStringLiteral("Select 1 from Project where ProjectName"));
        return std::nullopt;
    }
    return project.next();
}
