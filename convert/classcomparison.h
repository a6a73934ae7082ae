#pragma once

#include <vector>

#include "comparison.h"

// The enhanced-ER differences between a student's diagram and the reference: each reference
// specialization is matched by its superclass's caption, each category by its subclass's (the
// circle whose other classes overlap most); a circle missing or of the other kind, another mark
// (disjoint or overlapping), total where the reference is partial or the reverse, and another
// number of subclasses or superclasses. Appended in the order of the reference's circles.
void compareClasses(const Diagram& student, const Diagram& reference,
                    std::vector<Difference>& differences);
