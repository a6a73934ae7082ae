#include "mapping.h"

#include <QCoreApplication>
#include <QHash>
#include <optional>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include "classhierarchy.h"
#include "module1.h"
#include "referencecycles.h"

namespace {

const QString kOne = QStringLiteral("1");
const QString kMany = QStringLiteral("N");

class Mapper {
public:
    explicit Mapper(const Diagram& d) : d_(d), classes_(d) { indexConnectors(); }

    RelationalModel run() {
        for (int i = 1; i < d_.elementCount(); ++i)
            if (isLive(i, KindEntity) && hasOwnRelation(i)) mapEntity(i);
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
    // each named by its own caption with its arrow to that column's cell.
    void addForeignKey(bool key, bool italic, int attribute, int entity, int group) {
        for (int column : keyColumns(attribute))
            out_.addForeignKeyColumn(el(column).Caption, key, italic,
                                     ForeignKey{attribute, column, entity, group});
    }

    // One column of the key a reference takes: the key attribute and the element whose column it
    // is (a component of a composite key attribute).
    struct KeyPart {
        int attribute = 0;
        int column = 0;
    };

    bool isWeak(int entity) const { return d_.isElement(entity) && el(entity).is(KindWeakEntity); }
    // Entities whose key is not (only) their own underlined attributes: weak entities and
    // subclasses. References to them take referencedKey.
    bool borrowsKey(int entity) const { return isWeak(entity) || classes_.isSubclass(entity); }
    // Absorbed subclasses live in their superclass's relation; an 8B superclass in none.
    bool hasOwnRelation(int entity) const {
        return !classes_.isAbsorbed(entity) && !classes_.isDissolved(entity);
    }

    // The key a reference to `entity` takes. An entity's key attributes, composite ones as their
    // components; a weak entity is identified only by its whole key, so a reference to it takes
    // the partial key and then each owner's key (a weak owner's whole key again), in the order of
    // the weak entity's relation. Owners that own each other in a loop are followed once.
    std::vector<KeyPart> referencedKey(int entity) {
        if (const auto found = referencedKeys_.find(entity); found != referencedKeys_.end())
            return found->second;
        std::vector<KeyPart> key;
        if (classes_.isSubclass(entity)) {
            // A category's subclass is identified by its surrogate key, the column the circle
            // stands for; a specialization's subclass by its (first) superclass's key.
            if (const int category = classes_.categoryOf(entity))
                key.push_back({category, category});
            else if (visiting_.insert(entity).second) {
                key = referencedKey(classes_.superclassOf(classes_.parentsOf(entity).front()));
                visiting_.erase(entity);
            }
            return referencedKeys_.emplace(entity, std::move(key)).first->second;
        }
        for (int a : keyAttributes(entity))
            for (int c : keyColumns(a)) key.push_back({a, c});
        if (!isWeak(entity)) return referencedKeys_.emplace(entity, std::move(key)).first->second;
        if (!visiting_.insert(entity).second) return key;
        for (int owner : items(el(entity).PrimaryEntityList)) {
            if (!isLive(owner)) continue;
            const std::vector<KeyPart> ownerKey = referencedKey(owner);
            key.insert(key.end(), ownerKey.begin(), ownerKey.end());
        }
        visiting_.erase(entity);
        return referencedKeys_.emplace(entity, std::move(key)).first->second;
    }

    QString name(int i) const { return d_.isElement(i) ? el(i).Caption : QString(); }
    void explainColumns(int rule, const QString& reason) { out_.explainColumns({rule, reason}); }
    // The same, for a reference to `referenced`: a weak entity's says that its whole key is taken.
    void explainReference(int rule, const QString& reason, int referenced) {
        if (!isWeak(referenced)) return explainColumns(rule, reason);
        explainColumns(
            rule,
            reason + QCoreApplication::translate(
                         "Mapping", "; %1 是弱實體, 外鍵取它的完整主鍵: 部分鍵加上擁有者的主鍵")
                         .arg(name(referenced)));
    }

    // One column per simple attribute, or per component of a composite one; multivalued
    // attributes get relations of their own. `rule` is the rule that writes the owner.
    void addOwnColumns(int owner, int rule, bool keys = true) {
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
                    out_.addOwnColumn(el(c).Caption, keys && (compositeKey || el(c).underlined()),
                                      c);
            } else {
                explainColumns(
                    rule,
                    relationship
                        ? QCoreApplication::translate("Mapping", "關係 %1 的屬性").arg(name(owner))
                    : el(a).underlined()
                        ? QCoreApplication::translate("Mapping", "%1 的主鍵屬性").arg(name(owner))
                        : QCoreApplication::translate("Mapping", "%1 的屬性").arg(name(owner)));
                out_.addOwnColumn(el(a).Caption, keys && el(a).underlined(), a);
            }
        }
    }

