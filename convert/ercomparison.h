#pragma once

#include <vector>

#include "comparison.h"

// The differences a relational model does not show by name: matched by caption, an entity weak
// in one diagram and strong in the other, an attribute multivalued in one and simple in the
// other, and a relationship whose entity takes part with another minimum or maximum. Appended
// in the order of the reference's elements.
void compareDrawings(const Diagram& student, const Diagram& reference,
                     std::vector<Difference>& differences);
