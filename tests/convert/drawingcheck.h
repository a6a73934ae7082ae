#pragma once

#include <QJsonObject>
#include <QPointF>
#include <utility>

// Geometry of the shapes a reader found in the drawing part, in points, by the DrawingML rules:
// a line runs from its box's top-left to bottom-right corner, mirrored by its flips, and ends in
// its tail; an "arc" is the quarter of the inscribed ellipse from its top to its right, mirrored
// by its flips.
struct ShapeGeometry {
    bool arc = false;
    QPointF start, end;  // line: start and end of the path (the arrowhead is at `end`)
    QPointF centre;      // arc: the ellipse's centre
    bool arrowHead = false;
    QString rgb;
};

ShapeGeometry geometryOf(const QJsonObject& shape);

struct Readback;
// Where a column's left edge and a row's top edge of Sheet1 lie, in points, by the column widths
// and row heights the reader found in the file (columns and rows from 1).
double sheetColumnLeft(const Readback& r, int column);
double sheetRowTop(const Readback& r, int row);
// The n-th foreign-key arrow's end (0-based: the n-th line with an arrowhead), and the number of
// arrows, whatever their style.
QPointF arrowEnd(const Readback& r, int n);
int arrowCount(const Readback& r);
// Whether a point lies on the cell (row, column) of Sheet1, its edges included.
bool onCell(const Readback& r, QPointF point, int row, int column);

// Whether two points agree to within a couple of drawing units.
bool closeTo(QPointF a, QPointF b);
// Whether {a, b} and {c, d} are the same two points in either order.
bool sameEnds(QPointF a, QPointF b, QPointF c, QPointF d);
