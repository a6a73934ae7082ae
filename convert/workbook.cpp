#include "workbook.h"

#include <QRandomGenerator>

#include "arrowrouting.h"
#include "arrows.h"
#include "cellwidths.h"
#include "palette.h"
#include "schematext.h"
#include "sheetgeometry.h"

ArrowStyle arrowStyleOf(int fkpk) {
    if (fkpk == 0) return ArrowStyle::Straight;
    if (fkpk == 2) return ArrowStyle::Routed;
    return ArrowStyle::Elbow;
}

WorkbookLayout::WorkbookLayout(int fkpk, std::function<double()> random)
    : style_(arrowStyleOf(fkpk)), random_(std::move(random)) {
    // The position table serves the conversion and programs reading the workbook; the student
    // reads the relations and their explanations.
    book_.positions.hidden = true;
    // The routed arrows' gutter lies right of all the text: printed one page wide, no arrow is
    // cut off at a page's edge.
    book_.output.printOnePageWide = style_ == ArrowStyle::Routed;
    if (!random_) random_ = [] { return QRandomGenerator::global()->generateDouble(); };
}

void WorkbookLayout::record(int element, int row, int column) {
    book_.positions.cell(element, 1).number = element;
    book_.positions.cell(element, 2).number = row;
    book_.positions.cell(element, 3).number = column;
    positions_.insert(element, Position{row, column});
}

std::optional<WorkbookLayout::Position> WorkbookLayout::position(int element) const {
    const auto found = positions_.constFind(element);
    if (found == positions_.constEnd()) return std::nullopt;
    return *found;
}

void WorkbookLayout::startRelation(const QString& name, int element) {
    Cell& c = book_.output.cell(nextRow_, 1);
    c.text = name;
    c.font.bold = true;
    record(element, nextRow_, 1);
    currentRow_ = nextRow_ + 1;
    columnCounter_ = 1;
}

void WorkbookLayout::addOwnColumn(const QString& caption, bool underline, int element) {
    if (currentRow_ == 0) return;
    Cell& c = book_.output.cell(currentRow_, columnCounter_);
    c.text = caption;
    c.font.underline = underline;
    record(element, currentRow_, columnCounter_);
    ++columnCounter_;
}

std::optional<size_t> WorkbookLayout::addForeignKeyColumn(const QString& text, bool underline,
                                                          bool italic, int referenced,
                                                          bool sameColour) {
    if (currentRow_ == 0) return std::nullopt;
    if (!sameColour) colourCounter_ = colourCounter_ == 8 ? 0 : colourCounter_ + 1;

    Cell& c = book_.output.cell(currentRow_, columnCounter_);
    c.text = text;
    c.font.underline = underline;
    c.font.italic = italic;
    c.font.colourIndex = Palette::kKeyColours[size_t(colourCounter_)];
    const size_t arrow = queueArrow(currentRow_, columnCounter_, referenced);
    ++columnCounter_;
    return arrow;
}

size_t WorkbookLayout::addArrowFrom(Position cell) {
    colourCounter_ = colourCounter_ == 8 ? 0 : colourCounter_ + 1;
    return queueArrow(cell.row, cell.column, 0);
}

size_t WorkbookLayout::queueArrow(int row, int column, int referenced) {
    PendingArrow arrow{row,
                       column,
                       referenced,
                       Palette::kArrowColours[size_t(colourCounter_)],
                       0,
                       0,
                       0,
                       std::nullopt};
    if (style_ == ArrowStyle::Straight) {
        arrow.offset = int(random_() * 7) + 3;
    } else if (style_ == ArrowStyle::Elbow) {
        busOffset_ += 5;
        laneOffset_ = laneOffset_ > 12.48425 ? 0 : laneOffset_ + 3;
        arrow.bus = busOffset_;
        arrow.lane = laneOffset_;
    }
    arrows_.push_back(arrow);
    return arrows_.size() - 1;
}

void WorkbookLayout::pointArrowAt(size_t arrow, Position keyCell) {
    if (arrow < arrows_.size()) arrows_[arrow].keyCell = keyCell;
}

bool WorkbookLayout::openForAppending(int holder) {
    const auto at = position(holder);
    // Only a relation's name cell sits in column 1 of a row that starts a relation.
    if (!at || at->column != 1 || at->row < 1) {
        currentRow_ = 0;
        return false;
    }
    currentRow_ = at->row + 1;
    columnCounter_ = book_.output.lastColumn(currentRow_) + 1;
    return true;
}

void WorkbookLayout::finishRelation() {
    nextRow_ += 3;
}

void WorkbookLayout::finish() {
    Worksheet& sheet = book_.output;
    // Rows keep the pitch the relations were laid out with, columns fit their text.
    sheet.defaultColumnWidth = Arrows::kColumnPitch;
    sheet.defaultRowHeight = Arrows::kRowPitch;
    sheet.rowHeights.assign(size_t(sheet.lastRow()), Arrows::kRowPitch);
    CellWidths::fitColumns(sheet);

    // Arrows to keys written nowhere are dropped.
    std::vector<std::pair<const PendingArrow*, Position>> drawn;
    drawn.reserve(arrows_.size());
    for (const PendingArrow& arrow : arrows_) {
        const auto key = arrow.keyCell ? arrow.keyCell : position(arrow.referenced);
        if (key && key->row >= 1 && key->column >= 1) drawn.push_back({&arrow, *key});
    }

    if (style_ == ArrowStyle::Routed) {
        std::vector<ArrowRouting::Arrow> routes;
        routes.reserve(drawn.size());
        for (const auto& [a, key] : drawn)
            routes.push_back({a->row, a->column, key.row, key.column, a->colour});
        ArrowRouting::route(routes, sheet);
    } else {
        const double furthestBus = style_ == ArrowStyle::Elbow ? makeRoomForElbows(drawn) : 0;
        const SheetGeometry geometry(sheet);
        for (const auto& [a, key] : drawn) {
            std::vector<DrawingShape> shapes;
            if (style_ == ArrowStyle::Straight)
                shapes = Arrows::straight(geometry, a->row, a->column, key.row, key.column,
                                          a->offset, a->colour);
            else if (key.row == a->row)
                shapes = Arrows::sameRowLoop(geometry, a->row, a->column, key.column, a->colour);
            else
                shapes = Arrows::elbow(geometry, a->row, a->column, key.row, key.column,
                                       busOnTheSheet(a->bus, furthestBus), a->lane, a->colour);
            sheet.shapes.insert(sheet.shapes.end(), shapes.begin(), shapes.end());
        }
    }
    arrows_.clear();
}

