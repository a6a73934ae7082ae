#pragma once

#include <QString>
#include <optional>

#include "diagram.h"
#include "relationalmodel.h"

// What a spreadsheet program can hold: longer texts, wider rows or more rows are cut or refused
// by the programs that open the workbook, so such a workbook is not written at all.
struct WorkbookLimits {
    static constexpr int kCellText = 32767;
    static constexpr int kColumns = 16384;
    static constexpr int kRows = 1048576;
};

// Why the relational model does not fit a workbook, naming the element at fault; nothing when it
// fits. Each relation takes a name row, a column row and a blank row.
std::optional<QString> workbookLimitProblem(const RelationalModel& model, const Diagram& diagram);
