#include "mapping.h"

#include <QCoreApplication>
#include <QHash>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "module1.h"

namespace {

const QString kOne = QStringLiteral("1");
const QString kMany = QStringLiteral("N");

class Mapper {
public:
    explicit Mapper(const Diagram& d) : d_(d) { indexConnectors(); }

    RelationalModel run() {
        for (int i = 1; i < d_.elementCount(); ++i)
            if (isLive(i, KindEntity)) mapEntity(i);
        for (int i = 1; i < d_.elementCount(); ++i)
            if (isLive(i, KindWeakEntity)) mapWeakEntity(i);
        for (int i = 1; i < d_.elementCount(); ++i)
            if (isLive(i, KindMultAttribute)) mapMultivalued(i);
        for (int i = 1; i < d_.elementCount(); ++i)
            if (isLive(i, KindRelationship)) mapRelationship(i);
        return out_.take();
    }

private:
    struct Tag {
        int entity = 0;
        int relationship = 0;
    };

    // Live relationship connectors, lowest index first: by relationship, and by entity and
    // relationship together. Built once so that every relationship finds its connectors without
    // walking all of them.
    void indexConnectors() {
        tags_.resize(size_t(d_.connectorCount()));
        for (int k = 1; k < d_.connectorCount(); ++k) {
            const Connector& c = d_.connector(k);
            if (!c.Line1.Visible || !c.isRelationship()) continue;
            const Tag tag{c.first, c.second};
            tags_[size_t(k)] = tag;
            byRelationship_[tag.relationship].push_back(k);
            byPair_[{tag.entity, tag.relationship}].push_back(k);
        }
    }

    bool isLive(int i) const { return d_.isLiveElement(i); }
    bool isLive(int i, int kind) const { return isLive(i) && d_.element(i).is(kind); }
    const Element& el(int i) const { return d_.element(i); }
    static std::vector<qint16> items(const Collection& c) { return c.items(); }
    bool hasAttributes(int i) const { return d_.isElement(i) && !el(i).AttributeList.isEmpty(); }

    // The visible entries of an attribute's own list.
    std::vector<int> components(int attribute) const {
        std::vector<int> out;
        for (int c : items(el(attribute).AttributeList))
            if (isLive(c)) out.push_back(c);
        return out;
    }

    // What an entity's attribute list gives, worked out once per entity: an entity with
    // thousands of attributes may be referenced by thousands of relationships, and the diagram
    // does not change while it is mapped.
    template <typename Pick>
    const std::vector<int>& perEntity(std::unordered_map<int, std::vector<int>>& cache, int entity,
                                      Pick pick) const {
        const auto [at, added] = cache.try_emplace(entity);
        if (added && d_.isElement(entity))
            for (int a : items(el(entity).AttributeList)) pick(a, at->second);
        return at->second;  // stays in place while the cache grows
    }

    // The visible, underlined direct attributes of an entity, in list order.
    const std::vector<int>& keyAttributes(int entity) const {
        return perEntity(keyAttributes_, entity, [this](int a, std::vector<int>& out) {
            if (isLive(a) && el(a).underlined()) out.push_back(a);
        });
    }

    // Every underlined entry of an entity's list, visible or not.
    const std::vector<int>& underlinedEntries(int entity) const {
        return perEntity(underlinedEntries_, entity, [this](int a, std::vector<int>& out) {
            if (d_.isElement(a) && el(a).underlined()) out.push_back(a);
        });
    }

    // The key columns a many-to-many relation takes from an entity: its visible underlined
    // attributes, and the underlined components of its visible multivalued attributes.
    const std::vector<int>& manyToManyKeys(int entity) const {
        return perEntity(manyToManyKeys_, entity, [this](int a, std::vector<int>& out) {
            if (!isLive(a)) return;
            if (el(a).is(KindMultAttribute)) {
                for (int c : components(a))
                    if (el(c).underlined()) out.push_back(c);
            } else if (el(a).underlined()) {
                out.push_back(a);
            }
        });
    }

