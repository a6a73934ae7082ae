#include "workbook.h"

#include <QRandomGenerator>

#include "arrows.h"
#include "palette.h"

WorkbookLayout::WorkbookLayout(int fkpk, std::function<double()> random)
    : fkpk_(fkpk), random_(std::move(random)) {
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

void WorkbookLayout::addForeignKeyColumn(const QString& text, bool underline, bool italic,
                                         int referenced, bool sameColour) {
    if (currentRow_ == 0) return;
    if (!sameColour) colourCounter_ = colourCounter_ == 8 ? 0 : colourCounter_ + 1;

    Cell& c = book_.output.cell(currentRow_, columnCounter_);
    c.text = text;
    c.font.underline = underline;
    c.font.italic = italic;
    c.font.colourIndex = Palette::kKeyColours[size_t(colourCounter_)];

    PendingArrow arrow{currentRow_,
                       columnCounter_,
                       referenced,
                       Palette::kArrowColours[size_t(colourCounter_)],
                       0,
                       0,
                       0};
    if (fkpk_ == 0) {
        arrow.offset = int(random_() * 7) + 3;
    } else {
        busOffset_ += 5;
        laneOffset_ = laneOffset_ > 12.48425 ? 0 : laneOffset_ + 3;
        arrow.bus = busOffset_;
        arrow.lane = laneOffset_;
    }
    arrows_.push_back(arrow);
    ++columnCounter_;
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
    for (const PendingArrow& arrow : arrows_) drawArrow(arrow);
    arrows_.clear();
}

void WorkbookLayout::drawArrow(const PendingArrow& a) {
    const auto key = position(a.referenced);
    if (!key || key->row < 1 || key->column < 1) return;
    std::vector<DrawingShape> shapes;
    if (fkpk_ == 0) {
        shapes = Arrows::straight(a.row, a.column, key->row, key->column, a.offset, a.colour);
    } else if (key->row == a.row) {
        shapes = Arrows::sameRowLoop(a.row, a.column, key->column, a.colour);
    } else {
        shapes = Arrows::elbow(a.row, a.column, key->row, key->column, a.bus, a.lane, a.colour);
    }
    book_.output.shapes.insert(book_.output.shapes.end(), shapes.begin(), shapes.end());
}

Workbook layOutWorkbook(const RelationalModel& model, int fkpk, std::function<double()> random) {
    WorkbookLayout layout(fkpk, std::move(random));
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
                layout.addForeignKeyColumn(column.name, column.key, column.italic, fk.target,
                                           samePart);
                previous = &fk;
            } else {
                layout.addOwnColumn(column.name, column.key, column.element);
                previous = nullptr;
            }
        }
        if (!step.appends) layout.finishRelation();
    }
    layout.finish();
    return std::move(layout.workbook());
}
