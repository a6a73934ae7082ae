#pragma once

#include <vector>

#include "comparison.h"
#include "schematext.h"

// A diagram with its relational model and where the model's foreign keys point.
struct MappedDiagram {
    const Diagram& diagram;
    RelationalModel model;
    std::vector<std::vector<ColumnReference>> references;
};

// Finds which differences follow from another, so that one modelling mistake counts once: the
// relations, columns and keys a relationship's other cardinality, a multivalued or a weak entity
// drawn otherwise moves; the foreign keys (and the keys made of them) that change with the key
// they reference or vanish with the relation they reference; a key that differs only by columns
// already missing or extra. Designs equivalent to the reference's get a note that costs nothing:
// a one-to-one relationship's key on the other side, a relation or a foreign key named otherwise.
// Sets every consequence's cause to the difference it comes from at the root and orders the list
// so that each cause is followed by its consequences. `match` pairs reference relations with the
// student's (matchRelations).
void groupRootCauses(const MappedDiagram& student, const MappedDiagram& reference,
                     const std::vector<int>& match, std::vector<Difference>& differences);
