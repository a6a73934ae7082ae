#include "invariants.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace {

using Link = std::pair<int, int>;

class InvariantChecker {
public:
    // `abandoned`: connectors of connections given up after their first link (Cancel, or
    // "WeakEnitty" in the middle of one). Such a connector stays on the canvas with no relation
    // behind it, by design; it may still never end on a hidden element.
    InvariantChecker(const Diagram& d, const std::set<int>& abandoned)
        : d_(d), abandoned_(abandoned) {}

    QString check() {
        collectConnectors();
        collectIdentified();
        for (int i = 1; i < d_.elementCount() && problem_.isEmpty(); ++i)
            if (d_.isLiveElement(i)) checkElement(i);
        if (problem_.isEmpty()) checkConnectorsHaveRelations();
        return problem_;
    }

private:
    void fail(const QString& text) {
        if (problem_.isEmpty()) problem_ = text;
    }

    const Element& el(int i) const { return d_.element(i); }

    void collectConnectors() {
        // Every (element, connector) pair of the index, gathered once: an entity with thousands of
        // attributes has thousands of connectors, each to be found in its list.
        std::set<std::pair<int, int>> indexed;
        for (int i = 1; i < d_.elementCount(); ++i)
            for (int k : d_.connectorsOf(i)) indexed.insert({i, k});
        for (int k = 1; k < d_.connectorCount(); ++k) {
            if (!d_.isLiveConnector(k)) continue;
            const Connector& c = d_.connector(k);
            const int a = c.first, b = c.second;
            if (!d_.isLiveElement(a) || !d_.isLiveElement(b))
                return fail(QString("live connector %1 joining %2,%3 ends on a hidden element")
                                .arg(k)
                                .arg(a)
                                .arg(b));
            if (!indexed.count({a, k}))
                return fail(QString("connector %1 is not indexed under element %2").arg(k).arg(a));
            if (c.isAttribute())
                attributeLinks_[{a, b}].push_back(k);
            else if (c.isRelationship())
                relationshipLinks_[{a, b}].push_back(k);
            else if (c.isClassLink())
                checkClassLink(k);
            else
                fail(QString("connector %1 has no kind").arg(k));
        }
    }

    // A superclass or subclass line joins an entity to a circle; a specialization has one
    // superclass and a category one subclass.
    void checkClassLink(int k) {
        const Connector& c = d_.connector(k);
        if (!el(c.first).isEntityKind() || !el(c.second).isSpecializationKind())
            return fail(QString("class link %1 does not join an entity to a circle").arg(k));
        const ConnectorKind single =
            el(c.second).is(KindCategory) ? ConnectorKind::Subclass : ConnectorKind::Superclass;
        if (c.kind == single && !singleClass_.insert(c.second).second)
            fail(QString("circle %1 has more than one %2")
                     .arg(c.second)
                     .arg(c.kind == ConnectorKind::Subclass ? "subclass" : "superclass"));
    }

    void checkKeysUnique(int i) {
        const Element& e = el(i);
        for (const auto* list : {&e.AttributeList, &e.RelationList, &e.RelativeEntityList,
                                 &e.PrimaryEntityList, &e.WeakRelationList, &e.WeakEntityList}) {
            std::set<QString> keys;
            for (const Collection::Entry& entry : list->entries())
                if (!entry.key.isEmpty() && !keys.insert(entry.key).second)
                    fail(QString("element %1 files key %2 twice").arg(i).arg(entry.key));
        }
    }

    void checkElement(int i) {
        checkKeysUnique(i);
        const Element& e = el(i);
        // Invariant 1, from the owner's side and from the attribute's.
        for (qint16 a : e.AttributeList.items()) {
            if (!d_.isLiveElement(a) || !el(a).isAttributeKind())
                fail(QString("element %1 owns %2, which is no live attribute").arg(i).arg(a));
            else if (el(a).RelativeEntityList.items() != std::vector<qint16>{qint16(i)})
                fail(QString("attribute %1 of %2 names owners %3")
                         .arg(a)
                         .arg(i)
                         .arg(el(a).RelativeEntityList.joined()));
            else if (attributeLinks_[{i, a}].size() != 1)
                fail(QString("%1 live connectors show attribute %2 of %3")
                         .arg(attributeLinks_[{i, a}].size())
                         .arg(a)
                         .arg(i));
        }
        if (e.isAttributeKind()) {
            const Collection& owners = e.RelativeEntityList;
            if (owners.count() > 1)
                fail(QString("attribute %1 has owners %2").arg(i).arg(owners.joined()));
            if (owners.count() == 1) {
                const int o = *owners.item(1);
                if (!d_.isLiveElement(o))
                    fail(QString("attribute %1 is owned by hidden %2").arg(i).arg(o));
                else if (!el(o).AttributeList.containsKey(QString::number(i)))
                    fail(QString("owner %1 does not list attribute %2").arg(o).arg(i));
            }
        }
        if (e.isEntityKind()) {
            for (qint16 r : e.RelationList.items())
                if (!d_.isLiveElement(r) || !el(r).isRelationshipKind() ||
                    !el(r).RelativeEntityList.containsItem(qint16(i)))
                    fail(QString("entity %1 lists relationship %2, which does not list it")
                             .arg(i)
                             .arg(r));
        }
        if (e.isRelationshipKind()) checkParticipants(i);
        if (e.is(KindWeakEntity)) checkWeakEntity(i);
        if (e.is(KindWeakRelationship)) checkIdentifies(i);
    }

