#pragma once

#include <cstdint>

// Advance widths of the workbook font in font units (kUnitsPerEm to the em), for the code points
// of kRanges in order: the upright and italic faces in kRegular, the bold ones in kBold.
namespace FontWidths {

constexpr int kUnitsPerEm = 2048;

struct Range {
    char32_t first, end;  // [first, end)
};
constexpr Range kRanges[] = {{0x20, 0x250}, {0x370, 0x500}};
constexpr int kTableSize = (0x250 - 0x20) + (0x500 - 0x370);

extern const std::uint16_t kRegular[kTableSize];
extern const std::uint16_t kBold[kTableSize];

}  // namespace FontWidths
