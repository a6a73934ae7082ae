#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <vector>

// The relational model a diagram converts into: relations with ordered columns, primary keys
// (the underlined columns) and foreign keys that name the key attribute they reference. It also
// remembers the order in which relations were started and extended, which is the order the
// workbook is written in.

enum class RelationOrigin { Entity, WeakEntity, MultivaluedAttribute, Relationship };

// The mapping rules, numbered as a database textbook teaches them.
enum MappingRule : int {
    RuleNone = 0,
    RuleEntity = 1,       // 實體
    RuleWeakEntity = 2,   // 弱實體
    RuleOneToOne = 3,     // 一對一關係
    RuleOneToMany = 4,    // 一對多關係
    RuleManyToMany = 5,   // 多對多關係
    RuleMultivalued = 6,  // 多值屬性
    RuleNary = 7,         // 多元關係
    // Step 8, one rule per option a specialization is mapped by, and step 9: categories.
    RuleSpecializationA = 8,   // 8A 超類別與每個子類別各一個關聯
    RuleSpecializationB = 9,   // 8B 只有子類別的關聯
    RuleSpecializationC = 10,  // 8C 一個關聯加一個類型屬性
    RuleSpecializationD = 11,  // 8D 一個關聯加每個子類別的布林旗標
    RuleCategory = 12,         // 9 類別
};
// "規則 4 一對多關係", "規則 8A ..."; empty for RuleNone.
QString ruleTitle(int rule);

// Why a relation or a column is there: the rule that made it and one sentence for the student.
struct Explanation {
    int rule = RuleNone;
    QString reason;
};

struct ForeignKey {
    int attribute = 0;  // the referenced key attribute (element index)
    // The element whose cell the arrow points at: the attribute itself, or, for a composite key
    // attribute, the component this column stands for (one column per visible component).
    int target = 0;
    int entity = 0;  // the element that owns the referenced key
    int group = 0;   // columns added together for one referenced element share a group number
};

struct Column {
    QString name;
    bool key = false;     // underlined: part of the primary key
    bool italic = false;  // an owner's key in a weak entity's relation
    int element = 0;      // own columns: the attribute or component written; 0 for foreign keys
    std::optional<ForeignKey> references;
    int addedBy = 0;  // the relationship that appended the column to an existing relation, or 0
    // Every row must have a value (NOT NULL): key columns, an n-ary relationship's participants,
    // and the foreign key of a one-to-one or one-to-many relationship its holder must take part in.
    bool required = false;
    // A required foreign key that closes a cycle of required foreign keys between relations: no
    // first row could be inserted, so it is checked when the transaction ends (left nullable
    // where the database cannot wait).
    bool deferred = false;
    // The only values the column may hold (a CHECK constraint): a type attribute's subclass
    // names, or "0" and "1" for a subclass flag; empty: any value.
    QStringList allowedValues;
    Explanation why;
};

struct Relation {
    QString name;
    int element = 0;  // the entity, weak entity, multivalued attribute or relationship
    RelationOrigin origin = RelationOrigin::Entity;
    std::vector<Column> columns;
    Explanation why;
    // Further foreign keys made of the columns of one group: a shared subclass's inherited key
    // references the relation of each of its superclasses.
    struct SharedKey {
        int group = 0;
        int entity = 0;
    };
    std::vector<SharedKey> sharedKeys;
};

// The ER element a column of `relation` comes from: its attribute or component, or, for a foreign
// key, the relationship that appended it or else the element whose relation it is (the
// relationship, weak entity or multivalued attribute whose rule brought the key in).
inline int columnSource(const Relation& relation, const Column& column) {
    if (!column.references) return column.element;
    return column.addedBy ? column.addedBy : relation.element;
}

// One piece of output: a new relation, or columns appended to one written earlier.
struct OutputStep {
    int relation = 0;
    bool appends = false;
    int firstColumn = 0;
    int columnCount = 0;
};

struct RelationalModel {
    std::vector<Relation> relations;
    std::vector<OutputStep> steps;
};

// Collects the model through the same operations the workbook offers: start a relation, add own
// and foreign-key columns, open an existing relation for appending, finish a relation.
class RelationalModelBuilder {
public:
    void startRelation(const QString& name, int element, RelationOrigin origin);
    void addOwnColumn(const QString& caption, bool underline, int element, bool required = false);
    void addForeignKeyColumn(const QString& text, bool underline, bool italic,
                             const ForeignKey& references, bool required = false);
    // Continues the relation of entity or weak entity `holder` for `relationship`. False when no
    // relation was started for it: the columns that follow are dropped.
    bool openForAppending(int holder, int relationship);
    // Restricts the own column of `element` in the relation being written to `values`; false
    // when it has no such column.
    bool allowValues(int element, const QStringList& values);
    // The key columns of foreign-key `group` in the relation being written also reference the
    // relation of `entity`.
    void alsoReference(int group, int entity);
    void finishRelation();
    // The explanation of the relation being written, and of the columns added after this call.
    void explainRelation(Explanation why);
    void explainColumns(Explanation why) { columnsWhy_ = std::move(why); }

    const RelationalModel& model() const { return model_; }
    RelationalModel take() { return std::move(model_); }

private:
    void add(Column column);

    RelationalModel model_;
    std::map<int, int> entityRelations_;  // entity element -> its relation
    int current_ = -1;                    // relation receiving columns; -1 none
    int appendingFor_ = 0;
    Explanation columnsWhy_;
};
