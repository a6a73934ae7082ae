#include "projectwriter.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

#include "listorders.h"
#include "module1.h"
#include "projectcatalog.h"
#include "projectextra.h"
#include "specializationrows.h"
#include "storedvalues.h"

namespace {

const QString kSelectProject = QStringLiteral("Select * from Project where ProjectName");
const QString kSelectLastNumber = QStringLiteral("Select i from Project order by i desc");
const QString kInsertProject = QStringLiteral("Insert into Project");
const QString kInsertEntityType = QStringLiteral("Insert into EntityType");
const QString kInsertAttribute = QStringLiteral("Insert into Attribute");
const QString kInsertInvoke = QStringLiteral("Insert into Invoke");
const QString kInsertOwner = QStringLiteral("Insert into ET_Identify_WET");

// Texts bound as values must not be null QStrings: QtSql binds those as SQL NULL.
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

class RowWriter {
public:
    RowWriter(StatementRunner& runner, const Diagram& d, qint16 pi, bool draft)
        : run_(runner), d_(d), pi_(pi), draft_(draft) {}

    bool writeAll() { return prepareAll() && writeElements() && writeConnectors(); }

private:
    bool prepareAll() {
        return run_.prepare(entity_,
                            QStringLiteral("Insert into \"EntityType\" (\"Pi\", \"i\", \"eName\", "
                                           "\"color\", \"x\", \"y\", \"width\", \"height\", "
                                           "\"type\") values (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                            kInsertEntityType) &&
               run_.prepare(attribute_,
                            QStringLiteral("Insert into \"Attribute\" (\"Pi\", \"i\", \"Ei\", "
                                           "\"aName\", \"color\", \"isSingle\", \"isKey\", \"x\", "
                                           "\"y\", \"width\", \"height\") values "
                                           "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                            kInsertAttribute) &&
               run_.prepare(invoke_,
                            QStringLiteral("Insert into \"Invoke\" (\"Pi\", \"Ri\", \"Ei\", "
                                           "\"Is2nd\", \"min\", \"max\", \"IsWeak\", "
                                           "\"Description\") values (?, ?, ?, ?, ?, ?, ?, ?)"),
                            kInsertInvoke) &&
               run_.prepare(owner_,
                            QStringLiteral("Insert into \"ET_Identify_WET\" (\"Pi\", \"Ei\", "
                                           "\"Wi\") values (?, ?, ?)"),
                            kInsertOwner);
    }

    bool writeElements() {
        for (int n = 1; n < d_.elementCount(); ++n) {
            const Element& e = d_.element(n);
            if (!e.Visible) continue;
            const QVariant colour = colourText(e.BackColor);
            if (e.isEntityKind() || e.isRelationshipKind()) {
                if (!run_.exec(entity_, kInsertEntityType,
                               {int(pi_), n, text(e.Caption), colour, storedReal(e.Left),
                                storedReal(e.Top), storedReal(e.Width), storedReal(e.Height),
                                int(e.Shape)}))
                    return false;
            } else if (e.isAttributeKind()) {
                // A draft keeps an attribute not yet attached under owner 0, no element index.
                const auto owner = draft_ ? e.RelativeEntityList.item(1).value_or(0)
                                          : e.RelativeEntityList.item(1);
                if (!owner) {
                    run_.fail(
                        {QStringLiteral("attribute %1 (\"%2\") has no owner").arg(n).arg(e.Caption),
                         kInsertAttribute});
                    return false;
                }
                if (!run_.exec(
                        attribute_, kInsertAttribute,
                        {int(pi_), n, int(*owner), text(e.Caption), colour,
                         e.is(KindAttribute) ? 1 : 0, e.underlined() ? 1 : 0, storedReal(e.Left),
                         storedReal(e.Top), storedReal(e.Width), storedReal(e.Height)}))
                    return false;
            } else if (e.isSpecializationKind()) {
                continue;  // in a table of their own (specializationrows.h)
            } else {
                run_.fail({QStringLiteral("element %1 (\"%2\") has the unknown kind %3")
                               .arg(n)
                               .arg(e.Caption)
                               .arg(double(e.Shape)),
                           kInsertEntityType});
                return false;
            }
        }
        return true;
    }

    bool writeConnectors() {
        const bool enhanced = d_.settings.PresentStyle != 0;
        // Recursive pairs are told apart by their shared ends: of the live dotted connectors
        // with the same ends, the first in index order is the pair's first, the next its second,
        // and so on.
        QHash<std::pair<int, int>, int> dottedSeen;
        for (int k = 1; k < d_.connectorCount(); ++k) {
            if (!d_.isLiveConnector(k) || !d_.isRelationshipConnector(k)) continue;
            const Connector& c = d_.connector(k);
            const int ei = c.first, ri = c.second;
            const QString label = c.MN.Caption;
            int is2nd = 0;
            int isWeak = 0;
            if (c.Line1.dotted()) is2nd = dottedSeen[{ei, ri}]++ % 2;
            QString minText, maxText;
            if (enhanced) {
                minText = MinPart(label);
                maxText = MaxPart(label);
                if (!c.Line1.dotted()) isWeak = c.Line2.Visible ? 1 : 0;
            } else {
                minText = c.Line2.Visible ? QStringLiteral("1") : QStringLiteral("0");
                maxText = label;
                if (!c.Line1.dotted())
                    isWeak = d_.isElement(ri) && d_.element(ri).is(KindWeakRelationship) ? 1 : 0;
            }
            if (!run_.exec(invoke_, kInsertInvoke,
                           {int(pi_), ri, ei, is2nd, text(minText), text(maxText), isWeak,
                            text(c.Description.Caption)}))
                return false;
            if (enhanced && c.Line2.Visible && !writeOwners(c)) return false;
        }
        return true;
    }

    // The owners of the weak entity at the doubled connector's first end, each pair once even
    // when the weak entity has more than one doubled connector.
    bool writeOwners(const Connector& c) {
        const int w = c.first;
        if (!d_.isElement(w)) return true;
        for (const qint16 owner : d_.element(w).PrimaryEntityList.items()) {
            if (ownersWritten_.contains({owner, w})) continue;
            ownersWritten_.insert({owner, w});
            if (!run_.exec(owner_, kInsertOwner, {int(pi_), int(owner), w})) return false;
        }
        return true;
    }

    StatementRunner& run_;
    const Diagram& d_;
    const qint16 pi_;
    const bool draft_;
    QSqlQuery entity_, attribute_, invoke_, owner_;
    QSet<std::pair<int, int>> ownersWritten_;
};

// The project number for `name`: its own when it exists (its old rows are deleted), else one more
// than the largest in use. 0 when none can be had.
qint16 claimProjectNumber(StatementRunner& run, const QString& name) {
    QSqlQuery query;
    if (!run.prepare(
            query,
            QStringLiteral("Select * from \"Project\" where \"ProjectName\" = ? order by \"i\""),
            kSelectProject) ||
        !run.exec(query, kSelectProject, {text(name)}))
        return 0;
    if (query.next()) {
        // Deleting by a number that was wrapped or rounded would delete another project.
        const QVariant stored = query.value(0);
        const std::optional<qint64> number = storedInteger(stored);
        query.finish();
        if (!number || *number < 1 || *number > Diagram::kLargestIndex) {
            run.fail({QStringLiteral("project %1 has the number %2, which is not a project "
                                     "number (1 to 32767)")
                          .arg(name, stored.toString()),
                      kSelectProject});
            return 0;
        }
        const int pi = int(*number);
        if (!deleteProjectRows(run, pi)) return 0;
        return qint16(pi);
    }
    query.finish();
    QSqlQuery last;
    // Numbers outside the range (in a table made without Relvane's CHECK) are no project
    // numbers and are passed over.
    if (!run.prepare(last,
                     QStringLiteral("Select max(\"i\") from \"Project\" "
                                    "where \"i\" between 1 and 32767"),
                     kSelectLastNumber) ||
        !run.exec(last, kSelectLastNumber, {}))
        return 0;
    const int largest = last.next() ? int(storedInteger(last.value(0)).value_or(0)) : 0;
    if (largest >= Diagram::kLargestIndex) {
        run.fail({QStringLiteral("every project number up to 32767 is in use"), kSelectLastNumber});
        return 0;
    }
    return qint16(largest + 1);
}

bool insertProject(StatementRunner& run, qint16 pi, const QString& name) {
    QSqlQuery insert;
    return run.prepare(
               insert,
               QStringLiteral("Insert into \"Project\" (\"i\", \"ProjectName\") values (?, ?)"),
               kInsertProject) &&
           run.exec(insert, kInsertProject, {int(pi), text(name)});
}

}  // namespace

qint16 writeProject(StatementRunner& run, bool postgres, const Diagram& diagram,
                    const QString& name, bool draft) {
    // Saves are serialised: the lock is taken before the project number is chosen, so two
    // programs saving new projects at once cannot pick the same number, and neither save fails.
    const bool begun =
        postgres ? run.exec(QStringLiteral("BEGIN"), QStringLiteral("Begin transaction")) &&
                       run.exec(QStringLiteral("LOCK TABLE \"Project\" IN EXCLUSIVE MODE"),
                                QStringLiteral("Lock table Project"))
                 : run.exec(QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("Begin transaction"));
    qint16 pi = 0;
    bool ok = false;
    if (begun) {
        pi = claimProjectNumber(run, name);
        const QString savedAt = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
        ok = pi > 0 && insertProject(run, pi, name) &&
             RowWriter(run, diagram, pi, draft).writeAll() && recordSaveTime(run, pi, savedAt) &&
             writeSpecializations(run, diagram.document(), pi, savedAt) &&
             writeProjectExtra(run, pi, savedAt, draft, encodeListOrders(diagram.document()));
        ok = ok && run.exec(QStringLiteral("COMMIT"), QStringLiteral("Commit"));
    }
    if (!ok) {
        // A transaction left open (or half-begun) is abandoned; on a lost connection the server
        // has already rolled it back and this fails quietly.
        if (run.database().isOpen()) QSqlQuery(run.database()).exec(QStringLiteral("ROLLBACK"));
        return 0;
    }
    return pi;
}
