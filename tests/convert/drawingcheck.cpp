#include "drawingcheck.h"

#include <cmath>

#include "arrows.h"
#include "readback.h"

ShapeGeometry geometryOf(const QJsonObject& s) {
    const double x = s.value("x").toDouble() / kEmu, y = s.value("y").toDouble() / kEmu;
    const double cx = s.value("cx").toDouble() / kEmu, cy = s.value("cy").toDouble() / kEmu;
    const bool flipH = s.value("flipH").toBool(), flipV = s.value("flipV").toBool();
    auto mirror = [&](QPointF p) {
        if (flipH) p.setX(2 * x + cx - p.x());
        if (flipV) p.setY(2 * y + cy - p.y());
        return p;
    };
    ShapeGeometry g;
    g.rgb = s.value("rgb").toString();
    g.arrowHead = s.value("tail").toString() == "triangle";
    if (s.value("geom").toString() == "arc") {
        g.arc = true;
        g.centre = QPointF(x + cx / 2, y + cy / 2);
        g.start = mirror(QPointF(x + cx / 2, y));
        g.end = mirror(QPointF(x + cx, y + cy / 2));
    } else {
        g.start = mirror(QPointF(x, y));
        g.end = mirror(QPointF(x + cx, y + cy));
    }
    return g;
}

double sheetColumnLeft(const Readback& r, int column) {
    const QJsonArray ranges = r.json["columns"]["Sheet1"].toArray();
    const double defaultWidth = r.json["defaultColumnWidth"].toDouble() * 6;
    double x = 0;
    for (int c = 1; c < column; ++c) {
        double width = defaultWidth;
        for (const QJsonValue& range : ranges)
            if (range["min"].toInt() <= c && c <= range["max"].toInt())
                width = range["width"].toDouble() * 6;
        x += width;
    }
    return x;
}

double sheetRowTop(const Readback& r, int row) {
    const QJsonObject heights = r.json["rowHeights"].toObject();
    double y = 0;
    for (int n = 1; n < row; ++n) y += heights.value(QString::number(n)).toDouble(Arrows::kRowPitch);
    return y;
}

QPointF arrowEnd(const Readback& r, int n) {
    for (const QJsonValue& shape : r.shapes()) {
        const ShapeGeometry g = geometryOf(shape.toObject());
        if (g.arrowHead && n-- == 0) return g.end;
    }
    return {-1, -1};
}

int arrowCount(const Readback& r) {
    int count = 0;
    for (const QJsonValue& shape : r.shapes()) count += geometryOf(shape.toObject()).arrowHead;
    return count;
}

bool onCell(const Readback& r, QPointF p, int row, int column) {
    const double tolerance = 2.0 / kEmu;
    return p.x() >= sheetColumnLeft(r, column) - tolerance &&
           p.x() <= sheetColumnLeft(r, column + 1) + tolerance &&
           p.y() >= sheetRowTop(r, row) - tolerance && p.y() <= sheetRowTop(r, row + 1) + tolerance;
}

bool closeTo(QPointF a, QPointF b) {
    const double tolerance = 2.0 / kEmu;
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

bool sameEnds(QPointF a, QPointF b, QPointF c, QPointF d) {
    return (closeTo(a, c) && closeTo(b, d)) || (closeTo(a, d) && closeTo(b, c));
}
