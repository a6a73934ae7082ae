#include "schematext.h"

#include <QHash>
#include <QStringList>
#include <map>

std::vector<std::vector<ColumnReference>> columnReferences(const RelationalModel& model) {
    std::map<int, int> byElement;  // entity or weak entity -> its relation
    for (size_t r = 0; r < model.relations.size(); ++r) {
        const Relation& relation = model.relations[r];
        if (relation.origin == RelationOrigin::Entity ||
            relation.origin == RelationOrigin::WeakEntity)
            byElement.emplace(relation.element, int(r));
    }
    // The first own column of each element, per referenced relation, made when the relation is
    // first referenced: a relation of thousands of columns referenced thousands of times is not
    // searched column by column each time. A weak entity's key also holds its owners' keys,
    // foreign keys themselves: a reference to its whole key finds them by the element they
    // reference in turn.
    std::map<int, QHash<int, int>> ownColumns;  // relation -> element -> column
    const auto ownColumnsOf = [&](int r) -> const QHash<int, int>& {
        const auto [at, added] = ownColumns.try_emplace(r);
        if (added) {
            const std::vector<Column>& columns = model.relations[size_t(r)].columns;
            for (size_t k = 0; k < columns.size(); ++k)
                if (!columns[k].references && !at->second.contains(columns[k].element))
                    at->second.insert(columns[k].element, int(k));
            for (size_t k = 0; k < columns.size(); ++k)
                if (columns[k].references && columns[k].key &&
                    !at->second.contains(columns[k].references->target))
                    at->second.insert(columns[k].references->target, int(k));
        }
        return at->second;
    };
    std::vector<std::vector<ColumnReference>> out;
    for (const Relation& relation : model.relations) {
        std::vector<ColumnReference>& refs = out.emplace_back(relation.columns.size());
        for (size_t c = 0; c < relation.columns.size(); ++c) {
            const Column& column = relation.columns[c];
            if (!column.references) continue;
            const auto found = byElement.find(column.references->entity);
            if (found == byElement.end()) continue;
            const Relation& referenced = model.relations[size_t(found->second)];
            refs[c].relation = referenced.name;
            refs[c].relationIndex = found->second;
            const QHash<int, int>& own = ownColumnsOf(found->second);
            const auto key = own.constFind(column.references->target);
            if (key != own.constEnd()) {
                refs[c].column = referenced.columns[size_t(*key)].name;
                refs[c].columnIndex = *key;
            }
        }
    }
    return out;
}

int relationOfEntity(const RelationalModel& model, int entity) {
    for (size_t r = 0; r < model.relations.size(); ++r) {
        const Relation& relation = model.relations[r];
        if ((relation.origin == RelationOrigin::Entity ||
             relation.origin == RelationOrigin::WeakEntity) &&
            relation.element == entity)
            return int(r);
    }
    return -1;
}

int columnHolding(const Relation& relation, int target) {
    const std::vector<Column>& columns = relation.columns;
    for (size_t c = 0; c < columns.size(); ++c)
        if (!columns[c].references && columns[c].element == target) return int(c);
    for (size_t c = 0; c < columns.size(); ++c)
        if (columns[c].references && columns[c].key && columns[c].references->target == target)
            return int(c);
    return -1;
}

QString sharedReferencesText(const RelationalModel& model, size_t relation, size_t column) {
    const Relation& r = model.relations[relation];
    const Column& c = r.columns[column];
    QString text;
    if (!c.references) return text;
    for (const Relation::SharedKey& shared : r.sharedKeys) {
        const int to = relationOfEntity(model, shared.entity);
        if (shared.group != c.references->group || to < 0) continue;
        const Relation& other = model.relations[size_t(to)];
        const int key = columnHolding(other, c.references->target);
        if (key >= 0)
            text += QStringLiteral(" & %1.%2").arg(other.name, other.columns[size_t(key)].name);
    }
    return text;
}

QString schemaLine(const RelationalModel& model, size_t relation,
                   const std::vector<std::vector<ColumnReference>>& references) {
    const Relation& r = model.relations[relation];
    QStringList columns;
    for (size_t c = 0; c < r.columns.size(); ++c) {
        const Column& column = r.columns[c];
        QString text = column.key ? QStringLiteral("_%1_").arg(column.name) : column.name;
        const ColumnReference& ref = references[relation][c];
        if (column.references && !ref.relation.isEmpty())
            text += QStringLiteral("→%1.%2").arg(ref.relation, ref.column) +
                    sharedReferencesText(model, relation, c);
        columns << text;
    }
    return r.name + QLatin1Char('(') + columns.join(QStringLiteral(", ")) + QLatin1Char(')');
}
