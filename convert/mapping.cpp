#include "mapping.h"

#include <QHash>
#include <optional>
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

    // The visible, underlined direct attributes of an entity, in list order.
    std::vector<int> keyAttributes(int entity) const {
        std::vector<int> out;
        if (!d_.isElement(entity)) return out;
        for (int a : items(el(entity).AttributeList))
            if (isLive(a) && el(a).underlined()) out.push_back(a);
        return out;
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

    // One column per simple attribute, or per component of a composite one; multivalued
    // attributes get relations of their own.
    void addOwnColumns(int owner) {
        for (int a : items(el(owner).AttributeList)) {
            if (!isLive(a, KindAttribute)) continue;
            if (hasAttributes(a)) {
                // An underlined composite attribute is a composite key: all its parts are key.
                for (int c : components(a))
                    out_.addOwnColumn(el(c).Caption, el(a).underlined() || el(c).underlined(), c);
            } else {
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
        addOwnColumns(e);
        out_.finishRelation();
    }

    void mapWeakEntity(int w) {
        out_.startRelation(el(w).Caption, w, RelationOrigin::WeakEntity);
        addOwnColumns(w);
        for (int owner : items(el(w).PrimaryEntityList))
            if (isLive(owner)) addKeyReferences(owner, true, true);
        out_.finishRelation();
    }

    void mapMultivalued(int m) {
        const std::vector<qint16> owners = items(el(m).RelativeEntityList);
        const int owner = owners.empty() ? 0 : owners.front();
        out_.startRelation(QStringLiteral("多值屬性") + el(m).Caption, m,
                           RelationOrigin::MultivaluedAttribute);
        const bool composite = hasAttributes(m);
        for (int c : components(m)) out_.addOwnColumn(el(c).Caption, true, c);
        if (hasAttributes(owner)) {
            const int group = ++groups_;
            // Every underlined entry of the owner, visible or not.
            for (int a : items(el(owner).AttributeList))
                if (d_.isElement(a) && el(a).underlined()) addForeignKey(true, false, a, owner, group);
        }
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
        for (int k : connectorsOf(r)) {
            const int e = entityOf(k);
            if (isLive(e)) addKeyReferences(e, maxOf(k) != kOne, false);
        }
        addOwnColumns(r);
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
            appendReferences(r, entityOf(p0), entityOf(p1), std::nullopt);
        } else if ((max0 == kMany && max1 == kOne) || (max0 == kOne && max1 == kMany) ||
                   recursive) {
            if (!recursive && max0 == kOne) std::swap(p0, p1);
            // A recursive pair names the key after the second connector's role.
            std::optional<QString> role;
            if (d_.connector(p1).Line1.dotted()) role = d_.connector(p1).Description.Caption;
            appendReferences(r, entityOf(p0), entityOf(p1), role);
        } else {
            mapManyToMany(r, entityOf(p0), entityOf(p1));
        }
    }

    // The holder's relation takes the other entity's key and the relationship's attributes.
    // The key it takes is a foreign key only, not part of the holder's own key: one department
    // per employee, not a key of employee and department together.
    void appendReferences(int r, int holder, int referenced, const std::optional<QString>& role) {
        if (!out_.openForAppending(holder, r)) return;
        addKeyReferences(referenced, false, false, role);
        addOwnColumns(r);
    }

    void mapManyToMany(int r, int e0, int e1) {
        out_.startRelation(el(r).Caption, r, RelationOrigin::Relationship);
        addManyToManyKeys(e0);
        if (d_.isElement(e1) && el(e1).is(KindWeakEntity)) {
            const std::vector<qint16> owners = items(el(e1).PrimaryEntityList);
            if (!owners.empty() && d_.isElement(owners.front()))
                addKeyReferences(owners.front(), true, false);
        }
        addManyToManyKeys(e1);
        addOwnColumns(r);
        out_.finishRelation();
    }

    // An entity's key as a many-to-many relation takes it: underlined attributes, and the
    // underlined components of its multivalued attributes.
    void addManyToManyKeys(int entity) {
        if (!d_.isElement(entity)) return;
        const int group = ++groups_;
        for (int a : items(el(entity).AttributeList)) {
            if (!isLive(a)) continue;
            if (el(a).is(KindMultAttribute)) {
                for (int c : components(a))
                    if (el(c).underlined()) addForeignKey(true, false, c, entity, group);
            } else if (el(a).underlined()) {
                addForeignKey(true, false, a, entity, group);
            }
        }
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
    int groups_ = 0;
};

}  // namespace

RelationalModel mapDiagram(const Diagram& diagram) {
    return Mapper(diagram).run();
}
