#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "arrows.h"
#include "worksheet.h"

// Writes a workbook as an Office Open XML spreadsheet (.xlsx): both sheets with their cells and
// fonts, the first sheet's drawing with its lines and arcs, and row and column sizes matching the
// pitch the drawing was laid out with.
namespace Xlsx {

// Points to drawing units (EMU).
constexpr double kEmuPerPoint = 12700;
// The font of every cell. Column widths count its widest digit, which is exactly 6 pt (8 pixels) in
// Times New Roman 12 and in its metric twin Liberation Serif, so spreadsheet programs that count in
// whole pixels and those that count in points agree on the width.
constexpr const char* kFontName = "Times New Roman";
constexpr int kFontSize = 12;
constexpr double kDigitWidth = 6.0;
// Every column of the output sheet, in digits: the arrow layout's column pitch.
constexpr double kColumnWidth = Arrows::kColumnPitch / kDigitWidth;

// The package as bytes, or nullopt (with `error` set) when it could not be assembled.
std::optional<QByteArray> package(const Workbook& book, QString* error = nullptr);

// Writes bytes to `path` as a whole: the complete file, or the one there before untouched and
// `error` telling why.
bool writeFile(const QByteArray& bytes, const QString& path, QString* error = nullptr);

// Writes the package to `path` as a whole: either the complete file is in place afterwards, or the
// file that was there before is untouched and `error` tells why.
bool save(const Workbook& book, const QString& path, QString* error = nullptr);

}  // namespace Xlsx
