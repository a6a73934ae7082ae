#include "projectreader.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <limits>

#include "classlinks.h"
#include "projectextra.h"
#include "schema.h"
#include "specializationrows.h"
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
    std::optional<SubclassMapping> mapping(int position) {
        SubclassMapping mapping{};
        const bool read = parseSubclassMapping(text(position), &mapping);
        return counted(read ? std::optional(mapping) : std::nullopt);
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

// Which projects a read takes: the rows of the tables whose "Pi" is one of `numbers`, each
// project's rows going to its own ProjectRows. A failed query is noted for every one of them.
class ProjectSink {
public:
    // `every`: the projects are all the store holds, so no condition is needed (nor a
    // placeholder per project, of which SQLite allows fewer than the store's 32,767 projects).
    ProjectSink(std::vector<ProjectRows*> projects, bool every)
        : projects_(std::move(projects)), every_(every) {
        for (ProjectRows* rows : projects_) byNumber_.insert(rows->projectNumber, rows);
    }

    // The project of a row's "Pi"; null for a row of a project not asked for.
    ProjectRows* at(int pi) const { return byNumber_.value(pi); }

    // The condition on "Pi" and its values: one placeholder per project.
    QString condition() const {
        if (every_) return QStringLiteral("1 = 1");
        QStringList marks;
        for (size_t n = 0; n < projects_.size(); ++n) marks << QStringLiteral("?");
        return projects_.size() == 1 ? QStringLiteral("\"Pi\" = ?")
                                     : QStringLiteral("\"Pi\" in (%1)").arg(marks.join(','));
    }
    void bind(QSqlQuery& query) const {
        if (every_) return;
        for (size_t n = 0; n < projects_.size(); ++n)
            query.bindValue(int(n), projects_[n]->projectNumber);
    }
    // A read that fails, at its start or part-way through its rows, fails the whole read: a
    // diagram with rows missing would pass for the project, and a save would replace it.
    void failed(const QSqlQuery& query, const QString& table) const {
        if (!failure_)
            failure_ =
                StoreError::fromSql(query.lastError(), QStringLiteral("Select from ") + table);
    }
    const std::optional<StoreError>& failure() const { return failure_; }

private:
    std::vector<ProjectRows*> projects_;
    bool every_ = false;
    QHash<int, ProjectRows*> byNumber_;
    mutable std::optional<StoreError> failure_;
};

// The table's store columns by name: a table may hold more (hidden generated columns among
// them, which "*" would compute for every row), and they are read by position.
QString selectColumns(const QString& table) {
    QStringList columns;
    for (const StoreTable& stored : storeTables())
        if (stored.name == table)
            for (const QString& column : stored.columns)
                columns << QLatin1Char('"') + column + QLatin1Char('"');
    return QStringLiteral("Select %1 from \"%2\"").arg(columns.join(QStringLiteral(", ")), table);
}

// Runs a SELECT on the projects of `sink`, ordered by project first; a failure is noted and reads
// as no rows. In PostgreSQL a failed statement spoils the rest of its transaction, so each query
// runs under a savepoint that the failure rolls back to, and the next query still runs.
// `source` replaces the plain table when the rows need more than its columns.
bool select(QSqlQuery& query, bool postgres, const QString& table, const QString& order,
            const ProjectSink& sink, const QString& source = QString()) {
    query.setForwardOnly(true);
    if (postgres) query.exec(QStringLiteral("SAVEPOINT relvane_step"));
    const QString from = source.isEmpty() ? selectColumns(table) : source;
    const QString sql =
        QStringLiteral("%1 where %2 order by \"Pi\", %3").arg(from, sink.condition(), order);
    if (query.prepare(sql)) {
        sink.bind(query);
        if (query.exec()) return true;
    }
    sink.failed(query, table);
    if (postgres) query.exec(QStringLiteral("ROLLBACK TO SAVEPOINT relvane_step"));
    return false;
}

// After the last row: a read that stopped on an error (a damaged page, a lost connection).
void checkEnd(const QSqlQuery& query, const QString& table, const ProjectSink& sink) {
    if (query.lastError().isValid()) sink.failed(query, table);
}

// A row's project from its first column, "Pi", read strictly: a number out of range must not
// wrap into another project's.
ProjectRows* rowsOf(const QSqlQuery& query, const ProjectSink& sink) {
    const std::optional<qint64> pi = storedInteger(query.value(0));
    return pi && *pi >= 1 && *pi <= kLargestProjectNumber ? sink.at(int(*pi)) : nullptr;
}

// The columns "i" to "type" of an "EntityType" row, which a "Specialization" row starts with too.
ProjectRows::ElementRow entityTypeColumns(RowValues& v) {
    ProjectRows::ElementRow row;
    row.index = v.integer(1);
    row.caption = v.text(2);
    row.colour = v.colour(3);
    row.left = v.real(4);
    row.top = v.real(5);
    row.width = v.real(6);
    row.height = v.real(7);
    row.kind = v.integer(8);
    return row;
}

void readEntityTypes(QSqlDatabase& db, bool postgres, const ProjectSink& sink) {
    QSqlQuery query(db);
    if (!select(query, postgres, QStringLiteral("EntityType"), QStringLiteral("\"i\""), sink))
        return;
    while (query.next()) {
        ProjectRows* rows = rowsOf(query, sink);
        if (!rows) continue;
        RowValues v(query, *rows);
        const ProjectRows::ElementRow row = entityTypeColumns(v);
        if (v.keep())
            rows->entityTypes.push_back(row);
        else
            ++rows->unreadableRows;
    }
    checkEnd(query, QStringLiteral("EntityType"), sink);
}

void readAttributes(QSqlDatabase& db, bool postgres, const ProjectSink& sink) {
    QSqlQuery query(db);
    // Within one owner the attributes come in index order, so the owner's AttributeList does
    // not depend on how the database happens to return equal owners.
    if (!select(query, postgres, QStringLiteral("Attribute"), QStringLiteral("\"Ei\", \"i\""),
                sink))
        return;
    while (query.next()) {
        ProjectRows* rows = rowsOf(query, sink);
        if (!rows) continue;
        RowValues v(query, *rows);
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
            rows->attributes.push_back(row);
        else
            ++rows->unreadableRows;
    }
    checkEnd(query, QStringLiteral("Attribute"), sink);
}

void readInvokes(QSqlDatabase& db, bool postgres, const ProjectSink& sink) {
    QSqlQuery query(db);
    // The order puts the two rows of a recursive pair next to each other, Is2nd 0 first.
    if (!select(query, postgres, QStringLiteral("Invoke"),
                QStringLiteral("\"Ri\", \"Ei\", \"Is2nd\""), sink))
        return;
    while (query.next()) {
        ProjectRows* rows = rowsOf(query, sink);
        if (!rows) continue;
        RowValues v(query, *rows);
        ProjectRows::InvokeRow row;
        row.relationship = v.integer(1);
        row.entity = v.integer(2);
        row.is2nd = v.integer(3) == 1;
        row.min = v.text(4);
        row.max = v.text(5);
        row.isWeak = v.integer(6) == 1;
        row.description = v.text(7);
        if (v.keep())
            rows->invokes.push_back(row);
        else
            ++rows->unreadableRows;
    }
    checkEnd(query, QStringLiteral("Invoke"), sink);
}

void readOwners(QSqlDatabase& db, bool postgres, const ProjectSink& sink) {
    QSqlQuery query(db);
    if (!select(query, postgres, QStringLiteral("ET_Identify_WET"),
                QStringLiteral("\"Ei\", \"Wi\""), sink))
        return;
    while (query.next()) {
        ProjectRows* rows = rowsOf(query, sink);
        if (!rows) continue;
        RowValues v(query, *rows);
        ProjectRows::OwnerRow row;
        row.owner = v.integer(1);
        row.weakEntity = v.integer(2);
        if (v.keep())
            rows->owners.push_back(row);
        else
            ++rows->unreadableRows;
    }
    checkEnd(query, QStringLiteral("ET_Identify_WET"), sink);
}

// The rows of a table beside the five that belong to each project's last save, in the columns
// given (with "Pi" first).
QString ofLastSave(const QString& table, const QStringList& columns) {
    QStringList named;
    for (const QString& column : columns) named << QStringLiteral("t.\"%1\"").arg(column);
    return QStringLiteral(
               "Select * from (Select %1 from \"%2\" t join \"ProjectSaved\" s on "
               "s.\"Pi\" = t.\"Pi\" and s.\"SavedAt\" = t.\"SavedAt\") saved")
        .arg(named.join(QStringLiteral(", ")), table);
}

// The draft mark and list orders of the projects whose extra row belongs to their last save.
void readExtras(QSqlDatabase& db, bool postgres, const ProjectSink& sink) {
    if (!hasTable(db, kExtraTable) || !hasTable(db, kSavedTable)) return;
    QSqlQuery query(db);
    const QString source = ofLastSave(kExtraTable, {"Pi", "Draft", "Orders"});
    if (!select(query, postgres, kExtraTable, QStringLiteral("\"Draft\""), sink, source)) return;
    while (query.next()) {
        ProjectRows* rows = rowsOf(query, sink);
        if (!rows) continue;
        rows->draft = query.value(1).toInt() == 1;
        rows->orders = query.value(2).toString();
    }
    checkEnd(query, kExtraTable, sink);
}

void readCircles(QSqlDatabase& db, bool postgres, const ProjectSink& sink) {
    if (!hasTable(db, kSpecializationTable) || !hasTable(db, kSavedTable)) return;
    QSqlQuery query(db);
    const QString source =
        ofLastSave(kSpecializationTable, {"Pi", "i", "eName", "color", "x", "y", "width", "height",
                                          "type", "overlapping", "total", "mapping", "Ai"});
    if (!select(query, postgres, kSpecializationTable, QStringLiteral("\"i\""), sink, source))
        return;
    while (query.next()) {
        ProjectRows* rows = rowsOf(query, sink);
        if (!rows) continue;
        RowValues v(query, *rows);
        ProjectRows::CircleRow row;
        row.element = entityTypeColumns(v);
        row.overlapping = v.integer(9) != 0;
        row.total = v.integer(10) != 0;
        // An unreadable mapping is that value missing: the circle keeps the default, 8A.
        row.mapping = v.mapping(11).value_or(row.mapping);
        row.definingAttribute = v.integer(12);
        if (v.keep())
            rows->circles.push_back(row);
        else
            ++rows->unreadableRows;
    }
    checkEnd(query, kSpecializationTable, sink);
}

void readClassLinks(QSqlDatabase& db, bool postgres, const ProjectSink& sink) {
    if (!hasTable(db, kSpecializationLinkTable) || !hasTable(db, kSavedTable)) return;
    QSqlQuery query(db);
    const QString source =
        ofLastSave(kSpecializationLinkTable, {"Pi", "n", "Ci", "Ei", "IsSuperclass"});
    if (!select(query, postgres, kSpecializationLinkTable, QStringLiteral("\"n\""), sink, source))
        return;
    while (query.next()) {
        ProjectRows* rows = rowsOf(query, sink);
        if (!rows) continue;
        RowValues v(query, *rows);
        ProjectRows::ClassLinkRow row;
        row.circle = v.integer(2);
        row.entity = v.integer(3);
        row.superclass = v.integer(4) == 1;
        if (v.keep())
            rows->classLinks.push_back(row);
        else
            ++rows->unreadableRows;
    }
    checkEnd(query, kSpecializationLinkTable, sink);
}

// Reads the other four tables, and the table beside them, for the projects of `sink`, one query
// each; false with *error set when one of them fails.
bool readTables(QSqlDatabase& db, bool postgres, const ProjectSink& sink, StoreError* error) {
    readEntityTypes(db, postgres, sink);
    readAttributes(db, postgres, sink);
    readInvokes(db, postgres, sink);
    readOwners(db, postgres, sink);
    readCircles(db, postgres, sink);
    readClassLinks(db, postgres, sink);
    readExtras(db, postgres, sink);
    if (!sink.failure()) return true;
    if (error) *error = *sink.failure();
    return false;
}

// One snapshot for all queries of a read, so a save running at the same moment is seen either
// wholly or not at all.
void beginSnapshot(QSqlDatabase& db, bool postgres) {
    QSqlQuery(db).exec(
        postgres ? QStringLiteral("BEGIN TRANSACTION ISOLATION LEVEL REPEATABLE READ READ ONLY")
                 : QStringLiteral("BEGIN"));
}

}  // namespace

