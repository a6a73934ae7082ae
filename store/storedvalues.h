#pragma once

#include <QString>
#include <optional>

#include "module1.h"
#include "olecolor.h"

// How element data is written into the store's columns and read back.

// The number bound for a REAL column: the double that the shortest text names, so that the
// database shows 0.1 rather than 0.100000001490116; the float's own double value in the rare case
// where that would not read back as the same float.
double storedReal(float value);

// Colours are stored as the decimal text of a 32-bit signed integer (system colours negative).
QString colourText(OleColor colour);
std::optional<OleColor> colourFromText(const QString& text);
