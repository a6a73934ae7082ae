#include "rootcauses.h"

#include <QCoreApplication>
#include <map>
#include <set>
#include <tuple>

#include "module1.h"

namespace {

using Category = DifferenceCategory;

bool isRelationLevel(Category c) {
    return c == Category::MissingRelation || c == Category::ExtraRelation;
}

// Differences in what relations exist, what their keys are and what their foreign keys
// reference: what a relationship or an entity drawn otherwise changes besides the columns it
// moves.
bool isStructural(Category c) {
    return isRelationLevel(c) || c == Category::KeyDiffers || c == Category::MissingForeignKey ||
           c == Category::ExtraForeignKey || c == Category::ForeignKeyTarget;
}

// One side of the comparison: its mapped diagram and the ER roots found in it, by element.
struct Side {
    explicit Side(const MappedDiagram& m) : mapped(m) {
        for (size_t r = 0; r < m.model.relations.size(); ++r)
            for (const Column& column : m.model.relations[r].columns)
                if (column.addedBy) holders.emplace(column.addedBy, int(r));
    }

    const MappedDiagram& mapped;
    std::map<int, int> erRoots;  // element -> the ER difference whose consequences it carries
    std::map<int, int> holders;  // relationship -> the relation holding the columns it appended

    const Relation* relation(int r) const {
        return r >= 0 && size_t(r) < mapped.model.relations.size()
                   ? &mapped.model.relations[size_t(r)]
                   : nullptr;
    }
    const Column* column(int r, int c) const {
        const Relation* rel = relation(r);
        return rel && c >= 0 && size_t(c) < rel->columns.size() ? &rel->columns[size_t(c)]
                                                                : nullptr;
    }
    // The relation a foreign-key column references, or -1.
    int target(int r, int c) const {
        return column(r, c) && column(r, c)->references
                   ? mapped.references[size_t(r)][size_t(c)].relationIndex
                   : -1;
    }
    int rootOf(int element) const {
        const auto found = erRoots.find(element);
        return found == erRoots.end() ? -1 : found->second;
    }
    // The relation holding the columns `relationship` appended, or -1.
    int holderOf(int relationship) const {
        const auto found = holders.find(relationship);
        return found == holders.end() ? -1 : found->second;
    }
};

bool isOneToOne(const Diagram& d, int relationship) {
    int ends = 0;
    for (int k : d.connectorsOf(relationship)) {
        const Connector& c = d.connector(k);
        if (!d.isLiveConnector(k) || !c.isRelationship() || c.second != relationship) continue;
        if (MaxPart(c.MN.Caption.trimmed()) != QStringLiteral("1")) return false;
        ++ends;
    }
    return ends == 2;
}

class RootCauses {
public:
    RootCauses(const MappedDiagram& student, const MappedDiagram& reference,
               const std::vector<int>& match, std::vector<Difference>& out)
        : s_(student), r_(reference), match_(match), out_(out) {
        studentToReference_.assign(student.model.relations.size(), -1);
        for (size_t r = 0; r < match.size(); ++r)
            if (match[r] >= 0) studentToReference_[size_t(match[r])] = int(r);
    }

    void run() {
        noteRenamedRelations();
        findErRoots();
        indexRelationalDifferences();
        noteOneToOneSides();
        noteRenamedForeignKeys();
        for (size_t i = 0; i < out_.size(); ++i)
            if (out_[i].cause < 0 && out_[i].category != Category::Equivalent)
                out_[i].cause = causeOf(out_[i]);
        orderUnderRoots();
    }

private:
    int add(Difference d) {
        out_.push_back(std::move(d));
        return int(out_.size()) - 1;
    }

    int note(const QString& relation, const QString& hint, int studentElement) {
        Difference d{Category::Equivalent, relation, QString(), hint, studentElement, 0};
        return add(std::move(d));
    }

    // A relation paired by its columns under another name is the same relation.
    void noteRenamedRelations() {
        for (size_t r = 0; r < match_.size(); ++r) {
            const Relation* mine = s_.relation(match_[r]);
            const Relation& ref = r_.mapped.model.relations[r];
            if (!mine || comparableName(mine->name) == comparableName(ref.name)) continue;
            note(ref.name,
                 QCoreApplication::translate("RootCauses",
                                             "%1 對應參考答案的 %2: 名稱不同, 依相同的欄位配對")
                     .arg(mine->name, ref.name),
                 mine->element);
        }
    }