std::optional<ProjectRows> readProject(QSqlDatabase& db, bool postgres, const QString& name,
                                       StoreError* error) {
    beginSnapshot(db, postgres);
    std::optional<ProjectRows> result;
    {
        QSqlQuery project(db);
        project.setForwardOnly(true);
        const QString operation = QStringLiteral("Select * from Project where ProjectName");
        bool ok = project.prepare(selectColumns(QStringLiteral("Project")) +
                                  QStringLiteral(" where \"ProjectName\" = ? order by \"i\""));
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
                if (readTables(db, postgres, ProjectSink({&rows}, false), error))
                    result = std::move(rows);
            }
        }
    }
    QSqlQuery(db).exec(QStringLiteral("COMMIT"));
    return result;
}

std::optional<std::vector<NamedProjectRows>> readProjects(QSqlDatabase& db, bool postgres,
                                                          const std::optional<QStringList>& names,
                                                          StoreError* error) {
    beginSnapshot(db, postgres);
    std::optional<std::vector<NamedProjectRows>> result;
    {
        QSqlQuery project(db);
        project.setForwardOnly(true);
        if (!project.exec(selectColumns(QStringLiteral("Project")) +
                          QStringLiteral(" order by \"i\""))) {
            if (error)
                *error = StoreError::fromSql(project.lastError(),
                                             QStringLiteral("Select * from Project"));
        } else {
            std::vector<NamedProjectRows> projects;
            while (project.next()) {
                const QString name = project.value(1).toString();
                if (names && !names->contains(name)) continue;
                // A project whose number is out of range cannot be read (see readProject).
                const std::optional<qint64> number = storedInteger(project.value(0));
                if (!number || *number < 1 || *number > kLargestProjectNumber) continue;
                NamedProjectRows named;
                named.name = name;
                named.rows.projectNumber = int(*number);
                projects.push_back(std::move(named));
            }
            project.finish();
            if (!projects.empty()) {
                std::vector<ProjectRows*> targets;
                for (NamedProjectRows& named : projects) targets.push_back(&named.rows);
                if (readTables(db, postgres, ProjectSink(std::move(targets), !names), error))
                    result = std::move(projects);
            } else {
                result = std::move(projects);
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
