#include "geometry.h"

// Placeholder until the layout routines are written.
void PlaceLine(Diagram&, qint16, qint16, Line&, Label&, bool) {}
void PlaceRecursiveLine(Diagram&, qint16, qint16, qint16, Label&, Label&, bool) {}
