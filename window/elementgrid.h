#pragma once

#include <QHash>
#include <QRectF>
#include <vector>

// A spatial index of the elements' rectangles in drawing units, so that painting and hit tests
// look only at the elements near the place in question, whatever the size of the diagram. The
// drawing is cut into square cells; each element is listed in the cells its rectangle touches,
// and an element spanning very many cells is kept aside and always considered.
class ElementGrid {
public:
    // Files element `id` (1 or more) under `rect`, replacing where it was. A rectangle without
    // area still counts at its position; nothing is filed when `shown` is false.
    void place(int id, const QRectF& rect, bool shown = true);
    void remove(int id);
    // Forgets every element from `count` on.
    void truncate(int count);
    void clear();

    // The elements that may meet `area`: every element whose rectangle does, and perhaps some
    // near it; ascending, the order they are painted in.
    std::vector<int> within(const QRectF& area) const;

private:
    struct Span {
        int left = 0, top = 0, right = -1, bottom = -1;  // inclusive cell columns and rows
        bool empty() const { return right < left || bottom < top; }
        qint64 cells() const { return empty() ? 0 : qint64(right - left + 1) * (bottom - top + 1); }
    };
    static Span spanOf(const QRectF& rect);
    static quint64 cellKey(int column, int row);
    // Appends the ids filed in the cells of `span` (and the large ones) to `ids`.
    void collect(const Span& span, std::vector<int>& ids) const;

    QHash<quint64, std::vector<int>> cells_;
    std::vector<Span> filed_;  // by id: the cells the element is listed in
    std::vector<bool> large_;  // by id: kept aside instead
    std::vector<int> largeIds_;
};
