#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "relationalmodel.h"
#include "worksheet.h"

// How foreign-key arrows reach their keys: the setting FKPK's 0, 1 and 2; any other value
// draws elbows.
enum class ArrowStyle { Straight, Elbow, Routed };
ArrowStyle arrowStyleOf(int fkpk);

// Lays relations out on "Sheet1" through the output operations and keeps the position table on
// "Sheet2": row i of "Sheet2" holds element i, its row and its column on "Sheet1". Foreign-key
// columns take the next colour of the key colour table and get an arrow to the cell of the key
// they reference.
//
// Arrows are drawn by finish(), once every position is known, so that a key written after the
// foreign key that references it still gets its arrow; a key written nowhere gets none. Colours,
// bus and lane offsets and straight-arrow offsets are taken when the foreign-key column is added,
// in output order.
class WorkbookLayout {
public:
    struct Position {
        int row = 0;
        int column = 0;
    };

    // fkpk: the arrow style (arrowStyleOf). `random` gives uniform numbers in [0, 1) for
    // the straight arrows' offsets; by default the global generator.
    explicit WorkbookLayout(int fkpk, std::function<double()> random = {});

    // Output operations.
    void startRelation(const QString& name, int element);
    void addOwnColumn(const QString& caption, bool underline, int element);
    // A foreign-key column in the next key colour, or (`sameColour`) in the previous column's,
    // as the parts of one composite key are. Returns its arrow's number, for pointArrowAt; none
    // when no relation is open and the column is dropped.
    std::optional<size_t> addForeignKeyColumn(const QString& text, bool underline, bool italic,
                                              int referenced, bool sameColour = false);
    // Points an arrow at a cell instead of the position table's entry for its referenced element:
    // for a key column that is itself a foreign key (an owner's key in a weak entity's relation),
    // which the position table does not hold.
    void pointArrowAt(size_t arrow, Position keyCell);
    // One more arrow, in the next colour, from a foreign-key cell written earlier: a shared
    // subclass's key references a further superclass. Point it with pointArrowAt.
    size_t addArrowFrom(Position cell);
    // Continues the column row of the relation started for `holder`, right of its last column.
    // False when no relation was started for it; the columns that follow are then dropped.
    bool openForAppending(int holder);
    void finishRelation();
    // Sizes the columns for their text and draws the arrows, making the room their style needs;
    // call once after the last operation.
    void finish();

    // The position table entry of an element, read from "Sheet2".
    std::optional<Position> position(int element) const;
    // The cell of the column written last.
    Position lastColumnCell() const { return {currentRow_, columnCounter_ - 1}; }

    const Workbook& workbook() const { return book_; }
    Workbook& workbook() { return book_; }

private:
    struct PendingArrow {
        int row, column, referenced;
        int colour;
        double bus, lane;
        int offset;
        std::optional<Position> keyCell;  // set: the cell to point at, whatever `referenced` is
    };

    void record(int element, int row, int column);
    // Queues the arrow from (row, column) in the current colour, taking its offsets.
    size_t queueArrow(int row, int column, int referenced);
    // Widens the second column for the elbows' buses; returns the furthest bus the sheet holds.
    double makeRoomForElbows(const std::vector<std::pair<const PendingArrow*, Position>>& drawn);
    static double busOnTheSheet(double bus, double furthest);

    Workbook book_;
    // The position table as written to "Sheet2", kept beside it for reading: one lookup instead
    // of a search of the sheet's rows and then of the row's cells, for every foreign key.
    QHash<int, Position> positions_;
    ArrowStyle style_;
    std::function<double()> random_;

    int nextRow_ = 1;
    int currentRow_ = 0;  // 0: no relation open
    int columnCounter_ = 1;
    int colourCounter_ = 0;
    double busOffset_ = 5;
    double laneOffset_ = 0;
    std::vector<PendingArrow> arrows_;
};

// Writes a relational model through the output operations, in the order it was built, and draws
// its arrows.
Workbook layOutWorkbook(const RelationalModel& model, int fkpk,
                        std::function<double()> random = {});
