#include "elementgrid.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Drawing units per cell: a few elements across, so that a cell lists a handful of them.
constexpr double kCellSize = 128;
// An element over more cells than this is kept aside rather than listed in each.
constexpr qint64 kMostCells = 64;

int cellOf(double coordinate) {
    // Model coordinates are finite and bounded on load, but editing may push them anywhere:
    // held to a range that keeps every cell number an int.
    const double cell = std::floor(coordinate / kCellSize);
    return int(std::clamp(cell, -1e6, 1e6));
}

void sortUnique(std::vector<int>& ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
}

}  // namespace

ElementGrid::Span ElementGrid::spanOf(const QRectF& rect) {
    const QRectF r = rect.normalized();
    if (!std::isfinite(r.left()) || !std::isfinite(r.top()) || !std::isfinite(r.right()) ||
        !std::isfinite(r.bottom()))
        return Span{0, 0, 0, 0};
    return Span{cellOf(r.left()), cellOf(r.top()), cellOf(r.right()), cellOf(r.bottom())};
}

quint64 ElementGrid::cellKey(int column, int row) {
    return (quint64(quint32(column)) << 32) | quint32(row);
}

void ElementGrid::place(int id, const QRectF& rect, bool shown) {
    if (id < 1) return;
    remove(id);
    if (!shown) return;
    const Span span = spanOf(rect);
    if (span.cells() > kMostCells) {
        large_[size_t(id)] = true;
        largeIds_.push_back(id);
        return;
    }
    filed_[size_t(id)] = span;
    for (int column = span.left; column <= span.right; ++column)
        for (int row = span.top; row <= span.bottom; ++row)
            cells_[cellKey(column, row)].push_back(id);
}

void ElementGrid::remove(int id) {
    if (id < 1) return;
    if (size_t(id) >= filed_.size()) {
        filed_.resize(size_t(id) + 1);
        large_.resize(size_t(id) + 1, false);
        return;
    }
    if (large_[size_t(id)]) {
        large_[size_t(id)] = false;
        largeIds_.erase(std::find(largeIds_.begin(), largeIds_.end(), id));
    }
    const Span span = std::exchange(filed_[size_t(id)], Span{});
    for (int column = span.left; column <= span.right; ++column)
        for (int row = span.top; row <= span.bottom; ++row) {
            const auto cell = cells_.find(cellKey(column, row));
            if (cell == cells_.end()) continue;
            std::vector<int>& ids = cell.value();
            ids.erase(std::find(ids.begin(), ids.end(), id));
            if (ids.empty()) cells_.erase(cell);
        }
}

void ElementGrid::truncate(int count) {
    for (int id = int(filed_.size()) - 1; id >= std::max(count, 1); --id) remove(id);
    if (filed_.size() > size_t(std::max(count, 0))) {
        filed_.resize(size_t(std::max(count, 0)));
        large_.resize(filed_.size());
    }
}

void ElementGrid::clear() {
    cells_.clear();
    filed_.clear();
    large_.clear();
    largeIds_.clear();
}

void ElementGrid::collect(const Span& span, std::vector<int>& ids) const {
    const auto meets = [&span](const Span& filed) {
        return !filed.empty() && filed.left <= span.right && filed.right >= span.left &&
               filed.top <= span.bottom && filed.bottom >= span.top;
    };
    if (span.cells() > qint64(cells_.size())) {
        // An area over more cells than are filled (the whole drawing in view): a pass over the
        // elements in order costs less than gathering the cells and sorting.
        for (size_t id = 1; id < filed_.size(); ++id)
            if (large_[id] || meets(filed_[id])) ids.push_back(int(id));
        return;
    }
    ids.insert(ids.end(), largeIds_.begin(), largeIds_.end());
    for (int column = span.left; column <= span.right; ++column)
        for (int row = span.top; row <= span.bottom; ++row) {
            const auto cell = cells_.constFind(cellKey(column, row));
            if (cell != cells_.constEnd()) ids.insert(ids.end(), cell->begin(), cell->end());
        }
    sortUnique(ids);
}

std::vector<int> ElementGrid::within(const QRectF& area) const {
    std::vector<int> ids;
    collect(spanOf(area), ids);
    return ids;
}
