#pragma once

#include "diagram.h"

// Connector layout. Both routines read the two elements' geometry and the settings (the recursive
// one also its connector's neighbours, to tell the two of a pair apart) and write the end points
// of one line and the positions of labels; they keep no state.

// Joins the nearest pair of side midpoints of elements EntityIndex and AttIndex with LineX and
// puts MN beside the end that MNPosition selects. Is2nd: LineX is the parallel second line.
void PlaceLine(Diagram& diagram, qint16 EntityIndex, qint16 AttIndex, Line& LineX, Label& MN,
               bool Is2nd);

// Lays out connector LineIndex as one of the two connectors of a recursive pair (entity
// EntityIndex, relationship AttIndex), placing MN and Description too. Is2nd places and shows
// Line2 instead of Line1.
void PlaceRecursiveLine(Diagram& diagram, qint16 EntityIndex, qint16 AttIndex, qint16 LineIndex,
                        Label& MN, Label& Description, bool Is2nd);
