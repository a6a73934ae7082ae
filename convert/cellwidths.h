#pragma once

#include <QString>

#include "worksheet.h"

// How wide the workbook's text is, so that columns can be made wide enough to show it whole.
namespace CellWidths {

// The width in points of `text` in the workbook font (12 pt), bold or not. Latin, Greek and
// Cyrillic letters are measured with the font's own metrics, East Asian wide characters take a
// full em, as a CJK font draws them.
double textPoints(const QString& text, bool bold);

// The column width in points that shows a cell's content whole, with the cell's inner margins.
double cellPoints(const Cell& cell);

// The widest column a spreadsheet offers: 255 characters of the workbook font's digit width.
constexpr double kMaxColumnPoints = 255 * 6.0;

// Sets every used column of `sheet` to the width of its widest cell (at most kMaxColumnPoints).
void fitColumns(Worksheet& sheet);

}  // namespace CellWidths
