#pragma once

#include <QLineF>
#include <QRectF>
#include <QString>
#include <compare>
#include <map>
#include <optional>
#include <vector>

// The content of a workbook as the converter builds it, before it is written to a file: cells with
// font attributes and the drawing shapes of the first sheet, all in the spreadsheet's own units
// (rows and columns from 1, shape positions in points).

struct FontStyle {
    bool bold = false;
    bool underline = false;
    bool italic = false;
    int colourIndex = 0;  // legacy palette colour index 1..56; 0 = automatic

    auto operator<=>(const FontStyle&) const = default;
};

struct Cell {
    QString text;
    std::optional<double> number;  // set: a numeric cell, text unused
    FontStyle font;
};

// A line or a quarter arc on the drawing layer, described the way the spreadsheet's drawing
// commands create it: a line added from `start` to `end`, or an arc autoshape whose box (`box`) is
// its radius; then flipped horizontally and/or vertically inside that box.
struct DrawingShape {
    enum class Type { Line, Arc };
    Type type = Type::Line;
    QPointF start, end;  // Line
    QRectF box;          // Arc
    bool flipH = false;
    bool flipV = false;
    bool arrowHead = false;  // a triangle at the end of the line
    int schemeColour = 0;

    // The line's path after the flips: flipping mirrors both ends inside the line's bounding box,
    // so the arrowhead, which sits at the path's end, moves with it.
    QLineF path() const;
    // The box the shape takes on the sheet. An arc is a quarter of the ellipse inscribed in it,
    // from the top to the right before the flips: twice `box` in each direction, placed so that
    // the visible quarter, flipped as asked, covers `box`.
    QRectF bounds() const;
};

class Worksheet {
public:
    using Row = std::map<int, Cell>;

    explicit Worksheet(QString name) : name_(std::move(name)) {}

    const QString& name() const { return name_; }
    Cell& cell(int row, int column) { return rows_[row][column]; }
    const Cell* find(int row, int column) const;
    // The number in a cell; 0 for an empty or text cell, the way a spreadsheet reads it.
    double number(int row, int column) const;
    // The last used column of a row; 0 when the row is empty.
    int lastColumn(int row) const;
    int lastRow() const { return rows_.empty() ? 0 : rows_.rbegin()->first; }
    const std::map<int, Row>& rows() const { return rows_; }

    std::vector<DrawingShape> shapes;

    // Sizes in points. Column c is columnWidths[c - 1] wide where that is given, else
    // defaultColumnWidth; row r likewise. Without a default the spreadsheet's own applies.
    std::vector<double> columnWidths;
    std::vector<double> rowHeights;
    std::optional<double> defaultColumnWidth;
    std::optional<double> defaultRowHeight;
    // Kept in the workbook for programs, not shown to its reader.
    bool hidden = false;
    // Printed (and exported to PDF) one page wide, so that the arrows are not cut off.
    bool printOnePageWide = false;

private:
    QString name_;
    std::map<int, Row> rows_;
};

struct Workbook {
    Worksheet output{QStringLiteral("Sheet1")};
    Worksheet positions{QStringLiteral("Sheet2")};
    // Sheets written after those two, in order, under their own names.
    std::vector<Worksheet> more;

    // Every sheet in workbook order.
    std::vector<const Worksheet*> sheets() const {
        std::vector<const Worksheet*> all{&output, &positions};
        for (const Worksheet& sheet : more) all.push_back(&sheet);
        return all;
    }
};