    // What a relationship, an attribute or an entity drawn otherwise brings with it: on each side
    // its element, and for an entity weak on one side also the relationships it takes part in.
    void findErRoots() {
        for (size_t i = 0; i < out_.size(); ++i) {
            Difference& d = out_[i];
            if (d.category != Category::Participation && d.category != Category::Multivalued &&
                d.category != Category::WeakOrStrong)
                continue;
            // Both ends of one relationship drawn otherwise are one mistake.
            const int earlier = r_.rootOf(d.referenceElement);
            if (earlier >= 0) {
                d.cause = earlier;
                continue;
            }
            claim(r_, d.referenceElement, int(i), d.category == Category::WeakOrStrong);
            claim(s_, d.studentElement, int(i), d.category == Category::WeakOrStrong);
        }
    }

    static void claim(Side& side, int element, int difference, bool withRelationships) {
        side.erRoots.emplace(element, difference);
        if (!withRelationships) return;
        const Diagram& d = side.mapped.diagram;
        for (int k : d.connectorsOf(element))
            if (d.isLiveConnector(k) && d.connector(k).isRelationship())
                side.erRoots.emplace(d.connector(k).second, difference);
    }

    // Key differences and missing or extra relations by relation, for the foreign keys to them;
    // columns one side lacks by relation and column, for the keys they belong to.
    void indexRelationalDifferences() {
        for (size_t i = 0; i < out_.size(); ++i) {
            const Difference& d = out_[i];
            if (d.category == Category::KeyDiffers) keyChanged_.emplace(d.referenceRelation, i);
            if (d.category == Category::MissingRelation) missing_.emplace(d.referenceRelation, i);
            if (d.category == Category::ExtraRelation) extra_.emplace(d.studentRelation, i);
            const bool missing =
                d.category == Category::MissingColumn || d.category == Category::MissingForeignKey;
            const bool extra =
                d.category == Category::ExtraColumn || d.category == Category::ExtraForeignKey;
            if (missing && d.studentColumn < 0)
                missingColumns_.emplace(std::pair{d.referenceRelation, d.referenceColumn}, i);
            if (extra && d.referenceColumn < 0) {
                extraColumns_.emplace(std::pair{d.studentRelation, d.studentColumn}, i);
                if (d.category == Category::ExtraForeignKey)
                    extraForeignKeys_[d.studentRelation].push_back(i);
            }
        }
    }

    // A one-to-one relationship's foreign key may go to either side.
    void noteOneToOneSides() {
        std::multimap<QString, int> mine;
        const Diagram& sd = s_.mapped.diagram;
        for (int i = 1; i < sd.elementCount(); ++i)
            if (sd.isLiveElement(i) && sd.element(i).is(KindRelationship))
                mine.emplace(comparableName(sd.element(i).Caption), i);
        const Diagram& rd = r_.mapped.diagram;
        for (int i = 1; i < rd.elementCount(); ++i) {
            if (!rd.isLiveElement(i) || !rd.element(i).is(KindRelationship)) continue;
            const auto found = mine.find(comparableName(rd.element(i).Caption));
            if (found == mine.end()) continue;
            const int s = found->second;
            mine.erase(found);
            if (!isOneToOne(rd, i) || !isOneToOne(sd, s)) continue;
            const int refHolder = r_.holderOf(i), myHolder = s_.holderOf(s);
            if (refHolder < 0 || myHolder < 0 || match_[size_t(refHolder)] == myHolder) continue;
            const int n = note(
                rd.element(i).Caption,
                QCoreApplication::translate("RootCauses",
                                            "一對一關係 %1 的外鍵放在 %2 也可以, 與放在 %3 相同")
                    .arg(rd.element(i).Caption, s_.mapped.model.relations[size_t(myHolder)].name,
                         r_.mapped.model.relations[size_t(refHolder)].name),
                s);
            oneToOne_.emplace(std::pair{i, s}, n);
        }
    }

