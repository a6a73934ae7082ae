#pragma once

#include "diagram.h"
#include "relationalmodel.h"
#include "worksheet.h"

// The sheet "對映說明": a header row, then one row per column in output order (a relation's own
// columns, then what relationships appended to it, as Sheet1 writes them): relation (bold),
// column, 主鍵 / 外鍵 marks, the referenced relation and column, the ER element it comes from,
// the mapping rule and the reason.
Worksheet explanationSheet(const RelationalModel& model, const Diagram& diagram);

// "實體 EMPLOYEE", "多值屬性 Phones", ...: an element as the explanations name it.
QString describeElement(const Diagram& diagram, int element);
