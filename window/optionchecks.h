#pragma once

#include <QString>
#include <array>
#include <optional>
#include <variant>

#include "diagram.h"

// The checks of the options dialog, apart from its widgets.

// The colour swatches, in the dialog's order.
enum Swatch : int {
    SwatchWindowBack = 0,  // "Application底色"
    SwatchCandidate = 1,   // "候選元素之顏色"
    SwatchSelected = 2,    // "已選元素之顏色"
    SwatchAttLine = 3,     // "屬性之線條顏色"
    SwatchRelLine = 4,     // "關聯之線修顏色"
};
constexpr int kSwatchCount = 5;
using SwatchColours = std::array<OleColor, kSwatchCount>;

// The colours in force, by swatch.
SwatchColours swatchColoursInForce(const ProgramSettings& settings);

// Why swatch `s` may not take colour `c`, or nullopt when it may. The user tells highlights and
// connector kinds apart by colour alone, so the four highlight and connector colours must differ
// from each other, and the highlight colours from the window background (the colour new elements
// take) and from every element's own colour; each is compared with the partner's colour in force
// and with the one waiting in the dialog.
std::optional<QString> swatchRefusal(int s, OleColor c, const SwatchColours& pending,
                                     const Diagram& diagram);

// One inset box of the options dialog.
enum class InsetBox { DiaWidth, EllWidth, RecWidth, DoubleLineWidth };

// The value typed into an inset box, or the message refusing it: not a number, below 0, above 8
// (8 itself is taken), or outside the range of the setting. Fractions round to the nearest
// integer, halves to even.
std::variant<qint32, QString> readInset(InsetBox box, const QString& text);
