#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "worksheet.h"

// Writes a workbook as an Office Open XML spreadsheet (.xlsx): both sheets with their cells and
// fonts, the first sheet's drawing with its lines and arcs, and row and column sizes matching the
// pitch the drawing was laid out with.
namespace Xlsx {

// Points to drawing units (EMU).
constexpr double kEmuPerPoint = 12700;
// The width of every column of the output sheet, in characters of the default font (Calibri 11,
// whose widest digit is 7 pixels): 72 pixels, the whole pixel nearest to the arrow layout's column
// pitch.
constexpr double kColumnWidth = 10.2857;

// The package as bytes, or nullopt (with `error` set) when it could not be assembled.
std::optional<QByteArray> package(const Workbook& book, QString* error = nullptr);

// Writes the package to `path` as a whole: either the complete file is in place afterwards, or the
// file that was there before is untouched and `error` tells why.
bool save(const Workbook& book, const QString& path, QString* error = nullptr);

}  // namespace Xlsx
