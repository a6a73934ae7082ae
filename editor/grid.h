#pragma once

#include <QPointF>
#include <cmath>

// Where positions snap to when the grid is in force: multiples of the grid size. A grid of 0 (or
// less) leaves every position as it is.
constexpr int kSmallestGridSize = 4;
constexpr int kLargestGridSize = 200;

// The nearest grid line.
inline double snapToGrid(double value, int grid) {
    return grid > 0 ? std::round(value / grid) * grid : value;
}
inline QPointF snapToGrid(const QPointF& point, int grid) {
    return {snapToGrid(point.x(), grid), snapToGrid(point.y(), grid)};
}
// The first grid line at or after `value`.
inline double snapUpToGrid(double value, int grid) {
    return grid > 0 ? std::ceil(value / grid) * grid : value;
}