    // One foreign key to the key of `entity` (referencedKey). `role`, when given, names its
    // column, or prefixes each column's name where the key has several.
    void addKeyReferences(int entity, bool key, bool italic, bool required,
                          const std::optional<QString>& role = std::nullopt) {
        const int group = ++groups_;
        const std::vector<KeyPart> parts = referencedKey(entity);
        for (const KeyPart& part : parts) {
            QString column = columnName(part.column);
            if (role) column = parts.size() == 1 ? *role : *role + QLatin1Char('_') + column;
            out_.addForeignKeyColumn(
                column, key, italic,
                ForeignKey{part.attribute, part.column, classes_.holderOf(entity), group},
                required);
        }
    }

    void mapEntity(int e) {
        out_.startRelation(el(e).Caption, e, RelationOrigin::Entity);
        if (const int category = classes_.categoryOf(e))
            startCategoryRelation(e, category);
        else if (!classes_.parentsOf(e).empty())
            startSubclassRelation(e);
        else
            out_.explainRelation(
                {RuleEntity,
                 QCoreApplication::translate("Mapping", "%1 是實體, 成為一個關聯").arg(name(e))});
        addOwnColumns(e, RuleEntity);
        addClassColumns(e);
        out_.finishRelation();
    }

    // ---- enhanced ER: specializations (step 8) and categories (step 9) ----

    // A category's surrogate key column is named after the category; the circle stands for it.
    QString surrogateKey(int subclass) const { return name(subclass) + QStringLiteral("_id"); }
    QString columnName(int column) const {
        if (d_.isElement(column) && el(column).is(KindCategory)) {
            const std::vector<int>& below = classes_.links(column).subclasses;
            return below.empty() ? el(column).Caption : surrogateKey(below.front());
        }
        return el(column).Caption;
    }

    // The subclass of a category: its superclasses are told apart by different keys, so it is
    // identified by a surrogate key of its own, which each superclass's relation references.
    void startCategoryRelation(int e, int category) {
        out_.explainRelation({RuleCategory, QCoreApplication::translate(
                                                "Mapping",
                                                "%1 是類別 (聯集型態), 超類別的主鍵各不相同, "
                                                "所以以代理鍵 %2 識別")
                                                .arg(name(e), surrogateKey(e))});
        explainColumns(RuleCategory,
                       QCoreApplication::translate("Mapping", "類別 %1 的代理鍵").arg(name(e)));
        out_.addOwnColumn(surrogateKey(e), true, category);
    }

    // A subclass with a relation of its own. Under 8B it holds its superclass's attributes and is
    // keyed by the superclass key. Otherwise (8A, or a shared subclass whatever its parents'
    // options) its key is the superclass key, which is also a foreign key to the superclass's
    // relation; a shared subclass's key references each of its superclasses.
    void startSubclassRelation(int e) {
        const std::vector<int>& parents = classes_.parentsOf(e);
        const int super = classes_.superclassOf(parents.front());
        if (!super) return;
        const SubclassMapping mapping = el(parents.front()).Mapping;
        if (parents.size() == 1 && mapping == SubclassMapping::SubclassesOnly) {
            out_.explainRelation(
                {RuleSpecializationB,
                 QCoreApplication::translate(
                     "Mapping",
                     "%1 是 %2 的子類別; %2 的特殊化只有子類別的關聯 (8B), 所以 %1 "
                     "繼承 %2 的全部屬性, 以 %2 的主鍵識別")
                     .arg(name(e), name(super))});
            addOwnColumns(super, RuleSpecializationB);
            return;
        }
        out_.explainRelation(
            {RuleSpecializationA,
             parents.size() > 1
                 ? QCoreApplication::translate(
                       "Mapping",
                       "%1 是共用子類別, 同時屬多個超類別: 自成一個關聯, 以繼承的主鍵識別")
                       .arg(name(e))
                 : QCoreApplication::translate(
                       "Mapping", "%1 是 %2 的子類別 (8A), 自成一個關聯, 以 %2 的主鍵識別")
                       .arg(name(e), name(super))});
        explainReference(
            RuleSpecializationA,
            // The relation referenced is the superclass's holder (itself unless 8C or 8D
            // merged it into its own superclass's relation).
            QCoreApplication::translate("Mapping", "繼承 %1 的主鍵, 同時是參照關聯 %2 的外鍵")
                .arg(name(super), name(classes_.holderOf(super))),
            super);
        const int group = groups_ + 1;
        addKeyReferences(super, true, false, true);
        std::set<int> referenced{classes_.holderOf(super)};
        for (size_t p = 1; p < parents.size(); ++p) {
            const int other = classes_.superclassOf(parents[p]);
            if (other && referenced.insert(classes_.holderOf(other)).second)
                out_.alsoReference(group, classes_.holderOf(other));
        }
    }