    // A foreign key missing under one name and extra under another, both referencing the same
    // column of the same relation, is the same foreign key.
    void noteRenamedForeignKeys() {
        const size_t count = out_.size();
        for (size_t i = 0; i < count; ++i) {
            const Difference& missing = out_[i];
            if (missing.category != Category::MissingForeignKey || missing.studentColumn >= 0)
                continue;
            const ColumnReference& want =
                r_.mapped
                    .references[size_t(missing.referenceRelation)][size_t(missing.referenceColumn)];
            const auto extras = extraForeignKeys_.find(match_[size_t(missing.referenceRelation)]);
            if (extras == extraForeignKeys_.end()) continue;
            for (size_t j : extras->second) {
                const Difference& extra = out_[j];
                if (extra.cause >= 0) continue;
                const ColumnReference& have =
                    s_.mapped
                        .references[size_t(extra.studentRelation)][size_t(extra.studentColumn)];
                if (want.relationIndex < 0 ||
                    match_[size_t(want.relationIndex)] != have.relationIndex ||
                    comparableName(want.column) != comparableName(have.column))
                    continue;
                const int n =
                    note(missing.relation,
                         QCoreApplication::translate(
                             "RootCauses", "%1.%2 對應參考答案的 %3: 名稱不同, 同樣參考 %4.%5")
                             .arg(missing.relation, extra.column, missing.column, want.relation,
                                  want.column),
                         extra.studentElement);
                out_[i].cause = n;
                out_[j].cause = n;
                break;
            }
        }
    }

    // The difference `d` follows from, or -1 when it stands by itself.
    int causeOf(const Difference& d) const {
        if (d.category == Category::Participation || d.category == Category::Multivalued ||
            d.category == Category::WeakOrStrong || d.category == Category::Specialization)
            return -1;
        if (const int er = erCause(d); er >= 0) return er;
        if (const int side = oneToOneCause(d); side >= 0) return side;
        if (d.category == Category::KeyDiffers) return keyCause(d);
        if (isRelationLevel(d.category)) return -1;
        // A foreign key follows the key and the relation it references.
        const int refTarget = r_.target(d.referenceRelation, d.referenceColumn);
        const int myTarget = s_.target(d.studentRelation, d.studentColumn);
        if (d.category == Category::ForeignKeyTarget) {
            // Another column of the right relation: its key changed. Another relation: only a
            // relation missing or extra explains it.
            if (refTarget >= 0 && match_[size_t(refTarget)] == myTarget)
                return found(keyChanged_, refTarget);
            if (const int missing = found(missing_, refTarget); missing >= 0) return missing;
            return found(extra_, myTarget);
        }
        if (d.category == Category::MissingForeignKey) return referencedCause(refTarget);
        if (d.category == Category::ExtraForeignKey) return studentReferencedCause(myTarget);
        return -1;
    }

    // What the reference's relation `target` lost: its key, or itself.
    int referencedCause(int target) const {
        if (target < 0) return -1;
        if (const int key = found(keyChanged_, target); key >= 0) return key;
        return found(missing_, target);
    }
    int studentReferencedCause(int target) const {
        if (target < 0) return -1;
        if (const int extra = found(extra_, target); extra >= 0) return extra;
        return referencedCause(studentToReference_[size_t(target)]);
    }

    template <typename Key>
    static int found(const std::map<Key, size_t>& index, const Key& key) {
        const auto it = index.find(key);
        return it == index.end() ? -1 : int(it->second);
    }

    // A relationship, an attribute or an entity drawn otherwise: the relations it made (or not),
    // and the columns it moved.
    int erCause(const Difference& d) const {
        for (const auto& [side, relation, column] :
             {std::tuple{&r_, d.referenceRelation, d.referenceColumn},
              std::tuple{&s_, d.studentRelation, d.studentColumn}}) {
            const Relation* rel = side->relation(relation);
            if (!rel) continue;
            if (isStructural(d.category))
                if (const int root = side->rootOf(rel->element); root >= 0) return root;
            if (const Column* c = side->column(relation, column)) {
                if (const int root = side->rootOf(c->addedBy); c->addedBy && root >= 0) return root;
                if (const int root = side->rootOf(c->element); c->element && root >= 0) return root;
            }
        }
        return -1;
    }

