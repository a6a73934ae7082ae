#include "worksheet.h"

QLineF DrawingShape::path() const {
    QPointF a = start, b = end;
    if (flipH) {
        const double sum = std::min(a.x(), b.x()) + std::max(a.x(), b.x());
        a.setX(sum - a.x());
        b.setX(sum - b.x());
    }
    if (flipV) {
        const double sum = std::min(a.y(), b.y()) + std::max(a.y(), b.y());
        a.setY(sum - a.y());
        b.setY(sum - b.y());
    }
    return {a, b};
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