    // What the relation of `e` takes for its specializations mapped into it (8C, 8D): a type
    // attribute or one flag per subclass, and the columns of the subclasses it absorbs; and one
    // foreign key to the surrogate key of each category it is a superclass of.
    void addClassColumns(int e) {
        if (!absorbing_.insert(e).second) return;
        for (int c : classes_.specializationsOf(e)) {
            const SubclassMapping mapping = el(c).Mapping;
            if (mapping != SubclassMapping::OneTypeAttribute &&
                mapping != SubclassMapping::TypeFlags)
                continue;
            const int rule = RuleSpecializationA + int(mapping);
            const std::vector<int>& subclasses = classes_.links(c).subclasses;
            if (mapping == SubclassMapping::OneTypeAttribute)
                addTypeAttribute(c, subclasses);
            else
                addTypeFlags(subclasses);
            for (int s : subclasses) {
                if (!classes_.isAbsorbed(s)) continue;
                addOwnColumns(s, rule, false);
                addClassColumns(s);
            }
        }
        for (int c : classes_.categoriesOver(e)) {
            const std::vector<int>& below = classes_.links(c).subclasses;
            if (below.size() != 1) continue;
            explainColumns(RuleCategory,
                           QCoreApplication::translate(
                               "Mapping", "%1 是類別 %2 的超類別: 以外鍵參照 %2 的代理鍵")
                               .arg(name(e), name(below.front())));
            addKeyReferences(below.front(), false, false, false, surrogateKey(below.front()));
        }
        absorbing_.erase(e);
    }

    // 8C: the defining attribute, when there is one, is the type attribute; otherwise a column
    // "Type" is added. Either holds the name of the one subclass a row belongs to.
    void addTypeAttribute(int circle, const std::vector<int>& subclasses) {
        QStringList values;
        for (int s : subclasses) values << name(s);
        explainColumns(RuleSpecializationC,
                       QCoreApplication::translate(
                           "Mapping", "類型屬性: 記錄每一列屬哪一個子類別, 只能是 %1 之一")
                           .arg(values.join(QStringLiteral(", "))));
        const int defining = el(circle).DefiningAttribute;
        if (defining && out_.allowValues(defining, values)) return;
        out_.addOwnColumn(
            defining && d_.isElement(defining) ? name(defining) : QStringLiteral("Type"), false,
            circle);
        out_.allowValues(circle, values);
    }

