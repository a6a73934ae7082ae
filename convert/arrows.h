#pragma once

#include <vector>

#include "worksheet.h"

// Where the foreign-key arrows go. Shapes are placed as if every column were kColumnPitch points
// wide and every row kRowPitch points high; the writer sets the sheet's columns and rows to the
// same sizes so that the cells lie under the arrows.
namespace Arrows {

constexpr double kColumnPitch = 53.79492188;
constexpr double kRowPitch = 16.48425;
// The bus of elbow arrows runs left from the right edge of the second column.
constexpr double kBusEdge = 2 * kColumnPitch;

// Left and top edge of a cell, in points.
inline double cellLeft(int column) {
    return (column - 1) * kColumnPitch;
}
inline double cellTop(int row) {
    return (row - 1) * kRowPitch;
}

// A straight arrow from the foreign-key cell (row, column) to the key cell (keyRow, keyColumn);
// `offset` (3..9) spreads arrows leaving neighbouring cells.
std::vector<DrawingShape> straight(int row, int column, int keyRow, int keyColumn, int offset,
                                   int colour);

// An elbow: left along the foreign key's row to the bus, a quarter turn, along the bus to the
// key's row, and right into the key cell. `bus` and `lane` are the offsets of this arrow.
std::vector<DrawingShape> elbow(int row, int column, int keyRow, int keyColumn, double bus,
                                double lane, int colour);

// A foreign key beside its own key on one row: down out of the cell, a turn, left under the row
// and up into the key cell.
std::vector<DrawingShape> sameRowLoop(int row, int column, int keyColumn, int colour);

}  // namespace Arrows
