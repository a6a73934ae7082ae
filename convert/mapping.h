#pragma once

#include "diagram.h"
#include "relationalmodel.h"

// Maps a validated diagram in min,max notation to its relational model, in four passes: entities,
// weak entities, multivalued attributes, relationships. The diagram is only read.
RelationalModel mapDiagram(const Diagram& diagram);