    int oneToOneCause(const Difference& d) const {
        const Column* ref = r_.column(d.referenceRelation, d.referenceColumn);
        const Column* mine = s_.column(d.studentRelation, d.studentColumn);
        for (const auto& [pair, note] : oneToOne_)
            if ((ref && ref->addedBy == pair.first) || (mine && mine->addedBy == pair.second))
                return note;
        return -1;
    }

    // A key that differs only by foreign keys to changed keys or to missing or extra relations,
    // and by columns missing or extra anyway, follows from those.
    int keyCause(const Difference& d) const {
        const Relation* ref = r_.relation(d.referenceRelation);
        const Relation* mine = s_.relation(d.studentRelation);
        if (!ref || !mine) return -1;
        int cause = -1;
        if (!explainKeyColumns(true, d.referenceRelation, keyOf(*mine), cause) ||
            !explainKeyColumns(false, d.studentRelation, keyOf(*ref), cause))
            return -1;
        return cause;
    }

    static std::set<QString> keyOf(const Relation& relation) {
        std::set<QString> key;
        for (const Column& c : relation.columns)
            if (c.key) key.insert(comparableName(c.name));
        return key;
    }

    // Whether each key column of one side's relation that is not in the other side's key
    // `otherKey` is explained by another difference; the first explanation goes to `cause`.
    bool explainKeyColumns(bool onReference, int relation, const std::set<QString>& otherKey,
                           int& cause) const {
        const Side& side = onReference ? r_ : s_;
        const auto& lacking = onReference ? missingColumns_ : extraColumns_;
        const std::vector<Column>& columns = side.relation(relation)->columns;
        for (size_t c = 0; c < columns.size(); ++c) {
            if (!columns[c].key || otherKey.contains(comparableName(columns[c].name))) continue;
            const int target = side.target(relation, int(c));
            int by = -1;
            if (target != relation)
                by = onReference ? referencedCause(target) : studentReferencedCause(target);
            if (by < 0) by = found(lacking, std::pair{relation, int(c)});
            if (by < 0) return false;
            if (cause < 0) cause = by;
        }
        return true;
    }

    // Every consequence names its root; roots keep their order, each followed by its
    // consequences. A circle of causes (two relations keyed by each other's keys) stops at the
    // first of it, which then counts.
    void orderUnderRoots() {
        std::vector<int> root(out_.size(), -1);
        for (size_t i = 0; i < out_.size(); ++i) {
            std::set<int> seen{int(i)};
            int at = int(i);
            while (out_[size_t(at)].cause >= 0 && seen.insert(out_[size_t(at)].cause).second)
                at = out_[size_t(at)].cause;
            if (out_[size_t(at)].cause >= 0) out_[size_t(at)].cause = -1;
            root[i] = at;
        }
        for (size_t i = 0; i < out_.size(); ++i)
            if (out_[i].cause < 0) root[i] = int(i);
        std::vector<std::vector<size_t>> consequences(out_.size());
        for (size_t i = 0; i < out_.size(); ++i)
            if (root[i] != int(i)) consequences[size_t(root[i])].push_back(i);
        std::vector<Difference> ordered;
        ordered.reserve(out_.size());
        for (size_t i = 0; i < out_.size(); ++i) {
            if (root[i] != int(i)) continue;
            const int at = int(ordered.size());
            ordered.push_back(std::move(out_[i]));
            for (size_t j : consequences[i]) {
                ordered.push_back(std::move(out_[j]));
                ordered.back().cause = at;
            }
        }
        out_ = std::move(ordered);
    }

    Side s_, r_;
    const std::vector<int>& match_;
    std::vector<int> studentToReference_;
    std::vector<Difference>& out_;
    std::map<int, size_t> keyChanged_, missing_, extra_;
    std::map<std::pair<int, int>, size_t> missingColumns_, extraColumns_;
    std::map<int, std::vector<size_t>> extraForeignKeys_;  // student relation -> differences
    std::map<std::pair<int, int>, int> oneToOne_;  // (reference's, student's relationship) -> note
};

}  // namespace

void groupRootCauses(const MappedDiagram& student, const MappedDiagram& reference,
                     const std::vector<int>& match, std::vector<Difference>& differences) {
    RootCauses(student, reference, match, differences).run();
}
