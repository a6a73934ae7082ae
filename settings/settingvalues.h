#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

#include "olecolor.h"

// Text <-> number conversions of the stored settings. Every value is stored as text; these
// decide what a stored text means and how a number is written.

// The number at the start of the text: optional blanks, an optional sign, digits with an optional
// fraction and exponent. Text after the number is ignored ("255abc" is 255). nullopt when the text
// does not start with a number or the number does not fit a double.
std::optional<double> leadingNumber(QStringView text);

// The whole text as a number, blanks around it allowed; nullopt when anything else follows.
std::optional<double> wholeNumber(QStringView text);

// To the nearest integer, halves to the even neighbour; nullopt outside the type's range.
std::optional<qint16> roundToInt16(double value);
std::optional<qint32> roundToInt32(double value);

// The stored text read as a 16-bit or 32-bit integer, or a 32-bit float: nullopt for a missing
// value or a text that is not a number in range.
std::optional<qint16> settingToInt16(const std::optional<QString>& text);
std::optional<qint32> settingToInt32(const std::optional<QString>& text);
std::optional<float> settingToFloat(const std::optional<QString>& text);

// A colour value: the number at the start of the text to the nearest integer, when it is a
// 24-bit colour (0 to 0xFFFFFF); nullopt otherwise.
std::optional<OleColor> settingToColour(const std::optional<QString>& text);

// The shortest decimal text that reads back as the same 32-bit float ("1024", "12.5", "1e+07").
QString floatText(float value);

// The four highlight and connector colours in the order Selected, Candidate, AttLine, RelLine.
using ColourQuad = std::array<OleColor, 4>;

// The editor tells states and connector kinds apart only by colour equality, so the four colours
// must stay pairwise different. Colours that are missing, or equal to another read colour, take
// their default; a default already used by a kept colour gives way to the next unused default.
// `defaults` must be pairwise different.
ColourQuad distinctColours(const std::array<std::optional<OleColor>, 4>& read,
                           const ColourQuad& defaults);
