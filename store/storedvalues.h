#pragma once

#include <QString>
#include <QVariant>
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

// A stored integer read strictly: a whole number of an integer, floating-point or text column,
// nullopt for anything else (a fraction, text that is no plain integer, a null, a value beyond
// 64 bits). Nothing is wrapped or rounded, so 4294967297 never reads as 1.
std::optional<qint64> storedInteger(const QVariant& value);

// Positions and sizes lie within this distance of 0; anything beyond is a damaged value.
constexpr double kLargestStoredCoordinate = 1'000'000;

// A stored position or size: a finite number within ±kLargestStoredCoordinate, else nullopt.
std::optional<float> storedCoordinate(const QVariant& value);