    // The columns a key attribute stands for: a composite one its visible components, in
    // component order (none visible: the attribute itself), a simple one itself.
    std::vector<int> keyColumns(int attribute) const {
        if (!hasAttributes(attribute)) return {attribute};
        std::vector<int> parts = components(attribute);
        if (parts.empty()) parts.push_back(attribute);
        return parts;
    }

    QString participation(int k) const { return k ? d_.connector(k).MN.Caption : QString(); }
    QString maxOf(int k) const { return MaxPart(participation(k)); }
    QString minOf(int k) const { return MinPart(participation(k)); }
    int entityOf(int k) const { return k ? tags_[size_t(k)].entity : 0; }

    // Columns referencing key attribute `attribute` of `entity`: one per column it stands for,
    // each named by its own caption (or `role`) with its arrow to that column's cell.
    void addForeignKey(bool key, bool italic, int attribute, int entity, int group,
                       const std::optional<QString>& role = std::nullopt) {
        for (int column : keyColumns(attribute))
            out_.addForeignKeyColumn(role ? *role : el(column).Caption, key, italic,
                                     ForeignKey{attribute, column, entity, group});
    }

    QString name(int i) const { return d_.isElement(i) ? el(i).Caption : QString(); }
    void explainColumns(int rule, const QString& reason) { out_.explainColumns({rule, reason}); }

    // One column per simple attribute, or per component of a composite one; multivalued
    // attributes get relations of their own. `rule` is the rule that writes the owner.
    void addOwnColumns(int owner, int rule) {
        const bool relationship = el(owner).isRelationshipKind();
        for (int a : items(el(owner).AttributeList)) {
            if (!isLive(a, KindAttribute)) continue;
            if (hasAttributes(a)) {
                // An underlined composite attribute is a composite key: all its parts are key.
                const bool compositeKey = el(a).underlined();
                explainColumns(
                    rule,
                    QCoreApplication::translate("Mapping", "%1 的%2 %3 的成分")
                        .arg(name(owner),
                             compositeKey ? QCoreApplication::translate("Mapping", "複合主鍵")
                                          : QCoreApplication::translate("Mapping", "複合屬性"),
                             name(a)));
                for (int c : components(a))
                    out_.addOwnColumn(el(c).Caption, compositeKey || el(c).underlined(), c);
            } else {
                explainColumns(
                    rule,
                    relationship
                        ? QCoreApplication::translate("Mapping", "關係 %1 的屬性").arg(name(owner))
                    : el(a).underlined()
                        ? QCoreApplication::translate("Mapping", "%1 的主鍵屬性").arg(name(owner))
                        : QCoreApplication::translate("Mapping", "%1 的屬性").arg(name(owner)));
                out_.addOwnColumn(el(a).Caption, el(a).underlined(), a);
            }
        }
    }

    // Foreign keys to every key attribute of `entity`; `role`, when given, names them all.
    void addKeyReferences(int entity, bool key, bool italic,
                          const std::optional<QString>& role = std::nullopt) {
        const int group = ++groups_;
        for (int a : keyAttributes(entity)) addForeignKey(key, italic, a, entity, group, role);
    }

    void mapEntity(int e) {
        out_.startRelation(el(e).Caption, e, RelationOrigin::Entity);
        out_.explainRelation(
            {RuleEntity,
             QCoreApplication::translate("Mapping", "%1 是實體, 成為一個關聯").arg(name(e))});
        addOwnColumns(e, RuleEntity);
        out_.finishRelation();
    }

    void mapWeakEntity(int w) {
        out_.startRelation(el(w).Caption, w, RelationOrigin::WeakEntity);
        out_.explainRelation(
            {RuleWeakEntity, QCoreApplication::translate(
                                 "Mapping", "%1 是弱實體, 以擁有者的主鍵加上自己的部分鍵識別")
                                 .arg(name(w))});
        addOwnColumns(w, RuleWeakEntity);
        for (int owner : items(el(w).PrimaryEntityList)) {
            if (!isLive(owner)) continue;
            explainColumns(RuleWeakEntity,
                           QCoreApplication::translate(
                               "Mapping", "參照擁有者 %1 的主鍵, 與部分鍵一起識別弱實體 %2")
                               .arg(name(owner), name(w)));
            addKeyReferences(owner, true, true);
        }
        out_.finishRelation();
    }