    // Invariant 2: each participant once (one connector) or twice under e and e_2 (two dotted
    // connectors of a recursive relationship).
    void checkParticipants(int r) {
        std::map<int, std::vector<QString>> keysOf;
        for (const Collection::Entry& entry : el(r).RelativeEntityList.entries())
            keysOf[entry.item].push_back(entry.key);
        for (const auto& [e, keys] : keysOf) {
            const QString plain = QString::number(e);
            if (!d_.isLiveElement(e) || !el(e).isEntityKind())
                return fail(
                    QString("relationship %1 lists %2, which is no live entity").arg(r).arg(e));
            if (!el(e).RelationList.containsKey(QString::number(r)))
                return fail(QString("entity %1 does not list relationship %2").arg(e).arg(r));
            const std::vector<int>& links = relationshipLinks_[{e, r}];
            int dotted = 0, real = 0;
            for (int k : links) {
                dotted += d_.connector(k).Line1.dotted();
                real += !abandoned_.count(k);
            }
            if (keys.size() == 1) {
                if (keys[0] != plain)
                    return fail(
                        QString("relationship %1 files %2 as %3").arg(r).arg(e).arg(keys[0]));
                if (links.empty() || real > 1 || dotted != 0)
                    return fail(QString("link %1,%2 shown by %3 connectors, %4 dotted")
                                    .arg(e)
                                    .arg(r)
                                    .arg(links.size())
                                    .arg(dotted));
            } else if (keys.size() == 2) {
                if (keys != std::vector<QString>{plain, plain + "_2"})
                    return fail(
                        QString("recursive relationship %1 files %2 wrongly").arg(r).arg(e));
                if (dotted != 2 || real != 2)
                    return fail(QString("recursive link %1,%2 shown by %3 connectors, %4 dotted")
                                    .arg(e)
                                    .arg(r)
                                    .arg(links.size())
                                    .arg(dotted));
            } else {
                return fail(
                    QString("relationship %1 lists %2 %3 times").arg(r).arg(e).arg(keys.size()));
            }
        }
    }

    // Invariant 3.
    void checkWeakEntity(int w) {
        for (qint16 r : el(w).WeakRelationList.items()) {
            if (!d_.isLiveElement(r) || !el(r).is(KindWeakRelationship))
                return fail(
                    QString(
                        "weak entity %1 is identified through %2, no live identifying relationship")
                        .arg(w)
                        .arg(r));
            if (!el(r).RelativeEntityList.containsKey(QString::number(w)))
                return fail(QString("identifying relationship %1 does not list weak entity %2")
                                .arg(r)
                                .arg(w));
            bool doubled = false;
            for (int k : relationshipLinks_[{w, r}])
                doubled = doubled || d_.connector(k).Line2.Visible;
            if (!doubled)
                return fail(QString("link of weak entity %1 to %2 is not doubled").arg(w).arg(r));
        }
        // The owners are exactly the other live participants of its identifying relationships.
        std::set<int> participants;
        for (qint16 r : el(w).WeakRelationList.items())
            for (qint16 x : el(r).RelativeEntityList.items())
                if (x != w && d_.isLiveElement(x)) participants.insert(x);
        for (qint16 o : el(w).PrimaryEntityList.items())
            if (!participants.count(o))
                return fail(QString("weak entity %1 names owner %2, who takes part in none of %3")
                                .arg(w)
                                .arg(o)
                                .arg(el(w).WeakRelationList.joined()));
        for (int x : participants)
            if (!el(w).PrimaryEntityList.containsItem(qint16(x)))
                return fail(
                    QString("weak entity %1 does not name participant %2 as owner").arg(w).arg(x));
    }

    // The keys the live weak entities file their identifying relationships under, gathered in
    // one pass rather than a pass over every element per identifying relationship.
    void collectIdentified() {
        for (int w = 1; w < d_.elementCount(); ++w)
            if (d_.isLiveElement(w) && el(w).is(KindWeakEntity))
                for (const Collection::Entry& entry : el(w).WeakRelationList.entries())
                    identifiedKeys_.insert(entry.key);
    }

    void checkIdentifies(int r) {
        if (!identifiedKeys_.count(QString::number(r)))
            fail(QString("identifying relationship %1 identifies no weak entity").arg(r));
    }

    // The other direction: no connector shows a relation the collections lack.
    void checkConnectorsHaveRelations() {
        for (const auto& [link, ks] : attributeLinks_)
            if (!ks.empty() &&
                !el(link.first).AttributeList.containsKey(QString::number(link.second)))
                return fail(QString("attribute connector %1 shows %2,%3 without the relation")
                                .arg(ks[0])
                                .arg(link.first)
                                .arg(link.second));
        for (const auto& [link, ks] : relationshipLinks_)
            for (int k : ks)
                if (!abandoned_.count(k) &&
                    !el(link.second).RelativeEntityList.containsItem(qint16(link.first)))
                    return fail(
                        QString("relationship connector %1 shows %2,%3 without the relation")
                            .arg(k)
                            .arg(link.first)
                            .arg(link.second));
    }

    const Diagram& d_;
    const std::set<int>& abandoned_;
    std::map<Link, std::vector<int>> attributeLinks_, relationshipLinks_;
    std::set<int> singleClass_;  // circles whose single superclass (subclass) line was seen
    std::set<QString> identifiedKeys_;
    QString problem_;
};

}  // namespace

QString findInconsistency(const Diagram& diagram, const std::set<int>& unrelated) {
    return InvariantChecker(diagram, unrelated).check();
}
