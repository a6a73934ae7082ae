#include "arrows.h"

namespace Arrows {

namespace {

DrawingShape line(QPointF from, QPointF to, int colour) {
    DrawingShape s;
    s.type = DrawingShape::Type::Line;
    s.start = from;
    s.end = to;
    s.schemeColour = colour;
    return s;
}

DrawingShape arc(double left, double top, double size, int colour) {
    DrawingShape s;
    s.type = DrawingShape::Type::Arc;
    s.box = QRectF(left, top, size, size);
    s.schemeColour = colour;
    return s;
}

}  // namespace

std::vector<DrawingShape> straight(int row, int column, int keyRow, int keyColumn, int offset,
                                   int colour) {
    DrawingShape s = line({offset + cellLeft(column), cellTop(row) + 5},
                          {5 + cellLeft(keyColumn), cellTop(keyRow) + 5}, colour);
    s.arrowHead = true;
    return {s};
}

std::vector<DrawingShape> elbow(int row, int column, int keyRow, int keyColumn, double bus,
                                double lane, int colour) {
    const double x = kBusEdge - bus;
    const double y = cellTop(row) + 3 + lane;
    const double keyY = cellTop(keyRow) + 3 + lane;

    DrawingShape run = line({3 + cellLeft(column), y}, {x, y}, colour);
    run.flipH = true;
    DrawingShape turn = arc(x - 6, y - 6, 6, colour);
    turn.flipH = true;
    turn.flipV = true;
    DrawingShape vertical = line({x - 6, y - 6}, {x - 6, keyY}, colour);
    vertical.flipV = true;
    DrawingShape in = line({x - 6, keyY}, {5 + cellLeft(keyColumn), keyY}, colour);
    in.arrowHead = true;
    return {run, turn, vertical, in};
}

std::vector<DrawingShape> sameRowLoop(int row, int column, int keyColumn, int colour) {
    const double bottom = row * kRowPitch;
    const double xf = 5 + cellLeft(column);
    const double xp = 5 + cellLeft(keyColumn);

    DrawingShape down = line({xf, bottom - 3}, {xf, bottom + 3}, colour);
    DrawingShape turn = arc(xf - 3, bottom + 3, 3, colour);
    turn.flipV = true;
    DrawingShape under = line({xf - 3, bottom + 6}, {xp, bottom + 6}, colour);
    DrawingShape up = line({xp, bottom + 6}, {xp, bottom - 3}, colour);
    up.arrowHead = true;
    return {down, turn, under, up};
}

}  // namespace Arrows
