#include "drawingcheck.h"

#include <cmath>

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

bool closeTo(QPointF a, QPointF b) {
    const double tolerance = 2.0 / kEmu;
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

bool sameEnds(QPointF a, QPointF b, QPointF c, QPointF d) {
    return (closeTo(a, c) && closeTo(b, d)) || (closeTo(a, d) && closeTo(b, c));
}
