#include "sheetgeometry.h"

#include <algorithm>
#include <cmath>

SheetGeometry::Axis::Axis(const std::vector<double>& sizes, double defaultSize_)
    : defaultSize(defaultSize_) {
    starts.reserve(sizes.size() + 1);
    double edge = 0;
    starts.push_back(edge);
    for (double size : sizes) starts.push_back(edge += size);
}

double SheetGeometry::Axis::start(int index) const {
    const size_t given = starts.size() - 1;
    if (index <= 0) return 0;
    if (size_t(index - 1) <= given) return starts[size_t(index - 1)];
    return starts.back() + double(size_t(index - 1) - given) * defaultSize;
}

double SheetGeometry::Axis::size(int index) const {
    const size_t given = starts.size() - 1;
    if (index >= 1 && size_t(index) <= given)
        return starts[size_t(index)] - starts[size_t(index - 1)];
    return defaultSize;
}

SheetGeometry::Place SheetGeometry::Axis::at(double coordinate) const {
    if (coordinate <= 0) return {1, 0};
    if (coordinate >= starts.back()) {
        const double beyond = coordinate - starts.back();
        const double whole = std::floor(beyond / defaultSize);
        return {int(starts.size()) + int(whole), beyond - whole * defaultSize};
    }
    // The last edge at or before the coordinate; an entry of no size is passed over.
    const auto after = std::upper_bound(starts.begin(), starts.end(), coordinate);
    const size_t index = size_t(after - starts.begin());  // 1-based entry
    return {int(index), coordinate - starts[index - 1]};
}

SheetGeometry::SheetGeometry(const Worksheet& sheet)
    : columns_(sheet.columnWidths, sheet.defaultColumnWidth.value_or(kDefaultColumnWidth)),
      rows_(sheet.rowHeights, sheet.defaultRowHeight.value_or(kDefaultRowHeight)) {}

double SheetGeometry::columnLeft(int column) const {
    return columns_.start(column);
}
double SheetGeometry::rowTop(int row) const {
    return rows_.start(row);
}
double SheetGeometry::columnWidth(int column) const {
    return columns_.size(column);
}
double SheetGeometry::rowHeight(int row) const {
    return rows_.size(row);
}
SheetGeometry::Place SheetGeometry::columnAt(double x) const {
    return columns_.at(x);
}
SheetGeometry::Place SheetGeometry::rowAt(double y) const {
    return rows_.at(y);
}
