#include "cellwidths.h"

#include <algorithm>

#include "fontwidths.h"

namespace CellWidths {

namespace {

constexpr double kFontPoints = 12;
// Left and right inner margins of a cell and a little room for rounding to whole pixels, as
// LibreOffice and Excel draw text.
constexpr double kCellMargins = 7;
// A spreadsheet's usual column width: 8.43 characters and the margins, 64 pixels.
constexpr double kStandardColumnPoints = 48;

// East Asian wide and full-width characters: drawn one em wide by a CJK font.
bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

// The width of one character in em, from the font's table where it has one.
double emWidth(char32_t c, bool bold) {
    int offset = 0;
    for (const FontWidths::Range& range : FontWidths::kRanges) {
        if (c >= range.first && c < range.end) {
            const std::uint16_t units =
                (bold ? FontWidths::kBold : FontWidths::kRegular)[offset + int(c - range.first)];
            if (units > 0) return double(units) / FontWidths::kUnitsPerEm;
            break;
        }
        offset += int(range.end - range.first);
    }
    if (c < 0x20 || (c >= 0x300 && c < 0x370) || c == 0x200B) return 0;  // controls, combining
    if (isWide(c)) return 1;
    // Letters of other scripts, drawn by a fallback font: about the width of a wide Latin letter.
    return 0.75;
}

}  // namespace

double textPoints(const QString& text, bool bold) {
    double em = 0;
    const QChar* s = text.constData();
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        char32_t c = s[i].unicode();
        if (s[i].isHighSurrogate() && i + 1 < n && s[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(s[i], s[i + 1]);
            ++i;
        }
        em += emWidth(c, bold);
    }
    return em * kFontPoints;
}

double cellPoints(const Cell& cell) {
    const QString text = cell.number ? QString::number(*cell.number, 'g', 15) : cell.text;
    if (text.isEmpty()) return 0;
    return textPoints(text, cell.font.bold) + kCellMargins;
}

void fitColumns(Worksheet& sheet) {
    std::vector<double>& widths = sheet.columnWidths;
    for (const auto& [row, cells] : sheet.rows()) {
        for (const auto& [column, cell] : cells) {
            if (size_t(column) > widths.size()) widths.resize(size_t(column), 0);
            double& width = widths[size_t(column - 1)];
            width = std::max(width, std::min(cellPoints(cell), kMaxColumnPoints));
        }
    }
    // A column with no text between used ones keeps the sheet's usual width.
    for (double& width : widths)
        if (width == 0) width = sheet.defaultColumnWidth.value_or(kStandardColumnPoints);
}

}  // namespace CellWidths