    void mapMultivalued(int m) {
        const std::vector<qint16> owners = items(el(m).RelativeEntityList);
        const int owner = owners.empty() ? 0 : owners.front();
        // The relation's name is data (a table name, matched against a reference answer), so it
        // stays the same in every language.
        out_.startRelation(QStringLiteral("多值屬性") + el(m).Caption, m,
                           RelationOrigin::MultivaluedAttribute);
        out_.explainRelation({RuleMultivalued, QCoreApplication::translate(
                                                   "Mapping", "%1 是 %2 的多值屬性, 另成一個關聯")
                                                   .arg(name(m), name(owner))});
        explainColumns(RuleMultivalued, QCoreApplication::translate(
                                            "Mapping", "多值屬性 %1 的一個值, 屬這個關聯的主鍵")
                                            .arg(name(m)));
        const bool composite = hasAttributes(m);
        for (int c : components(m)) out_.addOwnColumn(el(c).Caption, true, c);
        if (hasAttributes(owner)) {
            explainColumns(
                RuleMultivalued,
                QCoreApplication::translate("Mapping", "參照擁有者 %1 的主鍵").arg(name(owner)));
            const int group = ++groups_;
            for (int a : underlinedEntries(owner)) addForeignKey(true, false, a, owner, group);
        }
        explainColumns(RuleMultivalued, QCoreApplication::translate(
                                            "Mapping", "多值屬性 %1 的一個值, 屬這個關聯的主鍵")
                                            .arg(name(m)));
        if (!composite) out_.addOwnColumn(el(m).Caption, true, m);
        out_.finishRelation();
    }

    void mapRelationship(int r) {
        if (el(r).RelativeEntityList.count() > 2)
            mapNary(r);
        else
            mapBinary(r);
    }

    void mapNary(int r) {
        out_.startRelation(el(r).Caption, r, RelationOrigin::Relationship);
        out_.explainRelation(
            {RuleNary,
             QCoreApplication::translate("Mapping", "%1 是多元關係, 成為獨立的關聯").arg(name(r))});
        for (int k : connectorsOf(r)) {
            const int e = entityOf(k);
            if (!isLive(e)) continue;
            const bool key = maxOf(k) != kOne;
            explainColumns(
                RuleNary,
                key ? QCoreApplication::translate("Mapping", "參照 %1 的主鍵; %1 端為 N, 屬主鍵")
                          .arg(name(e))
                    : QCoreApplication::translate("Mapping", "參照 %1 的主鍵; %1 端為 1, 不屬主鍵")
                          .arg(name(e)));
            addKeyReferences(e, key, false);
        }
        addOwnColumns(r, RuleNary);
        out_.finishRelation();
    }