    // 8D: one flag per subclass, "Is_" and its name, 1 for a row in that subclass, 0 otherwise.
    void addTypeFlags(const std::vector<int>& subclasses) {
        for (int s : subclasses) {
            explainColumns(
                RuleSpecializationD,
                QCoreApplication::translate("Mapping", "旗標: 這一列是否屬子類別 %1 (1 是, 0 否)")
                    .arg(name(s)));
            out_.addOwnColumn(QStringLiteral("Is_") + name(s), false, s, true);
            out_.allowValues(s, {QStringLiteral("0"), QStringLiteral("1")});
        }
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
            explainReference(RuleWeakEntity,
                             QCoreApplication::translate(
                                 "Mapping", "參照擁有者 %1 的主鍵, 與部分鍵一起識別弱實體 %2")
                                 .arg(name(owner), name(w)),
                             owner);
            addKeyReferences(owner, true, true, true);
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
        if (hasAttributes(owner) || borrowsKey(owner)) {
            explainReference(
                RuleMultivalued,
                QCoreApplication::translate("Mapping", "參照擁有者 %1 的主鍵").arg(name(owner)),
                owner);
            if (borrowsKey(owner)) {
                addKeyReferences(owner, true, false, true);
            } else {
                const int group = ++groups_;
                for (int a : underlinedEntries(owner)) addForeignKey(true, false, a, owner, group);
            }
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

    // Every instance of an n-ary relationship has all its participants, so every participant's
    // key is required. A "1" side is determined by the others, so its key is left out of the
    // primary key; but only one may be left out, or the rest would no longer tell two instances
    // apart: with several "1" sides (all of them, say) the last one is the one left out.
    void mapNary(int r) {
        std::vector<int> sides;
        int omitted = 0;
        for (int k : connectorsOf(r)) {
            if (!isLive(entityOf(k))) continue;
            sides.push_back(k);
            if (maxOf(k) == kOne) omitted = k;
        }
        out_.startRelation(el(r).Caption, r, RelationOrigin::Relationship);
        const QString relation =
            QCoreApplication::translate("Mapping", "%1 是多元關係, 成為獨立的關聯").arg(name(r));
        out_.explainRelation(
            {RuleNary,
             relation +
                 (omitted
                      ? QCoreApplication::translate(
                            "Mapping", "; 主鍵是 %1 以外所有參與者的主鍵, 每個參與者都不可為空值")
                            .arg(name(entityOf(omitted)))
                      : QCoreApplication::translate("Mapping", "; 主鍵是所有參與者的主鍵"))});
        for (int k : sides) {
            const int e = entityOf(k);
            QString reason;
            if (k == omitted)
                reason =
                    QCoreApplication::translate("Mapping", "參照 %1 的主鍵; %1 端為 1, 不屬主鍵")
                        .arg(name(e));
            else if (maxOf(k) == kOne)
                reason = QCoreApplication::translate(
                             "Mapping",
                             "參照 %1 的主鍵; %1 端也為 1, 但主鍵只能省去一個 1 端 (%2), "
                             "所以屬主鍵")
                             .arg(name(e), name(entityOf(omitted)));
            else
                reason = QCoreApplication::translate("Mapping", "參照 %1 的主鍵; %1 端為 N, 屬主鍵")
                             .arg(name(e));
            explainReference(RuleNary, reason, e);
            addKeyReferences(e, k != omitted, false, true);
        }
        addOwnColumns(r, RuleNary);
        out_.finishRelation();
    }

    QString roleOf(int k) const { return d_.connector(k).Description.Caption; }

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
            appendBinary(
                r, p0, p1, recursive, RuleOneToOne,
                QCoreApplication::translate("Mapping", "%1 是一對一關係, 外鍵加在 %2 端, 參照 %3"));
        } else if (recursive && max0 != kOne && max1 != kOne) {
            mapRecursiveManyToMany(r, p0, p1);
        } else if ((max0 == kMany && max1 == kOne) || (max0 == kOne && max1 == kMany) ||
                   recursive) {
            // The key goes to the "N" side and references the "1" side, whichever connector was
            // drawn first; a recursive pair alike.
            if (max0 == kOne) std::swap(p0, p1);
            appendBinary(r, p0, p1, recursive, RuleOneToMany,
                         QCoreApplication::translate("Mapping",
                                                     "%1 是一對多關係, 外鍵加在 N 端 %2, 參照 %3"));
        } else {
            mapManyToMany(r, entityOf(p0), entityOf(p1));
        }
    }

    // A one-to-one or one-to-many relationship r: the entity of connector p0 takes the key of the
    // entity of p1, explained by `reason` (relationship, holder, referenced). A recursive pair
    // names the key after a role, the role of the side referenced, and says so.
    void appendBinary(int r, int p0, int p1, bool recursive, int rule, const QString& reason) {
        std::optional<QString> role;
        if (recursive && d_.connector(p1).Line1.dotted()) role = roleOf(p1);
        explainReference(
            rule,
            recursive
                ? QCoreApplication::translate("Mapping", "%1 是遞迴關係, 以角色 %2 參照 %3 的主鍵")
                      .arg(name(r), role.value_or(QString()), name(entityOf(p1)))
                : QString(reason).arg(name(r), name(entityOf(p0)), name(entityOf(p1))),
            entityOf(p1));
        appendReferences(r, p0, p1, role, rule);
    }

