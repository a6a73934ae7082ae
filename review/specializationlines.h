#pragma once

#include <vector>

#include "reviewlines.h"

class Diagram;

// One line per live specialization and category of the diagram, in element order, each linked to
// its circle: the superclass(es), the mark, the subclass(es), total or partial, and for a
// specialization its mapping and defining attribute ("EMPLOYEE ⊃ d {SECRETARY, ENGINEER}, 部分,
// 對映 8A, 定義屬性 Job_type").
std::vector<ReviewLine> specializationLines(const Diagram& diagram);