double WorkbookLayout::makeRoomForElbows(
    const std::vector<std::pair<const PendingArrow*, Position>>& drawn) {
    // Each elbow's bus lies further left than the last one's; where they would pass the left
    // edge of the sheet, the second column widens until the furthest of them stays on it, as far
    // as a column can widen.
    constexpr double kEdgeMargin = 1;
    double reach = 0;
    for (const auto& [a, key] : drawn)
        if (key.row != a->row) reach = std::max(reach, Arrows::elbowReach(a->bus));
    Worksheet& sheet = book_.output;
    double room = SheetGeometry(sheet).columnLeft(3);
    if (reach + kEdgeMargin > room) {
        if (sheet.columnWidths.size() < 2) sheet.columnWidths.resize(2, *sheet.defaultColumnWidth);
        double& width = sheet.columnWidths[1];
        width = std::min(width + reach + kEdgeMargin - room,
                         std::max(width, CellWidths::kMaxColumnPoints));
        room = SheetGeometry(sheet).columnLeft(3);
    }
    return room - kEdgeMargin - Arrows::elbowReach(0);
}

double WorkbookLayout::busOnTheSheet(double bus, double furthest) {
    // Buses start 10 points left of the edge and move 5 further for each arrow; past the furthest
    // the sheet holds, they start over from the first.
    if (bus <= furthest) return bus;
    const int places = std::max(1, int((furthest - 10) / 5) + 1);
    return 10 + 5 * (int((bus - 10) / 5) % places);
}

Workbook layOutWorkbook(const RelationalModel& model, int fkpk, std::function<double()> random) {
    WorkbookLayout layout(fkpk, std::move(random));
    // Where each column of each relation was written, and the arrows: they point at their key
    // column's cell once every cell is known.
    const std::vector<std::vector<ColumnReference>> references = columnReferences(model);
    std::vector<std::vector<std::optional<WorkbookLayout::Position>>> cells(model.relations.size());
    for (size_t r = 0; r < model.relations.size(); ++r)
        cells[r].resize(model.relations[r].columns.size());
    std::vector<std::pair<size_t, const ColumnReference*>> toForeignKeys;
    std::vector<std::pair<size_t, std::pair<int, int>>> sharedArrows;  // arrow, relation, column
    for (const OutputStep& step : model.steps) {
        const Relation& relation = model.relations[size_t(step.relation)];
        if (step.appends) {
            if (!layout.openForAppending(relation.element)) continue;
        } else {
            layout.startRelation(relation.name, relation.element);
        }
        const ForeignKey* previous = nullptr;
        for (int i = step.firstColumn; i < step.firstColumn + step.columnCount; ++i) {
            const Column& column = relation.columns[size_t(i)];
            if (column.references) {
                // The parts of one composite key are one foreign key: one colour for all.
                const ForeignKey& fk = *column.references;
                const bool samePart = previous && previous->attribute == fk.attribute &&
                                      previous->group == fk.group && fk.target != fk.attribute;
                const auto arrow = layout.addForeignKeyColumn(column.name, column.key,
                                                              column.italic, fk.target, samePart);
                const ColumnReference& ref = references[size_t(step.relation)][size_t(i)];
                // Every arrow points at the cell of the column the reference resolves to: the
                // position table holds one cell per element, and a key column may be written
                // in several relations (a superclass's key in each 8B subclass's relation).
                if (arrow && ref.relationIndex >= 0 && ref.columnIndex >= 0)
                    toForeignKeys.push_back({*arrow, &ref});
                previous = &fk;
            } else {
                layout.addOwnColumn(column.name, column.key, column.element);
                previous = nullptr;
            }
            cells[size_t(step.relation)][size_t(i)] = layout.lastColumnCell();
        }
        if (step.appends) continue;
        // A shared subclass's key columns also point at the same key in each further
        // superclass's relation.
        for (const Relation::SharedKey& shared : relation.sharedKeys) {
            const int to = relationOfEntity(model, shared.entity);
            for (size_t c = 0; c < relation.columns.size() && to >= 0; ++c) {
                const Column& column = relation.columns[c];
                const auto from = cells[size_t(step.relation)][c];
                if (!from || !column.references || column.references->group != shared.group)
                    continue;
                const int key = columnHolding(model.relations[size_t(to)], column.references->target);
                if (key >= 0) sharedArrows.push_back({layout.addArrowFrom(*from), {to, key}});
            }
        }
        layout.finishRelation();
    }
    for (const auto& [arrow, ref] : toForeignKeys)
        if (const auto cell = cells[size_t(ref->relationIndex)][size_t(ref->columnIndex)])
            layout.pointArrowAt(arrow, *cell);
    for (const auto& [arrow, key] : sharedArrows)
        if (const auto cell = cells[size_t(key.first)][size_t(key.second)])
            layout.pointArrowAt(arrow, *cell);
    layout.finish();
    return std::move(layout.workbook());
}