    // The relation of the entity of connector `holder` takes the key of the entity of connector
    // `referenced` and the relationship's attributes. The key it takes is a foreign key only, not
    // part of the holder's own key: one department per employee, not a key of employee and
    // department together. It is required when the holder must take part.
    void appendReferences(int r, int holder, int referenced, const std::optional<QString>& role,
                          int rule) {
        if (!out_.openForAppending(classes_.holderOf(entityOf(holder)), r)) return;
        addKeyReferences(entityOf(referenced), false, false, minOf(holder) == kOne, role);
        addOwnColumns(r, rule);
    }

    void mapManyToMany(int r, int e0, int e1) {
        out_.startRelation(el(r).Caption, r, RelationOrigin::Relationship);
        out_.explainRelation({RuleManyToMany, QCoreApplication::translate(
                                                  "Mapping", "%1 是多對多關係, 成為獨立的關聯")
                                                  .arg(name(r))});
        addManyToManyKeys(e0);
        addManyToManyKeys(e1);
        addOwnColumns(r, RuleManyToMany);
        out_.finishRelation();
    }

    // A recursive many-to-many relationship (a course and its prerequisite courses): a relation
    // with two foreign keys to the one entity's key, each named by its role.
    void mapRecursiveManyToMany(int r, int p0, int p1) {
        const int e = entityOf(p0);
        out_.startRelation(el(r).Caption, r, RelationOrigin::Relationship);
        out_.explainRelation(
            {RuleManyToMany,
             QCoreApplication::translate(
                 "Mapping", "%1 是遞迴的多對多關係, 成為獨立的關聯: 兩個角色各以一個外鍵參照 %2")
                 .arg(name(r), name(e))});
        for (int k : {p0, p1}) {
            explainReference(
                RuleManyToMany,
                QCoreApplication::translate("Mapping", "以角色 %1 參照 %2 的主鍵, 屬這個關聯的主鍵")
                    .arg(roleOf(k), name(e)),
                e);
            addKeyReferences(e, true, false, true, roleOf(k));
        }
        addOwnColumns(r, RuleManyToMany);
        out_.finishRelation();
    }

    // An entity's key as a many-to-many relation takes it: underlined attributes, and the
    // underlined components of its multivalued attributes; a weak entity's whole key.
    void addManyToManyKeys(int entity) {
        if (!d_.isElement(entity)) return;
        explainReference(RuleManyToMany,
                         QCoreApplication::translate("Mapping", "參照 %1 的主鍵, 屬這個關聯的主鍵")
                             .arg(name(entity)),
                         entity);
        if (borrowsKey(entity)) return addKeyReferences(entity, true, false, true);
        const int group = ++groups_;
        for (int a : manyToManyKeys(entity)) addForeignKey(true, false, a, entity, group);
    }

    const std::vector<int>& connectorsOf(int r) const {
        static const std::vector<int> none;
        const auto found = byRelationship_.constFind(r);
        return found == byRelationship_.constEnd() ? none : *found;
    }

    const Diagram& d_;
    ClassHierarchy classes_;
    RelationalModelBuilder out_;
    std::vector<Tag> tags_;
    QHash<int, std::vector<int>> byRelationship_;
    QHash<QPair<int, int>, std::vector<int>> byPair_;
    mutable std::unordered_map<int, std::vector<int>> keyAttributes_, underlinedEntries_,
        manyToManyKeys_;
    std::unordered_map<int, std::vector<KeyPart>> referencedKeys_;
    std::set<int> visiting_;   // weak entities and subclasses whose key is being worked out
    std::set<int> absorbing_;  // entities whose specializations are being mapped into a relation
    int groups_ = 0;
};

}  // namespace

RelationalModel mapDiagram(const Diagram& diagram) {
    RelationalModel model = Mapper(diagram).run();
    markReferenceCycles(model);
    return model;
}
