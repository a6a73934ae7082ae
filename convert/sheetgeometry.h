#pragma once

#include <vector>

#include "worksheet.h"

// Where a sheet's cells lie, in points from its top-left corner, once its column widths and row
// heights are set; and the reverse, the cell a point lies in, for anchoring shapes to cells.
class SheetGeometry {
public:
    // A sheet without sizes of its own uses these.
    static constexpr double kDefaultColumnWidth = 48;
    static constexpr double kDefaultRowHeight = 15;

    explicit SheetGeometry(const Worksheet& sheet);

    double columnLeft(int column) const;  // columns from 1
    double rowTop(int row) const;         // rows from 1
    double columnWidth(int column) const;
    double rowHeight(int row) const;

    // The cell a coordinate lies in and the distance from its edge: the column (from 1) whose
    // left edge is the last at or before x; likewise for y and rows.
    struct Place {
        int index;
        double offset;
    };
    Place columnAt(double x) const;
    Place rowAt(double y) const;

private:
    struct Axis {
        std::vector<double> starts;  // starts[i]: the edge before entry i + 1; one more at the end
        double defaultSize;

        explicit Axis(const std::vector<double>& sizes, double defaultSize);
        double start(int index) const;
        double size(int index) const;
        Place at(double coordinate) const;
    };

    Axis columns_;
    Axis rows_;
};
