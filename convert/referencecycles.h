#pragma once

#include "relationalmodel.h"

// Required foreign keys (NOT NULL) that reference each other in a cycle between relations — an
// employee must work for a department and a department must have a manager — leave no row that
// could be inserted first. This marks enough of them as `deferred` to break every such cycle,
// and adds why to their explanations: those are checked when the transaction ends (or left
// nullable where the database cannot wait). A foreign key into its own relation closes no such
// cycle: a row may reference itself. Key columns are never marked: they cannot be left empty.
void markReferenceCycles(RelationalModel& model);
