#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "worksheet.h"

// Writes a workbook as an Office Open XML spreadsheet (.xlsx): every sheet with its cells, fonts,
// column widths and row heights, hidden sheets hidden, and the first sheet's drawing with its
// lines and arcs, each anchored to the cells under its two corners so that it stays on them when
// a column or row is resized.
namespace Xlsx {

// Points to drawing units (EMU).
constexpr double kEmuPerPoint = 12700;
// The font of every cell. Column widths count its widest digit, which is exactly 6 pt (8 pixels) in
// Times New Roman 12 and in its metric twin Liberation Serif, so spreadsheet programs that count in
// whole pixels and those that count in points agree on the width.
constexpr const char* kFontName = "Times New Roman";
constexpr int kFontSize = 12;
constexpr double kDigitWidth = 6.0;
constexpr int kMaxColumns = 16384;

// The package as bytes, or nullopt (with `error` set) when it could not be assembled.
std::optional<QByteArray> package(const Workbook& book, QString* error = nullptr);

// Writes bytes to `path` as a whole: the complete file, or the one there before untouched and
// `error` telling why.
bool writeFile(const QByteArray& bytes, const QString& path, QString* error = nullptr);

// Writes the package to `path` as a whole: either the complete file is in place afterwards, or the
// file that was there before is untouched and `error` tells why.
bool save(const Workbook& book, const QString& path, QString* error = nullptr);

}  // namespace Xlsx
