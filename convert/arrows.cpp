#include "arrows.h"

namespace Arrows {

namespace {

DrawingShape arc(double left, double top, double size, int colour) {
    DrawingShape s;
    s.type = DrawingShape::Type::Arc;
    s.box = QRectF(left, top, size, size);
    s.schemeColour = colour;
    return s;
}

}  // namespace

DrawingShape line(QPointF from, QPointF to, int colour, bool arrowHead) {
    DrawingShape s;
    s.type = DrawingShape::Type::Line;
    s.start = from;
    s.end = to;
    s.schemeColour = colour;
    s.arrowHead = arrowHead;
    return s;
}

std::vector<DrawingShape> straight(const SheetGeometry& sheet, int row, int column, int keyRow,
                                   int keyColumn, int offset, int colour) {
    return {line({offset + sheet.columnLeft(column), sheet.rowTop(row) + 5},
                 {5 + sheet.columnLeft(keyColumn), sheet.rowTop(keyRow) + 5}, colour, true)};
}

std::vector<DrawingShape> elbow(const SheetGeometry& sheet, int row, int column, int keyRow,
                                int keyColumn, double bus, double lane, int colour) {
    const double x = sheet.columnLeft(3) - bus;
    const double y = sheet.rowTop(row) + 3 + lane;
    const double keyY = sheet.rowTop(keyRow) + 3 + lane;

    DrawingShape run = line({3 + sheet.columnLeft(column), y}, {x, y}, colour);
    run.flipH = true;
    DrawingShape turn = arc(x - 6, y - 6, 6, colour);
    turn.flipH = true;
    turn.flipV = true;
    DrawingShape vertical = line({x - 6, y - 6}, {x - 6, keyY}, colour);
    vertical.flipV = true;
    const DrawingShape in =
        line({x - 6, keyY}, {5 + sheet.columnLeft(keyColumn), keyY}, colour, true);
    return {run, turn, vertical, in};
}

std::vector<DrawingShape> sameRowLoop(const SheetGeometry& sheet, int row, int column,
                                      int keyColumn, int colour) {
    const double bottom = sheet.rowTop(row + 1);
    const double xf = 5 + sheet.columnLeft(column);
    const double xp = 5 + sheet.columnLeft(keyColumn);

    const DrawingShape down = line({xf, bottom - 3}, {xf, bottom + 3}, colour);
    DrawingShape turn = arc(xf - 3, bottom + 3, 3, colour);
    turn.flipV = true;
    const DrawingShape under = line({xf - 3, bottom + 6}, {xp, bottom + 6}, colour);
    const DrawingShape up = line({xp, bottom + 6}, {xp, bottom - 3}, colour, true);
    return {down, turn, under, up};
}

}  // namespace Arrows
