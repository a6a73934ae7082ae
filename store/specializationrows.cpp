#include "specializationrows.h"

#include <QSqlQuery>

#include "classlinks.h"
#include "projectextra.h"
#include "statementrunner.h"
#include "storedvalues.h"

const QString kSpecializationTable = QStringLiteral("Specialization");
const QString kSpecializationLinkTable = QStringLiteral("SpecializationLink");

namespace {

// The same columns as sql/postgresql-users.sql gives them, for a server whose users may not
// create tables.
const QString kCreateSpecialization = QStringLiteral(
    "Create table if not exists \"Specialization\" ("
    "\"Pi\" integer not null, \"i\" integer not null, \"eName\" text not null, "
    "\"color\" text not null, \"x\" real not null, \"y\" real not null, "
    "\"width\" real not null, \"height\" real not null, \"type\" integer not null, "
    "\"overlapping\" integer not null, \"total\" integer not null, \"mapping\" text not null, "
    "\"Ai\" integer not null, \"SavedAt\" text not null, primary key (\"Pi\", \"i\"))");
const QString kCreateSpecializationLink = QStringLiteral(
    "Create table if not exists \"SpecializationLink\" ("
    "\"Pi\" integer not null, \"n\" integer not null, \"Ci\" integer not null, "
    "\"Ei\" integer not null, \"IsSuperclass\" integer not null, \"SavedAt\" text not null, "
    "primary key (\"Pi\", \"n\"))");

// Texts bound as values must not be null QStrings: QtSql binds those as SQL NULL.
QString text(const QString& value) {
    return value.isNull() ? QStringLiteral("") : value;
}

}  // namespace

bool writeSpecializations(StatementRunner& run, const Document& d, qint16 pi,
                          const QString& savedAt) {
    std::vector<int> circles;
    for (int n = 1; n < d.elementCount(); ++n)
        if (d.isLiveElement(n) && d.element(n).isSpecializationKind()) circles.push_back(n);
    if (circles.empty()) return true;
    if (!prepareBesideTable(run, kSpecializationTable, kCreateSpecialization, pi) ||
        !prepareBesideTable(run, kSpecializationLinkTable, kCreateSpecializationLink, pi))
        return false;

    QSqlQuery circle(run.database());
    const QString insertCircle = QStringLiteral("Insert into Specialization");
    if (!run.prepare(circle,
                     QStringLiteral("Insert into \"Specialization\" values "
                                    "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     insertCircle))
        return false;
    for (const int n : circles) {
        const Element& e = d.element(n);
        // An attribute deleted since it was chosen defines nothing any more.
        const int defining = d.isLiveElement(e.DefiningAttribute) ? e.DefiningAttribute : 0;
        if (!run.exec(circle, insertCircle,
                      {int(pi), n, text(e.Caption), colourText(e.BackColor), storedReal(e.Left),
                       storedReal(e.Top), storedReal(e.Width), storedReal(e.Height), int(e.Shape),
                       e.Overlapping ? 1 : 0, e.Total ? 1 : 0, subclassMappingName(e.Mapping),
                       defining, savedAt}))
            return false;
    }

    QSqlQuery link(run.database());
    const QString insertLink = QStringLiteral("Insert into SpecializationLink");
    if (!run.prepare(link,
                     QStringLiteral("Insert into \"SpecializationLink\" values (?, ?, ?, ?, ?, ?)"),
                     insertLink))
        return false;
    int place = 0;
    for (int k = 1; k < d.connectorCount(); ++k) {
        const Connector& c = d.connector(k);
        if (!d.isLiveConnector(k) || !c.isClassLink() || !d.isLiveElement(c.first) ||
            !d.isLiveElement(c.second))
            continue;
        if (!run.exec(link, insertLink,
                      {int(pi), ++place, int(c.second), int(c.first),
                       c.kind == ConnectorKind::Superclass ? 1 : 0, savedAt}))
            return false;
    }
    return true;
}
