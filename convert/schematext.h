#pragma once

#include <QString>
#include <vector>

#include "relationalmodel.h"

// The relational schema as a textbook writes it, one line per relation in the workbook's order:
// NAME(key1, key2, col, fk→REF.col, ...).

// Where each foreign-key column points: the referenced relation and column, by name and by
// position in the model; -1 (and no name) where the model has none.
struct ColumnReference {
    QString relation, column;
    int relationIndex = -1, columnIndex = -1;
};
// For every relation, for every column, its reference (empty for own columns).
std::vector<std::vector<ColumnReference>> columnReferences(const RelationalModel& model);

// The relation of `entity` (an entity's or weak entity's, as foreign keys find it), or -1.
int relationOfEntity(const RelationalModel& model, int entity);
// The column of `relation` that holds key element `target`: its own column, or a key column that
// itself references it; -1 when none does.
int columnHolding(const Relation& relation, int target);
// What a column references besides its own foreign key, as " & REL.col" each: a shared
// subclass's key, which also references each further superclass's relation.
QString sharedReferencesText(const RelationalModel& model, size_t relation, size_t column);

// Plain text; key columns are marked with a leading underscore pair, _Ssn_, where no underline
// can be shown.
QString schemaLine(const RelationalModel& model, size_t relation,
                   const std::vector<std::vector<ColumnReference>>& references);
