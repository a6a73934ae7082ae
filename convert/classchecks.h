#pragma once

#include <vector>

#include "checkdiagram.h"
#include "classhierarchy.h"

// Validation of the enhanced-ER parts of a diagram, in the house style of the other checks:
// each defect appended to `problems` with its message.

// A specialization has one superclass and at least one subclass, a defining attribute of that
// superclass, and a mapping option it can take; a category has at least two superclasses, each
// with a key, and one subclass.
void checkCircle(const Diagram& d, const ClassHierarchy& classes, int circle,
                 std::vector<DiagramProblem>& problems);

// No entity may be a subclass of itself through circles.
void checkClassCycles(const Diagram& d, const ClassHierarchy& classes,
                      std::vector<DiagramProblem>& problems);