    void mapBinary(int r) {
        int p0 = 0, p1 = 0;
        for (int e : items(el(r).RelativeEntityList)) {
            if (!isLive(e)) continue;
            const auto found = byPair_.constFind({e, r});
            if (found != byPair_.constEnd()) {
                for (int k : *found) {
                    if (!p0) {
                        p0 = k;
                    } else {
                        p1 = k;
                        break;
                    }
                }
            }
            if (p1) break;
        }

        const bool recursive = p0 && p1 && entityOf(p0) == entityOf(p1);
        const QString max0 = maxOf(p0), max1 = maxOf(p1);
        if (max0 == kOne && max1 == kOne) {
            // The key goes to the side that must take part, when one must.
            if (minOf(p0) != kOne) std::swap(p0, p1);
            explainColumns(RuleOneToOne, QCoreApplication::translate(
                                             "Mapping", "%1 是一對一關係, 外鍵加在 %2 端, 參照 %3")
                                             .arg(name(r), name(entityOf(p0)), name(entityOf(p1))));
            appendReferences(r, entityOf(p0), entityOf(p1), std::nullopt, RuleOneToOne);
        } else if ((max0 == kMany && max1 == kOne) || (max0 == kOne && max1 == kMany) ||
                   recursive) {
            if (!recursive && max0 == kOne) std::swap(p0, p1);
            // A recursive pair names the key after the second connector's role.
            std::optional<QString> role;
            if (d_.connector(p1).Line1.dotted()) role = d_.connector(p1).Description.Caption;
            explainColumns(RuleOneToMany,
                           recursive
                               ? QCoreApplication::translate(
                                     "Mapping", "%1 是遞迴關係, 以角色 %2 參照 %3 的主鍵")
                                     .arg(name(r), role.value_or(QString()), name(entityOf(p1)))
                               : QCoreApplication::translate(
                                     "Mapping", "%1 是一對多關係, 外鍵加在 N 端 %2, 參照 %3")
                                     .arg(name(r), name(entityOf(p0)), name(entityOf(p1))));
            appendReferences(r, entityOf(p0), entityOf(p1), role, RuleOneToMany);
        } else {
            mapManyToMany(r, entityOf(p0), entityOf(p1));
        }
    }

    // The holder's relation takes the other entity's key and the relationship's attributes.
    // The key it takes is a foreign key only, not part of the holder's own key: one department
    // per employee, not a key of employee and department together.
    void appendReferences(int r, int holder, int referenced, const std::optional<QString>& role,
                          int rule) {
        if (!out_.openForAppending(holder, r)) return;
        addKeyReferences(referenced, false, false, role);
        addOwnColumns(r, rule);
    }

    void mapManyToMany(int r, int e0, int e1) {
        out_.startRelation(el(r).Caption, r, RelationOrigin::Relationship);
        out_.explainRelation({RuleManyToMany, QCoreApplication::translate(
                                                  "Mapping", "%1 是多對多關係, 成為獨立的關聯")
                                                  .arg(name(r))});
        addManyToManyKeys(e0);
        if (d_.isElement(e1) && el(e1).is(KindWeakEntity)) {
            const std::vector<qint16> owners = items(el(e1).PrimaryEntityList);
            if (!owners.empty() && d_.isElement(owners.front())) {
                explainColumns(RuleManyToMany,
                               QCoreApplication::translate(
                                   "Mapping", "參照弱實體 %1 的擁有者 %2 的主鍵, 屬主鍵")
                                   .arg(name(e1), name(owners.front())));
                addKeyReferences(owners.front(), true, false);
            }
        }
        addManyToManyKeys(e1);
        addOwnColumns(r, RuleManyToMany);
        out_.finishRelation();
    }

    // An entity's key as a many-to-many relation takes it: underlined attributes, and the
    // underlined components of its multivalued attributes.
    void addManyToManyKeys(int entity) {
        if (!d_.isElement(entity)) return;
        explainColumns(RuleManyToMany,
                       QCoreApplication::translate("Mapping", "參照 %1 的主鍵, 屬這個關聯的主鍵")
                           .arg(name(entity)));
        const int group = ++groups_;
        for (int a : manyToManyKeys(entity)) addForeignKey(true, false, a, entity, group);
    }

    const std::vector<int>& connectorsOf(int r) const {
        static const std::vector<int> none;
        const auto found = byRelationship_.constFind(r);
        return found == byRelationship_.constEnd() ? none : *found;
    }

    const Diagram& d_;
    RelationalModelBuilder out_;
    std::vector<Tag> tags_;
    QHash<int, std::vector<int>> byRelationship_;
    QHash<QPair<int, int>, std::vector<int>> byPair_;
    mutable std::unordered_map<int, std::vector<int>> keyAttributes_, underlinedEntries_,
        manyToManyKeys_;
    int groups_ = 0;
};

}  // namespace

RelationalModel mapDiagram(const Diagram& diagram) {
    return Mapper(diagram).run();
}
