#include "placement.h"

#include "grid.h"

#include <algorithm>
#include <vector>

namespace {

// Rows are tried this many drawing units apart.
constexpr double kRowStep = 10;

}  // namespace

std::optional<QPointF> firstFreePlace(const Document& document, const QSizeF& size,
                                      const QRectF& visible, double margin, int grid) {
    const QRectF usable = visible.adjusted(margin, margin, -margin, -margin);
    if (usable.width() < size.width() || usable.height() < size.height()) return std::nullopt;
    // Only boxes that reach into the visible area can block a place in it; each is grown by the
    // margin, so a place is free when it meets none of them.
    std::vector<QRectF> blocking;
    for (int i = 1; i < document.elementCount(); ++i) {
        const Element& e = document.element(i);
        if (!e.Visible) continue;
        const QRectF box =
            QRectF(e.Left, e.Top, e.Width, e.Height).adjusted(-margin, -margin, margin, margin);
        if (box.intersects(visible)) blocking.push_back(box);
    }
    std::sort(blocking.begin(), blocking.end(),
              [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });

    const double rowStep = grid > 0 ? grid : kRowStep;
    for (double y = snapUpToGrid(usable.top(), grid); y + size.height() <= usable.bottom();
         y += rowStep) {
        double x = snapUpToGrid(usable.left(), grid);
        // Along the row, jump past each box in the way until the place is clear or the row ends.
        bool moved = true;
        while (moved && x + size.width() <= usable.right()) {
            moved = false;
            const QRectF place(x, y, size.width(), size.height());
            for (const QRectF& box : blocking) {
                if (box.left() >= place.right()) break;
                if (box.intersects(place)) {
                    x = std::max(x, snapUpToGrid(box.right(), grid));
                    moved = true;
                }
            }
            if (!moved) return QPointF(x, y);
        }
    }
    return std::nullopt;
}

QPointF placeBelowEverything(const Document& document, const QRectF& visible, double margin,
                             int grid) {
    double lowest = visible.isEmpty() ? 0 : visible.top();
    double left = visible.isEmpty() ? margin : visible.left() + margin;
    bool any = false;
    for (int i = 1; i < document.elementCount(); ++i) {
        const Element& e = document.element(i);
        if (!e.Visible) continue;
        lowest = any ? std::max(lowest, double(e.Top + e.Height)) : double(e.Top + e.Height);
        if (visible.isEmpty()) left = any ? std::min(left, double(e.Left)) : double(e.Left);
        any = true;
    }
    return QPointF(snapUpToGrid(left, grid), snapUpToGrid(lowest + margin, grid));
}
