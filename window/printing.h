#pragma once

#include <QRectF>
#include <functional>

class Canvas;
class QPrinter;

// How the drawing goes onto paper: shrunk to fit one page (never enlarged), or at the size the
// canvas shows it at 100 % zoom, spread over as many pages as it needs.
enum class PrintScale { FitToPage, FullSize };

// Paints the pages of a print into the printer it is given, with the scale chosen.
using PrintPages = std::function<void(QPrinter&, PrintScale)>;

// Prints the drawing rectangle `area` as exported pictures show it (white, with a margin) onto
// `printer`'s pages, in rows and columns from the top left. Returns the number of pages printed;
// 0 when there is nothing to print or the printer could not be written.
int printDrawing(QPrinter& printer, Canvas& canvas, const QRectF& area, PrintScale scale);
