#include "arrowrouting.h"

#include <algorithm>
#include <functional>
#include <map>
#include <queue>
#include <utility>

#include "arrows.h"
#include "cellwidths.h"
#include "sheetgeometry.h"

namespace ArrowRouting {

namespace {

// Free space between the cells above and the first track, and after the last track or lane.
constexpr double kMargin = kSpacing;
// The highest row a spreadsheet keeps (Excel's limit; LibreOffice's is higher).
constexpr double kMaxRowHeight = 409.5;

// The pitch at which `count` pieces fit `room` points, at most `pitch`: only a crowd of arrows
// larger than the spreadsheet's largest row or column can hold comes closer.
double pitchFor(int count, double room, double pitch) {
    return count > 0 ? std::min(pitch, room / count) : pitch;
}

// One horizontal piece of an arrow in the empty row below a relation.
struct Run {
    int arrow;
    double left;  // the run's left end, where its stub is
    int track = 0;
};

void growTo(std::vector<double>& sizes, int index, double size, double defaultSize) {
    if (size_t(index) > sizes.size()) sizes.resize(size_t(index), defaultSize);
    sizes[size_t(index - 1)] = std::max(sizes[size_t(index - 1)], size);
}

int gutterColumn(const Worksheet& sheet) {
    int last = 0;
    for (const auto& row : sheet.rows())
        if (!row.second.empty()) last = std::max(last, row.second.rbegin()->first);
    return last + 1;
}

}  // namespace

void route(const std::vector<Arrow>& arrows, Worksheet& sheet) {
    if (arrows.empty()) return;
    const double defaultWidth =
        sheet.defaultColumnWidth.value_or(SheetGeometry::kDefaultColumnWidth);
    const double defaultHeight = sheet.defaultRowHeight.value_or(SheetGeometry::kDefaultRowHeight);

    // Stubs: one at the foreign-key cell, one of its own at the key cell, kStubSpacing apart from
    // the cell's left edge on; a key column grows to hold them all.
    std::map<std::pair<int, int>, int> stubsAtKey;
    std::vector<int> keyStub(arrows.size());
    for (size_t i = 0; i < arrows.size(); ++i) {
        const Arrow& a = arrows[i];
        keyStub[i] = ++stubsAtKey[{a.keyRow, a.keyColumn}];
        growTo(sheet.columnWidths, a.column, 2 * kStubSpacing, defaultWidth);
    }
    auto stubPitch = [](int stubs) {
        return pitchFor(stubs + 1, CellWidths::kMaxColumnPoints, kStubSpacing);
    };
    for (const auto& [cell, stubs] : stubsAtKey)
        growTo(sheet.columnWidths, cell.second, stubPitch(stubs) * (stubs + 1), defaultWidth);

    // Tracks: the runs of each empty row, ordered so that the run whose stub lies furthest right
    // takes the top track; a stub then goes down to its track without crossing the runs above it.
    const SheetGeometry columns(sheet);
    std::vector<double> fkX(arrows.size()), keyX(arrows.size());
    std::map<int, std::vector<Run>> runsByRow;
    std::vector<std::pair<Run*, Run*>> runsOf(arrows.size());
    for (size_t i = 0; i < arrows.size(); ++i) {
        const Arrow& a = arrows[i];
        fkX[i] = columns.columnLeft(a.column) + kStubSpacing;
        keyX[i] = columns.columnLeft(a.keyColumn) +
                  stubPitch(stubsAtKey[{a.keyRow, a.keyColumn}]) * keyStub[i];
        if (a.row == a.keyRow) {
            runsByRow[a.row + 1].push_back({int(i), std::min(fkX[i], keyX[i])});
        } else {
            runsByRow[a.row + 1].push_back({int(i), fkX[i]});
            runsByRow[a.keyRow + 1].push_back({int(i), keyX[i]});
        }
    }
    std::map<int, double> trackPitch;
    for (auto& [row, runs] : runsByRow) {
        std::sort(runs.begin(), runs.end(), [](const Run& a, const Run& b) {
            return a.left != b.left ? a.left > b.left : a.arrow < b.arrow;
        });
        for (size_t t = 0; t < runs.size(); ++t) {
            runs[t].track = int(t);
            auto& [first, second] = runsOf[size_t(runs[t].arrow)];
            (first ? second : first) = &runs[t];
        }
        const int gaps = int(runs.size()) - 1;
        const double pitch = trackPitch[row] =
            pitchFor(gaps, kMaxRowHeight - 2 * kMargin, kSpacing);
        growTo(sheet.rowHeights, row, std::max(2 * kMargin + pitch * gaps, defaultHeight),
               defaultHeight);
    }

    // Where each arrow's runs lie: the one below the foreign key first.
    const SheetGeometry rows(sheet);
    auto trackY = [&](int row, const Run* run) {
        return rows.rowTop(row) + kMargin + trackPitch[row] * run->track;
    };
    std::vector<double> fromY(arrows.size()), toY(arrows.size());
    for (size_t i = 0; i < arrows.size(); ++i) {
        const Arrow& a = arrows[i];
        auto [first, second] = runsOf[i];
        if (a.row == a.keyRow) {
            fromY[i] = toY[i] = trackY(a.row + 1, first);
            continue;
        }
        // Both runs were filed in row order; the foreign key's row may come second.
        if (a.row > a.keyRow) std::swap(first, second);
        fromY[i] = trackY(a.row + 1, first);
        toY[i] = trackY(a.keyRow + 1, second);
    }

    // Lanes: the fewest gutter lanes in which no two vertical pieces come closer than kSpacing,
    // given out by the top of each piece (interval partitioning).
    std::vector<size_t> order;
    for (size_t i = 0; i < arrows.size(); ++i)
        if (arrows[i].row != arrows[i].keyRow) order.push_back(i);
    auto top = [&](size_t i) { return std::min(fromY[i], toY[i]); };
    auto bottom = [&](size_t i) { return std::max(fromY[i], toY[i]); };
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return top(a) != top(b) ? top(a) < top(b) : a < b; });
    using Free = std::pair<double, int>;  // lowest piece so far, lane
    std::priority_queue<Free, std::vector<Free>, std::greater<>> lanesByEnd;
    std::vector<int> lane(arrows.size(), 0);
    int lanes = 0;
    for (size_t i : order) {
        if (!lanesByEnd.empty() && lanesByEnd.top().first + kSpacing <= top(i)) {
            lane[i] = lanesByEnd.top().second;
            lanesByEnd.pop();
        } else {
            lane[i] = lanes++;
        }
        lanesByEnd.push({bottom(i), lane[i]});
    }
    // As many gutter columns as the lanes need, each as wide as a spreadsheet's widest.
    const int gutter = gutterColumn(sheet);
    const int lanesPerColumn = int((CellWidths::kMaxColumnPoints - 2 * kMargin) / kSpacing) + 1;
    for (int first = 0; first < lanes; first += lanesPerColumn) {
        const int inColumn = std::min(lanes - first, lanesPerColumn);
        growTo(sheet.columnWidths, gutter + first / lanesPerColumn,
               2 * kMargin + kSpacing * (inColumn - 1), defaultWidth);
    }

    const SheetGeometry placed(sheet);
    auto laneX = [&](int lane) {
        return placed.columnLeft(gutter + lane / lanesPerColumn) + kMargin +
               kSpacing * (lane % lanesPerColumn);
    };
    for (size_t i = 0; i < arrows.size(); ++i) {
        const Arrow& a = arrows[i];
        const double fkBottom = placed.rowTop(a.row + 1);
        const double keyBottom = placed.rowTop(a.keyRow + 1);
        const QPointF start(fkX[i], fkBottom), end(keyX[i], keyBottom);
        std::vector<QPointF> points{start, {fkX[i], fromY[i]}};
        if (a.row != a.keyRow) {
            const double x = laneX(lane[i]);
            points.push_back({x, fromY[i]});
            points.push_back({x, toY[i]});
        }
        points.push_back({keyX[i], toY[i]});
        points.push_back(end);
        for (size_t p = 1; p < points.size(); ++p)
            sheet.shapes.push_back(
                Arrows::line(points[p - 1], points[p], a.colour, p + 1 == points.size()));
    }
}

}  // namespace ArrowRouting
