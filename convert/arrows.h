#pragma once

#include <vector>

#include "sheetgeometry.h"
#include "worksheet.h"

// The shapes of the foreign-key arrows of the straight and elbow styles, placed on the cells as
// the sheet's geometry puts them. The routed style is in arrowrouting.h.
namespace Arrows {

// The pitch the relations were first laid out with: every column this wide, every row this high.
// Rows keep it; columns are fitted to their text.
constexpr double kColumnPitch = 53.79492188;
constexpr double kRowPitch = 16.48425;

// A straight arrow from the foreign-key cell (row, column) to the key cell (keyRow, keyColumn);
// `offset` (3..9) spreads arrows leaving neighbouring cells.
std::vector<DrawingShape> straight(const SheetGeometry& sheet, int row, int column, int keyRow,
                                   int keyColumn, int offset, int colour);

// An elbow: left along the foreign key's row to the bus, which runs `bus` points left of the
// second column's right edge, a quarter turn, along the bus to the key's row, and right into the
// key cell. `lane` lowers both horizontal runs.
std::vector<DrawingShape> elbow(const SheetGeometry& sheet, int row, int column, int keyRow,
                                int keyColumn, double bus, double lane, int colour);
// How far left of the second column's right edge an elbow with bus offset `bus` reaches.
constexpr double elbowReach(double bus) {
    return bus + 6;
}

// A foreign key beside its own key on one row: down out of the cell, a turn, left under the row
// and up into the key cell.
std::vector<DrawingShape> sameRowLoop(const SheetGeometry& sheet, int row, int column,
                                      int keyColumn, int colour);

// A line shape from `from` to `to`, with an arrowhead at `to` when asked.
DrawingShape line(QPointF from, QPointF to, int colour, bool arrowHead = false);

}  // namespace Arrows
