#pragma once

#include <QString>
#include <array>

// The spreadsheet's legacy 56-colour palette. A font's colour index (1..56) and a drawing's
// scheme colour name the same palette entry seven apart: SpreadsheetML writes a font colour as
// indexed="colour index + 7", the numbering the scheme colours use.
namespace Palette {

constexpr int kSchemeOffset = 7;

// Font colour index of the n-th foreign key's colour (the key colour table).
constexpr std::array<int, 9> kKeyColours = {3, 5, 10, 46, 55, 13, 7, 38, 33};
// Scheme colour of the arrow drawn for the same foreign key (the arrow colour table).
constexpr std::array<int, 9> kArrowColours = {10, 12, 17, 53, 62, 20, 14, 45, 40};

// "RRGGBB" of a legacy colour index 1..56; black for anything else.
QString rgbOfColourIndex(int colourIndex);
// "RRGGBB" of a scheme colour / SpreadsheetML indexed colour 8..63.
inline QString rgbOfSchemeColour(int scheme) {
    return rgbOfColourIndex(scheme - kSchemeOffset);
}

}  // namespace Palette
