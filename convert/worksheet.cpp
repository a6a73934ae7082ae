#include "worksheet.h"

QLineF DrawingShape::path() const {
    QPointF a = start, b = end;
    // Mirroring inside the box swaps the two ends' coordinates on that axis.
    if (flipH) {
        a.setX(end.x());
        b.setX(start.x());
    }
    if (flipV) {
        a.setY(end.y());
        b.setY(start.y());
    }
    return {a, b};
}

QRectF DrawingShape::bounds() const {
    if (type == Type::Line) {
        const QLineF p = path();
        return QRectF(p.p1(), p.p2()).normalized();
    }
    return QRectF(flipH ? box.left() : box.left() - box.width(),
                  flipV ? box.top() - box.height() : box.top(), 2 * box.width(), 2 * box.height());
}

const Cell* Worksheet::find(int row, int column) const {
    const auto r = rows_.find(row);
    if (r == rows_.end()) return nullptr;
    const auto c = r->second.find(column);
    return c == r->second.end() ? nullptr : &c->second;
}

double Worksheet::number(int row, int column) const {
    const Cell* c = find(row, column);
    return c && c->number ? *c->number : 0.0;
}

int Worksheet::lastColumn(int row) const {
    const auto r = rows_.find(row);
    return r == rows_.end() || r->second.empty() ? 0 : r->second.rbegin()->first;
}
