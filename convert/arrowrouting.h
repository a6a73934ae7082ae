#pragma once

#include <vector>

#include "worksheet.h"

// The routed arrow style: every foreign-key arrow leaves the bottom edge of its cell, runs along a
// track of the empty row below the relation, up or down a lane of a gutter column right of every
// written cell, along a track of the empty row below the referenced relation, and up to the
// bottom edge of the key cell, where its arrowhead ends. It never crosses a written cell.
//
// Every arrow has tracks, a lane and stubs (the short vertical pieces at its two cells) of its
// own: tracks and lanes kSpacing points from any parallel piece, the stubs under one key cell
// kStubSpacing apart, so that their arrowheads stay apart. A track lies at least kSpacing below
// the cells above it, so that it never reads as an underline. Rows grow to hold their tracks, key
// columns to hold their stubs, and the gutter to hold its lanes, in as many columns as they take.
// Rows and columns stay within what a spreadsheet can size (409.5 and 1,530 points): the tracks of
// a row or the stubs of a cell that would not fit there come closer instead.
namespace ArrowRouting {

constexpr double kSpacing = 4;
constexpr double kStubSpacing = 6;

struct Arrow {
    int row, column;        // the foreign-key cell
    int keyRow, keyColumn;  // the key cell it references, on another cell
    int colour;             // scheme colour
};

// Routes `arrows` on `sheet`, whose cells are written and whose columns and rows have their sizes
// for the text; widens and heightens what the routes need and adds their shapes.
void route(const std::vector<Arrow>& arrows, Worksheet& sheet);

}  // namespace ArrowRouting
